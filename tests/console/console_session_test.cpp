// The operations on the session: the session's connection, and RunSQL's log lines for every
// statement except the schema script itself.
#include "console/console_session.h"

#include <gtest/gtest.h>

#include "console/database_admin.h"
#include "console_fixture.h"
#include "schema/catalogue.h"
#include "session/support/session_fixture.h"

namespace dravn {
namespace {

using ConsoleSession = test::SessionTest;

TEST_F(ConsoleSession, CreateUpgradeAndDropRunOnTheSessionAndAreLogged) {
    DRAVN_REQUIRE_SERVERS();
    const std::string name = test::UniqueName("dvt_console");
    test::DropAtEnd dropAtEnd(name);
    UseCompanyDatabase("");
    Session& s = session();
    ASSERT_TRUE(s.iConnect());
    SchemaScript script;
    const std::vector<std::string> dravn = script.tableNames();
    TableState state;
    auto refresh = [&] { state = RefreshTableState(s, dravn); };

    s.DocumentsInBlobTable = false;
    s.DocumentBlobsSplit = true;
    ASSERT_TRUE(CreateCompanyDatabase(s, script, ui, name, refresh));
    EXPECT_EQ(s.DatabaseConnection.currentDatabase(), name);
    EXPECT_TRUE(Logged("RunSQL: CREATE DATABASE " + name));
    EXPECT_TRUE(Logged(std::string("RunSQL: ") + kSeedGroupsRow));
    for (const std::string& line : Log())
        EXPECT_EQ(line.find("CREATE TABLE"), std::string::npos) << line;
    // The script's `document` has no `document_data`, and there are no numbered blob tables.
    EXPECT_TRUE(s.DocumentsInBlobTable);
    EXPECT_FALSE(s.DocumentBlobsSplit);
    EXPECT_EQ(state.ServerTables.size(), 39u);
    EXPECT_TRUE(ListContains(LoadDatabaseList(s, false), name));

    s.DatabaseConnection.execute("ALTER TABLE users DROP COLUMN lastname");
    std::vector<std::string> tables;
    for (const CheckedName& t : state.ServerTables)
        tables.push_back(t.name);
    UpgradeTables(s, script, ui, dravn, tables, refresh);
    EXPECT_TRUE(
        Logged("RunSQL: ALTER TABLE users ADD COLUMN `lastname` varchar(70) DEFAULT NULL AFTER firstname"));
    EXPECT_EQ(ui.waitDepth, 0);

    ui.yesNoAnswers = {true};
    int reloads = 0;
    EXPECT_TRUE(DropCompanyDatabase(s, ui, name, [&] { ++reloads; }));
    EXPECT_EQ(reloads, 1);
    EXPECT_FALSE(ListContains(LoadDatabaseList(s, false), name));
}

}  // namespace
}  // namespace dravn
