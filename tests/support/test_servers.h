// The throwaway MariaDB servers of the test run (scripts/test-servers.sh) as connection options,
// and scratch databases that are dropped when a test ends.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "mysql/sql_connection.h"
#include "mysql/sql_text.h"

namespace dravn::test {

// Fails the test for every log line that holds one of the secrets.
inline void ExpectNoSecretLogged(const std::vector<std::string>& log,
                                 const std::vector<std::string>& secrets) {
    for (const std::string& line : log)
        for (const std::string& secret : secrets)
            if (!secret.empty()) {
                EXPECT_EQ(line.find(secret), std::string::npos) << "password logged: " << line;
            }
}

inline std::string EnvOrEmpty(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// True when the server variables are set; tests that need a server fail without them.
inline bool HaveTestServers() {
    return !EnvOrEmpty("DRAVN_TEST_ROOT_PASSWORD").empty();
}

#define DRAVN_REQUIRE_SERVERS()                                                                      \
    do {                                                                                             \
        if (!::dravn::test::HaveTestServers())                                                       \
            FAIL() << "DRAVN_TEST_* variables not set: run ./test, or source the servers' env file"; \
    } while (0)

inline std::string RootPassword() {
    return EnvOrEmpty("DRAVN_TEST_ROOT_PASSWORD");
}
// "host:port" of the company server (TLS available).
inline std::string CompanyServer() {
    return EnvOrEmpty("DRAVN_TEST_COMPANY_HOST") + ":" + EnvOrEmpty("DRAVN_TEST_COMPANY_PORT");
}
// "127.0.0.1:port" of the workstation server's TCP port (no TLS).
inline std::string WorkstationTcpServer() {
    return "127.0.0.1:" + EnvOrEmpty("DRAVN_TEST_WORKSTATION_PORT");
}
inline std::string TlsDir() {
    return EnvOrEmpty("DRAVN_TEST_TLS_DIR");
}

inline ConnectOptions CompanyRoot(const std::string& database = {}) {
    ConnectOptions o;
    o.server = CompanyServer();
    o.user = "root";
    o.password = RootPassword();
    o.database = database;
    return o;
}

// The workstation server as "localhost" through its socket (MYSQL_UNIX_PORT).
inline ConnectOptions WorkstationRoot(const std::string& database = {}) {
    ConnectOptions o;
    o.server = "localhost";
    o.user = "root";
    o.password = RootPassword();
    o.database = database;
    o.unixSocket = EnvOrEmpty("DRAVN_TEST_WORKSTATION_SOCKET");
    return o;
}

// A name no other test process uses: prefix + process id + counter.
inline std::string UniqueName(const std::string& prefix) {
    static std::atomic<int> counter{0};
    auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() % 100000;
    return prefix + "_" + std::to_string(::getpid()) + "_" + std::to_string(ticks) + "_" +
           std::to_string(counter++);
}

// A database created on a server for one test and dropped again at its end.
class ScratchDatabase {
  public:
    explicit ScratchDatabase(ConnectOptions server, const std::string& prefix = "dvt")
        : options_(std::move(server)), name_(UniqueName(prefix)) {
        options_.database.clear();
        admin_.open(options_);
        admin_.execute("CREATE DATABASE " + QuoteIdentifier(name_));
        admin_.selectDatabase(name_);
        options_.database = name_;
    }
    ~ScratchDatabase() {
        try {
            SqlConnection c;
            ConnectOptions o = options_;
            o.database.clear();
            c.open(o);
            c.execute("DROP DATABASE IF EXISTS " + QuoteIdentifier(name_));
        } catch (...) {
        }
    }
    const std::string& name() const { return name_; }
    // Options that connect as root with this database selected.
    const ConnectOptions& options() const { return options_; }
    // A root connection with this database selected.
    SqlConnection& admin() { return admin_; }

  private:
    ConnectOptions options_;
    std::string name_;
    SqlConnection admin_;
};

}  // namespace dravn::test
