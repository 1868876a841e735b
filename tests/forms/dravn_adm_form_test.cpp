// The main window against the company test server: the connect cycle through the logon window,
// the database list, the table state of a chosen database, creating and removing a database
// through the buttons, the table upgrade, and names that must never reach the server.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <memory>

#include "console/database_admin.h"
#include "console/table_state.h"
#include "forms/dravn_adm_form.h"
#include "foundation/text_date.h"
#include "support/forms_fixture.h"

namespace dravn::test {
namespace {

bool Contains(const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// Processes events until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int ms = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

std::vector<CheckedName> CheckItems(const QListWidget* list) {
    std::vector<CheckedName> items;
    for (int i = 0; i < list->count(); ++i)
        items.push_back({list->item(i)->text().toStdString(), list->item(i)->checkState() == Qt::Checked});
    return items;
}

std::vector<std::string> ComboItems(const QComboBox* combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo->count(); ++i)
        items.push_back(combo->itemText(i).toStdString());
    return items;
}

// A click that reaches the handler as a posted event, so that an error it raises goes to the
// application's central handler exactly as a click of the user's would.
void ClickThroughApplication(QPushButton* button) {
    QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
    QCoreApplication::processEvents();
}

// A database that a test creates through the window; dropped at the end whatever happened.
struct DropAtEnd {
    std::string name;
    ~DropAtEnd() {
        try {
            SqlConnection c;
            c.open(CompanyRoot());
            c.execute("DROP DATABASE IF EXISTS `" + name + "`");
        } catch (...) {
        }
    }
};

class AdmFormTest : public FormsTest {
  protected:
    void SetUp() override {
        FormsTest::SetUp();
        DRAVN_REQUIRE_SERVERS();
        admin.open(CompanyRoot());
    }
    void TearDown() override {
        window.reset();
        FormsTest::TearDown();
    }

    TDravnAdmForm& Window() {
        if (!window) {
            window = std::make_unique<TDravnAdmForm>(forms());
            window->EnsureCreated();
        }
        return *window;
    }

    // The next logon window signs on as root to the company server with the password given.
    void LogonAsRoot(const std::string& password, const std::string& email = {}) {
        WhenLogonShown([password, email](TLogonForm& w) {
            w.SetFormHeight(1);
            w.Server->setText(QString::fromStdString(CompanyServer()));
            w.Database->clear();
            w.ServerUser->setText("root");
            w.ServerPassword->setText(QString::fromStdString(password));
            w.email->setCurrentText(QString::fromStdString(email));
            w.ConnectButton->click();
        });
    }

    // Connects through the server button; root is not in any staff table, so the administrator
    // rule asks for the server password, which the test types.
    void Connect() {
        LogonAsRoot(RootPassword());
        ui.inputAnswers.push_back(RootPassword());
        Window().ServerButtonClick();
        ASSERT_TRUE(session().DatabaseConnection.isOpen());
    }

    int DatabaseIndex(const std::string& name) {
        return Window().eDatabase->findText(QString::fromStdString(name));
    }

    void Choose(const std::string& name) {
        const int index = DatabaseIndex(name);
        ASSERT_GE(index, 0) << name << " is not listed";
        Window().eDatabaseCloseUp(index);
    }

    size_t RunSqlLines() const {
        const auto& lines = foundationPtr->log().LogList();
        return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
            return l.find("RunSQL: ") != std::string::npos;
        }));
    }
    std::vector<std::string> RunSqlStatements() const {
        std::vector<std::string> out;
        for (const std::string& l : foundationPtr->log().LogList())
            if (auto at = l.find("RunSQL: "); at != std::string::npos)
                out.push_back(l.substr(at + 8));
        return out;
    }

    SqlConnection admin;
    std::unique_ptr<TDravnAdmForm> window;
};

