#include "forms/logon_form.h"
#include "forms/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

#include "forms/pictures.h"
#include "foundation/cleanup.h"
#include "foundation/text_date.h"
#include "session/session.h"
#include "windows/reg_text.h"
#include "windows/window_placement.h"

namespace dravn {

namespace {

constexpr int kHeaderHeight = 73;
constexpr int kUserPanelHeight = 223;
constexpr int kServerPanelHeight = 294;
constexpr int kRFIDPanelHeight = 139;
constexpr int kPanel2Height = 122;
constexpr int kPanel1Height = 80;
constexpr int kBottomPanelHeight = 51;

constexpr const char* kVersionText = "Versjon 11.69-3361  24.11.2026";
constexpr const char* kMakerNotice = "Copyright © Brenmoto AS 2001-";
constexpr const char* kEmailList = "PersonalEmailList";

QFrame* MakePanel(const QString& name, int height, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::NoFrame);
    panel->setFixedHeight(height);
    return panel;
}

QLineEdit* MakeEdit(const QString& name, QWidget* parent, bool secret = false) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumHeight(32);
    if (secret)
        edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// An underlined text that reacts to a click, like a web link.
TImage* MakeLink(const QString& name, const QString& text, QWidget* parent) {
    auto* link = new TImage(name, parent);
    link->setText(text);
    QFont f = link->font();
    f.setUnderline(true);
    link->setFont(f);
    QPalette p = link->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 128));
    link->setPalette(p);
    return link;
}

// A label above its edit, the pair added to the layout.
void AddLabelled(QVBoxLayout* layout, QLabel* label, QWidget* edit) {
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addSpacing(6);
}

QVBoxLayout* PanelLayout(QFrame* panel) {
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(90, 12, 90, 6);
    layout->setSpacing(2);
    return layout;
}

}  // namespace

