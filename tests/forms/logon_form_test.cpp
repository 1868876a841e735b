// The logon window: the three logon methods, the values it hands over, and the settings files it
// reads and leaves behind.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "forms/logon_form.h"
#include "foundation/text_date.h"
#include "support/forms_fixture.h"
#include "windows/reg_text.h"
#include "windows/window_placement.h"

namespace dravn::test {
namespace {

constexpr const char* kCaption = "Solvenkaret SQL Administrator";

class LogonFormTest : public FormsTest {};

void TypeServerLogon(TLogonForm& w, const std::string& server, const std::string& database,
                     const std::string& user, const std::string& password) {
    w.Server->setText(QString::fromStdString(server));
    w.Database->setText(QString::fromStdString(database));
    w.ServerUser->setText(QString::fromStdString(user));
    w.ServerPassword->setText(QString::fromStdString(password));
}

TEST_F(LogonFormTest, ServerLogonHandsOverTheValuesAndRecordsItsOwnSettingsFile) {
    secrets.push_back("Hemmeleg-1");
    forms();
    WhenLogonShown([](TLogonForm& w) {
        w.LogonLabelClick();  // the first start offers the user logon; switch to the server logon
        TypeServerLogon(w, "db.firma.no", "firma", "kari", "Hemmeleg-1");
        w.UseLocalIP->setChecked(true);
        w.cUseSSL->setChecked(true);
        w.ConnectButton->click();
    });
    const std::string previousFile = settings().SettingsFileName;

    EXPECT_EQ(ShowLogonWindow(forms(), kCaption, 0), 1);

    const tConnectionSettings& cs = session().ConnectionSettings;
    EXPECT_EQ(cs.Server, "db.firma.no");
    EXPECT_EQ(cs.Database, "firma");
    EXPECT_EQ(cs.User, "kari");
    EXPECT_EQ(cs.Password, "Hemmeleg-1");
    EXPECT_TRUE(cs.LogonToLocalIP);
    // The SSL choice is stored for the next start; this run's connections keep theirs.
    EXPECT_FALSE(cs.UseSSLConnection);

    // The logon's own file is now the current settings file, recorded for the next start.
    EXPECT_EQ(settings().LogonIniFileName, "db.firma.no_firma_kari.ini");
    EXPECT_EQ(settings().SettingsFileName, etcFolder() + "db.firma.no_firma_kari.ini");
    const IniFile main = DiskIni("brenmoto.ini");
    EXPECT_EQ(main.ReadString("STANDARD", "LogonInifile", ""), "db.firma.no_firma_kari.ini");
    EXPECT_EQ(main.ReadString("STANDARD", "UseLogonIniFile", ""), "1");
    EXPECT_EQ(main.ReadString("STANDARD", "LogonMethod", ""), "1");
    // "Lagre pålogging" was not ticked: the typed logon is not kept.
    EXPECT_FALSE(main.SectionExists("DRAVN_SQL"));
    EXPECT_FALSE(main.SectionExists("Email"));
    // The check boxes went into the file that was current while the window was open.
    EXPECT_EQ(previousFile, etcFolder() + "brenmoto.ini");
    EXPECT_EQ(main.ReadString("STANDARD", "LogonToLocalIP", ""), "1");
    EXPECT_EQ(main.ReadString("STANDARD", "UseSSLConnection", ""), "1");

    // The next logon window (and the next start, which opens the logon's file) offers the server
    // logon again.
    EXPECT_EQ(settings().ReadIniInteger("LogonMethod"), 1);
    int offered = 0;
    WhenLogonShown([&](TLogonForm& w) {
        offered = session().Logon.CurrentLogonMethod;
        EXPECT_TRUE(w.ServerPanel->isVisibleTo(&w));
        w.BitBtn1->click();
    });
    ShowLogonWindow(forms(), kCaption, 0);
    EXPECT_EQ(offered, 1);
}

TEST_F(LogonFormTest, EmailLogonNamesItsFileByTheAddressAndPutsTheAddressFirstInTheList) {
    WriteIni("brenmoto.ini", "[STANDARD]\r\nPersonalEmailList0=ola@firma.no\r\n");
    forms();
    WhenLogonShown([](TLogonForm& w) {
        EXPECT_FALSE(w.UserPanel->isHidden());
        EXPECT_EQ(w.email->count(), 1);
        w.email->setCurrentText("kari@firma.no");
        w.userpassword->setText("brukarpw");
        w.ConnectButton->click();
    });
    EXPECT_EQ(ShowLogonWindow(forms(), kCaption, 0), 2);
    EXPECT_EQ(session().SignedInUser.Email, "kari@firma.no");
    EXPECT_EQ(session().Logon.LogonPassword, "brukarpw");
    EXPECT_EQ(settings().LogonIniFileName, "kari@firma.no.ini");
    IniFile main = DiskIni("brenmoto.ini");
    EXPECT_EQ(main.ReadString("STANDARD", "PersonalEmailList0", ""), "kari@firma.no");
    EXPECT_EQ(main.ReadString("STANDARD", "PersonalEmailList1", ""), "ola@firma.no");
    EXPECT_EQ(main.ReadString("STANDARD", "LogonMethod", ""), "2");

    // An address already in the list leaves the list as it is.
    WhenLogonShown([](TLogonForm& w) {
        EXPECT_EQ(w.email->count(), 2);
        w.email->setCurrentText("ola@firma.no");
        w.ConnectButton->click();
    });
    EXPECT_EQ(ShowLogonWindow(forms(), kCaption, 2), 2);
    main = DiskIni("brenmoto.ini");
    EXPECT_EQ(main.ReadString("STANDARD", "PersonalEmailList0", ""), "kari@firma.no");
    EXPECT_EQ(main.ReadString("STANDARD", "PersonalEmailList1", ""), "ola@firma.no");
    EXPECT_EQ(main.ReadString("STANDARD", "PersonalEmailList2", ""), "");
    EXPECT_EQ(settings().LogonIniFileName, "ola@firma.no.ini");
}

class SaveLogonTest : public FormsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SaveLogonTest, StoresScrambledPasswordsOnlyWhenTickedAndShowsThemAgainAsTyped) {
    const bool ticked = GetParam();
    secrets.push_back("Tenar-pw9");
    secrets.push_back("Bruk-pw7");
    forms();
    WhenLogonShown([ticked](TLogonForm& w) {
        w.email->setCurrentText("kari@firma.no");
        w.userpassword->setText("Bruk-pw7");
        w.LogonLabelClick();
        TypeServerLogon(w, "tenar", "firma", "kari", "Tenar-pw9");
        EXPECT_FALSE(w.SaveLogon->isHidden());
        w.SaveLogon->setChecked(ticked);
        w.ConnectButton->click();
    });
    ASSERT_EQ(ShowLogonWindow(forms(), kCaption, 0), 1);
    EXPECT_EQ(session().Logon.SaveLogonRequested, ticked);

