// Shared pieces of the console tests: a RunSQL that records each statement before running it on
// the connection, as the session's RunSQL logs it, and clean-up of databases a test creates.
#pragma once

#include <string>
#include <vector>

#include "console/sql_runner.h"
#include "mysql/sql_connection.h"
#include "mysql/sql_text.h"
#include "support/test_servers.h"

namespace dravn::test {

struct StatementLog {
    std::vector<std::string> statements;

    RunSqlFn runOn(SqlConnection& db) {
        return [this, &db](const std::string& statement) {
            statements.push_back(statement);
            db.execute(statement);
            return true;
        };
    }
};

// Drops the database, if it exists, when the test ends.
class DropAtEnd {
  public:
    explicit DropAtEnd(std::string name) : name_(std::move(name)) {}
    ~DropAtEnd() {
        try {
            SqlConnection c;
            c.open(CompanyRoot());
            c.execute("DROP DATABASE IF EXISTS " + QuoteIdentifier(name_));
        } catch (...) {
        }
    }
    DropAtEnd(const DropAtEnd&) = delete;
    DropAtEnd& operator=(const DropAtEnd&) = delete;

  private:
    std::string name_;
};

}  // namespace dravn::test
