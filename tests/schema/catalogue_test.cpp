#include "schema/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "foundation/text_date.h"
#include "schema/catalogue_counts.h"

namespace dravn {
namespace {

TEST(SchemaScript, ListsThe39TablesInScriptOrder) {
    std::vector<std::string> expected;
    for (const auto& [name, count] : test::CatalogueColumnCounts())
        expected.push_back(name);
    EXPECT_EQ(SchemaScript().tableNames(), expected);
}

TEST(SchemaScript, EveryTableHasItsCatalogueColumnCount) {
    SchemaScript script;
    for (const auto& [name, count] : test::CatalogueColumnCounts()) {
        auto columns = script.columnLines(name);
        EXPECT_EQ(static_cast<int>(columns.size()), count) << name;
        ASSERT_FALSE(columns.empty()) << name;
        EXPECT_EQ(columns.front().name, "id") << name;
    }
}

// The layout the console's parsing depends on, checked over the whole script.
TEST(SchemaScript, LinesFollowTheLayoutRules) {
    SchemaScript script;
    int statements = 0;
    bool inStatement = false;
    for (const std::string& line : script.lines()) {
        std::string text = TrimBlanks(line);
        if (line.rfind("CREATE TABLE `", 0) == 0) {
            EXPECT_FALSE(inStatement) << line;
            EXPECT_TRUE(line.ends_with("` (")) << line;
            inStatement = true;
            ++statements;
        } else if (text.starts_with("`")) {
            EXPECT_TRUE(inStatement) << line;
            EXPECT_TRUE(line.starts_with("  `")) << line;
            EXPECT_TRUE(text.ends_with(",")) << line;
            EXPECT_NE(text.find('`', 1), std::string::npos) << line;
        } else if (text.find(';') != std::string::npos) {
            EXPECT_TRUE(inStatement) << line;
            EXPECT_TRUE(line.starts_with(") ENGINE=MyISAM ") && line.ends_with(";")) << line;
            inStatement = false;
        } else if (text.empty()) {
            EXPECT_FALSE(inStatement) << "empty line inside a statement";
        } else {
            EXPECT_TRUE(inStatement) << line;
            EXPECT_TRUE(line.starts_with("  ") && text.find("KEY") != std::string::npos) << line;
        }
        EXPECT_EQ(line.find("IF NOT EXISTS"), std::string::npos);
        EXPECT_EQ(line.find("DROP"), std::string::npos);
    }
    EXPECT_FALSE(inStatement);
    EXPECT_EQ(statements, 39);
}

TEST(SchemaScript, ColumnLineGivesNameAndDefinitionWithoutComma) {
    auto columns = SchemaScript().columnLines("users");
    auto first = std::find_if(columns.begin(), columns.end(), [](auto& c) { return c.name == "firstname"; });
    ASSERT_NE(first, columns.end());
    EXPECT_EQ(first->definition, "`firstname` varchar(70) DEFAULT NULL");
    EXPECT_EQ((first - 1)->name, "caseid");
    EXPECT_EQ((first + 1)->name, "lastname");
}

// A small script in which one table's name is the prefix of another's and a line ends in CR LF.
const char* const kFixture =
    "CREATE TABLE `document_blob_1` (\r\n"
    "  `id` int(11) NOT NULL AUTO_INCREMENT,\r\n"
    "  `x` int(11),\r\n"
    "  PRIMARY KEY (`id`)\r\n"
    ") ENGINE=MyISAM DEFAULT CHARSET=latin1;\r\n"
    "\r\n"
    "CREATE TABLE `document_blob` (\n"
    "    `id` int(11) NOT NULL AUTO_INCREMENT,\n"
    "  `document_data` mediumblob,\n"
    "  PRIMARY KEY (`id`)\n"
    ") ENGINE=MyISAM DEFAULT CHARSET=latin1;\n"
    "\n"
    "CREATE TABLE `later` (\n"
    "  `id` int(11) NOT NULL AUTO_INCREMENT,\n"
    "  PRIMARY KEY (`id`)\n"
    ") ENGINE=MyISAM;\n";

TEST(SchemaScript, StatementIsCutByTheBackquotedNameAndJoinedWithCrLf) {
    SchemaScript script(kFixture);
    EXPECT_EQ(script.tableNames(), (std::vector<std::string>{"document_blob_1", "document_blob", "later"}));
    const std::string expected =
        "CREATE TABLE `document_blob` (\r\n"
        "`id` int(11) NOT NULL AUTO_INCREMENT,\r\n"
        "`document_data` mediumblob,\r\n"
        "PRIMARY KEY (`id`)\r\n"
        ") ENGINE=MyISAM DEFAULT CHARSET=latin1;\r\n";
    EXPECT_EQ(script.tableStatement("document_blob"), expected);
    EXPECT_EQ(script.tableStatement("  document_blob \r\n"), expected);
    EXPECT_EQ(script.tableStatement("Document_Blob"), "");
    EXPECT_EQ(script.tableStatement("missing"), "");

    EXPECT_EQ(script.columnLines("document_blob"),
              (std::vector<ColumnLine>{{"id", "`id` int(11) NOT NULL AUTO_INCREMENT"},
                                       {"document_data", "`document_data` mediumblob"}}));
    EXPECT_EQ(script.columnLines("document_blob_1").size(), 2u);
    EXPECT_TRUE(script.columnLines("DOCUMENT_BLOB").empty());
}

TEST(SchemaScript, EmbeddedTextIsTheWholeScript) {
    SchemaScript script;
    EXPECT_EQ(script.text(), CompanySchemaScript());
    EXPECT_TRUE(script.text().starts_with("CREATE TABLE `accounts` (\n"));
    EXPECT_TRUE(script.text().ends_with(") ENGINE=MyISAM DEFAULT CHARSET=utf8;\n"));
    EXPECT_EQ(std::count(script.text().begin(), script.text().end(), ';'), 39);
}

}  // namespace
}  // namespace dravn
