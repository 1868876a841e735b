#include "console/database_admin.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "console/table_state.h"
#include "console_fixture.h"
#include "schema/catalogue.h"
#include "schema/catalogue_counts.h"
#include "support/scripted_interaction.h"

namespace dravn {
namespace {

TEST(DatabaseName, CreationIsOfferedForNewNamesOnly) {
    const std::vector<std::string> listed = {"firma", "Lager"};
    EXPECT_TRUE(OfferDatabaseCreation("nyfirma", listed));
    EXPECT_FALSE(OfferDatabaseCreation("FIRMA", listed));
    EXPECT_FALSE(OfferDatabaseCreation("lager", listed));
    EXPECT_FALSE(OfferDatabaseCreation("", listed));
}

class DatabaseAdmin : public ::testing::Test {
  protected:
    void SetUp() override {
        DRAVN_REQUIRE_SERVERS();
        db.open(test::CompanyRoot());
    }
    int checkedDravnTables() {
        TableState s = RefreshTableState(db, script.tableNames());
        return static_cast<int>(std::count_if(s.DravnTables.begin(), s.DravnTables.end(),
                                              [](const CheckedName& t) { return t.checked; }));
    }
    bool exists(const std::string& database) { return ListContains(db.databases(), database); }

    SqlConnection db;
    SchemaScript script;
    test::ScriptedInteraction ui;
    test::StatementLog log;
};

TEST_F(DatabaseAdmin, CreatesTheCompanyDatabase) {
    const std::string name = test::UniqueName("dvt_create");
    test::DropAtEnd drop(name);
    std::vector<int> checkedAtRefresh;
    auto refresh = [&] { checkedAtRefresh.push_back(checkedDravnTables()); };

    ASSERT_TRUE(CreateCompanyDatabase(db, script, log.runOn(db), ui, name, refresh));

    EXPECT_EQ(log.statements, (std::vector<std::string>{"CREATE DATABASE " + name, kSeedGroupsRow}));
    EXPECT_EQ(checkedAtRefresh, (std::vector<int>{0, 39}));
    EXPECT_EQ(db.currentDatabase(), name);
    for (const auto& [table, count] : test::CatalogueColumnCounts())
        EXPECT_EQ(static_cast<int>(db.fieldNames(table).size()), count) << table;
    auto groups = db.queryAll("SELECT group_id, group_name FROM groups").rows;
    EXPECT_EQ(groups, (std::vector<SqlRow>{{"100", "Brukere"}}));
    EXPECT_TRUE(ui.messages.empty());

    // The name exists now: a second creation ends at CREATE DATABASE.
    log.statements.clear();
    EXPECT_THROW(CreateCompanyDatabase(db, script, log.runOn(db), ui, name, refresh), SqlError);
    EXPECT_EQ(log.statements.size(), 1u);
    EXPECT_EQ(checkedAtRefresh.size(), 2u);
    EXPECT_EQ(db.queryAll("SELECT group_id FROM groups").rows.size(), 1u);
}

TEST_F(DatabaseAdmin, RefusesNamesThatAreNotPlainIdentifiersBeforeSendingAnything) {
    test::ScratchDatabase victim(test::CompanyRoot(), "dvt_victim");
    const std::string names[] = {
        "x; DROP DATABASE " + victim.name(), "bad-name", "two words", "123", "", "bærum"};
    int refreshes = 0, reloads = 0;
    for (const std::string& name : names) {
        ui.messages.clear();
        EXPECT_FALSE(CreateCompanyDatabase(db, script, log.runOn(db), ui, name, [&] { ++refreshes; }))
            << name;
        EXPECT_EQ(ui.messages, (std::vector<std::string>{InvalidDatabaseNameMessage(name)}));
        EXPECT_FALSE(DropCompanyDatabase(db, ui, name, [&] { ++reloads; })) << name;
    }
    EXPECT_EQ(InvalidDatabaseNameMessage("a-b"),
              "Ugyldig databasenamn: a-b. Bruk berre bokstavar, siffer, _ og $.");
    EXPECT_TRUE(log.statements.empty());
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(refreshes + reloads, 0);
    EXPECT_TRUE(exists(victim.name()));
}

TEST_F(DatabaseAdmin, FailingScriptStopsThereAndKeepsWhatWasCreated) {
    const std::string name = test::UniqueName("dvt_partial");
    test::DropAtEnd drop(name);
    SchemaScript broken(
        "CREATE TABLE `first` (\n  `id` int(11) NOT NULL AUTO_INCREMENT,\n  PRIMARY KEY (`id`)\n) "
        "ENGINE=MyISAM;\n\n"
        "CREATE TABLE `second` (\n  `id` no_such_type,\n  PRIMARY KEY (`id`)\n) ENGINE=MyISAM;\n\n"
        "CREATE TABLE `third` (\n  `id` int(11) NOT NULL AUTO_INCREMENT,\n  PRIMARY KEY (`id`)\n) "
        "ENGINE=MyISAM;\n");
    int refreshes = 0;
    EXPECT_THROW(CreateCompanyDatabase(db, broken, log.runOn(db), ui, name, [&] { ++refreshes; }), SqlError);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(log.statements, (std::vector<std::string>{"CREATE DATABASE " + name}));  // no seed row
    EXPECT_EQ(db.tableNames(), (std::vector<std::string>{"first"}));
    // The connection is usable afterwards, and runs one statement per command again.
    EXPECT_THROW(db.execute("CREATE TABLE t1 (id int); CREATE TABLE t2 (id int)"), SqlError);
    EXPECT_EQ(db.tableNames(), (std::vector<std::string>{"first"}));
}

TEST_F(DatabaseAdmin, DropAsksFirstAndReloadsTheListEitherWay) {
    const std::string name = test::UniqueName("dvt_drop");
    test::DropAtEnd drop(name);
    db.execute("CREATE DATABASE " + name);
    int reloads = 0;

    ui.yesNoAnswers = {false};
    EXPECT_FALSE(DropCompanyDatabase(db, ui, name, [&] { ++reloads; }));
    EXPECT_EQ(ui.questions,
              (std::vector<std::string>{"Vil du virkelig slette heile databasa " + name + "?"}));
    EXPECT_EQ(reloads, 1);
    EXPECT_TRUE(exists(name));

    ui.yesNoAnswers = {true};
    EXPECT_TRUE(DropCompanyDatabase(db, ui, name, [&] { ++reloads; }));
    EXPECT_EQ(reloads, 2);
    EXPECT_FALSE(exists(name));

    // A failing DROP leaves the list as it is.
    ui.yesNoAnswers = {true};
    EXPECT_THROW(DropCompanyDatabase(db, ui, name, [&] { ++reloads; }), SqlError);
    EXPECT_EQ(reloads, 2);
}

TEST_F(DatabaseAdmin, DropQuestionPresetsNo) {
    const std::string name = test::UniqueName("dvt_keep");
    test::DropAtEnd drop(name);
    db.execute("CREATE DATABASE " + name);
    DropCompanyDatabase(db, ui, name, [] {});  // no queued answer: the preset answer is taken
    EXPECT_TRUE(exists(name));
}

}  // namespace
}  // namespace dravn
