#include "forms/dravn_adm_form.h"
#include "forms/qt_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "console/database_admin.h"
#include "console/table_state.h"
#include "console/table_upgrade.h"
#include "forms/directory_lookup.h"
#include "forms/logon_form.h"
#include "forms/pictures.h"
#include "session/session.h"
#include "windows/window_placement.h"

namespace dravn {

namespace {

const QColor kGray(128, 128, 128);
const QColor kLime(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kSkyBlue(166, 202, 240);
const QColor kNavy(0, 0, 128);

constexpr const char* kLogonCaption = "Solvenkaret SQL Administrator";
constexpr const char* kCreateTableMarker = "CREATE TABLE `";

void SetTextColor(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    w->setPalette(p);
}

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent, bool wrap = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(wrap);
    return label;
}

QPushButton* MakeButton(const QString& name, const QString& text, QWidget* parent, int minWidth = 0) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setMinimumHeight(36);
    if (minWidth > 0)
        button->setMinimumWidth(minWidth);
    return button;
}

QLineEdit* MakeEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumHeight(30);
    return edit;
}

QListWidget* MakeCheckList(const QString& name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QPlainTextEdit* MakeMemo(const QString& name, QWidget* parent, const QStringList& lines) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setPlainText(lines.join('\n'));
    QFont mono("monospace");
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPixelSize(13);
    memo->setFont(mono);
    return memo;
}

// A label above its control, both added to the layout.
void AddLabelled(QVBoxLayout* layout, const QString& labelName, const QString& caption, QWidget* control) {
    auto* label = MakeLabel(labelName, caption, control->parentWidget());
    label->setBuddy(control);
    layout->addWidget(label);
    layout->addWidget(control);
    layout->addSpacing(4);
}

// A button with its explanation beside it.
QHBoxLayout* ButtonWithText(QPushButton* button, QLabel* text) {
    auto* row = new QHBoxLayout();
    row->setSpacing(16);
    button->setFixedWidth(300);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    row->addWidget(button, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    return row;
}

QWidget* MakePage(const QString& name, QTabWidget* tabs, const QString& caption) {
    auto* page = new QWidget(tabs);
    page->setObjectName(name);
    tabs->addTab(page, caption);
    return page;
}

void SetCheckItems(QListWidget* list, const std::vector<CheckedName>& items) {
    list->clear();
    for (const CheckedName& item : items) {
        auto* row = new QListWidgetItem(Q(item.name), list);
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(item.checked ? Qt::Checked : Qt::Unchecked);
    }
}

// The person at the keyboard as the main window's long operations see it: everything goes to the
// program's user interaction, and the progress is also shown on the window's own Bar, whichever
// window the system considers active.
class BarProgress : public UserInteraction {
  public:
    BarProgress(UserInteraction& inner, QProgressBar* bar) : inner_(inner), bar_(bar) {}
    void showMessage(const std::string& text, const std::string& caption) override {
        inner_.showMessage(text, caption);
    }
    bool askYesNo(const std::string& question, bool defaultYes) override {
        return inner_.askYesNo(question, defaultYes);
    }
    std::string askInput(const std::string& prompt, const std::string& defaultText) override {
        return inner_.askInput(prompt, defaultText);
    }
    std::string chooseFolder(const std::string& startFolder) override {
        return inner_.chooseFolder(startFolder);
    }
    std::optional<std::string> askLocalServerPassword(const std::string& user,
                                                      const std::string& server) override {
        return inner_.askLocalServerPassword(user, server);
    }
    void setWaitCursor(bool busy) override { inner_.setWaitCursor(busy); }
    void showProgress(int position, int maximum) override {
        if (maximum <= 0) {
            bar_->hide();
        } else {
            bar_->setRange(0, maximum);
            bar_->setValue(std::clamp(position, 0, maximum));
            bar_->show();
            bar_->repaint();
        }
        inner_.showProgress(position, maximum);
    }
    void shellOpen(const std::string& target) override { inner_.shellOpen(target); }
    void requestQuit() override { inner_.requestQuit(); }
    [[noreturn]] void terminateProgram(int exitCode) override {
        inner_.terminateProgram(exitCode);
        std::abort();  // not reached: the program has ended
    }

  private:
    UserInteraction& inner_;
    QProgressBar* bar_;
};

}  // namespace

TShape::TShape(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setFixedSize(22, 22);
}

void TShape::SetBrushColor(const QColor& color) {
    brush_ = color;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(brush_);
    p.drawEllipse(QRectF(rect()).adjusted(2, 2, -2, -2));
}

TDravnAdmForm::TDravnAdmForm(FormsContext& forms, QWidget* parent)
    : TDialogSizeableForm(forms.windows, "DravnAdmForm", parent), forms_(forms) {
    setWindowTitle("Solvenkaret SQL administrator");
    SetHeaderText("Solvenkaret oppsett og administrasjon for MySQL");
    SetupImage->hide();

    SqlConnection& db = forms_.session.DatabaseConnection;
    MyQuery.setConnection(&db);
    UserQuery.setConnection(&db);
    UserQuery.setSql("select * from users order by realname");
    DocQuery.setConnection(&db);
    DocQuery.setSql("select id from document_blob");
    TestQuery.setConnection(&LocalConnection);
    LocalConnectionSettings.server = "localhost";
    LocalConnectionSettings.user = "root";

    BuildHeader();

    auto* body = new QWidget(ClientPanel);
    body->setObjectName("Body");
    auto* bodyRow = new QHBoxLayout(body);
    bodyRow->setContentsMargins(0, 0, 0, 0);
    bodyRow->setSpacing(0);
    PageControl1 = new QTabWidget(body);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setDocumentMode(true);
    QFont tabFont = PageControl1->tabBar()->font();
    tabFont.setPixelSize(14);
    PageControl1->tabBar()->setFont(tabFont);
    PageControl1->tabBar()->setStyleSheet("QTabBar::tab { padding: 5px 8px; }");
    bodyRow->addWidget(PageControl1, 1);
    static_cast<QVBoxLayout*>(ClientPanel->layout())->addWidget(body, 1);

    BuildServerTab();
    BuildDatabaseTab();
    BuildUserTab();
    BuildTablesTab();
    BuildBackupTab();
    BuildReplicateTab();
    BuildMaintenanceTab();
    BuildBrowserTab();
    BuildSchemaTab();
    BuildLinksPanel();
    bodyRow->addWidget(Panel14);

    // Every change of tab runs PageControl1Changing before it happens: a click on a tab announces
    // itself before the change, changes made by the program go through ActivatePage, and any
    // other change (keyboard) runs it as the change is made.
    connect(PageControl1->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index != PageControl1->currentIndex() && PageControl1->isTabEnabled(index)) {
            PageControl1Changing();
            changingDone_ = true;
        }
    });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int) {
        if (!changingDone_)
            PageControl1Changing();
        changingDone_ = false;
    });

    LogonWindow = [this](const std::string& caption, int method) {
        return ShowLogonWindow(forms_, caption, method);
    };

    resize(1446 + 2 * BorderWidth, 780 + 2 * BorderWidth);
}