    const IniFile main = DiskIni("brenmoto.ini");
    if (!ticked) {
        EXPECT_FALSE(main.SectionExists("DRAVN_SQL"));
        EXPECT_FALSE(main.SectionExists("Email"));
        return;
    }
    EXPECT_EQ(main.ReadString("DRAVN_SQL", "Servername", ""), "tenar");
    EXPECT_EQ(main.ReadString("DRAVN_SQL", "Database", ""), "firma");
    EXPECT_EQ(main.ReadString("DRAVN_SQL", "UserName", ""), "kari");
    EXPECT_EQ(main.ReadString("DRAVN_SQL", "Password", ""), ScrambleText("Tenar-pw9"));
    EXPECT_NE(main.ReadString("DRAVN_SQL", "Password", ""), "Tenar-pw9");
    EXPECT_EQ(main.ReadString("Email", "PersonalEmail", ""), "kari@firma.no");
    EXPECT_EQ(main.ReadString("Email", "PersonalPassword", ""), ScrambleText("Bruk-pw7"));

    // The next logon window shows the stored logon as it was typed.
    WhenLogonShown([](TLogonForm& w) {
        EXPECT_EQ(w.Server->text(), "tenar");
        EXPECT_EQ(w.ServerPassword->text(), "Tenar-pw9");
        EXPECT_EQ(w.email->currentText(), "kari@firma.no");
        EXPECT_EQ(w.userpassword->text(), "Bruk-pw7");
        w.BitBtn1->click();
    });
    EXPECT_EQ(ShowLogonWindow(forms(), kCaption, 1), 0);
}

INSTANTIATE_TEST_SUITE_P(Ticked, SaveLogonTest, ::testing::Bool());

TEST_F(LogonFormTest, AutologonClosesTheWindowByItselfWithTheStoredLogon) {
    WriteIni("brenmoto.ini",
             "[STANDARD]\r\nLogonInifile=srv_firma_kari.ini\r\nUseLogonIniFile=1\r\nLogonMethod=1\r\n"
             "[DRAVN_SQL]\r\nServername=srv\r\nDatabase=firma\r\nUserName=kari\r\nPassword=" +
                 ScrambleText("Lagra-pw") + "\r\n");
    WriteIni("srv_firma_kari.ini", "[STANDARD]\r\nautologon=1\r\nLogonMethod=1\r\n");
    secrets.push_back("Lagra-pw");
    forms();
    ASSERT_EQ(settings().SettingsFileName, etcFolder() + "srv_firma_kari.ini");
    // Should the window stay open, cancel it after a while so the test ends (and fails).
    bool cancelled = false;
    QTimer::singleShot(5000, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* logon = qobject_cast<TLogonForm*>(w); logon && logon->isVisible()) {
                cancelled = true;
                logon->BitBtn1->click();
            }
    });

    EXPECT_EQ(ShowLogonWindow(forms(), kCaption, 0), 1);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(session().ConnectionSettings.Server, "srv");
    EXPECT_EQ(session().ConnectionSettings.User, "kari");
    EXPECT_EQ(session().ConnectionSettings.Password, "Lagra-pw");
    EXPECT_EQ(settings().SettingsFileName, etcFolder() + "srv_firma_kari.ini");
}

