#include "foundation/folders.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "foundation/foundation.h"

namespace dravn {
namespace fs = std::filesystem;

const char* const StandardFolderNames[24] = {"archive",
                                             "backup",
                                             "data",
                                             "data\\hexpoint",
                                             "data\\pcalc",
                                             "data\\ff2",
                                             "data\\docs",
                                             "data\\tfm",
                                             "etc",
                                             "export",
                                             "export\\xml",
                                             "export\\pdf",
                                             "export\\csv",
                                             "export\\html",
                                             "export\\html\\varer",
                                             "import",
                                             "images",
                                             "spool",
                                             "tmp",
                                             "xml",
                                             "log",
                                             "maler",
                                             "maler\\docs",
                                             "maler\\ff2"};

namespace {

constexpr const char* kFolders = "FOLDERS";
// The number the suite's Windows programs log for a folder that already exists.
constexpr int kAlreadyExists = 183;

bool FolderExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

void MakeFolders(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);  // failures show later, when the folder is used
}

std::string WithSlash(std::string path) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

std::string WithoutSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// "data\docs" -> "data/docs"
std::string AsPath(std::string name) {
    for (char& c : name)
        if (c == '\\')
            c = '/';
    return name;
}

void ReplaceFirst(std::string& text, const std::string& what, const std::string& with) {
    if (auto at = text.find(what); at != std::string::npos)
        text.replace(at, what.size(), with);
}

}  // namespace

Folders::Folders(Foundation& foundation) : f_(foundation) {}

std::string Folders::AppDataFolder() const {
    const Host& host = f_.host();
    for (const char* name : {"APPDATA", "XDG_CONFIG_HOME"})
        if (auto v = host.env(name); v && !v->empty())
            return WithoutSlash(*v);
    auto home = host.env("HOME");
    std::string base = home && !home->empty() ? WithoutSlash(*home) : WithoutSlash(host.currentDirectory());
    return (base == "/" ? "" : base) + "/.config";
}

std::string Folders::UserProfileFolder() const {
    for (const char* name : {"USERPROFILE", "HOME"})
        if (auto v = f_.host().env(name); v && !v->empty())
            return WithoutSlash(*v);
    return {};
}

std::string Folders::BaseFolder() const {
    return AppDataFolder() + "/Brenmoto/";
}

std::string Folders::GetFolder(const std::string& name) {
    // Read the entry directly, not through ReadIniString: a recorded folder must not be replaced
    // by the default just because the program is ending early.
    IniFile& ini = f_.settings().SettingsFile();
    const std::string key = name + "_folder";
    std::string path = ini.ReadString(kFolders, key, "");
    ReplaceFirst(path, "%APPDATA%", AppDataFolder());
    ReplaceFirst(path, "%USERPROFILE%", UserProfileFolder());

    if (!FolderExists(path)) {
        const std::string base = BaseFolder();
        MakeFolders(base);
        if (name == "etc" || name == "tmp" || name == "log" || name == "xml" || name == "data" ||
            name == "export" || name == "import") {
            path = base + name;
        } else if (name == "tmp\\tumb") {
            path = base + "tmp/tumb/";
            if (!FolderExists(path))
                MakeFolders(path + "tumb/");
        } else if (name == "data\\tfm" || name == "data\\docs") {
            MakeFolders(base + "data/");
            path = base + "data/" + name.substr(5) + "/";
        } else {
            path = base + AsPath(name);
        }
        MakeFolders(path);
        ini.WriteString(kFolders, key, path);
    }
    path = WithSlash(path);
    f_.settings().SaveSettingsFile();
    return path;
}

void Folders::SetFolder(const std::string& name, const std::string& path) {
    f_.settings().SettingsFile().WriteString(kFolders, name + "_folder", WithSlash(path));
}

void Folders::InstallFolders() {
    fs::path program(f_.host().programPath());
    SetFolder("doc", (program.parent_path() / ".." / "doc").lexically_normal().string());
    const std::string base = BaseFolder();
    MakeFolders(base);
    for (const char* name : StandardFolderNames) {
        const std::string path = base + AsPath(name);
        mkdirsafe(path);
        SetFolder(name, path);
    }
}

int Folders::mkdirsafe(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) == 0) {
        f_.LogLine("Oppretter mappen " + path);
        return 0;
    }
    const int number = errno == EEXIST ? kAlreadyExists : errno;
    f_.LogLine("FEIL: [mkdirsafe:" + std::to_string(number) + "] kan ikke opprette mappen " + path);
    return number;
}

std::string Folders::DocumentsFolder() {
    try {
        const std::string profile = UserProfileFolder();
        if (!profile.empty()) {
            for (const char* sub : {"/Documents/", "/Mine Dokumenter/"})
                if (FolderExists(profile + sub))
                    return profile + sub;
        }
        std::string stored = f_.settings().ReadIniString("MineDokumenter");
        return stored.empty() ? "./" : stored;
    } catch (...) {
        return "./";
    }
}

std::string Folders::DownloadsFolder() const {
    const std::string profile = UserProfileFolder();
    if (profile.empty())
        return {};
    for (const char* sub : {"/Downloads/", "/Nedlastinger/"})
        if (FolderExists(profile + sub))
            return profile + sub;
    return {};
}

std::string Folders::DesktopFolder() const {
    const std::string profile = UserProfileFolder();
    if (FolderExists(profile + "/Desktop/"))
        return profile + "/Desktop/";
    return profile + "/Skrivebord/";
}

std::string Folders::CurrentUserName() {
    if (SignedInUserName.empty()) {
        const std::string& commandLineUser = f_.settings().CommandLineUser;
        SignedInUserName = commandLineUser.empty() ? WindowsUserName() : commandLineUser;
    }
    if (SignedInUserName.empty())
        SignedInUserName = "anonymous";
    return SignedInUserName;
}

std::string Folders::WindowsUserName() const {
    for (const char* name : {"USERNAME", "USER", "LOGNAME"})
        if (auto v = f_.host().env(name); v && !v->empty())
            return *v;
    return f_.host().accountName();
}

std::string Folders::ComputerName() const {
    if (auto v = f_.host().env("COMPUTERNAME"); v && !v->empty())
        return *v;
    return f_.host().hostName();
}

std::string Folders::UserDomain() const {
    if (auto v = f_.host().env("USERDOMAIN"); v && !v->empty())
        return *v;
    return f_.host().domainName();
}

std::string Folders::TempFolder() const {
    for (const char* name : {"TEMP", "TMPDIR"})
        if (auto v = f_.host().env(name); v && !v->empty())
            return *v;
    return "/tmp";
}

std::string Folders::SpoolFolder() const {
    if (auto v = f_.host().env("SPOOLDIR"); v && !v->empty())
        return *v;
    return {};
}

std::string Folders::LocalIPAddress() const {
    const std::string name = f_.host().hostName().substr(0, 64);
    if (name.empty())
        return {};
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return {};
    std::string last;
    for (addrinfo* a = found; a != nullptr; a = a->ai_next) {
        if (a->ai_family != AF_INET)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        const auto* in = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
        if (::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text) != nullptr)
            last = text;
    }
    ::freeaddrinfo(found);
    return last;
}

}  // namespace dravn