TDravnAdmForm::~TDravnAdmForm() = default;

void TDravnAdmForm::BuildHeader() {
    Panel11 = new QFrame(Headerpanel);
    Panel11->setObjectName("Panel11");
    Panel11->setFixedWidth(330);
    FillWith(Panel11, kSkyBlue);
    auto* row = new QHBoxLayout(Panel11);
    row->setContentsMargins(12, 4, 12, 4);
    auto* labels = new QVBoxLayout();
    labels->setSpacing(0);
    Serverlabel = MakeLabel("Serverlabel", "", Panel11);
    Databaselabel = MakeLabel("Databaselabel", "", Panel11);
    for (QLabel* l : {Serverlabel, Databaselabel}) {
        SetTextColor(l, kNavy);
        QFont f = l->font();
        f.setPixelSize(14);
        l->setFont(f);
        labels->addWidget(l);
    }
    row->addLayout(labels, 1);
    ServerShape = new TShape("ServerShape", Panel11);
    ServerShape->SetBrushColor(kGray);
    ServerShape->hide();
    row->addWidget(ServerShape, 0, Qt::AlignVCenter);
    HeaderRow->insertWidget(HeaderRow->indexOf(TopRightPanel), Panel11);

    // The version line fills the bottom panel; the panel grows to hold it.
    VersionLabel = MakeLabel("VersionLabel", "", BottomPanel);
    VersionLabel->setAlignment(Qt::AlignCenter);
    QFont small = VersionLabel->font();
    small.setPixelSize(12);
    VersionLabel->setFont(small);
    BottomPanel->setFixedHeight(22);
    auto* bottomRow = static_cast<QHBoxLayout*>(BottomPanel->layout());
    delete bottomRow->takeAt(0);  // the spacer before the size grip
    bottomRow->insertWidget(0, VersionLabel, 1);
}

void TDravnAdmForm::BuildServerTab() {
    ServerTab = MakePage("ServerTab", PageControl1, "Server");
    auto* layout = new QVBoxLayout(ServerTab);
    layout->setContentsMargins(40, 40, 40, 40);
    ServerButton = MakeButton("ServerButton", "Kople til server", ServerTab);
    ServerButton->setFixedSize(300, 60);
    layout->addWidget(ServerButton, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);
    connect(ServerButton, &QPushButton::clicked, this, [this] { ServerButtonClick(); });
}

