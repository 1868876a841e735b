// The table state of the current database: which tables it holds, which of them belong to the
// company schema, and how it stores document contents. Recomputed after choosing a database and
// after every change of the table structure; the main window shows the lists it holds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dravn {

class SqlConnection;

// A name and whether its list item is checked.
struct CheckedName {
    std::string name;
    bool checked = false;
    bool operator==(const CheckedName&) const = default;
};

struct TableState {
    // Column names of the table `document` (empty when there is none): the browser's FieldList.
    std::vector<std::string> FieldList;
    // `document` has no column `document_data`: the contents live in `document_blob`.
    bool DocumentsInBlobTable = false;
    // The database has the table `document_blob_1`: the contents are split over numbered tables.
    bool DocumentBlobsSplit = false;
    // The schema's tables, checked when the database holds a table of that name.
    std::vector<CheckedName> DravnTables;
    // Tables and views of the database in the server's order without the backup copies, checked
    // when the name is a schema table or contains "document_blob_".
    std::vector<CheckedName> ServerTables;
    // All tables and views of the database, backup copies included (nothing checked).
    std::vector<std::string> BackupTables;
    // The same names for the table browser's table choice.
    std::vector<std::string> TableCombo;
};

// Reads the table state of the connection's current database. dravnTables are the schema's
// table names in list order.
TableState RefreshTableState(SqlConnection& db, const std::vector<std::string>& dravnTables);

// The same computed from what the server reported: the columns of `document` and the tables and
// views of the database in the server's order.
TableState ComputeTableState(std::vector<std::string> documentFields, const std::vector<std::string>& tables,
                             const std::vector<std::string>& dravnTables);

// Letter case is ignored when a list is searched for a name, as list boxes do.
bool ListContains(const std::vector<std::string>& list, std::string_view name);
bool ListContains(const std::vector<CheckedName>& list, std::string_view name);

// The server databases hidden from the list unless system databases are shown.
bool IsSystemDatabase(std::string_view name);
// The database list as the database choice shows it: the server's names, without the system
// databases unless showSystemDatabases is set.
std::vector<std::string> FilterDatabaseList(std::vector<std::string> databases, bool showSystemDatabases);
// True when the listed databases hold the name (letter case ignored).
bool DatabaseListed(const std::vector<std::string>& listed, std::string_view name);

}  // namespace dravn
