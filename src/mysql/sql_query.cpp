#include "mysql/sql_query.h"

#include "mysql/row_writer.h"
#include "mysql/sql_text.h"

namespace dravn {

namespace {

[[noreturn]] void RaiseQuery(const std::string& text) {
    throw SqlError(0, "HY000", text);
}

}  // namespace

void SqlQuery::open() {
    if (!connection_)
        RaiseNotConnected();
    close();
    result_ = connection_->queryAll(sql_);
    active_ = true;
}

void SqlQuery::close() {
    result_ = SqlResult{};
    active_ = false;
}

const SqlValue& SqlQuery::value(std::size_t rowIndex, std::string_view column) const {
    int i = fieldIndex(column);
    if (i < 0)
        RaiseQuery("Finn ikkje kolonna " + std::string(column));
    return row(rowIndex)[i];
}

void SqlQuery::requireWritable() const {
    if (!active_)
        RaiseQuery("Spørjinga er ikkje open");
    if (readOnly_)
        RaiseQuery("Tabellen er opna berre for lesing");
}

// The one table all columns come from; edits need its `id` among the columns.
std::string SqlQuery::tableName() const {
    std::string table;
    for (const SqlColumn& c : result_.columns) {
        if (c.table.empty() || (!table.empty() && c.table != table) || c.orgName != c.name)
            RaiseQuery("Radene kan ikkje endrast: dei kjem ikkje frå kolonnane i éin tabell");
        table = c.table;
    }
    if (table.empty() || fieldIndex("id") < 0)
        RaiseQuery("Radene kan ikkje endrast: ingen kolonne id");
    return table;
}

void SqlQuery::updateRow(std::size_t index, const SqlRow& values) {
    requireWritable();
    RowWriter writer(*connection_, tableName(), result_.columns);
    SqlRow& kept = result_.rows.at(index);
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < values.size() && i < kept.size(); ++i) {
        if (values[i] != kept[i])
            changed.push_back(i);
    }
    writer.update(kept[writer.idColumn()], changed, values);
    kept = values;
}

void SqlQuery::appendRow(const SqlRow& values) {
    requireWritable();
    RowWriter writer(*connection_, tableName(), result_.columns);
    writer.insert(values);
    SqlRow kept = values;
    if (!kept[writer.idColumn()])
        kept[writer.idColumn()] = std::to_string(connection_->lastInsertId());
    result_.rows.push_back(std::move(kept));
}

void SqlQuery::deleteRow(std::size_t index) {
    requireWritable();
    RowWriter writer(*connection_, tableName(), result_.columns);
    writer.remove(result_.rows.at(index)[writer.idColumn()]);
    result_.rows.erase(result_.rows.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace dravn
