#include "console/table_upgrade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "console/table_state.h"
#include "console_fixture.h"
#include "schema/catalogue.h"
#include "support/scripted_interaction.h"

namespace dravn {
namespace {

// A database created from the whole script; each test damages it in its own way and upgrades.
class TableUpgrade : public ::testing::Test {
  protected:
    void SetUp() override {
        DRAVN_REQUIRE_SERVERS();
        scratch = std::make_unique<test::ScratchDatabase>(test::CompanyRoot(), "dvt_upgrade");
        db().executeScript(script.text());
    }
    SqlConnection& db() { return scratch->admin(); }

    std::vector<std::string> upgrade() {
        return UpgradeTables(db(), script, log.runOn(db()), ui, script.tableNames(), db().tableNames(),
                             [&] { ++refreshes; });
    }
    std::vector<std::string> scriptColumns(const std::string& table) {
        std::vector<std::string> names;
        for (const ColumnLine& c : script.columnLines(table))
            names.push_back(c.name);
        return names;
    }

    std::unique_ptr<test::ScratchDatabase> scratch;
    SchemaScript script;
    test::ScriptedInteraction ui;
    test::StatementLog log;
    int refreshes = 0;
};

TEST_F(TableUpgrade, CompleteDatabaseRunsNoStatement) {
    std::vector<std::string> fields = upgrade();
    EXPECT_TRUE(log.statements.empty());
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(fields, scriptColumns("workpermit"));  // the last table's columns

    std::vector<std::pair<int, int>> progress = {{0, 78}};
    for (int i = 1; i <= 78; ++i)
        progress.emplace_back(i, 78);
    progress.emplace_back(0, 0);
    EXPECT_EQ(ui.progress, progress);
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(TableUpgrade, MissingTableIsCreatedInTheFirstPass) {
    db().execute("DROP TABLE team");
    std::vector<std::string> tablesWhenRefreshed;
    UpgradeTables(db(), script, log.runOn(db()), ui, script.tableNames(), db().tableNames(),
                  [&] { tablesWhenRefreshed = db().tableNames(); });
    EXPECT_EQ(log.statements, (std::vector<std::string>{script.tableStatement("team")}));
    EXPECT_TRUE(ListContains(tablesWhenRefreshed, "team"));
    EXPECT_EQ(db().fieldNames("team"), scriptColumns("team"));
}

TEST_F(TableUpgrade, MissingColumnsAreAddedAfterTheirPredecessors) {
    db().execute("ALTER TABLE users DROP COLUMN firstname, DROP COLUMN lastname");
    // Neither extra columns, nor a column of another definition, nor a name in other letter case,
    // nor tables outside the script are touched.
    db().execute(
        "ALTER TABLE users ADD COLUMN legacy_note varchar(10), MODIFY realname varchar(200), "
        "CHANGE caseid CaseID int(11)");
    db().execute("CREATE TABLE varelager (id int)");
    upgrade();
    EXPECT_EQ(log.statements,
              (std::vector<std::string>{
                  "ALTER TABLE users ADD COLUMN `firstname` varchar(70) DEFAULT NULL AFTER caseid",
                  "ALTER TABLE users ADD COLUMN `lastname` varchar(70) DEFAULT NULL AFTER firstname"}));

    std::vector<std::string> expected = scriptColumns("users");
    std::replace(expected.begin(), expected.end(), std::string("caseid"), std::string("CaseID"));
    expected.push_back("legacy_note");
    EXPECT_EQ(db().fieldNames("users"), expected);
    EXPECT_EQ(db().queryValue("SELECT COLUMN_TYPE FROM information_schema.COLUMNS WHERE TABLE_SCHEMA='" +
                              scratch->name() + "' AND TABLE_NAME='users' AND COLUMN_NAME='realname'"),
              "varchar(200)");
    EXPECT_EQ(db().fieldNames("varelager"), (std::vector<std::string>{"id"}));
}

TEST_F(TableUpgrade, ConsecutiveMissingColumnsFollowEachOther) {
    db().execute(
        "ALTER TABLE items DROP COLUMN items_atwork, DROP COLUMN items_done, DROP COLUMN items_checked");
    std::vector<std::string> fields = AddMissingColumns(db(), script, log.runOn(db()), "items");
    ASSERT_EQ(log.statements.size(), 3u);
    EXPECT_TRUE(log.statements[0].ends_with(" AFTER printcode"));
    EXPECT_TRUE(log.statements[1].ends_with(" AFTER items_atwork"));
    EXPECT_TRUE(log.statements[2].ends_with(" AFTER items_done"));
    EXPECT_EQ(fields, scriptColumns("items"));
}

TEST_F(TableUpgrade, TableNamesMatchTheScriptExactly) {
    db().execute("ALTER TABLE document_blob DROP COLUMN countrycode");
    EXPECT_FALSE(CreateTableFromScript(script, log.runOn(db()), "no_such_table"));
    AddMissingColumns(db(), script, log.runOn(db()), "Document_Blob");
    EXPECT_TRUE(log.statements.empty());

    // Blanks around the name are ignored when a table is created from the script.
    db().execute("DROP TABLE groups");
    EXPECT_TRUE(CreateTableFromScript(script, log.runOn(db()), " groups "));
    EXPECT_EQ(db().fieldNames("groups"), scriptColumns("groups"));
}

TEST(TableUpgradeFailure, RefusedStatementEndsTheUpgradeAndKeepsWhatWasDone) {
    DRAVN_REQUIRE_SERVERS();
    test::ScratchDatabase scratch(test::CompanyRoot(), "dvt_upgrade_fail");
    SchemaScript script(
        "CREATE TABLE `a` (\n  `id` int(11) NOT NULL AUTO_INCREMENT,\n  PRIMARY KEY (`id`)\n) "
        "ENGINE=MyISAM;\n\n"
        "CREATE TABLE `b` (\n  `id` no_such_type,\n  PRIMARY KEY (`id`)\n) ENGINE=MyISAM;\n\n"
        "CREATE TABLE `c` (\n  `id` int(11) NOT NULL AUTO_INCREMENT,\n  PRIMARY KEY (`id`)\n) "
        "ENGINE=MyISAM;\n");
    test::ScriptedInteraction ui;
    test::StatementLog log;
    int refreshes = 0;
    EXPECT_THROW(UpgradeTables(scratch.admin(), script, log.runOn(scratch.admin()), ui, script.tableNames(),
                               {}, [&] { ++refreshes; }),
                 SqlError);
    EXPECT_EQ(log.statements.size(), 2u);
    EXPECT_EQ(scratch.admin().tableNames(), (std::vector<std::string>{"a"}));
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(ui.progress.back(), std::make_pair(0, 0));
    EXPECT_EQ(ui.waitDepth, 0);
}

}  // namespace
}  // namespace dravn
