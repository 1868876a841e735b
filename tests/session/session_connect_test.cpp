// The session's server connection against the real test servers: preparing, connecting and its
// failures, compression, encryption, the document-storage flags, disconnecting and shut-down.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/session_fixture.h"

namespace dravn {
namespace {

using test::ProgramTerminated;
using test::SessionTest;

const char* kQuitQuestion =
    "Tilkoplinga til valideringstenaren feila. Det er truleg ikkje nettverksforbindelse. Vil du avslutte "
    "programmet?";

std::string Status(SqlConnection& c, const std::string& name) {
    SqlResult r = c.queryAll("SHOW SESSION STATUS LIKE '" + name + "'");
    return r.rows.empty() ? "" : r.rows[0][1].value_or("");
}

TEST_F(SessionTest, PrepareReadsCompressionAndSslSettings) {
    struct Case {
        const char* doNotCompress;  // nullptr: key missing
        const char* useSsl;
        bool compress;
        bool ssl;
    } cases[] = {
        {nullptr, nullptr, true, false},
        {"0", "0", true, false},
        {"1", "1", false, true},
    };
    for (const Case& c : cases) {
        Foundation f(host, ui);
        f.Start();
        if (c.doNotCompress)
            f.settings().WriteIniString("DoNotCompressSQL", c.doNotCompress);
        if (c.useSsl)
            f.settings().WriteIniString("UseSSLConnection", c.useSsl);
        Session s(f);
        s.PrepareDatabaseConnection();
        EXPECT_EQ(s.ConnectionState, 0);
        EXPECT_EQ(s.CompressConnection(), c.compress);
        EXPECT_EQ(s.ConnectionSettings.UseSSLConnection, c.ssl);

        ConnectOptions o = s.ConnectionOptions();
        EXPECT_EQ(o.compress, c.compress);
        if (c.ssl) {
            std::string etc = f.folders().GetFolder("etc");
            EXPECT_TRUE(o.requireTls);
            EXPECT_EQ(o.tlsCert, etc + "brenmoto_cert.pem");
            EXPECT_EQ(o.tlsKey, etc + "brenmoto_key.pem");
            EXPECT_EQ(o.tlsCa, "");  // no CA file in the etc folder
        } else {
            // Without SSL no certificate, key or encryption is asked for.
            EXPECT_FALSE(o.requireTls);
            EXPECT_EQ(o.tlsCert, "");
            EXPECT_EQ(o.tlsKey, "");
        }
    }
    // The defaults connect as root to localhost on port 3306, with no password and no database.
    Session& s = session();
    ConnectOptions o = s.ConnectionOptions();
    EXPECT_EQ(o.server, "localhost");
    EXPECT_EQ(ParseServerAddress(o.server).port, 3306u);
    EXPECT_EQ(o.user, "root");
    EXPECT_EQ(o.password, "");
    EXPECT_EQ(o.database, "");
    EXPECT_TRUE(Logged("iConnect: Klargjer tilkopling til SQL-tenar"));
}

TEST_F(SessionTest, ConnectsListsTablesAndCompresses) {
    DRAVN_REQUIRE_SERVERS();
    test::ScratchDatabase db(test::CompanyRoot());
    db.admin().executeScript("CREATE TABLE zeta (id INT); CREATE TABLE alpha (id INT);");
    Session& s = session();
    UseCompanyDatabase(db.name());

    EXPECT_FALSE(s.iSQLCommand);
    ASSERT_TRUE(s.iConnect());
    EXPECT_EQ(s.ConnectionState, 1);
    ASSERT_TRUE(s.iSQLCommand);
    EXPECT_EQ(s.TableNameList, (std::vector<std::string>{"alpha", "zeta"}));
    EXPECT_EQ(s.DatabaseConnection.currentDatabase(), db.name());
    EXPECT_EQ(Status(s.DatabaseConnection, "Compression"), "ON");
    EXPECT_TRUE(Logged("iConnect: root@" + test::CompanyServer() + " DB: " + db.name()));
    EXPECT_TRUE(Logged("iConnect: Tilkopla"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.questions.empty());

    // Disconnecting twice: true, then false; logged once.
    EXPECT_TRUE(s.DisconnectDatabase());
    EXPECT_EQ(s.ConnectionState, 0);
    EXPECT_FALSE(s.DisconnectDatabase());
    EXPECT_EQ(LoggedCount("iConnect: Fråkopla"), 1);
    EXPECT_TRUE(s.iSQLCommand) << "the command stays between a disconnect and the next connect";

    // "DoNotCompressSQL" switches compression off at the next preparation.
    foundation().settings().WriteIniBool("DoNotCompressSQL", true);
    s.PrepareDatabaseConnection();
    ASSERT_TRUE(s.iConnect());
    EXPECT_EQ(Status(s.DatabaseConnection, "Compression"), "OFF");
}

TEST_F(SessionTest, FailedConnectAnsweredNoShowsTheServerAndLaterSucceeds) {
    DRAVN_REQUIRE_SERVERS();
    Session& s = session();
    UseCompanyDatabase("");
    s.ConnectionSettings.Password = "Galt-Passord-42";
    secrets.push_back("Galt-Passord-42");
    ui.yesNoAnswers = {false};

    EXPECT_FALSE(s.iConnect());
    EXPECT_EQ(s.ConnectionState, -1);
    EXPECT_FALSE(foundation().settings().ProgramTerminating);
    EXPECT_FALSE(s.iSQLCommand);
    // The quit question comes first, then the message with the server name.
    EXPECT_EQ(ui.questions, (std::vector<std::string>{kQuitQuestion}));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Kan ikkje kople til " + test::CompanyServer()}));

    s.ConnectionSettings.Password = test::RootPassword();
    EXPECT_TRUE(s.iConnect());
    EXPECT_EQ(s.ConnectionState, 1);
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(SessionTest, FailedConnectAnsweredYesEndsTheProgramWithCodeOne) {
    Session& s = session();
    // Nothing listens on port 1 of the loopback address.
    s.ConnectionSettings.Server = "127.0.0.1:1";
    ui.yesNoAnswers = {true};
    try {
        s.iConnect();
        FAIL() << "the program did not end";
    } catch (const ProgramTerminated& t) {
        EXPECT_EQ(t.exitCode, 1);
    }
    EXPECT_TRUE(foundation().settings().ProgramTerminating);
    EXPECT_TRUE(ui.messages.empty()) << "no second dialog when the program ends";

    // While the program is ending, iConnect does nothing at all.
    size_t lines = Log().size();
    EXPECT_FALSE(s.iConnect());
    EXPECT_EQ(Log().size(), lines);
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(s.ConnectionState, -1);
}

TEST_F(SessionTest, SslUsesTheCertificatesOfTheEtcFolderAndNeverFallsBackToPlainText) {
    DRAVN_REQUIRE_SERVERS();
    foundation().settings().WriteIniBool("UseSSLConnection", true);
    Session& s = session();
    ASSERT_TRUE(s.ConnectionSettings.UseSSLConnection);
    std::string etc = foundation().folders().GetFolder("etc");

    // Without the certificate files the connection fails.
    UseCompanyDatabase("");
    ui.yesNoAnswers = {false};
    EXPECT_FALSE(s.iConnect());

    namespace fs = std::filesystem;
    fs::copy_file(test::TlsDir() + "/client-cert.pem", etc + "brenmoto_cert.pem");
    fs::copy_file(test::TlsDir() + "/client-key.pem", etc + "brenmoto_key.pem");
    ASSERT_TRUE(s.iConnect());
    EXPECT_TRUE(s.DatabaseConnection.usesTls());
    EXPECT_FALSE(Status(s.DatabaseConnection, "Ssl_cipher").empty());
    s.DisconnectDatabase();

    // With the CA file present the server's certificate is verified too.
    fs::copy_file(test::TlsDir() + "/ca.pem", etc + "brenmoto_ca.pem");
    EXPECT_EQ(s.ConnectionOptions().tlsCa, etc + "brenmoto_ca.pem");
    ASSERT_TRUE(s.iConnect());
    EXPECT_TRUE(s.DatabaseConnection.usesTls());
    s.DisconnectDatabase();

    // The workstation server has no TLS: refused, over TCP and through its socket.
    for (std::string server : {test::WorkstationTcpServer(), std::string("localhost")}) {
        s.ConnectionSettings.Server = server;
        ui.yesNoAnswers = {false};
        ui.messages.clear();
        EXPECT_FALSE(s.iConnect()) << server;
        EXPECT_FALSE(s.DatabaseConnection.isOpen()) << server;
        EXPECT_EQ(ui.messages, (std::vector<std::string>{"Kan ikkje kople til " + server}));
    }
}

TEST_F(SessionTest, DocumentStorageFlags) {
    DRAVN_REQUIRE_SERVERS();
    struct Case {
        const char* tables;
        bool inBlobTable;
        bool split;
    } cases[] = {
        {"CREATE TABLE document (id INT, DOCUMENT_DATA LONGBLOB); CREATE TABLE document_blob_1 (id INT);",
         false, false},
        {"CREATE TABLE document (id INT, name TEXT); CREATE TABLE document_blob_1 (id INT);", true, true},
        {"CREATE TABLE document (id INT, name TEXT); CREATE TABLE document_blob (id INT);", true, false},
        // No table `document`: its field list is empty, so the contents count as kept elsewhere.
        {"CREATE TABLE other (id INT);", true, false},
    };
    Session& s = session();
    for (const Case& c : cases) {
        test::ScratchDatabase db(test::CompanyRoot());
        db.admin().executeScript(c.tables);
        UseCompanyDatabase(db.name());
        ASSERT_TRUE(s.iConnect());
        EXPECT_EQ(s.DocumentsInBlobTable, c.inBlobTable) << c.tables;
        EXPECT_EQ(s.DocumentBlobsSplit, c.split) << c.tables;
        EXPECT_TRUE(s.DetectDocumentStorage());
        s.DisconnectDatabase();
    }
}

TEST_F(SessionTest, ShutDownReleasesEverythingAndSurvivesAClosedConnection) {
    DRAVN_REQUIRE_SERVERS();
    Session& s = session();
    UseCompanyDatabase("");
    ASSERT_TRUE(s.iConnect());
    s.DisconnectDatabase();
    // The sign-off statement cannot run on the closed connection; the end goes on all the same.
    host.time = test::FakeHost::LocalTime(2024, 3, 5, 23, 0);
    EXPECT_NO_THROW(s.ShutDownDatabase());
    EXPECT_FALSE(s.iSQLCommand);
    EXPECT_FALSE(s.DatabaseConnection.isOpen());
    EXPECT_EQ(s.ConnectionState, 0);
    EXPECT_EQ(s.ConnectionSettings.Password, "");
    EXPECT_TRUE(Logged("RunSQL: UPDATE users SET checked=12 WHERE id=0"));
}

}  // namespace
}  // namespace dravn
