#include "foundation/folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/foundation_fixture.h"

namespace dravn::test {
namespace {

namespace fs = std::filesystem;

class FoldersTest : public FoundationTest {
  protected:
    // The settings file is open (as after the start), but the log folder is not made yet.
    Folders& Opened() {
        foundation().settings().LocateSettingsFile();
        return foundation().folders();
    }
    std::string Recorded(const std::string& name) {
        return foundation().settings().SettingsFile().ReadString("FOLDERS", name + "_folder", "<none>");
    }
    std::string RecordedOnDisk(const std::string& name) {
        IniFile ini;
        ini.LoadFromFile(etcIni());
        return ini.ReadString("FOLDERS", name + "_folder", "<none>");
    }
};

TEST_F(FoldersTest, GetFolderCreatesRecordsAndSaves) {
    Folders& folders = Opened();
    EXPECT_EQ(folders.GetFolder("log"), base() + "log/");
    EXPECT_TRUE(fs::is_directory(base() + "log"));
    EXPECT_EQ(RecordedOnDisk("log"), base() + "log") << "recorded without the final slash, and saved";

    struct Case {
        const char* name;
        std::string path;      // returned
        std::string recorded;  // under name + "_folder"
    };
    const Case cases[] = {
        {"data\\docs", base() + "data/docs/", base() + "data/docs/"},
        {"data\\tfm", base() + "data/tfm/", base() + "data/tfm/"},
        {"tmp\\tumb", base() + "tmp/tumb/", base() + "tmp/tumb/"},
        {"export\\html\\varer", base() + "export/html/varer/", base() + "export/html/varer"},
        {"backup", base() + "backup/", base() + "backup"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(folders.GetFolder(c.name), c.path) << c.name;
        EXPECT_TRUE(fs::is_directory(c.path)) << c.name;
        EXPECT_EQ(RecordedOnDisk(c.name), c.recorded) << c.name;
    }
    EXPECT_TRUE(fs::is_directory(base() + "tmp/tumb/tumb"));

    // Names choose their default with case; the keys, shared with Windows, ignore case.
    NewRun();
    fs::remove_all(base());
    EXPECT_EQ(Opened().GetFolder("Log"), base() + "Log/");
    EXPECT_EQ(RecordedOnDisk("Log"), base() + "Log");
    EXPECT_EQ(RecordedOnDisk("log"), base() + "Log");
}

TEST_F(FoldersTest, RecordedFoldersArePlaceholdersOrReplacedWhenGone) {
    fs::create_directories(appData + "/mine/backup");
    fs::create_directories(home + "/arkiv");
    WriteFile(etcIni(),
              "[FOLDERS]\r\nbackup_folder=%APPDATA%/mine/backup\r\narchive_folder=%USERPROFILE%/arkiv/\r\n"
              "xml_folder=" +
                  root + "gone/\r\n");
    Folders& folders = Opened();
    EXPECT_EQ(folders.GetFolder("backup"), appData + "/mine/backup/");
    EXPECT_EQ(RecordedOnDisk("backup"), "%APPDATA%/mine/backup") << "left unchanged";
    EXPECT_EQ(folders.GetFolder("archive"), home + "/arkiv/");
    EXPECT_EQ(folders.GetFolder("xml"), base() + "xml/");
    EXPECT_EQ(RecordedOnDisk("xml"), base() + "xml");

    // While the program is ending early the recorded folder is still honoured, not reset.
    foundation().settings().ProgramTerminating = true;
    EXPECT_EQ(folders.GetFolder("backup"), appData + "/mine/backup/");
    EXPECT_EQ(Recorded("backup"), "%APPDATA%/mine/backup");
}

TEST_F(FoldersTest, InstallFoldersTwice) {
    foundation().log().LogEnabled = true;
    foundation().log().SetUp(true);
    Folders& folders = Opened();
    const size_t before = foundation().log().LogList().size();
    folders.InstallFolders();
    folders.InstallFolders();
    std::vector<std::string> lines(foundation().log().LogList().begin() + before,
                                   foundation().log().LogList().end());
    ASSERT_EQ(lines.size(), 48u);
    for (size_t i = 0; i < 24; ++i) {
        const std::string path = base() + [&] {
            std::string p = StandardFolderNames[i];
            std::replace(p.begin(), p.end(), '\\', '/');
            return p;
        }();
        const bool existed = path == base() + "etc" || path == base() + "log";  // made by the start
        EXPECT_TRUE(lines[i].ends_with(existed ? " FEIL: [mkdirsafe:183] kan ikke opprette mappen " + path
                                               : " Oppretter mappen " + path))
            << lines[i];
        EXPECT_TRUE(lines[24 + i].ends_with(" FEIL: [mkdirsafe:183] kan ikke opprette mappen " + path))
            << lines[24 + i];
        EXPECT_EQ(Recorded(StandardFolderNames[i]), path + "/");
    }
    EXPECT_EQ(Recorded("doc"), root + "doc/");
    EXPECT_FALSE(fs::exists(root + "doc"));
    EXPECT_EQ(folders.mkdirsafe(root + "no/such/parent"), 2);
}

TEST_F(FoldersTest, EnvironmentMapping) {
    struct Case {
        std::map<std::string, std::string> env;
        std::string account;
        std::string appData, profile, temp, user, computer, domain, spool;
    };
    const Case cases[] = {
        {{{"APPDATA", "/a"},
          {"XDG_CONFIG_HOME", "/x"},
          {"HOME", "/h"},
          {"USERPROFILE", "/p"},
          {"TEMP", "/t"},
          {"TMPDIR", "/d"},
          {"USERNAME", "un"},
          {"USER", "u"},
          {"COMPUTERNAME", "PC1"},
          {"USERDOMAIN", "FIRMA"},
          {"SPOOLDIR", "/var/spool/x"}},
         "acct",
         "/a",
         "/p",
         "/t",
         "un",
         "PC1",
         "FIRMA",
         "/var/spool/x"},
        {{{"XDG_CONFIG_HOME", "/x/"}, {"HOME", "/h"}, {"TMPDIR", "/d"}, {"USER", "u"}, {"USERNAME", ""}},
         "acct",
         "/x",
         "/h",
         "/d",
         "u",
         "testhost",
         "example.org",
         ""},
        {{{"HOME", "/h/"}, {"LOGNAME", "ln"}},
         "acct",
         "/h/.config",
         "/h",
         "/tmp",
         "ln",
         "testhost",
         "example.org",
         ""},
        {{{"HOME", "/h"}}, "acct", "/h/.config", "/h", "/tmp", "acct", "testhost", "example.org", ""},
    };
    for (const Case& c : cases) {
        NewRun();
        host.envVars = c.env;
        host.account = c.account;
        host.domain = "example.org";
        Folders& folders = foundation().folders();
        SCOPED_TRACE(c.appData);
        EXPECT_EQ(folders.AppDataFolder(), c.appData);
        EXPECT_EQ(folders.BaseFolder(), c.appData + "/Brenmoto/");
        EXPECT_EQ(folders.UserProfileFolder(), c.profile);
        EXPECT_EQ(folders.TempFolder(), c.temp);
        EXPECT_EQ(folders.WindowsUserName(), c.user);
        EXPECT_EQ(folders.ComputerName(), c.computer);
        EXPECT_EQ(folders.UserDomain(), c.domain);
        EXPECT_EQ(folders.SpoolFolder(), c.spool);
    }
}

TEST_F(FoldersTest, CurrentUserName) {
    host.envVars.erase("USERNAME");
    host.account = "";
    Folders& folders = foundation().folders();
    EXPECT_EQ(folders.CurrentUserName(), "anonymous");
    host.envVars["USERNAME"] = "kari";
    EXPECT_EQ(folders.CurrentUserName(), "anonymous") << "kept until sign-in";
    folders.SignedInUserName = "ola";
    EXPECT_EQ(folders.CurrentUserName(), "ola");

    NewRun();
    foundation().settings().CommandLineUser = "per";
    EXPECT_EQ(foundation().folders().CurrentUserName(), "per");
}

TEST_F(FoldersTest, PersonalFolders) {
    Folders& folders = Opened();
    EXPECT_EQ(folders.DocumentsFolder(), "./");
    EXPECT_EQ(folders.DownloadsFolder(), "");
    EXPECT_EQ(folders.DesktopFolder(), home + "/Skrivebord/");
    foundation().settings().WriteIniString("MineDokumenter", "/srv/dok/");
    EXPECT_EQ(folders.DocumentsFolder(), "/srv/dok/");

    for (const char* sub : {"Mine Dokumenter", "Nedlastinger", "Desktop"})
        fs::create_directories(home + "/" + sub);
    EXPECT_EQ(folders.DocumentsFolder(), home + "/Mine Dokumenter/");
    EXPECT_EQ(folders.DownloadsFolder(), home + "/Nedlastinger/");
    EXPECT_EQ(folders.DesktopFolder(), home + "/Desktop/");
    for (const char* sub : {"Documents", "Downloads"})
        fs::create_directories(home + "/" + sub);
    EXPECT_EQ(folders.DocumentsFolder(), home + "/Documents/");
    EXPECT_EQ(folders.DownloadsFolder(), home + "/Downloads/");
}

TEST_F(FoldersTest, LocalIPAddress) {
    // A numeric host name resolves without a hosts file or name service.
    host.host = "127.0.0.1";
    EXPECT_EQ(foundation().folders().LocalIPAddress(), "127.0.0.1");
    host.host = "";
    EXPECT_EQ(foundation().folders().LocalIPAddress(), "");
}

}  // namespace
}  // namespace dravn::test
