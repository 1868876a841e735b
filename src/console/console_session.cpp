#include "console/console_session.h"

#include "console/database_admin.h"
#include "console/table_upgrade.h"
#include "session/session.h"

namespace dravn {

RunSqlFn SessionRunSQL(Session& session) {
    return [&session](const std::string& statement) { return session.RunSQL(statement); };
}

TableState RefreshTableState(Session& session, const std::vector<std::string>& dravnTables) {
    TableState state = RefreshTableState(session.DatabaseConnection, dravnTables);
    session.DocumentsInBlobTable = state.DocumentsInBlobTable;
    session.DocumentBlobsSplit = state.DocumentBlobsSplit;
    return state;
}

std::vector<std::string> LoadDatabaseList(Session& session, bool showSystemDatabases) {
    return FilterDatabaseList(session.DatabaseConnection.databases(), showSystemDatabases);
}

bool CreateCompanyDatabase(Session& session, const SchemaScript& script, UserInteraction& ui,
                           const std::string& name, const std::function<void()>& refreshTableState) {
    return CreateCompanyDatabase(session.DatabaseConnection, script, SessionRunSQL(session), ui, name,
                                 refreshTableState);
}

bool DropCompanyDatabase(Session& session, UserInteraction& ui, const std::string& name,
                         const std::function<void()>& loadDatabaseList) {
    return DropCompanyDatabase(session.DatabaseConnection, ui, name, loadDatabaseList);
}

bool CreateTableFromScript(Session& session, const SchemaScript& script, const std::string& table) {
    return CreateTableFromScript(script, SessionRunSQL(session), table);
}

std::vector<std::string> AddMissingColumns(Session& session, const SchemaScript& script,
                                           const std::string& table) {
    return AddMissingColumns(session.DatabaseConnection, script, SessionRunSQL(session), table);
}

std::vector<std::string> UpgradeTables(Session& session, const SchemaScript& script, UserInteraction& ui,
                                       const std::vector<std::string>& dravnTables,
                                       const std::vector<std::string>& serverTables,
                                       const std::function<void()>& refreshTableState) {
    return UpgradeTables(session.DatabaseConnection, script, SessionRunSQL(session), ui, dravnTables,
                         serverTables, refreshTableState);
}

}  // namespace dravn
