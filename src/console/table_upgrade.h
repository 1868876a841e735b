// Bringing a database up to the company schema: creating missing tables from their statements
// in the script and adding missing columns at their place in the column order. Nothing is ever
// removed, and existing columns are never changed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "console/sql_runner.h"

namespace dravn {

class SqlConnection;
class SchemaScript;
class UserInteraction;

// Runs the table's statement cut from the script (see SchemaScript::tableStatement) through
// RunSQL. Returns false, running nothing, when the script has no statement for the table.
bool CreateTableFromScript(const SchemaScript& script, const RunSqlFn& RunSQL, const std::string& table);

// Adds every column of the table's script statement that the table lacks (names compared without
// regard to letter case), each with "ALTER TABLE " + table + " ADD COLUMN " + column line +
// " AFTER " + the column before it in the script, in script order. The table name must match the
// script exactly. Returns the table's column names as the server reports them afterwards.
std::vector<std::string> AddMissingColumns(SqlConnection& db, const SchemaScript& script,
                                           const RunSqlFn& RunSQL, const std::string& table);

// The full upgrade: first every table of dravnTables that serverTables lacks (letter case
// ignored) is created from the script; then refreshTableState() runs; then every table of
// dravnTables gets its missing columns. The wait cursor is on throughout; the progress goes from
// 0 to 2 × dravnTables, one step per table and pass, and is hidden at the end. A statement the
// server refuses ends the upgrade there (SqlError); what was done before stays, and the cursor
// and the progress display are restored all the same.
// Returns the column names of the last table handled (what the field list shows afterwards).
std::vector<std::string> UpgradeTables(SqlConnection& db, const SchemaScript& script, const RunSqlFn& RunSQL,
                                       UserInteraction& ui, const std::vector<std::string>& dravnTables,
                                       const std::vector<std::string>& serverTables,
                                       const std::function<void()>& refreshTableState);

}  // namespace dravn