TEST_F(AdmFormTest, ConnectsWhenShownListsDatabasesAndDisconnectsAndReconnectsWithTheButton) {
    ScratchDatabase company(CompanyRoot(), "dvtforms");
    TDravnAdmForm& w = Window();
    EXPECT_EQ(w.ServerButton->text(), "Kople til server");
    EXPECT_TRUE(w.ServerShape->isHidden());
    EXPECT_EQ(w.DravnTables->count(), 39);

    // Showing the window starts the connection: the logon window comes up over it.
    LogonAsRoot(RootPassword());
    ui.inputAnswers.push_back(RootPassword());
    w.show();
    ASSERT_TRUE(WaitUntil([&] { return w.ServerButton->text() == "Kople fra server"; }));
    EXPECT_FALSE(w.ServerShape->isHidden());
    EXPECT_EQ(w.ServerShape->BrushColor(), QColor(0, 255, 0));
    EXPECT_EQ(w.PageControl1->currentWidget(), w.DatabaseTab);
    EXPECT_EQ(w.Serverlabel->text().toStdString(), "root@" + CompanyServer());
    EXPECT_EQ(w.Databaselabel->text(), "database: ");
    // root is no staff member here: told so, then asked for the server password.
    EXPECT_EQ(ui.prompts, std::vector<std::string>{"Passord til root:@" + CompanyServer()});
    EXPECT_FALSE(settings().ProgramTerminating);
    EXPECT_EQ(ui.quitRequests, 0);

    // The list holds the company databases without the system databases, and no text.
    EXPECT_TRUE(w.eDatabase->currentText().isEmpty());
    std::vector<std::string> listed = ComboItems(w.eDatabase);
    EXPECT_TRUE(Contains(listed, company.name()));
    for (const char* system : {"mysql", "information_schema", "performance_schema"})
        EXPECT_FALSE(Contains(listed, system)) << system;

    // Ticked, the system databases are listed too and the typed text stays; unticked, they go
    // again and the text is cleared.
    w.eDatabase->setEditText("noko");
    w.ShowSystemDatabases->click();
    listed = ComboItems(w.eDatabase);
    for (const char* system : {"mysql", "information_schema", "performance_schema"})
        EXPECT_TRUE(Contains(listed, system)) << system;
    EXPECT_EQ(w.eDatabase->currentText(), "noko");
    w.ShowSystemDatabases->click();
    EXPECT_FALSE(Contains(ComboItems(w.eDatabase), "mysql"));
    EXPECT_TRUE(w.eDatabase->currentText().isEmpty());

    // A click while connected disconnects; the lists keep what they had.
    const int itemsBefore = w.eDatabase->count();
    w.ServerButton->click();
    EXPECT_FALSE(session().DatabaseConnection.isOpen());
    EXPECT_EQ(w.ServerButton->text(), "Koble til server");
    EXPECT_EQ(w.ServerShape->BrushColor(), QColor(128, 128, 128));
    EXPECT_EQ(w.eDatabase->count(), itemsBefore);

    // And the next click connects again, from the logon window on.
    LogonAsRoot(RootPassword());
    ui.inputAnswers.push_back(RootPassword());
    w.ServerButton->click();
    EXPECT_TRUE(session().DatabaseConnection.isOpen());
    EXPECT_EQ(w.ServerButton->text(), "Kople fra server");
    EXPECT_EQ(w.ServerShape->BrushColor(), QColor(0, 255, 0));
    EXPECT_TRUE(Contains(ComboItems(w.eDatabase), company.name()));

    // Closing the window closes the connection and stores the window's place and size.
    w.close();
    EXPECT_FALSE(session().DatabaseConnection.isOpen());
    EXPECT_NE(settings().ReadIniString("DravnAdmForm_WIDTH"), "");
}

TEST_F(AdmFormTest, FailedServerLogonTriesTheLookupAndTheSavedLogonThenOffersToTryAgain) {
    secrets.push_back("Feil-passord");
    secrets.push_back("Lagra-feil");
    // The saved settings of an earlier lookup point at the company server with a wrong password.
    WriteIni(CompanyServer() + "__root.ini", "[STANDARD]\r\nSavedMyServerHostname=" + CompanyServer() +
                                                 "\r\nSavedMyServerUserName=root\r\nSavedMyServerPassword=" +
                                                 ScrambleText("Lagra-feil") + "\r\n");
    TDravnAdmForm& w = Window();
    LogonAsRoot("Feil-passord", "kari@firma.no");
    ui.yesNoAnswers = {false, false};  // do not end the program after either failed connection
    ui.inputAnswers.push_back("Lagra-feil");
    w.ServerButtonClick();

    EXPECT_FALSE(session().DatabaseConnection.isOpen());
    EXPECT_EQ(w.ServerButton->text(), "Prøv tilkopling igjen");
    EXPECT_FALSE(w.ServerShape->isHidden());
    EXPECT_EQ(w.ServerShape->BrushColor(), QColor(255, 0, 0));
    EXPECT_EQ(w.PageControl1->currentWidget(), w.ServerTab);
    // Server logon, then the directory lookup, then the saved logon.
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(std::count(ui.messages.begin(), ui.messages.end(), "Kan ikkje kople til " + CompanyServer()),
              2);
    const auto& log = foundation().log().LogList();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& l) {
        return l.find("SQLUNIT: Hent brukar i skyen: kari@firma.no") != std::string::npos;
    }));
    EXPECT_EQ(session().ConnectionSettings.Password, "Lagra-feil");
    EXPECT_EQ(ui.quitRequests, 0);

    // The next click runs the whole cycle again, and this time it connects.
    Connect();
    EXPECT_EQ(w.ServerButton->text(), "Kople fra server");
    EXPECT_EQ(w.ServerShape->BrushColor(), QColor(0, 255, 0));
}

