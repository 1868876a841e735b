#include "console/database_admin.h"

#include "console/table_state.h"
#include "foundation/user_interaction.h"
#include "mysql/sql_connection.h"
#include "mysql/sql_text.h"
#include "schema/catalogue.h"

namespace dravn {

std::string InvalidDatabaseNameMessage(std::string_view name) {
    return "Ugyldig databasenamn: " + std::string(name) + ". Bruk berre bokstavar, siffer, _ og $.";
}

bool OfferDatabaseCreation(std::string_view text, const std::vector<std::string>& listedDatabases) {
    return !text.empty() && !DatabaseListed(listedDatabases, text);
}

bool CreateCompanyDatabase(SqlConnection& db, const SchemaScript& script, const RunSqlFn& RunSQL,
                           UserInteraction& ui, const std::string& name,
                           const std::function<void()>& refreshTableState) {
    if (!IsPlainIdentifier(name)) {
        ui.showMessage(InvalidDatabaseNameMessage(name));
        return false;
    }
    RunSQL("CREATE DATABASE " + name);
    db.selectDatabase(name);
    refreshTableState();
    db.executeScript(script.text());
    refreshTableState();
    RunSQL(kSeedGroupsRow);
    return true;
}

bool DropCompanyDatabase(SqlConnection& db, UserInteraction& ui, const std::string& name,
                         const std::function<void()>& loadDatabaseList) {
    if (!IsPlainIdentifier(name)) {
        ui.showMessage(InvalidDatabaseNameMessage(name));
        return false;
    }
    bool drop = ui.askYesNo("Vil du virkelig slette heile databasa " + name + "?", false);
    if (drop)
        db.execute("DROP DATABASE " + name);
    loadDatabaseList();
    return drop;
}

}  // namespace dravn
