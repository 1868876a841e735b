#include "mysql/row_writer.h"

#include <algorithm>
#include <cctype>

#include "mysql/sql_text.h"

namespace dravn {

namespace {

bool IsIdName(const std::string& name) {
    return name.size() == 2 && std::tolower(static_cast<unsigned char>(name[0])) == 'i' &&
           std::tolower(static_cast<unsigned char>(name[1])) == 'd';
}

[[noreturn]] void RaiseWriter(const std::string& text) {
    throw SqlError(0, "HY000", text);
}

}  // namespace

RowWriter::RowWriter(SqlConnection& target, std::string table, std::vector<SqlColumn> columns)
    : target_(target), table_(std::move(table)), columns_(std::move(columns)) {
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (i)
            columnList_ += ',';
        columnList_ += QuoteIdentifier(columns_[i].name);
        if (idColumn_ < 0 && IsIdName(columns_[i].name))
            idColumn_ = static_cast<int>(i);
    }
}

RowWriter::~RowWriter() {
    try {
        flush();
    } catch (...) {
    }
}

std::string RowWriter::valuesOf(const SqlRow& row) const {
    if (row.size() != columns_.size())
        RaiseWriter("Rada har " + std::to_string(row.size()) + " verdiar, tabellen " + table_ + " " +
                    std::to_string(columns_.size()) + " kolonnar");
    std::string out = "(";
    for (size_t i = 0; i < row.size(); ++i) {
        if (i)
            out += ',';
        out += SqlLiteral(target_, columns_[i], row[i]);
    }
    out += ')';
    return out;
}

std::string RowWriter::idCondition(const SqlValue& id) const {
    if (idColumn_ < 0)
        RaiseWriter("Tabellen " + table_ + " har ingen kolonne id");
    if (!id)
        RaiseWriter("Rada i " + table_ + " har ingen id");
    return " WHERE " + QuoteIdentifier(columns_[idColumn_].name) + "=" +
           SqlLiteral(target_, columns_[idColumn_], id);
}

void RowWriter::insert(const SqlRow& row) {
    target_.execute("INSERT INTO " + QuoteIdentifier(table_) + " (" + columnList_ + ") VALUES " +
                    valuesOf(row));
    ++rowsWritten_;
}

void RowWriter::update(const SqlRow& row) {
    if (idColumn_ < 0)
        RaiseWriter("Tabellen " + table_ + " har ingen kolonne id");
    std::vector<size_t> all;
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (static_cast<int>(i) != idColumn_)
            all.push_back(i);
    }
    update(row.at(idColumn_), all, row);
}

void RowWriter::update(const SqlValue& id, const std::vector<size_t>& changedColumns, const SqlRow& row) {
    if (row.size() != columns_.size())
        RaiseWriter("Rada har " + std::to_string(row.size()) + " verdiar, tabellen " + table_ + " " +
                    std::to_string(columns_.size()) + " kolonnar");
    std::string condition = idCondition(id);
    if (changedColumns.empty())
        return;
    std::string sql = "UPDATE " + QuoteIdentifier(table_) + " SET ";
    bool first = true;
    for (size_t i : changedColumns) {
        if (!first)
            sql += ',';
        first = false;
        sql += QuoteIdentifier(columns_.at(i).name) + "=" + SqlLiteral(target_, columns_[i], row[i]);
    }
    target_.execute(sql + condition);
}

void RowWriter::remove(const SqlValue& id) {
    target_.execute("DELETE FROM " + QuoteIdentifier(table_) + idCondition(id));
}

std::size_t RowWriter::batchLimit() {
    if (batchLimit_ == 0) {
        std::uint64_t packet = target_.maxAllowedPacket();
        std::uint64_t limit = packet > 8192 ? packet - 4096 : packet / 2;
        batchLimit_ = static_cast<std::size_t>(std::min<std::uint64_t>(limit, 16u << 20));
    }
    return batchLimit_;
}

void RowWriter::append(const SqlRow& row) {
    std::string values = valuesOf(row);
    std::size_t limit = batchLimit();
    if (!batch_.empty() && batch_.size() + 1 + values.size() > limit)
        flush();
    if (batch_.empty()) {
        batch_ = (replace_ ? "REPLACE INTO " : "INSERT INTO ") + QuoteIdentifier(table_) + " (" +
                 columnList_ + ") VALUES ";
    } else {
        batch_ += ',';
    }
    batch_ += values;
    ++batchRows_;
}

void RowWriter::flush() {
    if (batch_.empty())
        return;
    std::string sql;
    sql.swap(batch_);
    std::uint64_t rows = batchRows_;
    batchRows_ = 0;
    target_.execute(sql);
    rowsWritten_ += rows;
}

}  // namespace dravn
