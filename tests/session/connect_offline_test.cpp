// The saved-settings logon: with no saved keys, and with keys saved by an earlier directory
// logon, against the company test server.
#include <gtest/gtest.h>

#include "foundation/text_date.h"
#include "support/session_fixture.h"

namespace dravn {
namespace {

using test::SessionTest;

TEST_F(SessionTest, ConnectOfflineWithoutSavedKeysTriesEmptySettings) {
    // The empty server is the local socket; here that socket does not exist.
    host.envVars["MYSQL_UNIX_PORT"] = root + "no-server.sock";
    Session& s = session();
    std::string settingsFile = foundation().settings().SettingsFileName;
    ui.yesNoAnswers = {false};

    EXPECT_FALSE(s.ConnectOffline());
    EXPECT_EQ(s.ConnectionSettings.Server, "");
    EXPECT_EQ(s.ConnectionSettings.User, "");
    EXPECT_EQ(s.ConnectionSettings.Database, "");
    EXPECT_EQ(s.ConnectionSettings.Password, "");
    EXPECT_TRUE(Logged("iConnect: @ DB: "));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Kan ikkje kople til "}));
    EXPECT_EQ(s.Logon.CurrentLogonMethod, 0);
    EXPECT_FALSE(s.SignedInUser.LogonByEmail);
    EXPECT_EQ(foundation().settings().SettingsFileName, settingsFile);

    // While the program is ending nothing is read or tried.
    foundation().settings().ProgramTerminating = true;
    EXPECT_FALSE(s.ConnectOffline());
    EXPECT_EQ(ui.questions.size(), 1u);
}

TEST_F(SessionTest, ConnectOfflineWithSavedKeysSwitchesToTheUsersSettings) {
    DRAVN_REQUIRE_SERVERS();
    test::ScratchDatabase db(test::CompanyRoot());
    Settings& settings = foundation().settings();
    Session& s = session();
    for (bool localIp : {false, true}) {
        settings.WriteIniString("SavedMyLoginRealName", "Kari Nordmann");
        settings.WriteIniString("SavedMyLoginEmailAddress", "kari@firma.no");
        settings.WriteIniString("SavedMyServerUserName", "root");
        settings.WriteIniString("SavedMyServerDatabase", db.name());
        settings.WriteIniString("SavedMyServerPassword", ScrambleText(test::RootPassword()));
        // With "Bruk lokal IP" the saved internal address is used, otherwise the host name.
        settings.WriteIniString("SavedMyServerHostname", localIp ? "127.0.0.1:1" : test::CompanyServer());
        settings.WriteIniString("SavedMyServerLocalIP", localIp ? test::CompanyServer() : "127.0.0.1:1");
        WriteFile(settings.SettingsFolder + "kari@firma.no.ini", "[STANDARD]\r\nDravn_Navn=Firma AS\r\n");
        s.ConnectionSettings.LogonToLocalIP = localIp;
        s.SignedInUser.Initials = "KN";

        ASSERT_TRUE(s.ConnectOffline()) << localIp;
        EXPECT_EQ(s.ConnectionState, 1);
        EXPECT_EQ(s.DatabaseConnection.currentDatabase(), db.name());
        EXPECT_EQ(s.ConnectionSettings.Server, test::CompanyServer());
        EXPECT_EQ(s.ConnectionSettings.Password, test::RootPassword());
        EXPECT_EQ(s.SignedInUser.RealName, "Kari Nordmann");
        EXPECT_EQ(s.SignedInUser.Email, "kari@firma.no");
        EXPECT_EQ(s.SignedInUser.CompanyName, "Firma AS");
        EXPECT_TRUE(s.SignedInUser.LogonByEmail);
        EXPECT_EQ(s.Logon.CurrentLogonMethod, 5);
        EXPECT_EQ(settings.LogonIniFileName, "kari@firma.no.ini");
        EXPECT_EQ(settings.SettingsFileName, settings.SettingsFolder + "kari@firma.no.ini");
        EXPECT_TRUE(Logged("iConnect: Kari Nordmann pålogga utan nett som KN, kari@firma.no"));
        EXPECT_TRUE(ui.messages.empty());

        // Back to the main settings file for the next round.
        s.DisconnectDatabase();
        settings.SwitchSettingsFile("brenmoto.ini");
    }
}

}  // namespace
}  // namespace dravn
