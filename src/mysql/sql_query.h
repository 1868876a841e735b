// A query whose rows are kept for display and editing: an SQL text run on a connection, opened
// read-only or writable. Edits write to the table the rows come from, by its `id` column.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "mysql/sql_connection.h"

namespace dravn {

class SqlQuery {
  public:
    SqlQuery() = default;
    explicit SqlQuery(SqlConnection* connection, std::string sql = {})
        : connection_(connection), sql_(std::move(sql)) {}

    SqlConnection* connection() const { return connection_; }
    void setConnection(SqlConnection* connection) { connection_ = connection; }
    const std::string& sql() const { return sql_; }
    void setSql(std::string sql) { sql_ = std::move(sql); }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // Runs the SQL text and keeps its rows; raises SqlError (the query stays closed).
    void open();
    void close();
    bool active() const { return active_; }

    const std::vector<SqlColumn>& columns() const { return result_.columns; }
    std::size_t recordCount() const { return result_.rows.size(); }
    const SqlRow& row(std::size_t index) const { return result_.rows.at(index); }
    // Index of a column by name (without regard to case), or -1.
    int fieldIndex(std::string_view name) const { return result_.columnIndex(name); }
    // Value of a named column in a row; raises SqlError for an unknown column.
    const SqlValue& value(std::size_t rowIndex, std::string_view column) const;

    // Edits: write to the table, then change the kept rows. Raise SqlError when the query is
    // read-only, not open, or its rows do not come from one table with an `id` column.
    // Writes the columns whose values differ from the kept row.
    void updateRow(std::size_t index, const SqlRow& values);
    // Inserts a row (NULL `id` lets the server number it) and keeps it at the end.
    void appendRow(const SqlRow& values);
    void deleteRow(std::size_t index);

  private:
    void requireWritable() const;
    std::string tableName() const;

    SqlConnection* connection_ = nullptr;
    std::string sql_;
    bool readOnly_ = false;
    bool active_ = false;
    SqlResult result_;
};

}  // namespace dravn
