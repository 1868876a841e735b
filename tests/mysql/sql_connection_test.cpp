// The client layer's connection against the real test servers: addresses, login failures,
// compression, encryption, catalogue reads, statements, scripts and streamed queries.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>

#include "mysql/sql_connection.h"
#include "mysql/sql_text.h"
#include "support/test_servers.h"

namespace dravn {
namespace {

using test::CompanyRoot;
using test::ScratchDatabase;
using test::TlsDir;

// A TCP port on which nothing listens (bound and released again).
unsigned UnusedPort() {
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(s);
    return ntohs(a.sin_port);
}

std::string StatusValue(SqlConnection& c, const std::string& name) {
    SqlResult r = c.queryAll("SHOW SESSION STATUS LIKE '" + name + "'");
    return r.rows.empty() ? "" : r.rows[0][1].value_or("");
}

TEST(SqlServerAddress, HostAndOptionalPort) {
    struct Case {
        const char* text;
        const char* host;
        unsigned port;
    } cases[] = {
        {"localhost", "localhost", 3306},
        {"db.firma.no:3307", "db.firma.no", 3307},
        {"10.0.0.5:33060", "10.0.0.5", 33060},
        {"server:", "server:", 3306},            // no digits: not a port
        {"server:99999", "server:99999", 3306},  // out of range: not a port
        {"[::1]:3310", "::1", 3310},
        {"fe80::1", "fe80::1", 3306},  // bare IPv6 address
        {"", "", 3306},
    };
    for (const Case& c : cases) {
        ServerAddress a = ParseServerAddress(c.text);
        EXPECT_EQ(a.host, c.host) << c.text;
        EXPECT_EQ(a.port, c.port) << c.text;
    }
}

TEST(SqlConnection, OpensReadsCatalogueAndCloses) {
    DRAVN_REQUIRE_SERVERS();
    ScratchDatabase db(CompanyRoot());
    db.admin().executeScript(
        "CREATE TABLE zeta (id INT PRIMARY KEY, Name VARCHAR(20), updated DATETIME);"
        "CREATE TABLE alpha (id INT);"
        "CREATE VIEW mid_view AS SELECT id FROM alpha;");

    SqlConnection c;
    EXPECT_FALSE(c.isOpen());
    c.open(db.options());
    EXPECT_TRUE(c.isOpen());
    EXPECT_FALSE(c.serverVersion().empty());
    EXPECT_EQ(c.currentDatabase(), db.name());
    EXPECT_EQ(c.tableNames(), (std::vector<std::string>{"alpha", "mid_view", "zeta"}));
    EXPECT_EQ(c.fieldNames("zeta"), (std::vector<std::string>{"id", "Name", "updated"}));
    EXPECT_TRUE(c.fieldNames("no_such_table").empty());

    auto dbs = c.databases();
    EXPECT_NE(std::find(dbs.begin(), dbs.end(), db.name()), dbs.end());
    EXPECT_NE(std::find(dbs.begin(), dbs.end(), "mysql"), dbs.end());

    c.selectDatabase("mysql");
    EXPECT_EQ(c.currentDatabase(), "mysql");
    EXPECT_THROW(c.selectDatabase("no_such_database_here"), SqlError);

    c.close();
    EXPECT_FALSE(c.isOpen());
    EXPECT_THROW(c.execute("SELECT 1"), SqlError);
}

TEST(SqlConnection, WithoutDatabaseHasNoTablesOrFields) {
    DRAVN_REQUIRE_SERVERS();
    SqlConnection c;
    c.open(CompanyRoot());
    EXPECT_EQ(c.currentDatabase(), "");
    EXPECT_TRUE(c.tableNames().empty());
    EXPECT_TRUE(c.fieldNames("users").empty());
}

TEST(SqlConnection, LoginFailuresRaiseWithoutThePassword) {
    DRAVN_REQUIRE_SERVERS();
    SqlConnection c;
    ConnectOptions wrong = CompanyRoot();
    wrong.password = "Feil-Passord-123";
    try {
        c.open(wrong);
        FAIL() << "wrong password accepted";
    } catch (const SqlError& e) {
        EXPECT_EQ(e.number(), sqlerr::AccessDenied);
        EXPECT_EQ(e.sqlState(), "28000");
        EXPECT_EQ(std::string(e.what()).find("Feil-Passord-123"), std::string::npos);
    }
    EXPECT_FALSE(c.isOpen());

    ConnectOptions nobody = CompanyRoot();
    nobody.server = "127.0.0.1:" + std::to_string(UnusedPort());
    try {
        c.open(nobody);
        FAIL() << "connected to a port where nothing listens";
    } catch (const SqlError& e) {
        EXPECT_TRUE(e.number() == sqlerr::CannotConnect || e.number() == sqlerr::ConnectionHost)
            << e.number();
    }
    EXPECT_FALSE(c.isOpen());
}

TEST(SqlConnection, LocalhostGoesThroughTheSocket) {
    DRAVN_REQUIRE_SERVERS();
    SqlConnection c;
    c.open(test::WorkstationRoot());
    // The workstation server is a different server from the company server.
    SqlConnection company;
    company.open(CompanyRoot());
    EXPECT_NE(c.queryValue("SELECT @@port"), company.queryValue("SELECT @@port"));
    EXPECT_EQ(c.queryValue("SELECT @@port"), test::EnvOrEmpty("DRAVN_TEST_WORKSTATION_PORT"));
}

TEST(SqlConnection, CompressionOnAndOff) {
    DRAVN_REQUIRE_SERVERS();
    for (bool compress : {true, false}) {
        ConnectOptions o = CompanyRoot();
        o.compress = compress;
        SqlConnection c;
        c.open(o);
        EXPECT_EQ(StatusValue(c, "Compression"), compress ? "ON" : "OFF");
        EXPECT_EQ(c.queryValue("SELECT REPEAT('x', 100000)")->size(), 100000u);
    }
}

TEST(SqlConnection, TlsWithClientCertificate) {
    DRAVN_REQUIRE_SERVERS();
    ConnectOptions o = CompanyRoot();
    o.tlsCert = TlsDir() + "/client-cert.pem";
    o.tlsKey = TlsDir() + "/client-key.pem";
    SqlConnection c;
    c.open(o);
    EXPECT_TRUE(c.usesTls());
    EXPECT_FALSE(StatusValue(c, "Ssl_cipher").empty());

    // With the CA the server's certificate is verified as well.
    o.tlsCa = TlsDir() + "/ca.pem";
    c.open(o);
    EXPECT_TRUE(c.usesTls());

    // Without any TLS option the connection is plain.
    SqlConnection plain;
    plain.open(CompanyRoot());
    EXPECT_FALSE(plain.usesTls());
}

TEST(SqlConnection, TlsIsNeverDroppedSilently) {
    DRAVN_REQUIRE_SERVERS();
    ConnectOptions tls;
    tls.user = "root";
    tls.password = test::RootPassword();
    tls.tlsCert = TlsDir() + "/client-cert.pem";
    tls.tlsKey = TlsDir() + "/client-key.pem";

    // The workstation server has no TLS: over TCP and over its socket the connection must fail.
    for (const ConnectOptions& o : {[&] {
                                        ConnectOptions t = tls;
                                        t.server = test::WorkstationTcpServer();
                                        return t;
                                    }(),
                                    [&] {
                                        ConnectOptions t = tls;
                                        t.server = "localhost";
                                        t.unixSocket = test::EnvOrEmpty("DRAVN_TEST_WORKSTATION_SOCKET");
                                        return t;
                                    }()}) {
        SqlConnection c;
        EXPECT_THROW(c.open(o), SqlError) << o.server;
        EXPECT_FALSE(c.isOpen());
    }

    // A certificate file that does not exist is an error, not a connection without certificate.
    ConnectOptions missing = tls;
    missing.server = test::CompanyServer();
    missing.tlsCert = TlsDir() + "/no-such-cert.pem";
    SqlConnection c;
    EXPECT_THROW(c.open(missing), SqlError);

    // A CA that did not sign the server's certificate fails the verification.
    ConnectOptions wrongCa = tls;
    wrongCa.server = test::CompanyServer();
    wrongCa.tlsCa = TlsDir() + "/client-cert.pem";
    EXPECT_THROW(c.open(wrongCa), SqlError);
}

TEST(SqlConnection, StatementsAndScripts) {
    DRAVN_REQUIRE_SERVERS();
    ScratchDatabase db(CompanyRoot());
    SqlConnection& c = db.admin();
    c.execute("CREATE TABLE t (id INT AUTO_INCREMENT PRIMARY KEY, v VARCHAR(10))");
    EXPECT_EQ(c.execute("INSERT INTO t (v) VALUES ('a'),('b')"), 2u);
    EXPECT_EQ(c.lastInsertId(), 1u);
    // A statement that returns rows may be executed too; its rows are discarded.
    EXPECT_EQ(c.execute("SELECT * FROM t"), 0u);

    // A script stops at its first error and raises it; what ran before stays done.
    try {
        c.executeScript(
            "INSERT INTO t (v) VALUES ('c'); INSERT INTO nowhere VALUES (1); INSERT INTO t (v) VALUES ('d')");
        FAIL() << "script error not raised";
    } catch (const SqlError& e) {
        EXPECT_EQ(e.number(), sqlerr::NoSuchTable);
        EXPECT_EQ(e.sqlState(), "42S02");
    }
    EXPECT_EQ(c.queryValue("SELECT GROUP_CONCAT(v ORDER BY id) FROM t"), "a,b,c");

    // Multi-statement mode is off again: a second statement after ";" is a syntax error.
    try {
        c.execute("INSERT INTO t (v) VALUES ('e'); DELETE FROM t");
        FAIL() << "two statements ran as one command outside a script";
    } catch (const SqlError& e) {
        EXPECT_EQ(e.number(), sqlerr::ParseError);
    }
    EXPECT_EQ(c.queryValue("SELECT COUNT(*) FROM t"), "3");

    // Statements the server cannot prepare go through the text protocol and still return their rows.
    EXPECT_TRUE(c.queryAll("PREPARE dvt_s FROM 'SELECT 42 AS answer, NULL, '''' UNION SELECT 43, 1, 2'")
                    .rows.empty());
    for (Fetch fetch : {Fetch::Buffered, Fetch::Streamed}) {
        SqlCursor r = c.query("EXECUTE dvt_s", fetch);
        EXPECT_EQ(r.columnIndex("answer"), 0);
        ASSERT_TRUE(r.next());
        EXPECT_EQ(r.row(), (SqlRow{"42", std::nullopt, ""}));
        ASSERT_TRUE(r.next());
        EXPECT_EQ(r.row(), (SqlRow{"43", "1", "2"}));
        EXPECT_FALSE(r.next());
    }
}

// Peak resident memory of the process in KiB.
long PeakRssKiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

TEST(SqlConnection, StreamedQueryKeepsMemoryFlatAndBusiesTheConnection) {
    DRAVN_REQUIRE_SERVERS();
    SqlConnection c;
    c.open(CompanyRoot());
    // 400 rows of 1 MB each pass through the cursor (seq_ tables are generated by the server).
    long before = PeakRssKiB();
    SqlCursor rows =
        c.query("SELECT seq, REPEAT(CHAR(65 + seq % 26), 1000000) FROM mysql.seq_1_to_400", Fetch::Streamed);
    std::uint64_t n = 0;
    while (rows.next()) {
        ++n;
        ASSERT_EQ(rows.row()[1]->size(), 1000000u);
        ASSERT_EQ((*rows.row()[1])[0], static_cast<char>('A' + n % 26));
        if (n == 1) {
            // While a streamed result is being read the connection serves nothing else.
            EXPECT_THROW(c.execute("SELECT 1"), SqlError);
        }
    }
    EXPECT_EQ(n, 400u);
    EXPECT_EQ(rows.rowCount(), 400u);
    EXPECT_LT(PeakRssKiB() - before, 64 * 1024) << "400 MB streamed should not stay in memory";
    // Read to its end, the cursor has freed the connection.
    EXPECT_EQ(c.queryValue("SELECT 1"), "1");

    // A cursor closed half-way also frees it.
    SqlCursor half = c.query("SELECT seq FROM mysql.seq_1_to_1000", Fetch::Streamed);
    ASSERT_TRUE(half.next());
    half.close();
    EXPECT_EQ(c.queryValue("SELECT 2"), "2");
}

TEST(SqlText, IdentifiersAndEscaping) {
    struct Case {
        const char* name;
        bool plain;
    } cases[] = {
        {"firma_2024", true},
        {"Dravn$", true},
        {"123", false},
        {"", false},
        {"a b", false},
        {"x;DROP TABLE y", false},
        {"ærlig", false},
        {"a`b", false},
        {"abcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcd", true},
        {"abcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcde", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsPlainIdentifier(c.name), c.plain) << c.name;
    EXPECT_EQ(QuoteIdentifier("users"), "`users`");
    EXPECT_EQ(QuoteIdentifier("a`b"), "`a``b`");

    struct Hidden {
        const char* sql;
        const char* logged;
    } statements[] = {
        {"CREATE USER 'kari'@'%' IDENTIFIED BY 'hemmeleg'", "CREATE USER 'kari'@'%' IDENTIFIED BY '***'"},
        {"GRANT ALL ON firma.* TO kari@'%' identified by 'It''s \\'x\\''; FLUSH PRIVILEGES",
         "GRANT ALL ON firma.* TO kari@'%' identified by '***'; FLUSH PRIVILEGES"},
        {"CREATE USER x IDENTIFIED BY PASSWORD '*94BDCEBE19083CE2A1F959FD02F964C7AF4CFC29'",
         "CREATE USER x IDENTIFIED BY PASSWORD '***'"},
        {"SET PASSWORD FOR 'kari'@'%' = PASSWORD(\"abc\")", "SET PASSWORD FOR 'kari'@'%' = PASSWORD('***')"},
        {"SET PASSWORD = '*94BD'", "SET PASSWORD = '***'"},
        {"ALTER USER kari IDENTIFIED VIA ed25519 USING PASSWORD('abc')",
         "ALTER USER kari IDENTIFIED VIA ed25519 USING PASSWORD('***')"},
        {"CREATE USER y IDENTIFIED WITH mysql_native_password AS '*94BD'",
         "CREATE USER y IDENTIFIED WITH mysql_native_password AS '***'"},
        // A malformed statement hides its password as well; the next statement is its own.
        {"ALTER USER a IDENTIFIED BY BY 'geheim' REQUIRE SSL; SELECT 'ope'",
         "ALTER USER a IDENTIFIED BY BY '***' REQUIRE SSL; SELECT 'ope'"},
        {"SET PASSWORD FOR a = 'x'; SELECT 'y' = 'y'", "SET PASSWORD FOR a = '***'; SELECT 'y' = 'y'"},
        // Texts that only look like the keywords are left alone.
        {"UPDATE users SET realname='IDENTIFIED BY', note='x' WHERE id=1",
         "UPDATE users SET realname='IDENTIFIED BY', note='x' WHERE id=1"},
        {"SELECT a AS 'b' FROM t", "SELECT a AS 'b' FROM t"},
    };
    for (const Hidden& h : statements)
        EXPECT_EQ(HidePasswords(h.sql), h.logged) << h.sql;
    EXPECT_EQ(PasswordLiterals("CREATE USER a IDENTIFIED BY 'O\\'Neill'"),
              (std::vector<std::string>{"O\\'Neill"}));
    EXPECT_EQ(HideSecrets("near 'IDENTIFIED BY 'abc'' and abc again", {"abc", ""}),
              "near 'IDENTIFIED BY '***'' and *** again");

    DRAVN_REQUIRE_SERVERS();
    SqlConnection c;
    c.open(CompanyRoot());
    // A quoted text comes back exactly as given, whatever it holds.
    for (std::string text :
         {std::string("O'Brien"), std::string("back\\slash\\"), std::string("' OR '1'='1"),
          std::string("nul\0byte", 8), std::string("æøå €"), std::string("\"dobbel\"\n\r\x1a")}) {
        EXPECT_EQ(c.queryValue("SELECT " + c.quote(text)), text);
    }
}

}  // namespace
}  // namespace dravn
