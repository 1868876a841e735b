// Writing rows to a table with every value carried unchanged: single inserts, updates and deletes
// by `id`, and multi-row batches for bulk copies.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mysql/sql_connection.h"

namespace dravn {

class RowWriter {
  public:
    // Rows given to the writer hold one value per column of `columns`, in that order; the column
    // names and kinds (usually those of the cursor the rows were read from) decide the literals.
    RowWriter(SqlConnection& target, std::string table, std::vector<SqlColumn> columns);
    // Sends what is left of a batch; errors are not reported here, call flush() to see them.
    ~RowWriter();

    void insert(const SqlRow& row);
    // Sets every column except `id` to the row's values in the row with the row's `id`.
    void update(const SqlRow& row);
    // Sets only the named columns (by index into the columns) in the row with this `id`.
    void update(const SqlValue& id, const std::vector<size_t>& changedColumns, const SqlRow& row);
    void remove(const SqlValue& id);

    // Adds a row to the current multi-row INSERT (REPLACE when replace is on); the statement is
    // sent when the next row would make it longer than the batch limit.
    void append(const SqlRow& row);
    void flush();

    // Batches use REPLACE instead of INSERT (rows with an existing key are overwritten).
    void setReplace(bool replace) { replace_ = replace; }
    // Longest batch statement in bytes; 0 (the default) takes the server's max_allowed_packet less
    // a margin, at most 16 MiB.
    void setBatchLimit(std::size_t bytes) { batchLimit_ = bytes; }
    // Rows written by insert and by sent batches.
    std::uint64_t rowsWritten() const { return rowsWritten_; }

    const std::vector<SqlColumn>& columns() const { return columns_; }
    // Index of the `id` column, or -1.
    int idColumn() const { return idColumn_; }

  private:
    std::string valuesOf(const SqlRow& row) const;
    std::string idCondition(const SqlValue& id) const;
    std::size_t batchLimit();

    SqlConnection& target_;
    std::string table_;
    std::vector<SqlColumn> columns_;
    std::string columnList_;
    int idColumn_ = -1;
    bool replace_ = false;
    std::size_t batchLimit_ = 0;
    std::string batch_;
    std::uint64_t batchRows_ = 0;
    std::uint64_t rowsWritten_ = 0;
};

}  // namespace dravn
