#include "console/table_upgrade.h"

#include "console/table_state.h"
#include "foundation/text_date.h"
#include "foundation/user_interaction.h"
#include "mysql/sql_connection.h"
#include "schema/catalogue.h"

namespace dravn {

bool CreateTableFromScript(const SchemaScript& script, const RunSqlFn& RunSQL, const std::string& table) {
    std::string statement = script.tableStatement(TrimBlanks(table));
    if (statement.empty())
        return false;
    RunSQL(statement);
    return true;
}

std::vector<std::string> AddMissingColumns(SqlConnection& db, const SchemaScript& script,
                                           const RunSqlFn& RunSQL, const std::string& table) {
    std::vector<std::string> fields = db.fieldNames(table);
    std::string previous = "id";
    for (const ColumnLine& column : script.columnLines(table)) {
        if (!ListContains(fields, column.name))
            RunSQL("ALTER TABLE " + table + " ADD COLUMN " + column.definition + " AFTER " + previous);
        previous = column.name;
    }
    return db.fieldNames(table);
}

namespace {

// Hides the progress display when the upgrade ends, also when it ends with an error.
class ProgressScope {
  public:
    ProgressScope(UserInteraction& ui, int maximum) : ui_(ui), maximum_(maximum) {
        ui_.showProgress(0, maximum_);
    }
    ~ProgressScope() { ui_.showProgress(0, 0); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
    void step() { ui_.showProgress(++position_, maximum_); }

  private:
    UserInteraction& ui_;
    int maximum_;
    int position_ = 0;
};

}  // namespace

std::vector<std::string> UpgradeTables(SqlConnection& db, const SchemaScript& script, const RunSqlFn& RunSQL,
                                       UserInteraction& ui, const std::vector<std::string>& dravnTables,
                                       const std::vector<std::string>& serverTables,
                                       const std::function<void()>& refreshTableState) {
    WaitCursor wait(ui);
    ProgressScope progress(ui, 2 * static_cast<int>(dravnTables.size()));
    for (const std::string& table : dravnTables) {
        if (!ListContains(serverTables, table))
            CreateTableFromScript(script, RunSQL, table);
        progress.step();
    }
    refreshTableState();
    std::vector<std::string> fields;
    for (const std::string& table : dravnTables) {
        fields = AddMissingColumns(db, script, RunSQL, table);
        progress.step();
    }
    return fields;
}

}  // namespace dravn
