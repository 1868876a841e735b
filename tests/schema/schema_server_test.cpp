// The schema script against the real server: the server, not a text comparison, judges whether
// the script creates the catalogue's tables and columns.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "mysql/sql_connection.h"
#include "schema/catalogue.h"
#include "schema/catalogue_counts.h"
#include "support/test_servers.h"

namespace dravn {
namespace {

using Row = SqlRow;

// One database created from the whole script, shared by the checks below.
class SchemaOnServer : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!test::HaveTestServers())
            return;
        whole_ = std::make_unique<test::ScratchDatabase>(test::CompanyRoot(), "dvt_schema");
        whole_->admin().executeScript(std::string(CompanySchemaScript()));
    }
    static void TearDownTestSuite() { whole_.reset(); }
    void SetUp() override { DRAVN_REQUIRE_SERVERS(); }

    static std::vector<Row> rows(const std::string& sql) { return whole_->admin().queryAll(sql).rows; }
    static std::string schemaIs() { return "TABLE_SCHEMA='" + whole_->name() + "'"; }

    // COLUMN_TYPE, IS_NULLABLE, COLUMN_DEFAULT, CHARACTER_SET_NAME, COLLATION_NAME, EXTRA.
    static Row Column(const std::string& table, const std::string& column) {
        auto found = rows(
            "SELECT COLUMN_TYPE, IS_NULLABLE, COLUMN_DEFAULT, CHARACTER_SET_NAME, COLLATION_NAME, EXTRA "
            "FROM information_schema.COLUMNS WHERE " +
            schemaIs() + " AND TABLE_NAME='" + table + "' AND COLUMN_NAME='" + column + "'");
        return found.empty() ? Row{} : found.front();
    }

    static std::unique_ptr<test::ScratchDatabase> whole_;
};
std::unique_ptr<test::ScratchDatabase> SchemaOnServer::whole_;

const std::nullopt_t null = std::nullopt;

TEST_F(SchemaOnServer, EveryTableHasTheCatalogueColumnsInScriptOrder) {
    std::map<std::string, std::vector<std::string>> onServer;
    for (const Row& r : rows("SELECT TABLE_NAME, COLUMN_NAME FROM information_schema.COLUMNS WHERE " +
                             schemaIs() + " ORDER BY TABLE_NAME, ORDINAL_POSITION"))
        onServer[*r[0]].push_back(*r[1]);
    EXPECT_EQ(onServer.size(), 39u);
    SchemaScript script;
    for (const auto& [table, count] : test::CatalogueColumnCounts()) {
        EXPECT_EQ(static_cast<int>(onServer[table].size()), count) << table;
        std::vector<std::string> names;
        for (const ColumnLine& c : script.columnLines(table))
            names.push_back(c.name);
        EXPECT_EQ(onServer[table], names) << table;
    }
}

