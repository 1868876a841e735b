// The console's table and database operations bound to the session: they run on the session's
// connection DatabaseConnection, and their logged statements go through the session's RunSQL.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "console/sql_runner.h"
#include "console/table_state.h"

namespace dravn {

class Session;
class SchemaScript;
class UserInteraction;

// The session's RunSQL as the operations take it.
RunSqlFn SessionRunSQL(Session& session);

// Reads the table state of the current database and sets the session's DocumentsInBlobTable and
// DocumentBlobsSplit from it.
TableState RefreshTableState(Session& session, const std::vector<std::string>& dravnTables);

// The databases of the session's server as the database choice lists them.
std::vector<std::string> LoadDatabaseList(Session& session, bool showSystemDatabases);

// The operations of database_admin.h and table_upgrade.h on the session.
bool CreateCompanyDatabase(Session& session, const SchemaScript& script, UserInteraction& ui,
                           const std::string& name, const std::function<void()>& refreshTableState);
bool DropCompanyDatabase(Session& session, UserInteraction& ui, const std::string& name,
                         const std::function<void()>& loadDatabaseList);
bool CreateTableFromScript(Session& session, const SchemaScript& script, const std::string& table);
std::vector<std::string> AddMissingColumns(Session& session, const SchemaScript& script,
                                           const std::string& table);
std::vector<std::string> UpgradeTables(Session& session, const SchemaScript& script, UserInteraction& ui,
                                       const std::vector<std::string>& dravnTables,
                                       const std::vector<std::string>& serverTables,
                                       const std::function<void()>& refreshTableState);

}  // namespace dravn
