// TDravnAdmForm: the console's main window. It connects to the database server (through the logon
// window), lists the server's databases, makes the chosen company database current and keeps the
// table lists of that database, which the tabs work on. Its tabs, in order: Server, Database,
// Brukarar, Tabellar, Sikkerheitskopiering, Replikering, Vedlikehald, Datatabell and
// SQL CREATE CODE.
//
// Server errors raised inside a handler are not caught here: the handler stops at the failing
// statement, the application's central handler shows the server's text, and the window keeps the
// state it reached.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/forms_context.h"
#include "mysql/sql_connection.h"
#include "mysql/sql_query.h"
#include "schema/catalogue.h"
#include "windows/dialog_sizeable.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace dravn {

// The status lamp of the session panel: a small filled circle in its brush colour.
class TShape : public QWidget {
    Q_OBJECT
  public:
    explicit TShape(const QString& name, QWidget* parent);
    QColor BrushColor() const { return brush_; }
    void SetBrushColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor brush_ = QColor(128, 128, 128);
};

class TDravnAdmForm : public TDialogSizeableForm {
    Q_OBJECT
  public:
    explicit TDravnAdmForm(FormsContext& forms, QWidget* parent = nullptr);
    ~TDravnAdmForm() override;

    // The logon step: shows the logon window with the caption and the method and returns
    // CurrentLogonMethod. ShowLogonWindow unless a test puts its own.
    std::function<int(const std::string& caption, int method)> LogonWindow;

    // ---- Handlers and routines, named after their controls and events -------------------
    void ServerButtonClick();
    void ShowSessionLabels();
    void LoadDatabaseList();
    void ShowSystemDatabasesClick();
    // True when the items of eDatabase hold the name (letter case ignored).
    bool DatabaseListed(const std::string& name) const;
    // The drop-down list of eDatabase closed with the item at index chosen.
    void eDatabaseCloseUp(int index);
    void eDatabaseChange();
    void RefreshTableState();
    void PageControl1Changing();
    void Button1Click();
    void CreateDatabaseButtonClick();
    void Label1DblClick();
    void DropDatabaseButtonClick();
    void CreateTableButtonClick();
    void ServerTablesDblClick();
    void Image1Click();
    void Image2Click();
    void Image3Click();
    void Image4Click();

    // Item texts of a list, in list order, and the checked ones.
    static std::vector<std::string> ItemTexts(const QListWidget* list);
    static std::vector<std::string> CheckedTexts(const QListWidget* list);
    std::vector<std::string> DatabaseItems() const;

    // The web pages of the links panel.
    static constexpr const char* MariaDbDownloadPage = "https://mariadb.org/download/";
    static constexpr const char* MySqlDownloadPage = "https://dev.mysql.com/downloads/mysql/";
    static constexpr const char* MakerWebSite = "https://www.brenmoto.no/";
    static constexpr const char* MonitorPage = "https://mariadb.com/kb/en/general-query-log/";

    // ---- Non-visual components -----------------------------------------------------------
    SqlQuery MyQuery;
    SqlQuery UserQuery;
    SqlQuery DocQuery;
    SqlQuery TestQuery;
    // The second connection, to the workstation's own server; its password is asked each time
    // it connects.
    SqlConnection LocalConnection;
    ConnectOptions LocalConnectionSettings;

    // ---- Controls --------------------------------------------------------------------------
    QFrame* Panel11 = nullptr;
    QLabel* Serverlabel = nullptr;
    QLabel* Databaselabel = nullptr;
    TShape* ServerShape = nullptr;
    QLabel* VersionLabel = nullptr;
    QTabWidget* PageControl1 = nullptr;

    QWidget* ServerTab = nullptr;
    QPushButton* ServerButton = nullptr;

    QWidget* DatabaseTab = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* eDatabase = nullptr;
    QPushButton* CreateDatabaseButton = nullptr;
    QPushButton* DropDatabaseButton = nullptr;
    QPushButton* Button1 = nullptr;
    QCheckBox* ShowSystemDatabases = nullptr;

