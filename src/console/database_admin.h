// Creating a company database from the schema script, and removing a database.
//
// The database name is typed by the administrator and goes into the statements unquoted, and the
// schema script runs with several statements per command; so a name is first checked to be a plain
// identifier, and anything else is refused before a statement is sent.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "console/sql_runner.h"

namespace dravn {

class SqlConnection;
class SchemaScript;
class UserInteraction;

// "Ugyldig databasenamn: " + name + ". Bruk berre bokstavar, siffer, _ og $."
std::string InvalidDatabaseNameMessage(std::string_view name);

// The create button is offered when the typed text is not empty and not a listed database
// (letter case ignored).
bool OfferDatabaseCreation(std::string_view text, const std::vector<std::string>& listedDatabases);

// The steps of creating a company database, in this order:
//  1. RunSQL("CREATE DATABASE " + name);
//  2. make it the connection's current database; refreshTableState();
//  3. the whole schema script as one command (several statements), not logged;
//  4. refreshTableState();
//  5. RunSQL with the seed row of `groups` (group 100, "Brukere").
// A name that is not a plain identifier (IsPlainIdentifier: A-Z, a-z, 0-9, "_", "$", not digits
// only) is refused with InvalidDatabaseNameMessage and nothing is sent; the result is then false. A server
// error ends the steps at the failing statement and reaches the caller as SqlError; what was created before
// stays.
bool CreateCompanyDatabase(SqlConnection& db, const SchemaScript& script, const RunSqlFn& RunSQL,
                           UserInteraction& ui, const std::string& name,
                           const std::function<void()>& refreshTableState);

// The seed row of every new database.
inline constexpr const char* kSeedGroupsRow =
    "INSERT INTO groups (group_id, group_name) VALUES (\"100\", \"Brukere\")";

// Removing a database: asks "Vil du virkelig slette heile databasa " + name + "?" (preset no)
// and on yes runs "DROP DATABASE " + name on the connection (not logged). Then, whatever the
// answer, loadDatabaseList(). A name that is not a plain identifier is refused with
// InvalidDatabaseNameMessage before the question; nothing is asked or sent and the list is kept.
// A failing DROP reaches the caller as SqlError and the list is not reloaded.
// Returns true when the database was dropped.
bool DropCompanyDatabase(SqlConnection& db, UserInteraction& ui, const std::string& name,
                         const std::function<void()>& loadDatabaseList);

}  // namespace dravn