void TDravnAdmForm::BuildDatabaseTab() {
    DatabaseTab = MakePage("DatabaseTab", PageControl1, "Database");
    auto* layout = new QVBoxLayout(DatabaseTab);
    layout->setContentsMargins(40, 30, 40, 20);
    layout->setSpacing(14);
    Label9 = MakeLabel(
        "Label9", "Vel database frå lista, eller skriv inn namn på ny database som skal opprettast på server",
        DatabaseTab, true);
    layout->addWidget(Label9);

    auto* row = new QHBoxLayout();
    row->setSpacing(12);
    Label1 = MakeLabel("Label1", "Database:", DatabaseTab);
    Label1->installEventFilter(this);
    eDatabase = new QComboBox(DatabaseTab);
    eDatabase->setObjectName("eDatabase");
    eDatabase->setEditable(true);
    eDatabase->setInsertPolicy(QComboBox::NoInsert);
    eDatabase->setMinimumHeight(34);
    eDatabase->setFixedWidth(420);
    eDatabase->setMaxVisibleItems(20);
    eDatabase->setEditText("solvenkaret");
    Label1->setBuddy(eDatabase);
    Button1 = MakeButton("Button1", ">>", DatabaseTab);
    Button1->setFixedWidth(60);
    row->addWidget(Label1);
    row->addWidget(eDatabase);
    row->addWidget(Button1);
    row->addStretch(1);
    layout->addLayout(row);

    auto* buttons = new QHBoxLayout();
    buttons->setSpacing(12);
    buttons->addSpacing(Label1->sizeHint().width() + 12);
    CreateDatabaseButton = MakeButton("CreateDatabaseButton", "Lag database og tabeller", DatabaseTab, 240);
    DropDatabaseButton = MakeButton("DropDatabaseButton", "Slett database", DatabaseTab, 170);
    CreateDatabaseButton->hide();
    DropDatabaseButton->hide();
    buttons->addWidget(CreateDatabaseButton);
    buttons->addWidget(DropDatabaseButton);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addStretch(1);

    ShowSystemDatabases =
        new QCheckBox("Vis systemdatabaser i listen (kun for databaseadministratorer)", DatabaseTab);
    ShowSystemDatabases->setObjectName("ShowSystemDatabases");
    layout->addWidget(ShowSystemDatabases);

    connect(eDatabase, &QComboBox::activated, this, [this](int index) { eDatabaseCloseUp(index); });
    connect(eDatabase, &QComboBox::editTextChanged, this, [this] { eDatabaseChange(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(CreateDatabaseButton, &QPushButton::clicked, this, [this] { CreateDatabaseButtonClick(); });
    connect(DropDatabaseButton, &QPushButton::clicked, this, [this] { DropDatabaseButtonClick(); });
    connect(ShowSystemDatabases, &QCheckBox::clicked, this, [this] { ShowSystemDatabasesClick(); });
}

void TDravnAdmForm::BuildUserTab() {
    UserTab = MakePage("UserTab", PageControl1, "Brukarar");
    auto* layout = new QHBoxLayout(UserTab);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(20);

    Panel7 = new QFrame(UserTab);
    Panel7->setObjectName("Panel7");
    Panel7->setFixedWidth(340);
    auto* left = new QVBoxLayout(Panel7);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(2);
    eRealname = MakeEdit("eRealname", Panel7);
    eEmail = MakeEdit("eEmail", Panel7);
    eInitials = MakeEdit("eInitials", Panel7);
    eUser = MakeEdit("eUser", Panel7);
    ePasswd = MakeEdit("ePasswd", Panel7);
    ePasswd->setEchoMode(QLineEdit::Password);
    AddLabelled(left, "eRealnameLabel", "Navn:", eRealname);
    AddLabelled(left, "eEmailLabel", "Epostadresse:", eEmail);
    AddLabelled(left, "eInitialsLabel", "Initialer:", eInitials);
    AddLabelled(left, "eUserLabel", "Brukernamn:", eUser);
    AddLabelled(left, "ePasswdLabel", "Passord:", ePasswd);
    left->addSpacing(10);
    CreateUserButton = MakeButton("CreateUserButton", "Opprett brukar", Panel7);
    CreateUserButton->setEnabled(false);
    left->addWidget(CreateUserButton);
    ServerUser = new QCheckBox("Opprett på server", Panel7);
    ServerUser->setObjectName("ServerUser");
    left->addWidget(ServerUser);
    left->addStretch(1);
    layout->addWidget(Panel7);

    Panel8 = new QFrame(UserTab);
    Panel8->setObjectName("Panel8");
    auto* right = new QVBoxLayout(Panel8);
    right->setContentsMargins(0, 0, 0, 0);
    DBGrid2 = new QTableWidget(0, 7, Panel8);
    DBGrid2->setObjectName("DBGrid2");
    DBGrid2->setHorizontalHeaderLabels(
        {"navn", "epost", "initialer", "mobil", "brukernavn", "gruppe", "pålogginger"});
    DBGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    right->addWidget(DBGrid2, 1);
    UserButtonPanel = new QFrame(Panel8);
    UserButtonPanel->setObjectName("UserButtonPanel");
    auto* buttons = new QHBoxLayout(UserButtonPanel);
    buttons->setContentsMargins(0, 6, 0, 0);
    Button2 = MakeButton("Button2", "Sett bruker som inaktiv", UserButtonPanel);
    Button3 = MakeButton("Button3", "Aktiver bruker", UserButtonPanel);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    buttons->addStretch(1);
    UserButtonPanel->hide();
    right->addWidget(UserButtonPanel);
    layout->addWidget(Panel8, 1);
}

void TDravnAdmForm::BuildTablesTab() {
    TabSheet2 = MakePage("TabSheet2", PageControl1, "Tabellar");
    auto* layout = new QHBoxLayout(TabSheet2);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(16);

    auto* first = new QVBoxLayout();
    Label2 = MakeLabel("Label2", "Solvenkaret:", TabSheet2);
    DravnTables = MakeCheckList("DravnTables", TabSheet2);
    DravnTables->setSortingEnabled(true);
    Label11 =
        MakeLabel("Label11",
                  "Denne lista viser standard tabeller til Solvenkaret. Tabellar som er funne på server er "
                  "merka (avhaka).",
                  TabSheet2, true);
    QFont note = font();
    note.setPixelSize(13);
    Label11->setFont(note);
    first->addWidget(Label2);
    first->addWidget(DravnTables, 1);
    first->addWidget(Label11);
    auto* firstPanel = new QWidget(TabSheet2);
    firstPanel->setObjectName("DravnTablesPanel");
    firstPanel->setFixedWidth(190);
    first->setContentsMargins(0, 0, 0, 0);
    firstPanel->setLayout(first);
    layout->addWidget(firstPanel);

    auto* second = new QVBoxLayout();
    Label3 = MakeLabel("Label3", "Server:", TabSheet2);
    ServerTables = MakeCheckList("ServerTables", TabSheet2);
    Label12 =
        MakeLabel("Label12",
                  "Denne lista viser tabellar funne i databasa. Tabellar som er merka er tabellar som "
                  "tilhøyrer Solvenkaret. NB! det kan vere fleire av tabellane som tilhøyrer Solvenkaret, "
                  "eksempelvis varelager.",
                  TabSheet2, true);
    Label12->setFont(Label11->font());
    second->addWidget(Label3);
    second->addWidget(ServerTables, 1);
    second->addWidget(Label12);
    auto* secondPanel = new QWidget(TabSheet2);
    secondPanel->setObjectName("ServerTablesPanel");
    secondPanel->setFixedWidth(220);
    second->setContentsMargins(0, 0, 0, 0);
    secondPanel->setLayout(second);
    layout->addWidget(secondPanel);

    // The right column holds the upgrade and the two conversions, each button over its
    // explanation; on a small window it scrolls rather than squeezing the texts.
    auto* scroll = new QScrollArea(TabSheet2);
    scroll->setObjectName("TablesScroll");
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* column = new QWidget(scroll);
    column->setObjectName("TablesColumn");
    auto* right = new QVBoxLayout(column);
    right->setContentsMargins(0, 0, 8, 0);
    right->setSpacing(6);
    QFont explanation = font();
    explanation.setPixelSize(13);
    QFont buttonFont = font();
    buttonFont.setPixelSize(14);
    auto addAction = [&](QPushButton* button, QLabel* text, QLabel* done) {
        button->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
        button->setFont(buttonFont);
        text->setWordWrap(true);
        text->setFont(explanation);
        right->addWidget(button);
        right->addWidget(text);
        if (done) {
            SetTextColor(done, QColor(0, 128, 0));
            done->setFont(explanation);
            done->hide();
            QSizePolicy keep = done->sizePolicy();
            keep.setRetainSizeWhenHidden(true);
            done->setSizePolicy(keep);
            right->addWidget(done);
        }
        right->addSpacing(10);
    };
    CreateTableButton = MakeButton("CreateTableButton", "Sjekk og oppgrader tabellar", column);
    Label10 =
        MakeLabel("Label10",
                  "Sjekk og korriger alle nødvendige tabellar til Solvenkaret. Manglande tabellar og felt "
                  "blir oppretta. Denne rutina krev at du er administrator på server. Overflødige tabellar "
                  "og felt i tabellar blir ikkje fjerna.",
                  column);
    addAction(CreateTableButton, Label10, nullptr);

    BigBlobButton = MakeButton("BigBlobButton", "Klargjer dokumentdatabase for store datamengder", column);
    BigBlobText =
        MakeLabel("BigBlobText",
                  "Denne rutina opprettar ein eigen tabell for dokumentdata (document_blob) , kopierer "
                  "data og fjernar data i dokumenttabellen (document). Denne rutina sjekker fyrst om "
                  "det er gjennomførbart. Du får spørsmål om fullføring før programmet foretek "
                  "flytting av data.",
                  column);
    BigBlobLabel = MakeLabel("BigBlobLabel", "Dokumentdatabasa er klargjort for store datamengder", column);
    addAction(BigBlobButton, BigBlobText, BigBlobLabel);

    SplitBlobButton = MakeButton("SplitBlobButton", "Klargjer dokumentdatabase for fleire filer", column);
    SplitBlobText =
        MakeLabel("SplitBlobText",
                  "Denne rutina opprettar fleire nye tabellar for data "
                  "(document_blob_1-document_blob_20) slik at dokumenta blir splitta i fleire "
                  "tabellar. Det er standard 5000 dokument i kvar tabell. Dette valet kan kun brukast "
                  "dersom dokumentdatabasa er klargjort for store datamengder.",
                  column);
    SplitBlobLabel = MakeLabel("SplitBlobLabel", "Dokumentdatabasa er klargjort for fleire filer", column);
    addAction(SplitBlobButton, SplitBlobText, SplitBlobLabel);

    auto* examples = new QHBoxLayout();
    examples->setSpacing(12);
    auto* example1 = new QVBoxLayout();
    Label13 = MakeLabel("Label13", "Eksempel på manuell klargjering", column);
    Memo1 = MakeMemo(
        "Memo1", column,
        {"USE databasenamn; ", "", "CREATE TABLE IF NOT EXISTS ", "document_blob_1 LIKE  document_blob;", "",
         "INSERT INTO document_blob_1  SELECT * ", "FROM document_blob WHERE id>=5000 AND ", "id<10000;", "",
         "DELETE FROM document_blob WHERE id>=5000 ", "AND id<10000;"});
    example1->addWidget(Label13);
    example1->addWidget(Memo1, 1);
    auto* example2 = new QVBoxLayout();
    Label28 = MakeLabel("Label28", "Eksempel på sletting av ubrukte indekser", column);
    QStringList drops{"ALTER TABLE `document_blob_1`"};
    const QStringList indexes{"fulltextindex",       "category_index",      "companyindex",
                              "systemid_index",      "otherindex",          "object_tag_index",
                              "user_favorite_index", "countrycode_index",   "bannerid_index",
                              "productid_index",     "newsid_index",        "entryid_index",
                              "invoiceid_index",     "poid_index",          "offerid_index",
                              "companyid_index",     "user_index",          "rwx_all_index",
                              "assetid_index",       "userid_index",        "external_contact_index",
                              "document_name_index", "document_mime_index", "orderid_index",
                              "projectid_index",     "subject_index",       "document_type_index",
                              "updated_index"};
    for (int i = 0; i < indexes.size(); ++i)
        drops << "  DROP INDEX `" + indexes[i] + "`" + (i + 1 < indexes.size() ? "," : ";");
    Memo2 = MakeMemo("Memo2", column, drops);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    example2->addWidget(Label28);
    example2->addWidget(Memo2, 1);
    for (QLabel* title : {Label13, Label28}) {
        title->setFont(explanation);
        title->setWordWrap(true);
    }
    for (QPlainTextEdit* memo : {Memo1, Memo2}) {
        memo->setMinimumHeight(170);
        memo->setMinimumWidth(60);
    }
    examples->addLayout(example1, 1);
    examples->addLayout(example2, 1);
    right->addLayout(examples, 1);
    scroll->setWidget(column);
    layout->addWidget(scroll, 1);

    // The document-storage conversions come with the maintenance functions.
    BigBlobButton->setEnabled(false);
    SplitBlobButton->setEnabled(false);

    connect(CreateTableButton, &QPushButton::clicked, this, [this] { CreateTableButtonClick(); });
    connect(ServerTables, &QListWidget::itemDoubleClicked, this, [this] { ServerTablesDblClick(); });
}

void TDravnAdmForm::BuildBackupTab() {
    TabSheet1 = MakePage("TabSheet1", PageControl1, "Sikkerheitskopiering");
    auto* layout = new QHBoxLayout(TabSheet1);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(20);
    auto* panel13 = new QFrame(TabSheet1);
    panel13->setObjectName("Panel13");
    panel13->setFixedWidth(320);
    auto* left = new QVBoxLayout(panel13);
    left->setContentsMargins(0, 0, 0, 0);
    Label14 = MakeLabel("Label14", "Tabeller:", panel13);
    BackupTables = MakeCheckList("BackupTables", panel13);
    Button6 = MakeButton("Button6", "Merk / fjern merker på alle", panel13);
    left->addWidget(Label14);
    left->addWidget(BackupTables, 1);
    left->addWidget(Button6);
    layout->addWidget(panel13);

    auto* right = new QVBoxLayout();
    right->setSpacing(18);
    CopyTablesOnServerButton =
        MakeButton("CopyTablesOnServerButton", "Kopier valde tabellar på server", TabSheet1);
    RemoveBackupButton =
        MakeButton("RemoveBackupButton", "Fjern tabellar som er kopiert på server", TabSheet1);
    CopyTablesToDiskButton =
        MakeButton("CopyTablesToDiskButton", "Kopier valde tabellar lokalt på disk", TabSheet1);
    CopyToLocalServer =
        MakeButton("CopyToLocalServer", "Kopierer valde tabellar til lokal server", TabSheet1);
    right->addLayout(ButtonWithText(
        CopyTablesOnServerButton,
        MakeLabel("Label15",
                  "Valgte tabeller blir kopier på server med med tabellnavnet utvidet med backup_dv6 og dato",
                  TabSheet1)));
    right->addLayout(ButtonWithText(
        RemoveBackupButton,
        MakeLabel("Label16", "Fjerner alle tabellar som inneheld \"backup_dv6\" i tabellnamnet.",
                  TabSheet1)));
    right->addLayout(ButtonWithText(
        CopyTablesToDiskButton,
        MakeLabel("Label17", "Tabellene blir kopiert lokalt til disk i en mappe som velges før kopiering.",
                  TabSheet1)));
    right->addLayout(ButtonWithText(
        CopyToLocalServer,
        MakeLabel("Label22",
                  "Valde tabellar blir kopiert til lokal server (localhost) med same databasenamn.",
                  TabSheet1)));
    right->addStretch(1);
    layout->addLayout(right, 1);
    for (QPushButton* b :
         {Button6, CopyTablesOnServerButton, RemoveBackupButton, CopyTablesToDiskButton, CopyToLocalServer})
        b->setEnabled(false);
    connect(BackupTables, &QListWidget::itemDoubleClicked, this, [this] { ServerTablesDblClick(); });
}

void TDravnAdmForm::BuildReplicateTab() {
    Replicate = MakePage("Replicate", PageControl1, "Replikering");
    auto* layout = new QVBoxLayout(Replicate);
    layout->setContentsMargins(40, 30, 40, 30);
    auto* row = new QHBoxLayout();
    row->setSpacing(30);
    auto makeReadOnly = [this](const QString& name) {
        QLineEdit* e = MakeEdit(name, Replicate);
        e->setReadOnly(true);
        e->setEnabled(false);
        e->setFixedWidth(300);
        return e;
    };
    auto* from = new QVBoxLayout();
    RemoteReplServer = makeReadOnly("RemoteReplServer");
    RemoteReplDatabase = makeReadOnly("RemoteReplDatabase");
    AddLabelled(from, "Label8", "Frå server:", RemoteReplServer);
    AddLabelled(from, "Label24", "Database:", RemoteReplDatabase);
    auto* middle = new QVBoxLayout();
    ReplicateButton = MakeButton("ReplicateButton", "REPLIKÈR -->", Replicate, 200);
    ReplicateButton->setEnabled(false);
    ReplBlob = new QCheckBox("Replikér dokument", Replicate);
    ReplBlob->setObjectName("ReplBlob");
    middle->addStretch(1);
    middle->addWidget(ReplicateButton);
    middle->addWidget(ReplBlob);
    middle->addStretch(1);
    auto* to = new QVBoxLayout();
    LocalReplServer = makeReadOnly("LocalReplServer");
    LocalReplDatabase = makeReadOnly("LocalReplDatabase");
    AddLabelled(to, "Label23", "Til server:", LocalReplServer);
    AddLabelled(to, "Label25", "Database:", LocalReplDatabase);
    row->addLayout(from);
    row->addLayout(middle);
    row->addLayout(to);
    row->addStretch(1);
    layout->addLayout(row);

    ProgressPanel = new QFrame(Replicate);
    ProgressPanel->setObjectName("ProgressPanel");
    auto* progress = new QVBoxLayout(ProgressPanel);
    TableLabel = MakeLabel("TableLabel", "Tabell:", ProgressPanel);
    ProgressBar1 = new QProgressBar(ProgressPanel);
    ProgressBar1->setObjectName("ProgressBar1");
    IDLabel = MakeLabel("IDLabel", "ID:", ProgressPanel);
    ProgressBar2 = new QProgressBar(ProgressPanel);
    ProgressBar2->setObjectName("ProgressBar2");
    for (QProgressBar* bar : {ProgressBar1, ProgressBar2}) {
        bar->setRange(0, 100);
        bar->setValue(0);
    }
    progress->addWidget(TableLabel);
    progress->addWidget(ProgressBar1);
    progress->addWidget(IDLabel);
    progress->addWidget(ProgressBar2);
    ProgressPanel->hide();
    layout->addWidget(ProgressPanel);
    layout->addStretch(1);
}

void TDravnAdmForm::BuildMaintenanceTab() {
    TabSheet3 = MakePage("TabSheet3", PageControl1, "Vedlikehald");
    auto* layout = new QVBoxLayout(TabSheet3);
    layout->setContentsMargins(16, 16, 16, 16);
    auto* panel1 = new QFrame(TabSheet3);
    panel1->setObjectName("Panel1");
    auto* top = new QVBoxLayout(panel1);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(10);
    SpeedButton2 = MakeButton("SpeedButton2", "Optimaliser tabeller", panel1);
    SpeedButton4 = MakeButton("SpeedButton4", "Sjekk tabeller", panel1);
    SpeedButton5 = MakeButton("SpeedButton5", "Reparer tabell", panel1);
    top->addLayout(ButtonWithText(
        SpeedButton2,
        MakeLabel(
            "Label26",
            "Denne rutina optimaliserar tabellane i databasa. Data blir pakket betre for å spare plass, og "
            "indeksane blir reorganisert slik at tilgangen til data blir raskare.",
            panel1)));
    top->addLayout(ButtonWithText(SpeedButton4,
                                  MakeLabel("Label27", "Denne rutina sjekkar tabellar for feil.", panel1)));
    auto* repair = new QHBoxLayout();
    repair->setSpacing(16);
    SpeedButton5->setFixedWidth(300);
    eRepairTable = MakeEdit("eRepairTable", panel1);
    eRepairTable->setFixedWidth(300);
    auto* repairEdit = new QVBoxLayout();
    AddLabelled(repairEdit, "eRepairTableLabel", "Namn på tabell som skal repareres:", eRepairTable);
    repair->addWidget(SpeedButton5, 0, Qt::AlignBottom);
    repair->addLayout(repairEdit);
    repair->addStretch(1);
    top->addLayout(repair);
    NoBlobOpt = new QCheckBox("Ikkje sjekk document_blob-filer", panel1);
    NoBlobOpt->setObjectName("NoBlobOpt");
    NoBlobOpt->setChecked(true);
    top->addWidget(NoBlobOpt);
    layout->addWidget(panel1);
    StringGrid1 = new QTableWidget(TabSheet3);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(StringGrid1, 1);
    for (QPushButton* b : {SpeedButton2, SpeedButton4, SpeedButton5})
        b->setEnabled(false);
}

void TDravnAdmForm::BuildBrowserTab() {
    TabSheet4 = MakePage("TabSheet4", PageControl1, "Datatabell");
    auto* layout = new QVBoxLayout(TabSheet4);
    layout->setContentsMargins(8, 8, 8, 8);
    auto* panel3 = new QFrame(TabSheet4);
    panel3->setObjectName("Panel3");
    auto* sentence = new QHBoxLayout(panel3);
    sentence->setContentsMargins(0, 0, 0, 0);
    sentence->setSpacing(8);
    SelectEdit = MakeEdit("SelectEdit", panel3);
    SelectEdit->setText("*");
    TableCombo = new QComboBox(panel3);
    TableCombo->setObjectName("TableCombo");
    TableCombo->setEditable(true);
    TableCombo->setInsertPolicy(QComboBox::NoInsert);
    TableCombo->setMinimumWidth(220);
    WhereEdit = MakeEdit("WhereEdit", panel3);
    SpeedButton1 = MakeButton("SpeedButton1", "Oppdater", panel3);
    SpeedButton1->setEnabled(false);
    sentence->addWidget(MakeLabel("Label5", "SELECT", panel3));
    sentence->addWidget(SelectEdit, 1);
    sentence->addWidget(MakeLabel("Label6", "FROM", panel3));
    sentence->addWidget(TableCombo);
    sentence->addWidget(MakeLabel("Label7", "WHERE", panel3));
    sentence->addWidget(WhereEdit, 2);
    sentence->addWidget(SpeedButton1);
    sentence->addWidget(MakeLabel("Label4", "Felt:", panel3));
    layout->addWidget(panel3);

    auto* row = new QHBoxLayout();
    auto* panel4 = new QFrame(TabSheet4);
    panel4->setObjectName("Panel4");
    panel4->setFixedWidth(240);
    auto* fields = new QVBoxLayout(panel4);
    fields->setContentsMargins(0, 0, 0, 0);
    FieldList = MakeCheckList("FieldList", panel4);
    AddFieldButton = MakeButton("AddFieldButton", "Sjekk og opprett felt", panel4);
    AddFieldButton->setEnabled(false);
    fields->addWidget(FieldList, 1);
    fields->addWidget(AddFieldButton);
    row->addWidget(panel4);
    DBGrid1 = new QTableWidget(TabSheet4);
    DBGrid1->setObjectName("DBGrid1");
    row->addWidget(DBGrid1, 1);
    layout->addLayout(row, 1);
}

void TDravnAdmForm::BuildSchemaTab() {
    TabSheet7 = MakePage("TabSheet7", PageControl1, "SQL CREATE CODE");
    auto* layout = new QVBoxLayout(TabSheet7);
    layout->setContentsMargins(4, 4, 4, 4);
    SQLCreateMemo = MakeMemo("SQLCreateMemo", TabSheet7, {});
    SQLCreateMemo->setPlainText(Q(script_.text()));
    layout->addWidget(SQLCreateMemo);
}

void TDravnAdmForm::BuildLinksPanel() {
    Panel14 = new QFrame(this);
    Panel14->setObjectName("Panel14");
    Panel14->setFixedWidth(132);
    FillWith(Panel14, Qt::white);
    auto* layout = new QVBoxLayout(Panel14);
    layout->setContentsMargins(8, 24, 8, 8);
    layout->setSpacing(4);
    auto addLink = [&](TImage*& image, QLabel*& caption, const QString& imageName, const QString& labelName,
                       const QPixmap& picture, const QString& text) {
        image = new TImage(imageName, Panel14);
        image->setPixmap(picture);
        image->setFixedHeight(72);
        caption = MakeLabel(labelName, text, Panel14);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        QFont f = caption->font();
        f.setPixelSize(13);
        caption->setFont(f);
        layout->addWidget(image);
        layout->addWidget(caption);
        layout->addSpacing(18);
    };
    addLink(Image1, Label20, "Image1", "Label20", DrawDatabasePicture(64, QColor(0x00, 0x3E, 0x5C), "Ma"),
            "MariaDB server");
    addLink(Image2, Label19, "Image2", "Label19", DrawDatabasePicture(64, QColor(0x00, 0x75, 0x8F), "My"),
            "MySQL server");
    addLink(Image3, Label18, "Image3", "Label18", DrawMakerLogo(116, 46), "Brenmoto");
    addLink(Image4, Label21, "Image4", "Label21", DrawDatabasePicture(64, QColor(0x5D, 0x40, 0x37), "Mon"),
            "DB Monitor");
    layout->addStretch(1);
    connect(Image1, &TImage::clicked, this, [this] { Image1Click(); });
    connect(Image2, &TImage::clicked, this, [this] { Image2Click(); });
    connect(Image3, &TImage::clicked, this, [this] { Image3Click(); });
    connect(Image4, &TImage::clicked, this, [this] { Image4Click(); });
}

// ---- Creation, showing and closing ---------------------------------------------------------

void TDravnAdmForm::FormCreate() {
    TDialogSizeableForm::FormCreate();
    VersionLabel->setText(
        "Solvenkaret 11¾  |  24.11.2026  |  MySQL 5, Devart MyDAC 13.0.0  |  PIV:11.69/64-3361  |   "
        "Brenmoto AS, Noreg");

    // The schema's tables, from the lines of the script that open a CREATE TABLE statement.
    DravnTables->clear();
    const QStringList lines = SQLCreateMemo->toPlainText().split('\n');
    for (QString line : lines) {
        const int at = line.indexOf(kCreateTableMarker);
        if (at < 0)
            continue;
        line.remove(at, int(std::char_traits<char>::length(kCreateTableMarker)));
        const int quote = line.indexOf('`');
        if (quote >= 0)
            line.truncate(quote);
        auto* item = new QListWidgetItem(line, DravnTables);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void TDravnAdmForm::FormShow() {
    TDialogSizeableForm::FormShow();
    ActivatePage(PageControl1->indexOf(ServerTab));
    // The connection starts once the window is up; the logon window then opens over it.
    QTimer::singleShot(0, this, [this] { ServerButtonClick(); });
}

void TDravnAdmForm::FormClose() {
    TDialogSizeableForm::FormClose();
    SqlConnection& db = forms_.session.DatabaseConnection;
    if (db.isOpen())
        db.close();
}

void TDravnAdmForm::closeEvent(QCloseEvent* event) {
    TDialogSizeableForm::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

bool TDravnAdmForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label1 && event->type() == QEvent::MouseButtonDblClick) {
        Label1DblClick();
        return true;
    }
    return TDialogSizeableForm::eventFilter(watched, event);
}

// ---- Connect and disconnect ----------------------------------------------------------------

void TDravnAdmForm::ServerButtonClick() {
    Session& session = forms_.session;
    Settings& settings = forms_.settings();
    if (session.DatabaseConnection.isOpen()) {
        session.DisconnectDatabase();
        ServerShape->SetBrushColor(kGray);
        ServerButton->setText("Koble til server");
    } else {
        MyQuery.close();
        MyQuery.setConnection(&session.DatabaseConnection);
        UserQuery.setConnection(&session.DatabaseConnection);
        // Only the logon window may preset a database.
        session.ConnectionSettings.Database.clear();
        eDatabase->clear();
        eDatabase->clearEditText();

        const int method = LogonWindow(kLogonCaption, 0);
        bool connected = false;
        if (method == 1)
            connected = session.iConnect();
        if (!connected && LookupUserInDirectory(forms_.foundation, session, session.SignedInUser.Email,
                                                session.Logon.LogonPassword, session.SignedInUser.CardCode))
            connected = session.iConnect();
        if (!connected)
            connected = session.ConnectOffline();

        if (!connected) {
            ServerShape->SetBrushColor(kRed);
            ServerShape->show();
            ServerButton->setText(session.DatabaseConnection.isOpen() ? "Kople frå server"
                                                                      : "Prøv tilkopling igjen");
        } else {
            // A server without the staff table (no database chosen, or a database that is not a
            // company database yet) cannot sign the user in; that has been reported and logged,
            // and the administrator rule below decides whether the session may go on.
            try {
                session.SignInUser();
            } catch (const SqlError& e) {
                forms_.foundation.LogLine("SQLERROR: " + std::string(e.what()));
            }
            ServerButton->setText("Kople fra server");
            eDatabase->clear();
            eDatabase->clearEditText();
            ServerShape->SetBrushColor(kLime);
            ServerShape->show();
            ShowSessionLabels();
            LoadDatabaseList();
            SelectNextPage();
        }
    }
    // A cancelled logon ends the program anyway: no password question on the way out.
    if (!settings.ProgramTerminating)
        session.RequireSystemAdministrator();
}

void TDravnAdmForm::ShowSessionLabels() {
    Session& session = forms_.session;
    Serverlabel->setText(Q(session.ConnectionSettings.User + "@" + session.ConnectionSettings.Server));
    const std::string database =
        session.DatabaseConnection.isOpen() ? session.DatabaseConnection.currentDatabase() : std::string();
    Databaselabel->setText(Q("database: " + database));
}

void TDravnAdmForm::LoadDatabaseList() {
    const std::vector<std::string> all = forms_.session.DatabaseConnection.databases();
    const bool showSystem = ShowSystemDatabases->isChecked();
    const QString text = eDatabase->currentText();
    {
        const QSignalBlocker block(eDatabase);
        eDatabase->clear();
        for (const std::string& name : FilterDatabaseList(all, showSystem))
            eDatabase->addItem(Q(name));
        eDatabase->setCurrentIndex(-1);
        eDatabase->setEditText(showSystem ? text : QString());
    }
    eDatabaseChange();
}

void TDravnAdmForm::ShowSystemDatabasesClick() {
    LoadDatabaseList();
}

std::vector<std::string> TDravnAdmForm::DatabaseItems() const {
    std::vector<std::string> items;
    for (int i = 0; i < eDatabase->count(); ++i)
        items.push_back(S(eDatabase->itemText(i)));
    return items;
}

bool TDravnAdmForm::DatabaseListed(const std::string& name) const {
    return dravn::DatabaseListed(DatabaseItems(), name);
}

void TDravnAdmForm::eDatabaseCloseUp(int index) {
    if (index < 0)
        return;
    forms_.session.DatabaseConnection.selectDatabase(S(eDatabase->itemText(index)));
    RefreshTableState();
    ShowSessionLabels();
}

void TDravnAdmForm::eDatabaseChange() {
    const std::string text = S(eDatabase->currentText());
    CreateDatabaseButton->setVisible(OfferDatabaseCreation(text, DatabaseItems()));
}

// ---- Table state ---------------------------------------------------------------------------

std::vector<std::string> TDravnAdmForm::ItemTexts(const QListWidget* list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list->count(); ++i)
        texts.push_back(S(list->item(i)->text()));
    return texts;
}

std::vector<std::string> TDravnAdmForm::CheckedTexts(const QListWidget* list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            texts.push_back(S(list->item(i)->text()));
    return texts;
}

void TDravnAdmForm::FillFieldList(const std::vector<std::string>& names) {
    FieldList->clear();
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(Q(name), FieldList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void TDravnAdmForm::RefreshTableState() {
    Session& session = forms_.session;
    const TableState state = dravn::RefreshTableState(session.DatabaseConnection, ItemTexts(DravnTables));

    FillFieldList(state.FieldList);
    session.DocumentsInBlobTable = state.DocumentsInBlobTable;
    BigBlobLabel->setVisible(state.DocumentsInBlobTable);
    SetTextColor(BigBlobText, state.DocumentsInBlobTable ? kGray : Qt::black);
    BigBlobButton->setEnabled(!state.DocumentsInBlobTable);

    session.DocumentBlobsSplit = state.DocumentBlobsSplit;
    SplitBlobLabel->setVisible(state.DocumentBlobsSplit);
    SetTextColor(SplitBlobText, state.DocumentBlobsSplit ? kGray : Qt::black);
    SplitBlobButton->setEnabled(!state.DocumentBlobsSplit);

    {
        const QSignalBlocker block(TableCombo);
        TableCombo->clear();
        for (const std::string& name : state.TableCombo)
            TableCombo->addItem(Q(name));
        TableCombo->setCurrentIndex(-1);
    }
    // DravnTables keeps itself sorted; its checks follow the names.
    for (int i = 0; i < DravnTables->count(); ++i) {
        QListWidgetItem* item = DravnTables->item(i);
        bool present = false;
        for (const CheckedName& c : state.DravnTables)
            if (c.name == S(item->text()))
                present = c.checked;
        item->setCheckState(present ? Qt::Checked : Qt::Unchecked);
    }
    SetCheckItems(ServerTables, state.ServerTables);
    std::vector<CheckedName> backups;
    for (const std::string& name : state.BackupTables)
        backups.push_back({name, false});
    SetCheckItems(BackupTables, backups);
}

// ---- Tabs ----------------------------------------------------------------------------------

void TDravnAdmForm::PageControl1Changing() {
    Session& session = forms_.session;
    SqlConnection& db = session.DatabaseConnection;
    const std::string database = db.isOpen() ? db.currentDatabase() : std::string();
    LocalConnectionSettings.database = database;
    LocalReplServer->setText(Q(LocalConnectionSettings.server));
    LocalReplDatabase->setText(Q(LocalConnectionSettings.database));
    RemoteReplServer->setText(Q(session.ConnectionSettings.Server));
    RemoteReplDatabase->setText(Q(database));
    ProgressBar1->setValue(0);
    ProgressBar2->setValue(0);
}

void TDravnAdmForm::ActivatePage(int index) {
    if (index == PageControl1->currentIndex())
        return;
    PageControl1Changing();
    changingDone_ = true;
    PageControl1->setCurrentIndex(index);
    changingDone_ = false;
}

void TDravnAdmForm::SelectNextPage() {
    const int count = PageControl1->count();
    int index = PageControl1->currentIndex();
    for (int step = 0; step < count; ++step) {
        index = (index + 1) % count;
        if (PageControl1->isTabVisible(index))
            break;
    }
    ActivatePage(index);
}

void TDravnAdmForm::Button1Click() {
    SelectNextPage();
}

// ---- Database creation and removal ---------------------------------------------------------

bool TDravnAdmForm::RunSQL(const std::string& statement) {
    return forms_.session.RunSQL(statement);
}

void TDravnAdmForm::CreateDatabaseButtonClick() {
    const std::string name = S(eDatabase->currentText());
    const bool created = CreateCompanyDatabase(
        forms_.session.DatabaseConnection, script_, [this](const std::string& s) { return RunSQL(s); },
        forms_.ui(), name, [this] { RefreshTableState(); });
    if (!created)
        return;
    ShowSessionLabels();
    SelectNextPage();
}

void TDravnAdmForm::Label1DblClick() {
    DropDatabaseButton->show();
}

void TDravnAdmForm::DropDatabaseButtonClick() {
    const std::string name = S(eDatabase->currentText());
    DropCompanyDatabase(forms_.session.DatabaseConnection, forms_.ui(), name, [this] { LoadDatabaseList(); });
    ShowSessionLabels();
}

// ---- Table upgrade -------------------------------------------------------------------------

void TDravnAdmForm::CreateTableButtonClick() {
    BarProgress ui(forms_.ui(), Bar);
    const std::vector<std::string> fields = UpgradeTables(
        forms_.session.DatabaseConnection, script_, [this](const std::string& s) { return RunSQL(s); }, ui,
        ItemTexts(DravnTables), ItemTexts(ServerTables), [this] { RefreshTableState(); });
    FillFieldList(fields);
}

void TDravnAdmForm::ServerTablesDblClick() {
    const QList<QListWidgetItem*> selected = ServerTables->selectedItems();
    if (selected.isEmpty())
        return;
    FillFieldList(forms_.session.DatabaseConnection.fieldNames(S(selected.front()->text())));
}

// ---- Links ---------------------------------------------------------------------------------

void TDravnAdmForm::Image1Click() {
    forms_.ui().shellOpen(MariaDbDownloadPage);
}
void TDravnAdmForm::Image2Click() {
    forms_.ui().shellOpen(MySqlDownloadPage);
}
void TDravnAdmForm::Image3Click() {
    forms_.ui().shellOpen(MakerWebSite);
}
void TDravnAdmForm::Image4Click() {
    forms_.ui().shellOpen(MonitorPage);
}

}  // namespace dravn
