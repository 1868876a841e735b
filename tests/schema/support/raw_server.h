// A bare client-library connection to the company test server, for checking what the schema
// script creates before the program's own connection layer is used.
#pragma once

#include <mysql.h>

#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace dravn::test {

using Row = std::vector<std::optional<std::string>>;

class RawServer {
  public:
    // Connects as root to the company test server; false from available() when the
    // DRAVN_TEST_* variables are not set.
    RawServer() {
        const char* host = std::getenv("DRAVN_TEST_COMPANY_HOST");
        const char* port = std::getenv("DRAVN_TEST_COMPANY_PORT");
        const char* password = std::getenv("DRAVN_TEST_ROOT_PASSWORD");
        if (!host || !port || !password)
            return;
        mysql_ = mysql_init(nullptr);
        if (!mysql_real_connect(mysql_, host, "root", password, nullptr, std::atoi(port), nullptr, 0))
            throw std::runtime_error(std::string("connect: ") + mysql_error(mysql_));
    }
    ~RawServer() {
        if (mysql_)
            mysql_close(mysql_);
    }
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    bool available() const { return mysql_ != nullptr; }

    // Runs one statement, or several separated by ";" when multi is true; throws with the
    // server's text on the first failure.
    void execute(const std::string& sql, bool multi = false) {
        if (multi)
            mysql_set_server_option(mysql_, MYSQL_OPTION_MULTI_STATEMENTS_ON);
        int rc = mysql_real_query(mysql_, sql.data(), sql.size());
        while (rc == 0) {
            if (MYSQL_RES* res = mysql_store_result(mysql_))
                mysql_free_result(res);
            rc = mysql_next_result(mysql_);
        }
        if (multi)
            mysql_set_server_option(mysql_, MYSQL_OPTION_MULTI_STATEMENTS_OFF);
        if (rc > 0)
            throw std::runtime_error(mysql_error(mysql_));
    }

    std::vector<Row> rows(const std::string& sql) {
        if (mysql_real_query(mysql_, sql.data(), sql.size()) != 0)
            throw std::runtime_error(mysql_error(mysql_));
        MYSQL_RES* res = mysql_store_result(mysql_);
        std::vector<Row> out;
        if (!res)
            return out;
        unsigned n = mysql_num_fields(res);
        while (MYSQL_ROW r = mysql_fetch_row(res)) {
            unsigned long* lengths = mysql_fetch_lengths(res);
            Row row;
            for (unsigned i = 0; i < n; ++i)
                row.push_back(r[i] ? std::optional<std::string>(std::string(r[i], lengths[i]))
                                   : std::nullopt);
            out.push_back(std::move(row));
        }
        mysql_free_result(res);
        return out;
    }

  private:
    MYSQL* mysql_ = nullptr;
};

}  // namespace dravn::test