TLogonForm::TLogonForm(FormsContext& forms, QWidget* parent)
    : TDialogForm(forms.windows, "LogonForm", parent), forms_(forms) {
    Headerpanel->setFixedHeight(kHeaderHeight);
    CloseImage->hide();
    Image1 = new TImage("Image1", Headerpanel);
    Image1->setPixmap(DrawMakerLogo(150, 48));
    Image1->setFixedSize(164, kHeaderHeight);
    Image1->setToolTip(MakerWebSite);
    HeaderRow->addWidget(Image1);

    auto* client = static_cast<QVBoxLayout*>(ClientPanel->layout());

    // Method 2: e-mail address and password.
    UserPanel = MakePanel("UserPanel", kUserPanelHeight, ClientPanel);
    {
        auto* layout = PanelLayout(UserPanel);
        layout->setContentsMargins(90, 24, 90, 6);
        Label1 = MakeLabel("Label1", "E-postadresse:", UserPanel);
        email = new QComboBox(UserPanel);
        email->setObjectName("email");
        email->setEditable(true);
        email->setInsertPolicy(QComboBox::NoInsert);
        email->setMinimumHeight(32);
        EditButton = new TImage("EditButton", UserPanel);
        EditButton->setPixmap(DrawPencilPicture(28, QColor(64, 64, 48)));
        EditButton->setFixedSize(32, 32);
        EditButton->setToolTip("Rediger lagra påloggingar");
        CleanImage = new TImage("CleanImage", UserPanel);
        CleanImage->setPixmap(DrawBasketPicture(28, QColor(64, 64, 48)));
        CleanImage->setFixedSize(32, 32);
        CleanImage->setToolTip("Fjern pålogging");
        auto* row = new QHBoxLayout();
        row->setSpacing(4);
        row->addWidget(email, 1);
        row->addWidget(EditButton);
        row->addWidget(CleanImage);
        Label1->setBuddy(email);
        layout->addWidget(Label1);
        layout->addLayout(row);
        layout->addSpacing(6);
        userpasswordLabel = MakeLabel("userpasswordLabel", "Passord:", UserPanel);
        userpassword = MakeEdit("userpassword", UserPanel, true);
        auto* pwRow = new QHBoxLayout();
        pwRow->addWidget(userpassword, 1);
        pwRow->addSpacing(72);
        userpasswordLabel->setBuddy(userpassword);
        layout->addWidget(userpasswordLabel);
        layout->addLayout(pwRow);
        layout->addStretch(1);
    }
    client->addWidget(UserPanel);

    // Method 1: the database server's own account.
    ServerPanel = MakePanel("ServerPanel", kServerPanelHeight, ClientPanel);
    {
        auto* layout = PanelLayout(ServerPanel);
        ServerLabel = MakeLabel("ServerLabel", "Server:", ServerPanel);
        Server = MakeEdit("Server", ServerPanel);
        DatabaseLabel = MakeLabel("DatabaseLabel", "Database:", ServerPanel);
        Database = MakeEdit("Database", ServerPanel);
        ServerUserLabel = MakeLabel("ServerUserLabel", "Brukernavn:", ServerPanel);
        ServerUser = MakeEdit("ServerUser", ServerPanel);
        ServerPasswordLabel = MakeLabel("ServerPasswordLabel", "Passord:", ServerPanel);
        ServerPassword = MakeEdit("ServerPassword", ServerPanel, true);
        AddLabelled(layout, ServerLabel, Server);
        AddLabelled(layout, DatabaseLabel, Database);
        AddLabelled(layout, ServerUserLabel, ServerUser);
        AddLabelled(layout, ServerPasswordLabel, ServerPassword);
        layout->addStretch(1);
    }
    client->addWidget(ServerPanel);

    // Method 4: the code read from the ID card.
    RFIDPanel = MakePanel("RFIDPanel", kRFIDPanelHeight, ClientPanel);
    {
        auto* layout = PanelLayout(RFIDPanel);
        layout->setContentsMargins(90, 30, 90, 6);
        RFIDkodeLabel = MakeLabel("RFIDkodeLabel", "Kortkode:", RFIDPanel);
        RFIDkode = MakeEdit("RFIDkode", RFIDPanel, true);
        AddLabelled(layout, RFIDkodeLabel, RFIDkode);
        layout->addStretch(1);
    }
    client->addWidget(RFIDPanel);

    Panel2 = MakePanel("Panel2", kPanel2Height, ClientPanel);
    {
        auto* layout = PanelLayout(Panel2);
        layout->setContentsMargins(90, 14, 90, 6);
        ConnectButton = new QPushButton("Logg på", Panel2);
        ConnectButton->setObjectName("ConnectButton");
        ConnectButton->setDefault(true);
        ConnectButton->setMinimumHeight(40);
        BitBtn1 = new QPushButton("Avbryt", Panel2);
        BitBtn1->setObjectName("BitBtn1");
        BitBtn1->setMinimumHeight(40);
        BitBtn1->setAutoDefault(false);
        auto* row = new QHBoxLayout();
        row->setSpacing(16);
        row->addWidget(ConnectButton, 1);
        row->addWidget(BitBtn1, 1);
        layout->addLayout(row);
        layout->addSpacing(10);
        SaveLogon = new QCheckBox("Lagre pålogging", Panel2);
        SaveLogon->setObjectName("SaveLogon");
        SaveLogon->hide();
        // The check box keeps its place while hidden, so the window does not jump when it appears.
        QSizePolicy keep = SaveLogon->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        SaveLogon->setSizePolicy(keep);
        layout->addWidget(SaveLogon);
        layout->addStretch(1);
    }
    client->addWidget(Panel2);

    Panel1 = MakePanel("Panel1", kPanel1Height, ClientPanel);
    {
        auto* layout = PanelLayout(Panel1);
        layout->setContentsMargins(90, 4, 90, 4);
        LocationLabel = MakeLabel("LocationLabel", "Plassering:", Panel1);
        LocationCombo = new QComboBox(Panel1);
        LocationCombo->setObjectName("LocationCombo");
        LocationCombo->setEditable(true);
        LocationCombo->setInsertPolicy(QComboBox::NoInsert);
        LocationCombo->addItems(
            {"Ukjent plassering", "På jobb", "Ute på reise", "Heimekontor", "På byggeplassen"});
        LocationCombo->setCurrentIndex(0);
        auto* locationRow = new QHBoxLayout();
        locationRow->addWidget(LocationLabel);
        locationRow->addWidget(LocationCombo, 1);
        layout->addLayout(locationRow);
        UseLocalIP = new QCheckBox("Bruk lokal IP", Panel1);
        UseLocalIP->setObjectName("UseLocalIP");
        UseLocalIP->setToolTip("Hald nede Ctrl-tasten for tilkopling utan internett");
        cUseSSL = new QCheckBox("SSL", Panel1);
        cUseSSL->setObjectName("cUseSSL");
        LogonLabel = MakeLink("LogonLabel", "Serverpålogging", Panel1);
        RFID = MakeLink("RFID", "ID", Panel1);
        auto* row = new QHBoxLayout();
        row->setSpacing(14);
        row->addWidget(UseLocalIP);
        row->addWidget(cUseSSL);
        row->addStretch(1);
        row->addWidget(LogonLabel);
        row->addWidget(RFID);
        layout->addLayout(row);
        layout->addStretch(1);
    }
    client->addWidget(Panel1);

    BottomPanel = MakePanel("BottomPanel", kBottomPanelHeight, ClientPanel);
    {
        auto* layout = new QHBoxLayout(BottomPanel);
        layout->setContentsMargins(12, 0, 12, 0);
        layout->setSpacing(12);
        QFont small = font();
        small.setPixelSize(11);
        BottomPanel->setFont(small);
        QPalette grey = BottomPanel->palette();
        grey.setColor(QPalette::WindowText, QColor(96, 96, 80));
        BottomPanel->setPalette(grey);
        VersjonLabel = MakeLabel("VersjonLabel", kVersionText, BottomPanel);
        NoticeLabel = MakeLabel("NoticeLabel", kMakerNotice, BottomPanel);
        Label3 = MakeLabel("Label3", "Brenmoto", BottomPanel);
        pLabel = MakeLabel("pLabel", "64 bits", BottomPanel);
        Image3 = new QLabel(BottomPanel);
        Image3->setObjectName("Image3");
        Image3->hide();
        layout->addWidget(VersjonLabel);
        layout->addStretch(1);
        layout->addWidget(NoticeLabel);
        layout->addWidget(Label3);
        layout->addStretch(1);
        layout->addWidget(pLabel);
        layout->addWidget(Image3);
    }
    client->addWidget(BottomPanel);

    setTabOrder(Server, Database);
    setTabOrder(Database, ServerUser);
    setTabOrder(ServerUser, ServerPassword);

    SetDefaultButton(ConnectButton);
    SetKeyPreview(true);

    connect(LogonLabel, &TImage::clicked, this, [this] { LogonLabelClick(); });
    connect(RFID, &TImage::clicked, this, [this] { RFIDClick(); });
    connect(ConnectButton, &QPushButton::clicked, this, [this] { ConnectButtonClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(email, &QComboBox::activated, this, [this] { emailCloseUp(); });
    connect(EditButton, &TImage::clicked, this, [this] { EditButtonClick(); });
    connect(CleanImage, &TImage::clicked, this, [this] { CleanImageClick(); });
    connect(Image1, &TImage::clicked, this, [this] { Image1Click(); });
    for (QLineEdit* edit : {Server, Database, ServerUser, ServerPassword, userpassword})
        connect(edit, &QLineEdit::textChanged, this, [this] { LogonFieldChange(); });
    for (QComboBox* combo : {email, LocationCombo})
        connect(combo, &QComboBox::currentTextChanged, this, [this] { LogonFieldChange(); });

    resize(ClientWidth + 2 * BorderWidth, 600);
}

std::string TLogonForm::LogonFileName(int method, const std::string& server, const std::string& database,
                                      const std::string& user, const std::string& email,
                                      const std::string& card) {
    std::string name;
    switch (method) {
        case 1:
            name = server + "_" + database + "_" + user;
            break;
        case 2:
            name = email;
            break;
        case 4:
            name = card;
            break;
        default:
            break;
    }
    // A "/" would lead the settings file into another folder (or nowhere): it cannot be part of a
    // file name here, so it stands as "_".
    for (char& c : name)
        if (c == '/')
            c = '_';
    return name + ".ini";
}

void TLogonForm::SetFormHeight(int method) {
    const int base = Panel1->height() + Panel2->height() + BottomPanel->height() + Headerpanel->height();
    if (method == 0) {
        method = forms_.settings().ReadIniInteger("LogonMethod");
        if (method == 0)
            method = 2;
    }
    ServerPanel->setVisible(method == 1);
    UserPanel->setVisible(method == 2);
    RFIDPanel->setVisible(method == 4);
    int height = -1;
    switch (method) {
        case 1:
            LogonLabel->setText("Brukerpålogging");
            height = base + ServerPanel->height();
            RFID->setVisible(true);
            break;
        case 2:
            LogonLabel->setText("Serverpålogging");
            height = base + UserPanel->height();
            RFID->setVisible(true);
            break;
        case 4:
            LogonLabel->setText("Brukerpålogging");
            RFID->setVisible(false);
            height = base + RFIDPanel->height();
            break;
        default:
            break;
    }
    if (height > 0)
        resize(ClientWidth + 2 * BorderWidth, height + 2 * BorderWidth);
    forms_.session.Logon.CurrentLogonMethod = method;
}

void TLogonForm::FormShow() {
    TDialogForm::FormShow();
    Settings& s = forms_.settings();
    ConnectButton->setText("Logg på");
    BitBtn1->setText("Avbryt");
    Label1->setText("E-postadresse:");
    userpasswordLabel->setText("Passord:");
    SaveLogon->setText("Lagre pålogging");
    VersjonLabel->setText(kVersionText);
    LocationLabel->setText("Plassering:");
    UseLocalIP->setText("Bruk lokal IP");

    UseLocalIP->setChecked(s.ReadIniBool("LogonToLocalIP"));
    cUseSSL->setChecked(s.ReadIniBool("UseSSLConnection"));

    pLabel->setText("64 bits");
    NoticeLabel->setText(Q(kMakerNotice + forms_.foundation.textDate().CurrentYear()));

    LoadIniFileData({});

    if (forms_.session.Logon.CurrentLogonMethod == 4)
        RFIDkode->setFocus();
    SaveLogon->hide();

    const bool suiteProgram = host().programPath().find("Dravn11") != std::string::npos;
    LocationCombo->setVisible(suiteProgram);
    LocationLabel->setVisible(suiteProgram);

    Folders& folders = forms_.foundation.folders();
    RemoveOldProgramFiles(OldProgramPrefixes("/", host().currentDirectory(), folders.DownloadsFolder(),
                                             folders.DocumentsFolder()));

    // Automatic logon: the window closes by itself once it is up, and the close hands over the
    // loaded values as "Logg på" would.
    if (s.ReadIniBool("autologon") || s.ReadIniBool("TemperaryAutoLogon"))
        QTimer::singleShot(0, this, [this] { ConnectButtonClick(); });
}

void TLogonForm::LoadIniFileData(std::string name) {
    Settings& s = forms_.settings();
    s.SwitchSettingsFile("brenmoto.ini");

    std::vector<std::string> addresses;
    s.ReadIniList(kEmailList, addresses);
    {
        const QSignalBlocker block(email);
        email->clear();
        for (const std::string& a : addresses)
            email->addItem(Q(a));
    }
    const std::string location = s.ReadIniString("MyLocation");
    if (!location.empty())
        LocationCombo->setCurrentText(Q(location));

    s.SelectIniSection("DRAVN_SQL");
    Server->setText(Q(s.ReadIniString("Servername")));
    Database->setText(Q(s.ReadIniString("Database")));
    ServerUser->setText(Q(s.ReadIniString("UserName")));
    ServerPassword->setText(Q(UnscrambleText(s.ReadIniString("Password"))));
    s.ResetIniSection();

    s.SelectIniSection("Email");
    email->setCurrentText(Q(s.ReadIniString("PersonalEmail")));
    userpassword->setText(Q(UnscrambleText(s.ReadIniString("PersonalPassword"))));
    s.ResetIniSection();

    s.WriteIniInteger("LogonMethod", forms_.session.Logon.CurrentLogonMethod);

    if (name.empty())
        name = s.ReadIniString("LogonInifile");
    if (!name.empty())
        s.SwitchSettingsFile(name);
}

void TLogonForm::FormClose() {
    TDialogForm::FormClose();
    Session& session = forms_.session;
    if (session.Logon.CurrentLogonMethod <= 0)
        return;
    Settings& s = forms_.settings();
    s.WriteIniBool("LogonToLocalIP", UseLocalIP->isChecked());
    s.WriteIniBool("UseSSLConnection", cUseSSL->isChecked());

    tConnectionSettings& cs = session.ConnectionSettings;
    cs.LogonToLocalIP = UseLocalIP->isChecked();
    cs.Server = S(Server->text());
    cs.Database = S(Database->text());
    cs.User = S(ServerUser->text());
    cs.Password = S(ServerPassword->text());
    session.SignedInUser.Email = S(email->currentText());
    session.Logon.LogonPassword = S(userpassword->text());
    session.SignedInUser.CardCode = S(RFIDkode->text());
    session.Logon.WorkLocation = S(LocationCombo->currentText());

    s.LogonIniFileName =
        LogonFileName(session.Logon.CurrentLogonMethod, S(Server->text()), S(Database->text()),
                      S(ServerUser->text()), S(email->currentText()), S(RFIDkode->text()));
    SaveIniFIleData(s.LogonIniFileName, SaveLogon->isChecked());
}

void TLogonForm::SaveIniFIleData(const std::string& name, bool saveToDisk) {
    Settings& s = forms_.settings();
    Session& session = forms_.session;
    s.SwitchSettingsFile("brenmoto.ini");
    s.WriteIniString("LogonInifile", name);
    s.WriteIniBool("UseLogonIniFile", true);
    s.WriteIniInteger("LogonMethod", session.Logon.CurrentLogonMethod);
    s.AddToIniList(kEmailList, S(email->currentText()));
    const std::string location = S(LocationCombo->currentText());
    s.WriteIniString("MyLocation", location);
    if (session.Logon.StartLocation.empty())
        session.Logon.StartLocation = location;
    if (saveToDisk) {
        session.Logon.SaveLogonRequested = true;
        s.SelectIniSection("DRAVN_SQL");
        s.WriteIniString("Servername", S(Server->text()));
        s.WriteIniString("Database", S(Database->text()));
        s.WriteIniString("UserName", S(ServerUser->text()));
        s.WriteIniString("Password", ScrambleText(S(ServerPassword->text())));
        s.ResetIniSection();
        s.SelectIniSection("Email");
        s.WriteIniString("PersonalEmail", S(email->currentText()));
        s.WriteIniString("PersonalPassword", ScrambleText(S(userpassword->text())));
        s.ResetIniSection();
    }
    s.SwitchSettingsFile(name);
    // The window reads the method from the logon's own file when it opens again (at the next
    // start that file is current), so the method is recorded there too; otherwise a server
    // logon would always reopen as a user logon.
    s.WriteIniInteger("LogonMethod", session.Logon.CurrentLogonMethod);
}

void TLogonForm::LogonLabelClick() {
    const int current = forms_.session.Logon.CurrentLogonMethod;
    SetFormHeight(current == 1 || current == 4 ? 2 : 1);
}

void TLogonForm::RFIDClick() {
    forms_.session.Logon.CurrentLogonMethod = 4;
    ServerPanel->hide();
    RFID->hide();
    UserPanel->hide();
    RFIDPanel->show();
    SetFormHeight(4);
    LogonLabel->setText("Brukerpålogging");
    LogonLabel->show();
    RFIDkode->setFocus();
}

void TLogonForm::ConnectButtonClick() {
    if (IsModalRunning())
        SetModalResult(mrOk);
    else
        close();
}

void TLogonForm::BitBtn1Click() {
    forms_.session.Logon.CurrentLogonMethod = 0;
    forms_.settings().ProgramTerminating = true;
    close();
    forms_.ui().requestQuit();
}

void TLogonForm::emailCloseUp() {
    userpassword->setFocus();
    userpassword->selectAll();
}

void TLogonForm::LogonFieldChange() {
    SaveLogon->show();
}

void TLogonForm::EditButtonClick() {
    Settings& s = forms_.settings();
    s.SwitchSettingsFile("brenmoto.ini");
    EditIniList(forms_.windows, kEmailList);
    std::vector<std::string> addresses;
    s.ReadIniList(kEmailList, addresses);
    const QString typed = email->currentText();
    const QSignalBlocker block(email);
    email->clear();
    for (const std::string& a : addresses)
        email->addItem(Q(a));
    email->setCurrentText(typed);
}

void TLogonForm::CleanImageClick() {
    if (!forms_.ui().askYesNo("Vil du slette all påloggingsinformasjon?", false))
        return;
    Settings& s = forms_.settings();
    s.SwitchSettingsFile("brenmoto.ini");
    ClearIniList(s, kEmailList);
    for (const char* key : {"SavedMyLoginRealName", "SavedMyServerHostname", "SavedMyServerDatabase",
                            "SavedMyLoginEmailAddress"})
        s.WriteIniString(key, "");
    s.SelectIniSection("DRAVN_SQL");
    for (const char* key : {"Servername", "Database", "UserName", "Password"})
        s.WriteIniString(key, "");
    s.ResetIniSection();
    s.SelectIniSection("Email");
    for (const char* key : {"PersonalEmail", "PersonalPassword"})
        s.WriteIniString(key, "");
    s.ResetIniSection();
    BitBtn1Click();
}

void TLogonForm::Image1Click() {
    forms_.ui().shellOpen(MakerWebSite);
}

int ShowLogonWindow(FormsContext& forms, const std::string& caption, int method) {
    auto window = std::make_unique<TLogonForm>(forms);
    window->SetFormHeight(method);
    window->SetHeaderText(Q(caption));
    window->ShowModal();
    const int result = forms.session.Logon.CurrentLogonMethod;
    window.reset();
    return result;
}

}  // namespace dravn
