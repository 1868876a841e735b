#include "foundation/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "support/foundation_fixture.h"

namespace dravn::test {
namespace {

namespace fs = std::filesystem;

using SettingsTest = FoundationTest;

IniFile OnDisk(const std::string& path) {
    IniFile ini;
    ini.LoadFromFile(path);
    return ini;
}

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

TEST_F(SettingsTest, FirstRunCreatesTheFolderStampsTheFileAndWritesDefaults) {
    fs::create_directories(home + "/Desktop");
    Foundation& f = foundation();
    f.Start();
    Settings& s = f.settings();

    EXPECT_TRUE(s.FirstRun);
    EXPECT_EQ(s.SettingsFileName, etcIni());
    EXPECT_EQ(s.SettingsFolder, base() + "etc/");
    EXPECT_EQ(s.CurrentSection, "STANDARD");
    EXPECT_EQ(s.LoginText, "LOGIN: kari  node: testhost.");
    EXPECT_EQ(f.desktopExtents(), (DesktopExtents{1920, 1080, 0, 0}));

    // Start saves through GetFolder("log"), so the stamps and defaults are on disk already.
    IniFile disk = OnDisk(etcIni());
    const std::pair<const char*, std::string> stamps[] = {
        {"TIME", "05.03.2024 12:00:00"},
        {"NAME", etcIni()},
        {"PROGRAM", host.program},
        {"USER", "kari"},
        {"INIVERSION", "11.69/64"},
        {"BUILD", "3361"},
        {"LOGIN", "LOGIN: kari  node: testhost."},
    };
    for (const auto& [suffix, value] : stamps) {
        EXPECT_EQ(disk.ReadString("INI_SELF", std::string("CREATED_") + suffix, ""), value) << suffix;
        EXPECT_EQ(disk.ReadString("INI_SELF", std::string("MODIFIED_") + suffix, ""), value) << suffix;
    }
    const std::pair<const char*, const char*> defaults[] = {
        {"SQL_SlowLine", "1"},
        {"AutoDocument_UsePicturePrefix", "1"},
        {"Skriver_ToppMarg", "10"},
        {"Skriver_BrevSidenummer", "1"},
        {"FakturaDager", "10 dager"},
        {"Arbeid_ArbeidstidStart", "08:00"},
        {"Arbeid_ArbeidstidSlutt", "16:00"},
        {"Arbeid_PauseLengd2", "30"},
        {"Arbeid_PauseTid1", "12:00"},
        {"DocumentShowOnlyNew", "0"},
        {"DocumentShowOnlyNew2", "1"},
    };
    for (const auto& [key, value] : defaults)
        EXPECT_EQ(disk.ReadString("STANDARD", key, ""), value) << key;
    // The default main-window frame is the primary monitor's work area.
    EXPECT_EQ(disk.ReadString("STANDARD", "WinFrameLeft", ""), "0");
    EXPECT_EQ(disk.ReadString("STANDARD", "WinFrameTop", ""), "0");
    EXPECT_EQ(disk.ReadString("STANDARD", "WinFrameWidth", ""), "1920");
    EXPECT_EQ(disk.ReadString("STANDARD", "WinFrameHeight", ""), "1040");
    EXPECT_EQ(disk.ReadString("FOLDERS", "etc_folder", ""), base() + "etc/");
    EXPECT_TRUE(fs::exists(home + "/Desktop/Solvenkaret Administrator.desktop"));
}

TEST_F(SettingsTest, LaterRunsAndLaterOpensKeepWhatTheUserChanged) {
    foundation().Start();
    Settings& s = foundation().settings();
    s.WriteIniString("FakturaDager", "30 dager");
    s.SwitchSettingsFile("brenmoto.ini");  // reopens the same file in the same run
    EXPECT_EQ(s.ReadIniString("FakturaDager"), "30 dager");
    foundation().FinishProgram();  // saves, reloads and saves again
    EXPECT_EQ(OnDisk(etcIni()).ReadString("STANDARD", "FakturaDager", ""), "30 dager");

    NewRun();
    fs::remove_all(home + "/Desktop");
    fs::create_directories(home + "/Desktop");
    host.time = FakeHost::LocalTime(2024, 4, 1, 9, 30, 0);
    foundation().Start();
    EXPECT_FALSE(foundation().settings().FirstRun);
    foundation().FinishProgram();

    IniFile disk = OnDisk(etcIni());
    EXPECT_EQ(disk.ReadString("STANDARD", "FakturaDager", ""), "30 dager");
    EXPECT_EQ(disk.ReadString("INI_SELF", "CREATED_TIME", ""), "05.03.2024 12:00:00");
    EXPECT_EQ(disk.ReadString("INI_SELF", "MODIFIED_TIME", ""), "01.04.2024 09:30:00");
    EXPECT_FALSE(fs::exists(home + "/Desktop/Solvenkaret Administrator.desktop"))
        << "made in a first run only";
}

TEST_F(SettingsTest, SettingsFileInTheWorkingDirectoryIsPreferred) {
    WriteFile(host.cwd + "brenmoto.ini", "[STANDARD]\r\nMine=1\r\n[INI_SELF]\r\nMODIFIED_TIME=x\r\n");
    foundation().Start();
    Settings& s = foundation().settings();
    EXPECT_EQ(s.SettingsFileName, host.cwd + "brenmoto.ini");
    EXPECT_EQ(s.SettingsFolder, host.cwd);
    EXPECT_FALSE(s.FirstRun);
    EXPECT_TRUE(s.ReadIniBool("Mine"));
    EXPECT_EQ(s.ReadIniString("FakturaDager"), "") << "no first-run defaults in an existing file";
    EXPECT_EQ(s.SettingsFile().ReadString("INI_SELF", "CREATED_TIME", ""), "") << "not stamped as new";
    EXPECT_EQ(s.SettingsFile().ReadString("FOLDERS", "etc_folder", ""), host.cwd);
    EXPECT_FALSE(fs::exists(base() + "etc"));
}

TEST_F(SettingsTest, PerLogonSettingsFile) {
    struct Case {
        const char* logonIniFile;
        const char* expectedName;
        bool firstRun;
    };
    for (const Case& c : {Case{"", "brenmoto.ini", false}, Case{"localhost.ini", "localhost.ini", true}}) {
        SCOPED_TRACE(c.logonIniFile);
        NewRun();
        fs::remove_all(base());
        WriteFile(etcIni(), std::string("[STANDARD]\r\nUseLogonIniFile=1\r\nLogonIniFile=") + c.logonIniFile +
                                "\r\n[INI_SELF]\r\nMODIFIED_TIME=old\r\n");
        foundation().Start();
        Settings& s = foundation().settings();
        EXPECT_EQ(s.SettingsFileName, base() + "etc/" + c.expectedName);
        EXPECT_EQ(s.FirstRun, c.firstRun);
        EXPECT_EQ(s.ReadIniString("FakturaDager").empty(), !c.firstRun) << "defaults only into a new file";
        // The first file was saved before the switch, with its new stamps.
        EXPECT_EQ(OnDisk(etcIni()).ReadString("INI_SELF", "MODIFIED_TIME", ""), "05.03.2024 12:00:00");
    }
}

TEST_F(SettingsTest, CommandLineSwitches) {
    struct Case {
        std::vector<std::string> args;
        std::string user;
        bool debug;
    };
    const Case cases[] = {
        {{"--user"}, "", false},
        {{"--user", "--debug"}, "--debug", true},
        {{"--user", "ola", "test"}, "ola", false},
        {{"--DEBUG", "-debug"}, "", false},
        {{"--debug", "--user", "per"}, "per", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.size() > 1 ? c.args[0] + " " + c.args[1] : c.args[0]);
        NewRun();
        host.args = c.args;
        Foundation& f = foundation();
        f.Start();
        EXPECT_EQ(f.settings().CommandLineUser, c.user);
        EXPECT_EQ(f.log().VerboseLogging, c.debug);
        // "LogToFile" is off: only the debug switch keeps the log on.
        EXPECT_EQ(f.log().LogEnabled, c.debug);
        if (c.debug) {
            EXPECT_TRUE(Contains(f.log().LogList(), "BRUKER: " + (c.user.empty() ? "kari" : c.user)));
            EXPECT_TRUE(Contains(f.log().LogList(), " LOGIN: kari  node: testhost."));
        }
    }
    EXPECT_FALSE(fs::exists(base() + "archive")) << "no folder tree without -install";

    NewRun();
    host.args = {"-install"};
    foundation().Start();
    EXPECT_TRUE(fs::is_directory(base() + "export/html/varer"));
    EXPECT_EQ(foundation().settings().SettingsFile().ReadString("FOLDERS", "maler\\ff2_folder", ""),
              base() + "maler/ff2/");
}

TEST_F(SettingsTest, NumberedLists) {
    foundation().Start();
    Settings& s = foundation().settings();
    s.SelectIniSection("LISTS");
    s.WriteIniString("Recent0", "a");
    s.WriteIniString("Recent3", "b");
    s.WriteIniString("Recent20", "c");
    s.WriteIniString("Recent21", "beyond the list");
    std::vector<std::string> list{"stale"};
    s.ReadIniList("Recent", list);
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b", "c"}));

    for (int i = 0; i <= Settings::IniListMax; ++i)
        s.WriteIniString("Full" + std::to_string(i), "v" + std::to_string(i));
    s.AddToIniList("Full", "v7");  // present: nothing moves
    s.AddToIniList("Full", "");
    s.ReadIniList("Full", list);
    EXPECT_EQ(list.size(), 21u);
    EXPECT_EQ(list[7], "v7");
    s.AddToIniList("Full", "V7");  // differs in case: a new entry, the last one falls off
    s.ReadIniList("Full", list);
    ASSERT_EQ(list.size(), 21u);
    EXPECT_EQ(list.front(), "V7");
    EXPECT_EQ(list[8], "v7");
    EXPECT_EQ(list.back(), "v19");
    s.ResetIniSection();
    EXPECT_EQ(s.CurrentSection, "STANDARD");
}

TEST_F(SettingsTest, ReadsAndWritesOfTheCurrentSection) {
    foundation().Start();
    Settings& s = foundation().settings();
    s.WriteIniString("Tekst", "Blåbær Ω");
    EXPECT_EQ(s.ReadIniString("TEKST"), "Blåbær ?") << "passes through the ANSI code page";
    s.WriteIniString("Notat", "linje 1\r\nlinje 2");
    EXPECT_EQ(s.ReadIniString("Notat"), "linje 1 linje 2");
    s.WriteIniInteger("Tall", -3);
    s.WriteIniBool("JaNei", true);
    s.WriteIniString("IkkjeTal", "12,5");
    EXPECT_EQ(s.ReadIniInteger("Tall"), -3);
    EXPECT_TRUE(s.ReadIniBool("JaNei"));
    EXPECT_EQ(s.ReadIniInteger("IkkjeTal"), 0);
    EXPECT_FALSE(s.ReadIniBool("IkkjeTal"));

    // A non-numeric "WinFrameWidth" reads as 0, so the next open resets the frame.
    s.WriteIniString("WinFrameWidth", "wide");
    s.WriteIniInteger("WinFrameTop", 300);
    s.SwitchSettingsFile("brenmoto.ini");
    EXPECT_EQ(s.ReadIniInteger("WinFrameWidth"), 1920);
    EXPECT_EQ(s.ReadIniInteger("WinFrameTop"), 0);

    s.ProgramTerminating = true;
    EXPECT_EQ(s.ReadIniString("Tekst"), "");
    EXPECT_EQ(s.ReadIniInteger("Tall"), -3) << "numbers and yes/no still read while ending";
}

TEST_F(SettingsTest, FinishProgramStoresReloadsAndSaves) {
    foundation().Start();
    Foundation& f = foundation();
    f.settings().LogonIniFileName = "kunde.ini";
    f.settings().WriteIniBool("TemperaryAutoLogon", true);
    host.time = FakeHost::LocalTime(2024, 3, 5, 17, 0, 0);
    f.FinishProgram();

    IniFile disk = OnDisk(etcIni());
    EXPECT_EQ(disk.ReadString("STANDARD", "TemperaryAutoLogon", ""), "0");
    EXPECT_EQ(disk.ReadString("STANDARD", "LogonIniFile", ""), "kunde.ini");
    EXPECT_EQ(disk.ReadString("INI_SELF", "MODIFIED_TIME", ""), "05.03.2024 17:00:00");
    EXPECT_EQ(f.settings().SettingsFileName, "");
    EXPECT_EQ(f.settings().SettingsFolder, "");
    EXPECT_EQ(f.settings().CurrentSection, "");
    EXPECT_FALSE(f.settings().IsOpen());
    EXPECT_FALSE(f.settings().SaveSettingsFile()) << "nothing to save once released";
}

TEST_F(SettingsTest, FinishProgramWithTerminatingReadOnlyOrVanishedFile) {
    // Ending early: the two keys are stored (first save), the reloaded copy is not saved again.
    foundation().Start();
    foundation().settings().ProgramTerminating = true;
    host.time = FakeHost::LocalTime(2024, 3, 5, 17, 0, 0);
    foundation().FinishProgram();
    IniFile disk = OnDisk(etcIni());
    EXPECT_EQ(disk.ReadString("STANDARD", "LogonIniFile", ""), "localhost.ini");
    EXPECT_EQ(disk.ReadString("INI_SELF", "MODIFIED_TIME", ""), "05.03.2024 12:00:00");

    // A read-only file is never written; the refused first save is logged, the last is skipped.
    NewRun();
    WriteFile(etcIni(), "[STANDARD]\r\nLogToFile=1\r\n");
    ASSERT_EQ(::chmod(etcIni().c_str(), 0444), 0);
    foundation().Start();
    foundation().settings().WriteIniString("Changed", "yes");
    foundation().FinishProgram();
    EXPECT_EQ(ReadFile(etcIni()), "[STANDARD]\r\nLogToFile=1\r\n");
    const auto& log = foundation().log().LogList();
    EXPECT_TRUE(Contains(log, "(skrivebeskyttet)"));

    // The settings folder removed during the run: the saves fail, are logged, nothing crashes.
    NewRun();
    ::chmod(etcIni().c_str(), 0644);
    foundation().Start();
    fs::remove_all(base() + "etc");
    foundation().FinishProgram();
    foundation().WriteLogAtEnd();
    EXPECT_FALSE(fs::exists(etcIni()));
    EXPECT_NE(ReadFile(base() + "log/Dravn6SQLAdm.log")
                  .find("FEIL: SaveSettingsFile: kan ikke lagre innstillingsfila " + etcIni()),
              std::string::npos);
}

TEST_F(SettingsTest, DamagedSettingsFilesDoNotStopTheStart) {
    std::string junk;
    for (int i = 0; i < 3000; ++i)
        junk += static_cast<char>((i * 131 + 7) % 256);
    WriteFile(etcIni(), junk +
                            "\n[STANDARD]"
                            "\nKeep=this\n" +
                            junk);
    foundation().Start();
    EXPECT_EQ(foundation().settings().ReadIniString("Keep"), "this");
    foundation().FinishProgram();
    IniFile disk = OnDisk(etcIni());
    EXPECT_EQ(disk.ReadString("STANDARD", "Keep", ""), "this");
    EXPECT_EQ(disk.ReadString("INI_SELF", "MODIFIED_BUILD", ""), "3361");

    // A settings "file" that cannot
    // be read is never saved over.
    NewRun();
    fs::remove_all(base());
    fs::create_directories(etcIni());
    host.args = {"--debug"};
    foundation().Start();
    foundation().FinishProgram();
    EXPECT_TRUE(fs::is_directory(etcIni()));
    EXPECT_TRUE(Contains(foundation().log().LogList(),
                         "FEIL: SaveSettingsFile: "
                         "kan ikke lagre "
                         "innstillingsfila"));
}

TEST_F(SettingsTest, CleanUpAtTheEndOnlyForTheMainProgram) {
    for (const char* program : {"bin/Dravn6SQLAdm", "Dravn11/Dravn6SQLAdm"}) {
        SCOPED_TRACE(program);
        NewRun();
        host.program = root + program;
        WriteFile(base() + "tmp/old.txt", "x");
        WriteFile(etcIni(),
                  "[STANDARD]"
                  "\r\nDeleteTempor"
                  "aryFiles=1\r\n");
        foundation().Start();
        foundation().FinishProgram();
        EXPECT_EQ(fs::exists(base() + "tmp/old.txt"), std::string(program).find("Dravn1"
                                                                                "1") == std::string::npos);
    }
}

TEST_F(SettingsTest, UsageCountersSurviveARun) {
    WriteFile(etcIni(),
              "[STANDARD]\r\npi_"
              "useinvoice=17\r\npi_"
              "UseNews=abc\r\n");
    Foundation& f = foundation();
    f.Start();
    f.usageCounters().Load(f.settings());
    EXPECT_EQ(f.usageCounters().Count("PI_USEINVOICE"), 17);
    f.usageCounters().Save(f.settings());
    f.FinishProgram();

    IniFile disk = OnDisk(etcIni());
    for (const char* key : UsageCounters::Keys)
        EXPECT_TRUE(disk.ValueExists("STANDARD", key)) << key;
    EXPECT_EQ(disk.ReadString("STANDARD", "pi_UseInvoice", ""), "17");
    EXPECT_EQ(disk.ReadString("STANDARD", "pi_UseNews", ""), "0");
    EXPECT_EQ(disk.ReadString("STANDARD", "pi_UseProductGroup", ""), "0");
}

}  // namespace
}  // namespace dravn::test