    QWidget* UserTab = nullptr;
    QFrame* Panel7 = nullptr;
    QLineEdit* eRealname = nullptr;
    QLineEdit* eEmail = nullptr;
    QLineEdit* eInitials = nullptr;
    QLineEdit* eUser = nullptr;
    QLineEdit* ePasswd = nullptr;
    QPushButton* CreateUserButton = nullptr;
    QCheckBox* ServerUser = nullptr;
    QFrame* Panel8 = nullptr;
    QTableWidget* DBGrid2 = nullptr;
    QFrame* UserButtonPanel = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    QWidget* TabSheet2 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* DravnTables = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* ServerTables = nullptr;
    QLabel* Label12 = nullptr;
    QPushButton* CreateTableButton = nullptr;
    QLabel* Label10 = nullptr;
    QPushButton* BigBlobButton = nullptr;
    QLabel* BigBlobText = nullptr;
    QLabel* BigBlobLabel = nullptr;
    QPushButton* SplitBlobButton = nullptr;
    QLabel* SplitBlobText = nullptr;
    QLabel* SplitBlobLabel = nullptr;
    QLabel* Label13 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* Label28 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;

    QWidget* TabSheet1 = nullptr;
    QLabel* Label14 = nullptr;
    QListWidget* BackupTables = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* CopyTablesOnServerButton = nullptr;
    QPushButton* RemoveBackupButton = nullptr;
    QPushButton* CopyTablesToDiskButton = nullptr;
    QPushButton* CopyToLocalServer = nullptr;

    QWidget* Replicate = nullptr;
    QLineEdit* RemoteReplServer = nullptr;
    QLineEdit* RemoteReplDatabase = nullptr;
    QLineEdit* LocalReplServer = nullptr;
    QLineEdit* LocalReplDatabase = nullptr;
    QPushButton* ReplicateButton = nullptr;
    QCheckBox* ReplBlob = nullptr;
    QFrame* ProgressPanel = nullptr;
    QLabel* TableLabel = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* IDLabel = nullptr;
    QProgressBar* ProgressBar2 = nullptr;

    QWidget* TabSheet3 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QPushButton* SpeedButton4 = nullptr;
    QPushButton* SpeedButton5 = nullptr;
    QLineEdit* eRepairTable = nullptr;
    QCheckBox* NoBlobOpt = nullptr;
    QTableWidget* StringGrid1 = nullptr;

    QWidget* TabSheet4 = nullptr;
    QLineEdit* SelectEdit = nullptr;
    QComboBox* TableCombo = nullptr;
    QLineEdit* WhereEdit = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QListWidget* FieldList = nullptr;
    QPushButton* AddFieldButton = nullptr;
    QTableWidget* DBGrid1 = nullptr;

    QWidget* TabSheet7 = nullptr;
    QPlainTextEdit* SQLCreateMemo = nullptr;

    QFrame* Panel14 = nullptr;
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TImage* Image3 = nullptr;
    TImage* Image4 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label21 = nullptr;

  signals:
    // The window has closed (closing the main window ends the program).
    void closed();

  protected:
    void FormCreate() override;
    void FormShow() override;
    void FormClose() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildHeader();
    void BuildServerTab();
    void BuildDatabaseTab();
    void BuildUserTab();
    void BuildTablesTab();
    void BuildBackupTab();
    void BuildReplicateTab();
    void BuildMaintenanceTab();
    void BuildBrowserTab();
    void BuildSchemaTab();
    void BuildLinksPanel();
    // Makes the page current; PageControl1Changing runs first.
    void ActivatePage(int index);
    // The next visible tab after the current one (the first after the last).
    void SelectNextPage();
    void FillFieldList(const std::vector<std::string>& names);
    bool RunSQL(const std::string& statement);

    FormsContext& forms_;
    SchemaScript script_;
    // Set while a change of tab has already run PageControl1Changing.
    bool changingDone_ = false;
};

}  // namespace dravn
