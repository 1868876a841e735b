#include "console/table_state.h"

#include <gtest/gtest.h>

#include "console_fixture.h"
#include "schema/catalogue.h"

namespace dravn {
namespace {

TEST(TableState, ListsAndFlagsFollowTheServerTables) {
    const std::vector<std::string> dravn = {"document", "document_blob", "groups", "users"};
    const std::vector<std::string> tables = {"users", "DOCUMENT", "document_blob_1",
                                             "users_backup_dv6_20240305", "varelager"};
    TableState s = ComputeTableState({"id", "Document_Data"}, tables, dravn);

    EXPECT_FALSE(s.DocumentsInBlobTable);  // the column is found without regard to case
    EXPECT_TRUE(s.DocumentBlobsSplit);
    EXPECT_EQ(s.DravnTables,
              (std::vector<CheckedName>{
                  {"document", true}, {"document_blob", false}, {"groups", false}, {"users", true}}));
    EXPECT_EQ(s.ServerTables,
              (std::vector<CheckedName>{
                  {"users", true}, {"DOCUMENT", true}, {"document_blob_1", true}, {"varelager", false}}));
    EXPECT_EQ(s.BackupTables, tables);
    EXPECT_EQ(s.TableCombo, tables);
    EXPECT_EQ(s.FieldList, (std::vector<std::string>{"id", "Document_Data"}));
}

TEST(TableState, EmptyDatabaseStoresDocumentsInBlobTables) {
    TableState s = ComputeTableState({}, {}, {"document"});
    EXPECT_TRUE(s.DocumentsInBlobTable);
    EXPECT_FALSE(s.DocumentBlobsSplit);
    EXPECT_EQ(s.DravnTables, (std::vector<CheckedName>{{"document", false}}));
    EXPECT_TRUE(s.ServerTables.empty());
}

TEST(DatabaseList, HidesSystemDatabasesUnlessAskedFor) {
    const std::vector<std::string> all = {"information_schema", "firma", "mysql",
                                          "performance_schema", "sys",   "Sys"};
    EXPECT_EQ(FilterDatabaseList(all, false), (std::vector<std::string>{"firma", "Sys"}));
    EXPECT_EQ(FilterDatabaseList(all, true), all);
    EXPECT_TRUE(DatabaseListed({"Firma"}, "fIRMA"));
    EXPECT_FALSE(DatabaseListed({"Firma"}, "firm"));
}

TEST(TableState, RefreshReadsTheServer) {
    DRAVN_REQUIRE_SERVERS();
    test::ScratchDatabase scratch(test::CompanyRoot(), "dvt_state");
    SqlConnection& db = scratch.admin();
    db.execute("CREATE TABLE document (id int, document_data mediumblob)");
    db.execute("CREATE TABLE document_blob_1 (id int)");
    db.execute("CREATE TABLE users_backup_dv6_20240305 (id int)");
    db.execute("CREATE VIEW varelager AS SELECT id FROM document");

    TableState s = RefreshTableState(db, SchemaScript().tableNames());
    EXPECT_EQ(s.FieldList, (std::vector<std::string>{"id", "document_data"}));
    EXPECT_FALSE(s.DocumentsInBlobTable);
    EXPECT_TRUE(s.DocumentBlobsSplit);
    EXPECT_EQ(s.BackupTables.size(), 4u);
    EXPECT_TRUE(ListContains(s.BackupTables, "varelager"));
    EXPECT_EQ(s.ServerTables.size(), 3u);
    EXPECT_FALSE(ListContains(s.ServerTables, "users_backup_dv6_20240305"));
    int checked = 0;
    for (const CheckedName& t : s.DravnTables)
        checked += t.checked;
    EXPECT_EQ(s.DravnTables.size(), 39u);
    EXPECT_EQ(checked, 1);  // document
}

}  // namespace
}  // namespace dravn