TEST_F(LogonFormTest, LinksSwitchBetweenTheMethodsAndSizeTheWindow) {
    TLogonForm w(forms());
    const int base = 80 + 122 + 51 + 73 + 2 * BorderWidth;
    struct Case {
        int start;
        std::function<void(TLogonForm&)> action;
        int method;
        QString link;
        bool rfidLink;
        QFrame* TLogonForm::*panel;
        int panelHeight;
    };
    const std::vector<Case> cases = {
        // No "LogonMethod" in the current file: the user logon.
        {0, nullptr, 2, "Serverpålogging", true, &TLogonForm::UserPanel, 223},
        {1, nullptr, 1, "Brukerpålogging", true, &TLogonForm::ServerPanel, 294},
        {4, nullptr, 4, "Brukerpålogging", false, &TLogonForm::RFIDPanel, 139},
        {2, &TLogonForm::LogonLabelClick, 1, "Brukerpålogging", true, &TLogonForm::ServerPanel, 294},
        {1, &TLogonForm::LogonLabelClick, 2, "Serverpålogging", true, &TLogonForm::UserPanel, 223},
        {4, &TLogonForm::LogonLabelClick, 2, "Serverpålogging", true, &TLogonForm::UserPanel, 223},
        {2, &TLogonForm::RFIDClick, 4, "Brukerpålogging", false, &TLogonForm::RFIDPanel, 139},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("start " + std::to_string(c.start) + " to " + std::to_string(c.method));
        w.SetFormHeight(c.start);
        if (c.action)
            c.action(w);
        EXPECT_EQ(session().Logon.CurrentLogonMethod, c.method);
        EXPECT_EQ(w.LogonLabel->text(), c.link);
        EXPECT_EQ(w.RFID->isHidden(), !c.rfidLink);
        for (QFrame* TLogonForm::*panel :
             {&TLogonForm::UserPanel, &TLogonForm::ServerPanel, &TLogonForm::RFIDPanel})
            EXPECT_EQ((w.*panel)->isHidden(), panel != c.panel);
        EXPECT_EQ(w.height(), base + c.panelHeight);
        EXPECT_EQ(w.width(), TLogonForm::ClientWidth + 2 * BorderWidth);
    }

    w.Image1Click();
    EXPECT_EQ(ui.opened, std::vector<std::string>{TLogonForm::MakerWebSite});
}

TEST_F(LogonFormTest, CancelEndsTheProgramAndHandsOverNothing) {
    forms();
    WhenLogonShown([](TLogonForm& w) {
        // Loaded values do not count as typing: "Lagre pålogging" appears only when the user types.
        EXPECT_TRUE(w.SaveLogon->isHidden());
        w.userpassword->setText("x");
        EXPECT_FALSE(w.SaveLogon->isHidden());
        w.email->setCurrentText("kari@firma.no");
        w.BitBtn1->click();
    });
    EXPECT_EQ(ShowLogonWindow(forms(), kCaption, 0), 0);
    EXPECT_TRUE(settings().ProgramTerminating);
    EXPECT_EQ(ui.quitRequests, 1);
    EXPECT_EQ(session().SignedInUser.Email, "");
    EXPECT_EQ(session().Logon.LogonPassword, "");
    EXPECT_EQ(DiskIni("brenmoto.ini").ReadString("STANDARD", "LogonInifile", "none"), "none");
    EXPECT_EQ(DiskIni("brenmoto.ini").ReadString("STANDARD", "PersonalEmailList0", "none"), "none");
}

