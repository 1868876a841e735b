// A session of its own for each test: a Foundation on a FakeHost whose folders lie in a fresh
// temporary folder, the log switched on ("--debug"), a scripted user, and company databases on
// the test servers. Every test checks at its end that no password reached the log.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "foundation/foundation.h"
#include "foundation/support/fake_host.h"
#include "schema/catalogue.h"
#include "session/session.h"
#include "support/scripted_interaction.h"
#include "support/test_servers.h"

namespace dravn::test {

class SessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = MakeTestHome(host, "session");
        ASSERT_FALSE(root.empty());
        if (!EnvOrEmpty("MYSQL_UNIX_PORT").empty())
            host.envVars["MYSQL_UNIX_PORT"] = EnvOrEmpty("MYSQL_UNIX_PORT");
        host.args = {"--debug"};
        secrets.push_back(RootPassword());
    }

    void TearDown() override {
        if (sessionPtr)
            ExpectNoSecretLogged(foundation().log().LogList(), secrets);
        sessionPtr.reset();
        foundationPtr.reset();
        for (const std::string& user : serverUsers)
            DropServerUser(user);
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }

    // Built on first use (after the test has set up the host): the foundation started, the
    // session prepared.
    Session& session() {
        if (!sessionPtr) {
            foundation();
            sessionPtr = std::make_unique<Session>(*foundationPtr);
            sessionPtr->PrepareDatabaseConnection();
        }
        return *sessionPtr;
    }
    Foundation& foundation() {
        if (!foundationPtr) {
            foundationPtr = std::make_unique<Foundation>(host, ui);
            foundationPtr->Start();
        }
        return *foundationPtr;
    }

    // Points ConnectionSettings at a database of the company server as root.
    void UseCompanyDatabase(const std::string& database) {
        tConnectionSettings& c = session().ConnectionSettings;
        c.Server = CompanyServer();
        c.User = "root";
        c.Password = RootPassword();
        c.Database = database;
    }

    // Log lines without their date and time.
    std::vector<std::string> Log() {
        std::vector<std::string> lines;
        for (const std::string& line : foundation().log().LogList()) {
            // "<date> <time> text": the text starts after the second space.
            size_t first = line.find(' ');
            size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
            lines.push_back(second == std::string::npos ? line : line.substr(second + 1));
        }
        return lines;
    }
    bool Logged(const std::string& text) {
        for (const std::string& line : Log()) {
            if (line == text)
                return true;
        }
        return false;
    }
    int LoggedCount(const std::string& text) {
        int n = 0;
        for (const std::string& line : Log())
            n += line == text;
        return n;
    }

    // Creates a server account (dropped at the end of the test) with all rights on the database.
    void CreateServerUser(SqlConnection& admin, const std::string& user, const std::string& password,
                          const std::string& database) {
        admin.execute("CREATE USER " + admin.quote(user) + "@'%' IDENTIFIED BY " + admin.quote(password));
        serverUsers.push_back(user);
        secrets.push_back(password);
        admin.execute("GRANT ALL ON " + QuoteIdentifier(database) + ".* TO " + admin.quote(user) + "@'%'");
    }

    // A company database with the schema's `users` table.
    std::unique_ptr<ScratchDatabase> CompanyDatabase() {
        auto db = std::make_unique<ScratchDatabase>(CompanyRoot(), "dvt_session");
        db->admin().execute(SchemaScript().tableStatement("users"));
        return db;
    }

    static void WriteFile(const std::string& path, const std::string& bytes) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    FakeHost host;
    ScriptedInteraction ui;
    std::string root;
    std::vector<std::string> secrets;      // must never appear in the log
    std::vector<std::string> serverUsers;  // accounts ('name'@'%') dropped at the end of the test

  private:
    static void DropServerUser(const std::string& user) {
        try {
            SqlConnection c;
            c.open(CompanyRoot());
            c.execute("DROP USER IF EXISTS " + c.quote(user) + "@'%'");
        } catch (...) {
        }
    }

    std::unique_ptr<Foundation> foundationPtr;
    std::unique_ptr<Session> sessionPtr;
};

}  // namespace dravn::test