TEST_F(AdmFormTest, CancelledLogonEndsTheProgramWithoutAnyQuestion) {
    TDravnAdmForm& w = Window();
    WhenLogonShown([](TLogonForm& logon) { logon.BitBtn1->click(); });
    w.ServerButtonClick();
    EXPECT_TRUE(settings().ProgramTerminating);
    EXPECT_GE(ui.quitRequests, 1);
    EXPECT_FALSE(session().DatabaseConnection.isOpen());
    EXPECT_EQ(w.ServerButton->text(), "Prøv tilkopling igjen");
    // No connection was tried, and nobody is asked for a password on the way out.
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AdmFormTest, ChoosingADatabaseFillsTheTableListsAndTheDocumentFlags) {
    ScratchDatabase company(CompanyRoot(), "dvtforms");
    for (const char* sql :
         {"CREATE TABLE accounts (id int)", "CREATE TABLE document (id int, document_data blob)",
          "CREATE TABLE document_blob_1 (id int)", "CREATE TABLE orders_backup_dv6_20250305 (id int)",
          "CREATE TABLE varelager (id int, namn varchar(20))"})
        company.admin().execute(sql);
    Connect();
    TDravnAdmForm& w = Window();

    w.eDatabaseCloseUp(-1);  // the list closed without a choice: nothing happens
    EXPECT_EQ(w.ServerTables->count(), 0);

    Choose(company.name());
    EXPECT_EQ(w.Databaselabel->text().toStdString(), "database: " + company.name());
    // Backup copies are listed for the backups and the browser, not among the server's tables.
    EXPECT_EQ(CheckItems(w.ServerTables),
              (std::vector<CheckedName>{
                  {"accounts", true}, {"document", true}, {"document_blob_1", true}, {"varelager", false}}));
    const std::vector<std::string> all{"accounts", "document", "document_blob_1",
                                       "orders_backup_dv6_20250305", "varelager"};
    EXPECT_EQ(TDravnAdmForm::ItemTexts(w.BackupTables), all);
    EXPECT_TRUE(TDravnAdmForm::CheckedTexts(w.BackupTables).empty());
    EXPECT_EQ(ComboItems(w.TableCombo), all);
    EXPECT_EQ(w.TableCombo->currentIndex(), -1);
    EXPECT_EQ(TDravnAdmForm::CheckedTexts(w.DravnTables), (std::vector<std::string>{"accounts", "document"}));
    EXPECT_EQ(TDravnAdmForm::ItemTexts(w.FieldList), (std::vector<std::string>{"id", "document_data"}));

    // `document` still holds its contents, and the numbered tables exist: each state on its own.
    EXPECT_FALSE(session().DocumentsInBlobTable);
    EXPECT_TRUE(session().DocumentBlobsSplit);
    EXPECT_TRUE(w.BigBlobButton->isEnabled());
    EXPECT_TRUE(w.BigBlobLabel->isHidden());
    EXPECT_EQ(w.BigBlobText->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_FALSE(w.SplitBlobButton->isEnabled());
    EXPECT_FALSE(w.SplitBlobLabel->isHidden());
    EXPECT_EQ(w.SplitBlobText->palette().color(QPalette::WindowText), QColor(128, 128, 128));

    // Without `document_data` the contents count as moved to document_blob.
    company.admin().execute("ALTER TABLE document DROP COLUMN document_data");
    w.RefreshTableState();
    EXPECT_TRUE(session().DocumentsInBlobTable);
    EXPECT_FALSE(w.BigBlobButton->isEnabled());
    EXPECT_FALSE(w.BigBlobLabel->isHidden());

    // A double click shows the columns of the table chosen in ServerTables.
    w.ServerTables->setCurrentRow(3);
    w.ServerTablesDblClick();
    EXPECT_EQ(TDravnAdmForm::ItemTexts(w.FieldList), (std::vector<std::string>{"id", "namn"}));

    // Every change of tab shows the two ends of the replication first.
    w.Button1Click();
    EXPECT_EQ(w.PageControl1->currentWidget(), w.UserTab);
    EXPECT_EQ(w.RemoteReplServer->text().toStdString(), CompanyServer());
    EXPECT_EQ(w.RemoteReplDatabase->text().toStdString(), company.name());
    EXPECT_EQ(w.LocalReplServer->text(), "localhost");
    EXPECT_EQ(w.LocalReplDatabase->text().toStdString(), company.name());
    // After the last tab comes the first.
    w.PageControl1->setCurrentIndex(w.PageControl1->count() - 1);
    w.Button1Click();
    EXPECT_EQ(w.PageControl1->currentIndex(), 0);
}

TEST_F(AdmFormTest, CreatesUpgradesAndRemovesACompanyDatabaseThroughTheButtons) {
    DropAtEnd created{UniqueName("dvtformsnew")};
    const QString name = QString::fromStdString(created.name);
    Connect();
    TDravnAdmForm& w = Window();
    const size_t messages = ui.messages.size();

    // The create button is offered for a name the list does not hold, in any letter case.
    w.eDatabase->setEditText("MYSQL");
    w.ShowSystemDatabases->click();
    w.eDatabase->setEditText("MYSQL");
    EXPECT_TRUE(w.CreateDatabaseButton->isHidden());
    w.ShowSystemDatabases->click();
    w.eDatabase->setEditText("");
    EXPECT_TRUE(w.CreateDatabaseButton->isHidden());
    w.eDatabase->setEditText(name);
    EXPECT_FALSE(w.CreateDatabaseButton->isHidden());

    ClickThroughApplication(w.CreateDatabaseButton);
    EXPECT_EQ(admin.queryValue("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema=" +
                               admin.quote(created.name)),
              SqlValue("39"));
    const SqlResult groups = admin.queryAll("SELECT group_id, group_name FROM `" + created.name + "`.groups");
    ASSERT_EQ(groups.rows.size(), 1u);
    EXPECT_EQ(groups.rows[0][0], SqlValue("100"));
    EXPECT_EQ(groups.rows[0][1], SqlValue("Brukere"));
    EXPECT_EQ(TDravnAdmForm::CheckedTexts(w.DravnTables).size(), 39u);
    EXPECT_EQ(w.ServerTables->count(), 39);
    EXPECT_EQ(w.PageControl1->currentWidget(), w.UserTab);
    EXPECT_EQ(w.Databaselabel->text(), "database: " + name);
    EXPECT_TRUE(session().DocumentsInBlobTable);
    EXPECT_EQ(ui.messages.size(), messages);

    // The list is not reloaded, so the button stays; a second click is refused by the server,
    // whose text is shown once, and the window goes on.
    EXPECT_FALSE(w.CreateDatabaseButton->isHidden());
    ClickThroughApplication(w.CreateDatabaseButton);
    ASSERT_EQ(ui.messages.size(), messages + 1);
    EXPECT_NE(ui.messages.back().find("database exists"), std::string::npos) << ui.messages.back();
    EXPECT_EQ(w.eDatabase->currentText(), name);

    // The upgrade brings back a missing table and missing columns, each at its place.
    admin.execute("DROP TABLE `" + created.name + "`.team");
    admin.execute("ALTER TABLE `" + created.name + "`.users DROP COLUMN firstname, DROP COLUMN lastname");
    w.RefreshTableState();
    EXPECT_EQ(TDravnAdmForm::CheckedTexts(w.DravnTables).size(), 38u);
    const size_t before = RunSqlStatements().size();
    ui.progress.clear();
    w.CreateTableButton->click();
    const std::vector<std::string> statements = RunSqlStatements();
    ASSERT_EQ(statements.size(), before + 3);
    EXPECT_EQ(statements[before].rfind("CREATE TABLE `team` (", 0), 0u) << statements[before];
    EXPECT_EQ(statements[before + 1].rfind("ALTER TABLE users ADD COLUMN `firstname` ", 0), 0u);
    EXPECT_NE(statements[before + 1].find(" AFTER caseid"), std::string::npos);
    EXPECT_NE(statements[before + 2].find("`lastname`"), std::string::npos);
    EXPECT_NE(statements[before + 2].find(" AFTER firstname"), std::string::npos);
    EXPECT_EQ(TDravnAdmForm::CheckedTexts(w.DravnTables).size(), 39u);
    ASSERT_FALSE(ui.progress.empty());
    EXPECT_EQ(ui.progress.front().second, 78);
    EXPECT_TRUE(std::any_of(ui.progress.begin(), ui.progress.end(),
                            [](const auto& p) { return p.first == 78 && p.second == 78; }));
    EXPECT_EQ(ui.progress.back().second, 0);  // hidden at the end
    // The window's own progress bar went the same way.
    EXPECT_EQ(w.Bar->maximum(), 78);
    EXPECT_EQ(w.Bar->value(), 78);
    EXPECT_TRUE(w.Bar->isHidden());
    EXPECT_EQ(ui.waitDepth, 0);
    EXPECT_EQ(TDravnAdmForm::ItemTexts(w.FieldList).front(), "id");
    // A complete database needs no statement at all.
    w.CreateTableButton->click();
    EXPECT_EQ(RunSqlStatements().size(), before + 3);

    // Removal: the button appears after a double click on the label; "no" keeps the database and
    // reloads the list all the same.
    EXPECT_TRUE(w.DropDatabaseButton->isHidden());
    QTest::mouseDClick(w.Label1, Qt::LeftButton);
    EXPECT_FALSE(w.DropDatabaseButton->isHidden());
    ui.yesNoAnswers = {false};
    w.DropDatabaseButton->click();
    EXPECT_EQ(ui.questions.back(), "Vil du virkelig slette heile databasa " + created.name + "?");
    EXPECT_TRUE(w.eDatabase->currentText().isEmpty());
    EXPECT_GE(DatabaseIndex(created.name), 0);
    EXPECT_TRUE(admin.queryValue("SHOW DATABASES LIKE " + admin.quote(created.name)).has_value());

    w.eDatabase->setEditText(name);
    ui.yesNoAnswers = {true};
    w.DropDatabaseButton->click();
    EXPECT_FALSE(admin.queryValue("SHOW DATABASES LIKE " + admin.quote(created.name)).has_value());
    EXPECT_LT(DatabaseIndex(created.name), 0);
}

TEST_F(AdmFormTest, NamesThatAreNotPlainIdentifiersAreRefusedBeforeAnyStatement) {
    ScratchDatabase victim(CompanyRoot(), "dvtformsvictim");
    Connect();
    TDravnAdmForm& w = Window();
    w.Label1DblClick();
    const std::vector<std::string> names{"bad-name", "two words", "x`y", "a; DROP DATABASE " + victim.name(),
                                         "c' OR '1'='1"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const size_t statements = RunSqlLines();
        const size_t messages = ui.messages.size();
        const size_t questions = ui.questions.size();
        w.eDatabase->setEditText(QString::fromStdString(name));
        ClickThroughApplication(w.CreateDatabaseButton);
        ASSERT_EQ(ui.messages.size(), messages + 1);
        EXPECT_EQ(ui.messages.back(), InvalidDatabaseNameMessage(name));
        ui.yesNoAnswers = {true};
        w.DropDatabaseButton->click();
        ASSERT_EQ(ui.messages.size(), messages + 2);
        EXPECT_EQ(ui.messages.back(), InvalidDatabaseNameMessage(name));
        EXPECT_EQ(ui.questions.size(), questions);  // not even asked
        EXPECT_EQ(RunSqlLines(), statements);
    }
    EXPECT_TRUE(admin.queryValue("SHOW DATABASES LIKE " + admin.quote(victim.name())).has_value());
    EXPECT_FALSE(admin.queryValue("SHOW DATABASES LIKE 'bad-name'").has_value());
}

}  // namespace
}  // namespace dravn::test
