#include "foundation/settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "foundation/cleanup.h"
#include "foundation/encoding.h"
#include "foundation/foundation.h"

namespace dravn {
namespace fs = std::filesystem;

namespace {

// Names and values of ReadIniString/WriteIniString pass through the ANSI code page.
std::string ThroughAnsi(const std::string& text) {
    return Cp1252ToUtf8(Utf8ToCp1252(text));
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool FolderExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

}  // namespace

Settings::Settings(Foundation& foundation) : f_(foundation), file_(std::make_unique<IniFile>()) {}

Settings::~Settings() = default;

std::string Settings::ReadIniString(const std::string& key) const {
    if (ProgramTerminating)
        return {};
    return ThroughAnsi(file_->ReadString(CurrentSection, ThroughAnsi(key), ""));
}

void Settings::WriteIniString(const std::string& key, const std::string& value) {
    file_->WriteString(CurrentSection, ThroughAnsi(key), ThroughAnsi(value));
}

bool Settings::ReadIniBool(const std::string& key) const {
    return file_->ReadBool(CurrentSection, key, false);
}

void Settings::WriteIniBool(const std::string& key, bool value) {
    file_->WriteBool(CurrentSection, key, value);
}

int Settings::ReadIniInteger(const std::string& key) const {
    return file_->ReadInteger(CurrentSection, key, 0);
}

void Settings::WriteIniInteger(const std::string& key, int value) {
    file_->WriteInteger(CurrentSection, key, value);
}

void Settings::ReadIniList(const std::string& prefix, std::vector<std::string>& list) const {
    list.clear();
    for (int i = 0; i <= IniListMax; ++i) {
        std::string value = ReadIniString(prefix + std::to_string(i));
        if (!value.empty())
            list.push_back(std::move(value));
    }
}

void Settings::AddToIniList(const std::string& prefix, const std::string& value) {
    if (value.empty())
        return;
    for (int i = 0; i <= IniListMax; ++i)
        if (ReadIniString(prefix + std::to_string(i)) == value)
            return;
    for (int i = IniListMax; i >= 1; --i)
        WriteIniString(prefix + std::to_string(i), ReadIniString(prefix + std::to_string(i - 1)));
    WriteIniString(prefix + "0", value);
}

bool Settings::SettingsFileIsReadOnly() const {
    struct stat st {};
    if (::stat(SettingsFileName.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    return (st.st_mode & 0222) == 0 || ::access(SettingsFileName.c_str(), W_OK) != 0;
}

bool Settings::SaveSettingsFile() {
    if (!open_)
        return false;
    const std::string tag = "FEIL: SaveSettingsFile: kan ikke lagre innstillingsfila " + SettingsFileName;
    if (!file_->CanSaveOver()) {
        f_.LogLine(tag + " (fila kunne ikke leses da den ble åpnet)");
        return false;
    }
    if (SettingsFileIsReadOnly()) {
        f_.LogLine(tag + " (skrivebeskyttet)");
        return false;
    }
    std::string error;
    if (!file_->SaveToFile(SettingsFileName, error)) {
        f_.LogLine(tag + " (" + error + ")");
        return false;
    }
    return true;
}

void Settings::ReleaseSettingsFile() {
    file_ = std::make_unique<IniFile>();
    open_ = false;
}

void Settings::SwitchSettingsFile(const std::string& name) {
    SaveSettingsFile();
    ReleaseSettingsFile();
    SettingsFileName = SettingsFolder + name;
    OpenSettingsFile(SettingsFileName);
}

void Settings::RebuildLoginText() {
    Folders& folders = f_.folders();
    LoginText = "LOGIN: " + folders.WindowsUserName() + "  node: " + folders.ComputerName() + "." +
                folders.UserDomain();
}

void Settings::OpenSettingsFile(const std::string& path) {
    RebuildLoginText();
    const bool missing = !FileExists(path);
    if (missing)
        FirstRun = true;

    file_ = std::make_unique<IniFile>();
    std::string error;
    if (!file_->LoadFromFile(path, &error))
        f_.LogLine("FEIL: OpenSettingsFile: kan ikke lese innstillingsfila " + path + " (" + error + ")");
    open_ = true;
    SettingsFileName = path;

    // Stamps: who created the file and who opened it last.
    const std::string now = f_.textDate().DateTimeText(f_.host().now());
    const std::string program = f_.host().programPath();
    const std::string user = f_.folders().CurrentUserName();
    auto stamp = [&](const std::string& prefix) {
        WriteIniString(prefix + "_TIME", now);
        WriteIniString(prefix + "_NAME", path);
        WriteIniString(prefix + "_PROGRAM", program);
        WriteIniString(prefix + "_USER", user);
        WriteIniString(prefix + "_INIVERSION", IniVersion);
        WriteIniString(prefix + "_BUILD", IniBuild);
        WriteIniString(prefix + "_LOGIN", LoginText);
    };
    SelectIniSection("INI_SELF");
    // Read directly: the stamps of an existing file must not look new while ProgramTerminating.
    const bool stampedAsNew = file_->ReadString("INI_SELF", "MODIFIED_TIME", "").empty();
    if (stampedAsNew)
        stamp("CREATED");
    stamp("MODIFIED");
    ResetIniSection();
    if (stampedAsNew)
        f_.colors().SetDefaultColors();

    // The default frame of main windows must lie on the desktop and be large enough.
    const Rect frame{ReadIniInteger("WinFrameLeft"), ReadIniInteger("WinFrameTop"),
                     ReadIniInteger("WinFrameWidth"), ReadIniInteger("WinFrameHeight")};
    if (auto replacement = ValidateWinFrame(frame, f_.host().monitors())) {
        WriteIniInteger("WinFrameLeft", replacement->left);
        WriteIniInteger("WinFrameHeight", replacement->height);
        WriteIniInteger("WinFrameTop", replacement->top);
        WriteIniInteger("WinFrameWidth", replacement->width);
    }

    // A file created in this run gets the defaults at its first open only, so that a later open
    // of the same run (a switch, the reload at the end) never overwrites what the run changed.
    if (missing) {
        f_.colors().SetDefaultColors();
        WriteFirstRunDefaults();
        if (!ProgramTerminating && !shortcutCreated_) {
            shortcutCreated_ = true;
            CreateDesktopShortcut(f_.folders().DesktopFolder(), f_.host().programPath());
        }
    }
}

void Settings::WriteFirstRunDefaults() {
    const std::string sep(1, f_.textDate().TimeSeparator());
    for (const char* key :
         {"SQL_SlowLine", "LoadDBGridValues", "DB_Version", "UseCloseMenu", "AutoDocumentInsertData",
          "AutoDocumentCreateTumb", "AutoDocumentConfirmOverwrite", "AutoDocument_PrivateEmail",
          "AutoDocument_UseDatePrefix", "AutoDocument_UsePicturePrefix"})
        WriteIniBool(key, true);
    for (const char* key :
         {"Skriver_ToppMarg", "Skriver_BunnMarg", "Skriver_VenstreMarg", "Skriver_HoyreMarg"})
        WriteIniInteger(key, 10);
    WriteIniBool("PrintOwnerInfo", true);
    WriteIniInteger("Skriver_BrevSidenummer", 1);
    for (const char* key : {"SumHourInOrder", "CheckHourInOrder", "CheckCostCenterInOrder", "ORP_ShowCalReg",
                            "ORP_ShowCal", "ORP_UseCalReg"})
        WriteIniBool(key, true);
    WriteIniString("FakturaDager", "10 dager");
    WriteIniString("Arbeid_ArbeidstidStart", "08" + sep + "00");
    WriteIniString("Arbeid_ArbeidstidSlutt", "16" + sep + "00");
    WriteIniInteger("Arbeid_PauseLengd1", 30);
    WriteIniInteger("Arbeid_PauseLengd2", 30);
    WriteIniString("Arbeid_PauseTid1", "12" + sep + "00");
    WriteIniString("Arbeid_PauseTid2", "16" + sep + "00");
    WriteIniBool("AutoCorrectHours", true);
    WriteIniBool("SynkRekursiv", true);
    WriteIniBool("DocumentShowOnlyNew", false);
    WriteIniBool("DocumentShowOnlyNew2", true);
}

void Settings::LocateSettingsFile() {
    const std::string etc = f_.folders().BaseFolder() + "etc/";
    const std::string cwd = WithSlash(f_.host().currentDirectory());
    SettingsFolder = FileExists(cwd + "brenmoto.ini") ? cwd : etc;
    if (!FolderExists(SettingsFolder)) {
        SettingsFolder = etc;
        std::error_code ec;
        fs::create_directories(SettingsFolder, ec);
        FirstRun = true;
    }
    std::error_code ec;
    fs::path full = fs::absolute(fs::path(SettingsFolder) / "brenmoto.ini", ec).lexically_normal();
    SettingsFileName = full.string();
    SettingsFolder = WithSlash(full.parent_path().string());

    OpenSettingsFile(SettingsFileName);
    if (ReadIniBool("UseLogonIniFile")) {
        std::string name = ReadIniString("LogonIniFile");
        SwitchSettingsFile(name.empty() ? "brenmoto.ini" : name);
    }
    f_.folders().SetFolder("etc", SettingsFolder);
}

}  // namespace dravn