TEST_F(LogonFormTest, ClearLogonEmptiesTheStoredLogonOnlyWhenConfirmedAndEndsTheProgram) {
    WriteIni("brenmoto.ini",
             "[STANDARD]\r\nPersonalEmailList0=kari@firma.no\r\nPersonalEmailList1=ola@firma.no\r\n"
             "SavedMyLoginRealName=Kari\r\nSavedMyServerHostname=srv\r\nSavedMyServerDatabase=firma\r\n"
             "SavedMyLoginEmailAddress=kari@firma.no\r\nSavedMyLoginUserName=kari\r\n"
             "[DRAVN_SQL]\r\nServername=srv\r\nDatabase=firma\r\nUserName=kari\r\nPassword=zx2\r\n"
             "[Email]\r\nPersonalEmail=kari@firma.no\r\nPersonalPassword=zy2\r\n");
    forms();
    ui.yesNoAnswers = {false, true};
    WhenLogonShown([this](TLogonForm& w) {
        w.CleanImageClick();  // answered no: nothing happens
        EXPECT_TRUE(w.isVisible());
        EXPECT_FALSE(settings().ProgramTerminating);
        EXPECT_EQ(settings().ReadIniString("SavedMyLoginRealName"), "Kari");
        w.CleanImageClick();  // answered yes
    });
    EXPECT_EQ(ShowLogonWindow(forms(), kCaption, 0), 0);
    EXPECT_EQ(ui.questions, std::vector<std::string>(2, "Vil du slette all påloggingsinformasjon?"));
    EXPECT_TRUE(settings().ProgramTerminating);
    EXPECT_EQ(ui.quitRequests, 1);

    // The end of the run writes what was cleared.
    foundation().FinishProgram();
    const IniFile main = DiskIni("brenmoto.ini");
    for (const char* key : {"PersonalEmailList0", "PersonalEmailList1", "SavedMyLoginRealName",
                            "SavedMyServerHostname", "SavedMyServerDatabase", "SavedMyLoginEmailAddress"})
        EXPECT_EQ(main.ReadString("STANDARD", key, "none"), "") << key;
    EXPECT_EQ(main.ReadString("STANDARD", "SavedMyLoginUserName", ""), "kari");
    for (const char* key : {"Servername", "Database", "UserName", "Password"})
        EXPECT_EQ(main.ReadString("DRAVN_SQL", key, "none"), "") << key;
    for (const char* key : {"PersonalEmail", "PersonalPassword"})
        EXPECT_EQ(main.ReadString("Email", key, "none"), "") << key;
}

TEST_F(LogonFormTest, EditedAddressListIsOfferedAtOnce) {
    WriteIni("brenmoto.ini", "[STANDARD]\r\nPersonalEmailList0=gammal@firma.no\r\nLogonInifile=x.ini\r\n");
    forms();
    WhenLogonShown([this](TLogonForm& w) {
        // The editor opens modally over the logon window; the user replaces the list and closes it.
        QTimer::singleShot(0, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* editor = qobject_cast<TRegTextForm*>(top); editor && editor->isVisible()) {
                    editor->Memo1->setPlainText("kari@firma.no\nola@firma.no");
                    editor->close();
                }
        });
        w.EditButtonClick();
        EXPECT_EQ(w.email->count(), 2);
        EXPECT_EQ(w.email->itemText(0), "kari@firma.no");
        EXPECT_EQ(w.email->itemText(1), "ola@firma.no");
        // The main settings file stays current until the window closes.
        EXPECT_EQ(settings().SettingsFileName, etcFolder() + "brenmoto.ini");
        w.BitBtn1->click();
    });
    ShowLogonWindow(forms(), kCaption, 0);
}

TEST(LogonFileName, NamesTheFileAfterTheLogon) {
    EXPECT_EQ(TLogonForm::LogonFileName(1, "srv:3307", "firma", "kari", "e@x.no", "99"),
              "srv:3307_firma_kari.ini");
    EXPECT_EQ(TLogonForm::LogonFileName(2, "srv", "firma", "kari", "kari@firma.no", "99"),
              "kari@firma.no.ini");
    EXPECT_EQ(TLogonForm::LogonFileName(4, "srv", "firma", "kari", "e@x.no", "0042"), "0042.ini");
    EXPECT_EQ(TLogonForm::LogonFileName(5, "srv", "firma", "kari", "e@x.no", "99"), ".ini");
    // A "/" cannot lead the file into another folder.
    EXPECT_EQ(TLogonForm::LogonFileName(1, "../../tmp", "db", "u", "", ""), ".._.._tmp_db_u.ini");
}

}  // namespace
}  // namespace dravn::test