// The definitions most easily got wrong, as the server reports them.
TEST_F(SchemaOnServer, HardColumnDefinitions) {
    struct Case {
        const char* table;
        const char* column;
        Row expected;
    };
    const std::string zero = "'0000-00-00 00:00:00'";
    const Case cases[] = {
        {"accounts", "id", {"int(11)", "NO", null, null, null, "auto_increment"}},
        {"accounts",
         "updated",
         {"timestamp", "NO", "current_timestamp()", null, null, "on update current_timestamp()"}},
        {"buttweld",
         "updated",
         {"timestamp", "NO", "current_timestamp()", null, null, "on update current_timestamp()"}},
        {"jobs", "updated", {"timestamp", "NO", "current_timestamp()", null, null, ""}},
        {"accounts", "created", {"varchar(10)", "YES", "NULL", "utf8mb3", "utf8mb3_unicode_ci", ""}},
        {"accounts", "sum", {"float(15,2)", "YES", "NULL", null, null, ""}},
        {"calc", "weight", {"float(15,3)", "YES", "NULL", null, null, ""}},
        {"calc", "currency", {"varchar(6)", "YES", "'NOK'", "utf8mb3", "utf8mb3_unicode_ci", ""}},
        {"accounts", "rwx_user", {"int(11)", "YES", "7", null, null, ""}},
        {"product", "rwx_user", {"int(11)", "YES", "0", null, null, ""}},
        {"package", "rwx_group", {"int(11)", "YES", "7", null, null, ""}},
        {"package", "user_created", {"int(11)", "YES", "0", null, null, ""}},
        {"package", "productid", {"int(11)", "NO", "0", null, null, ""}},
        {"package", "variable", {"smallint(6)", "YES", "1", null, null, ""}},
        {"document", "created", {"varchar(10)", "YES", "NULL", "latin1", "latin1_swedish_ci", ""}},
        {"document", "object_text", {"text", "YES", "NULL", "latin1", "latin1_swedish_ci", ""}},
        {"document", "code1", {"varchar(45)", "YES", "NULL", "utf8mb3", "utf8mb3_unicode_ci", ""}},
        {"document", "persons_read", {"text", "YES", "NULL", "utf8mb3", "utf8mb3_unicode_ci", ""}},
        {"document", "document_created", {"timestamp", "NO", zero, null, null, ""}},
        {"document", "GPS_latitude", {"float", "YES", "NULL", null, null, ""}},
        {"document_blob", "document_data", {"mediumblob", "YES", "NULL", null, null, ""}},
        {"calendar", "time_from", {"datetime", "NO", zero, null, null, ""}},
        {"jobs", "time_from", {"datetime", "YES", zero, null, null, ""}},
        {"comments", "follow_time", {"timestamp", "NO", zero, null, null, ""}},
        {"comments", "object_text", {"text", "YES", "NULL", "utf8mb3", "utf8mb3_general_ci", ""}},
        {"cases", "caseref", {"varchar(32)", "NO", null, "latin1", "latin1_swedish_ci", ""}},
        {"cases", "subject", {"varchar(128)", "YES", "NULL", "utf8mb3", "utf8mb3_unicode_ci", ""}},
        {"product", "productcode", {"varchar(40)", "NO", null, "latin1", "latin1_swedish_ci", ""}},
        {"productview", "persons", {"text", "YES", "NULL", "latin1", "latin1_swedish_ci", ""}},
        {"productview", "productspec", {"mediumtext", "YES", "NULL", "utf8mb3", "utf8mb3_general_ci", ""}},
        {"workpermit", "car_regno", {"varchar(20)", "YES", "''", "utf8mb3", "utf8mb3_general_ci", ""}},
        {"workpermit", "starttime", {"varchar(5)", "YES", "'08:00'", "utf8mb3", "utf8mb3_general_ci", ""}},
        {"pipelines", "pump_factor", {"double", "YES", "0.75", null, null, ""}},
        {"pipelines", "pipeparts", {"mediumtext", "YES", "NULL", "utf8mb3", "utf8mb3_unicode_ci", ""}},
        {"company", "country", {"int(11)", "YES", "578", null, null, ""}},
        {"asset", "phase", {"tinyint(4)", "YES", "NULL", null, null, ""}},
        {"users", "parameter", {"blob", "YES", "NULL", null, null, ""}},
        {"users", "Seniority", {"datetime", "YES", "NULL", null, null, ""}},
        {"socketweld", "weld_type", {"varchar(255)", "YES", "NULL", "utf8mb3", "utf8mb3_unicode_ci", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Column(c.table, c.column), c.expected) << c.table << "." << c.column;
}

TEST_F(SchemaOnServer, TableOptions) {
    std::map<std::string, Row> tables;
    for (Row& r : rows("SELECT TABLE_NAME, ENGINE, AUTO_INCREMENT, TABLE_COLLATION FROM "
                       "information_schema.TABLES WHERE " +
                       schemaIs()))
        tables[*r[0]] = {r[1], r[2], r[3]};
    ASSERT_EQ(tables.size(), 39u);
    for (const auto& [name, row] : tables)
        EXPECT_EQ(row[0], "MyISAM") << name;
    EXPECT_EQ(tables["groups"][1], "5");
    EXPECT_EQ(tables["netservice"][1], "614");
    EXPECT_EQ(tables["users"][1], "1");
    EXPECT_EQ(tables["accounts"][2], "utf8mb3_unicode_ci");
    EXPECT_EQ(tables["buttweld"][2], "utf8mb3_unicode_ci");
    EXPECT_EQ(tables["comments"][2], "utf8mb3_general_ci");
    EXPECT_EQ(tables["users"][2], "latin1_swedish_ci");
}

TEST_F(SchemaOnServer, Keys) {
    std::map<std::string, std::string> keys;  // "table.key" -> "UNIQUE|INDEX|FULLTEXT:columns"
    for (Row& r :
         rows("SELECT TABLE_NAME, INDEX_NAME, NON_UNIQUE, INDEX_TYPE, "
              "GROUP_CONCAT(COLUMN_NAME ORDER BY SEQ_IN_INDEX) FROM information_schema.STATISTICS WHERE " +
              schemaIs() + " GROUP BY 1, 2, 3, 4"))
        keys[*r[0] + "." + *r[1]] = (*r[3] == "FULLTEXT" ? "FULLTEXT"
                                     : *r[2] == "0"      ? "UNIQUE"
                                                         : "INDEX") +
                                    (":" + *r[4]);
    for (const auto& [table, count] : test::CatalogueColumnCounts())
        EXPECT_EQ(keys[table + ".PRIMARY"], "UNIQUE:id") << table;
    EXPECT_EQ(keys["document.fulltextindex"], "FULLTEXT:category,subject,document_path,document_name");
    EXPECT_EQ(keys["document.otherindex"], "INDEX:otherid");
    EXPECT_EQ(keys["cases.caseref_UNIQUE"], "UNIQUE:caseref");
    EXPECT_EQ(keys["product.productcode_UNIQUE"], "UNIQUE:productcode");
    EXPECT_EQ(keys["product.productgroup_index"], "INDEX:productgroup");
    EXPECT_EQ(keys["items.order_id_index"], "INDEX:orderid");
    // 39 primary keys, 27 further keys of document, 1 of cases, 4 of items, 2 of product.
    EXPECT_EQ(keys.size(), 39u + 27 + 1 + 4 + 2);
}

// Every statement cut out of the script runs alone and gives the same table as the whole script.
TEST_F(SchemaOnServer, EachStatementRunsAlone) {
    test::ScratchDatabase single(test::CompanyRoot(), "dvt_schema_single");
    SchemaScript script;
    for (const std::string& table : script.tableNames()) {
        std::string statement = script.tableStatement(table);
        ASSERT_FALSE(statement.empty()) << table;
        EXPECT_NO_THROW(single.admin().execute(statement)) << table;
    }
    auto describe = [&](const std::string& db) {
        return rows(
            "SELECT TABLE_NAME, COLUMN_NAME, ORDINAL_POSITION, COLUMN_TYPE, IS_NULLABLE, COLUMN_DEFAULT, "
            "COLLATION_NAME, EXTRA FROM information_schema.COLUMNS WHERE TABLE_SCHEMA='" +
            db + "' ORDER BY TABLE_NAME, ORDINAL_POSITION");
    };
    auto columns = describe(single.name());
    EXPECT_EQ(columns.size(), 2341u);  // the sum of the catalogue's column counts
    EXPECT_EQ(columns, describe(whole_->name()));
}

}  // namespace
}  // namespace dravn
