// RunSQL and OpenTableQuery on the session's connection: logging, errors, passwords kept out of
// the log, and queries opened read-only or writable by the signed-in user's rights.
#include <gtest/gtest.h>

#include "support/session_fixture.h"

namespace dravn {
namespace {

using test::SessionTest;

TEST_F(SessionTest, RunSqlBeforeTheFirstConnectionOnlyLogs) {
    Session& s = session();
    EXPECT_TRUE(s.RunSQL("DROP DATABASE mysql"));
    EXPECT_TRUE(Logged("SQLERROR: iSQLCommand=Nil"));
    for (const std::string& line : Log())
        EXPECT_EQ(line.find("RunSQL: "), std::string::npos) << line;
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(SessionTest, RunSqlLogsTheStatementAndPassesServerErrorsOn) {
    DRAVN_REQUIRE_SERVERS();
    test::ScratchDatabase db(test::CompanyRoot());
    Session& s = session();
    UseCompanyDatabase(db.name());
    ASSERT_TRUE(s.iConnect());

    const std::string create = "CREATE TABLE t (id INT, v VARCHAR(20))";
    const std::string insert = "INSERT INTO t VALUES (1, 'æ ''x'' ;  b')";
    EXPECT_TRUE(s.RunSQL(create));
    EXPECT_TRUE(s.RunSQL(insert));
    EXPECT_TRUE(Logged("RunSQL: " + create));
    EXPECT_TRUE(Logged("RunSQL: " + insert));
    EXPECT_EQ(db.admin().queryValue("SELECT v FROM t"), "æ 'x' ;  b");

    try {
        s.RunSQL("INSERT INTO missing VALUES (1)");
        FAIL() << "server error swallowed";
    } catch (const SqlError& e) {
        EXPECT_EQ(e.number(), sqlerr::NoSuchTable);
    }
    EXPECT_TRUE(Logged("RunSQL: INSERT INTO missing VALUES (1)"));
    EXPECT_EQ(ui.waitDepth, 0) << "the wait cursor is restored also after an error";
}

TEST_F(SessionTest, RunSqlKeepsPasswordsOutOfLogAndErrors) {
    DRAVN_REQUIRE_SERVERS();
    Session& s = session();
    UseCompanyDatabase("");
    ASSERT_TRUE(s.iConnect());
    std::string user = test::UniqueName("dvt_pw");
    serverUsers.push_back(user);
    secrets.push_back("Hemm'eleg-Pw1");
    secrets.push_back("Andre-Pw2");

    // An account made through RunSQL: the statement runs with the password, the log shows ***.
    s.RunSQL("CREATE USER '" + user + "'@'%' IDENTIFIED BY 'Hemm\\'eleg-Pw1'");
    EXPECT_TRUE(Logged("RunSQL: CREATE USER '" + user + "'@'%' IDENTIFIED BY '***'"));
    SqlConnection asUser;
    ConnectOptions o = test::CompanyRoot();
    o.user = user;
    o.password = "Hemm'eleg-Pw1";
    EXPECT_NO_THROW(asUser.open(o));

    // A failing statement: the server's text quotes the statement, the error shows *** instead.
    try {
        s.RunSQL("ALTER USER '" + user + "'@'%' IDENTIFIED BY BY 'Andre-Pw2'");
        FAIL() << "syntax error not raised";
    } catch (const SqlError& e) {
        EXPECT_EQ(e.number(), sqlerr::ParseError);
        EXPECT_EQ(std::string(e.what()).find("Andre-Pw2"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("***"), std::string::npos) << e.what();
    }

    // Secrets the caller names are hidden too, wherever the statement holds them.
    s.RunSQL("DO LENGTH('Andre-Pw2')", {"Andre-Pw2"});
    EXPECT_TRUE(Logged("RunSQL: DO LENGTH('***')"));
    s.RunSQL("DROP USER '" + user + "'@'%'");
}

TEST_F(SessionTest, OpenTableQueryFollowsTheRights) {
    DRAVN_REQUIRE_SERVERS();
    test::ScratchDatabase db(test::CompanyRoot());
    db.admin().executeScript(
        "CREATE TABLE document_blob_3 (id INT PRIMARY KEY, v TEXT); INSERT INTO document_blob_3 VALUES (1, "
        "'a');"
        "CREATE TABLE comments (id INT PRIMARY KEY, v TEXT); INSERT INTO comments VALUES (1, 'b');");
    Session& s = session();
    UseCompanyDatabase(db.name());
    ASSERT_TRUE(s.iConnect());
    s.SignedInUser.Parameter = "document=R;\r\ncalendar=RW;\r\n";

    struct Case {
        const char* table;
        const char* sql;
        bool readOnly;
        const char* logged;
    } cases[] = {
        {"document_blob_3", "SELECT * FROM document_blob_3", true, "Opnar Query document_blob_3 (LES)"},
        {"comments", "SELECT * FROM comments", false, "Opnar Query comments (LES/SKRIV)"},
        {"", "SELECT * FROM comments", true, "Opnar Query  (LES)"},
    };
    for (const Case& c : cases) {
        SqlQuery q;
        q.setSql(c.sql);
        EXPECT_EQ(s.OpenTableQuery(q, c.table), 0) << c.table;
        EXPECT_TRUE(q.active());
        EXPECT_EQ(q.connection(), &s.DatabaseConnection);
        EXPECT_EQ(q.readOnly(), c.readOnly) << c.table;
        EXPECT_EQ(q.recordCount(), 1u);
        EXPECT_TRUE(Logged(c.logged)) << c.logged;
        EXPECT_TRUE(Logged(std::string("Query på ") + c.table + " er utført"));
    }

    // An open query is closed and opened again with its new text.
    SqlQuery q;
    q.setSql("SELECT * FROM comments");
    s.OpenTableQuery(q, "comments");
    q.setSql("SELECT * FROM comments WHERE id=2");
    EXPECT_EQ(s.OpenTableQuery(q, "comments"), 0);
    EXPECT_EQ(q.recordCount(), 0u);

    // A failing query: logged with its text, shown, -1; the caller goes on.
    SqlQuery bad;
    bad.setSql("SELECT * FROM nowhere");
    EXPECT_EQ(s.OpenTableQuery(bad, "nowhere"), -1);
    EXPECT_FALSE(bad.active());
    EXPECT_TRUE(Logged("SQLERROR: SELECT * FROM nowhere"));
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{"Det oppsto ein feil under opning av tabellen nowhere"}));
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(SessionTest, OpenTableQueryConnectsFirstOrLeavesTheQueryAlone) {
    DRAVN_REQUIRE_SERVERS();
    Session& s = session();
    // Not connected: OpenTableQuery connects first.
    UseCompanyDatabase("");
    SqlQuery q;
    q.setSql("SELECT 1");
    EXPECT_EQ(s.OpenTableQuery(q, ""), 0);
    EXPECT_TRUE(q.active());
    EXPECT_EQ(s.ConnectionState, 1);

    // The connection cannot be made: 0, the query untouched, "Kan ikkje kople til " shown.
    s.DisconnectDatabase();
    s.ConnectionSettings.Server = "127.0.0.1:1";
    ui.yesNoAnswers = {false};
    SqlQuery untouched;
    untouched.setSql("SELECT 1");
    EXPECT_EQ(s.OpenTableQuery(untouched, "users"), 0);
    EXPECT_FALSE(untouched.active());
    EXPECT_EQ(untouched.connection(), nullptr);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Kan ikkje kople til 127.0.0.1:1"}));

    // While the program is ending nothing happens at all.
    foundation().settings().ProgramTerminating = true;
    EXPECT_EQ(s.OpenTableQuery(untouched, "users"), 0);
    EXPECT_EQ(ui.questions.size(), 1u);
}

}  // namespace
}  // namespace dravn
