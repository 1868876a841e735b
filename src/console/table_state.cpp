#include "console/table_state.h"

#include <algorithm>

#include "foundation/text_date.h"
#include "mysql/sql_connection.h"

namespace dravn {

namespace {

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

bool ListContains(const std::vector<std::string>& list, std::string_view name) {
    return ListContainsIgnoringCase(list, name);
}

bool ListContains(const std::vector<CheckedName>& list, std::string_view name) {
    return std::any_of(list.begin(), list.end(),
                       [&](const CheckedName& item) { return SameTextIgnoringCase(item.name, name); });
}

TableState ComputeTableState(std::vector<std::string> documentFields, const std::vector<std::string>& tables,
                             const std::vector<std::string>& dravnTables) {
    TableState state;
    state.FieldList = std::move(documentFields);
    state.DocumentsInBlobTable = !ListContains(state.FieldList, "document_data");
    state.DocumentBlobsSplit = ListContains(tables, "document_blob_1");
    state.TableCombo = tables;
    for (const std::string& name : dravnTables)
        state.DravnTables.push_back({name, ListContains(tables, name)});
    for (const std::string& name : tables) {
        if (Contains(name, "_backup_dv6_"))
            continue;
        state.ServerTables.push_back(
            {name, ListContains(dravnTables, name) || Contains(name, "document_blob_")});
    }
    state.BackupTables = tables;
    return state;
}

TableState RefreshTableState(SqlConnection& db, const std::vector<std::string>& dravnTables) {
    std::vector<std::string> fields = db.fieldNames("document");
    return ComputeTableState(std::move(fields), db.tableNames(), dravnTables);
}

bool IsSystemDatabase(std::string_view name) {
    return name == "mysql" || name == "information_schema" || name == "performance_schema" || name == "sys";
}

std::vector<std::string> FilterDatabaseList(std::vector<std::string> databases, bool showSystemDatabases) {
    if (!showSystemDatabases)
        std::erase_if(databases, [](const std::string& name) { return IsSystemDatabase(name); });
    return databases;
}

bool DatabaseListed(const std::vector<std::string>& listed, std::string_view name) {
    return ListContains(listed, name);
}

}  // namespace dravn
