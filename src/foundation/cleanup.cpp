#include "foundation/cleanup.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>

namespace dravn {
namespace {

constexpr std::array<std::string_view, 12> kCad = {"DWG", "DXF",  "DWB", "STP", "STEP", "SMC",
                                                   "NWD", "DWFX", "IGS", "ORD", "IFC",  "IPDIA"};
constexpr std::array<std::string_view, 11> kPicture = {"JPG", "JPEG", "PNG", "TIF",  "TIFF", "BMP",
                                                       "XCF", "PSD",  "GIF", "HEIC", "JFIF"};
// "DOCS" and not "DOCX" is the list the suite has always used; stored preferences rely on it.
constexpr std::array<std::string_view, 11> kOffice = {"XLS", "XLSX", "DOC", "DOCS", "PPT", "XLSM",
                                                      "ODG", "ODB",  "ODS", "ODP",  "ODT"};

constexpr std::string_view kWebViewFolder = "bds.exe.WebView2";

template <size_t N>
bool InClass(std::string_view name, const std::array<std::string_view, N>& extensions) {
    const std::string key = ExtensionKey(name);
    return std::find(extensions.begin(), extensions.end(), key) != extensions.end();
}

std::string Upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

std::string WithSlash(std::string s) {
    if (!s.empty() && s.back() != '/')
        s += '/';
    return s;
}

// Adds owner write and search permission to an open folder so its entries can be removed.
bool MakeFolderWritable(int dirFd) {
    struct stat st {};
    if (fstat(dirFd, &st) != 0)
        return false;
    if ((st.st_mode & S_IRWXU) == S_IRWXU)
        return false;  // not the reason for the failure
    return fchmod(dirFd, (st.st_mode & 07777) | S_IRWXU) == 0;
}

// Opens a subfolder without following a link. A folder we may not read is given owner
// permissions first, through a descriptor of the folder itself so that no link is ever followed.
int OpenSubfolder(int parentFd, const char* name) {
    const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    int fd = openat(parentFd, name, flags);
    if (fd >= 0 || errno != EACCES)
        return fd;
    int pathFd = openat(parentFd, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (pathFd < 0)
        return -1;
    struct stat st {};
    if (fstat(pathFd, &st) == 0) {
        const std::string self = "/proc/self/fd/" + std::to_string(pathFd);
        chmod(self.c_str(), (st.st_mode & 07777) | S_IRWXU);
    }
    close(pathFd);
    return openat(parentFd, name, flags);
}

std::vector<std::string> EntryNames(int dirFd) {
    std::vector<std::string> names;
    int own = dup(dirFd);
    if (own < 0)
        return names;
    DIR* dir = fdopendir(own);
    if (dir == nullptr) {
        close(own);
        return names;
    }
    while (const dirent* e = readdir(dir)) {
        std::string_view n = e->d_name;
        if (n != "." && n != "..")
            names.emplace_back(n);
    }
    closedir(dir);
    return names;
}

class FolderCleaner {
  public:
    FolderCleaner(const CleanOptions& options, const LogFn& log) : options_(options), log_(log) {}

    // Empties the open folder `dirFd` whose path (for log lines) is `folder`, ending in "/".
    void Empty(int dirFd, const std::string& folder) {
        for (const std::string& name : EntryNames(dirFd)) {
            struct stat st {};
            if (fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            if (S_ISDIR(st.st_mode)) {
                if (name == kWebViewFolder && !options_.DeleteWEBdata)
                    continue;
                int sub = OpenSubfolder(dirFd, name.c_str());
                if (sub < 0)
                    continue;
                Empty(sub, folder + name + "/");
                close(sub);
                // Fails while kept files remain; that is expected and ignored.
                if (unlinkat(dirFd, name.c_str(), AT_REMOVEDIR) != 0 && errno == EACCES &&
                    MakeFolderWritable(dirFd))
                    unlinkat(dirFd, name.c_str(), AT_REMOVEDIR);
                continue;
            }
            // Files, and links of any kind: a link is judged by its own name and removed as a link.
            if (options_.PreserveTemporaryPictures && IsPictureFile(name))
                continue;
            if (!MayDeleteWorkFile(name, options_))
                continue;
            // A file's own permissions do not protect it from removal here; the folder's do, so a
            // read-only folder inside the tree is made writable, as a read-only file would be.
            int rc = unlinkat(dirFd, name.c_str(), 0);
            if (rc != 0 && errno == EACCES && MakeFolderWritable(dirFd))
                rc = unlinkat(dirFd, name.c_str(), 0);
            if (rc != 0 && log_)
                log_("ERROR: Can not delete " + folder + name + std::to_string(errno));
        }
    }

  private:
    const CleanOptions& options_;
    const LogFn& log_;
};

// Deletes an outdated executable when it is there; a read-only one stays, and failures are ignored.
void RemoveProgramFile(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return;
    if (S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0)
        return;
    unlink(path.c_str());
}

// A value of a .desktop key: backslash and control characters escaped.
std::string DesktopValue(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// The program path as one quoted argument of the Exec key.
std::string ExecArgument(std::string_view path) {
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
        if (c == '%')
            quoted += '%';  // field codes start with "%"
    }
    quoted += '"';
    return DesktopValue(quoted);
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::string ExtensionKey(std::string_view name) {
    size_t dot = name.rfind('.');
    return Upper(dot == std::string_view::npos ? name : name.substr(dot + 1));
}

bool IsCadFile(std::string_view name) {
    return InClass(name, kCad);
}
bool IsPictureFile(std::string_view name) {
    return InClass(name, kPicture);
}
bool IsOfficeFile(std::string_view name) {
    return InClass(name, kOffice);
}

bool MayDeleteWorkFile(std::string_view name, const CleanOptions& options) {
    return !options.PreserveWorkFiles || !(IsOfficeFile(name) || IsCadFile(name));
}

void CleanFolder(const std::string& path, const CleanOptions& options, const LogFn& log,
                 UserInteraction& ui) {
    const std::string root = WithSlash(path);
    if (root.size() <= 6)
        return;
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    WaitCursor wait(ui);
    FolderCleaner(options, log).Empty(fd, root);
    close(fd);
}

void CleanTemporaryFiles(bool includeSystem, const TempLocations& locations, const CleanOptions& options,
                         const LogFn& log, UserInteraction& ui) {
    if (!locations.workingDirectory.empty()) {
        const std::string wd = WithSlash(locations.workingDirectory);
        for (int n = 6; n <= 10; ++n)
            RemoveProgramFile(wd + "Dravn" + std::to_string(n) + ".exe");
    }
    const std::string& tmp = locations.tmpFolder;
    if (tmp.size() > 3 && Upper(tmp).find("TMP") != std::string::npos)
        CleanFolder(tmp, options, log, ui);
    if (!includeSystem)
        return;
    const std::string temp = WithSlash(locations.tempFolder);
    if (temp.size() > 3 && Upper(temp).find("TEMP") != std::string::npos) {
        CleanFolder(temp, options, log, ui);
        if (!locations.windir.empty())
            CleanFolder(WithSlash(locations.windir) + "temp/", options, log, ui);
    }
    const std::string& spool = locations.spoolFolder;
    if (Upper(spool).find("SPOOL") != std::string::npos)
        CleanFolder(spool, options, log, ui);
}

std::vector<std::string> OldProgramPrefixes(const std::string& fileSystemRoot,
                                            const std::string& workingDirectory,
                                            const std::string& downloadsFolder,
                                            const std::string& documentsFolder) {
    const std::string wd = WithSlash(workingDirectory);
    const std::string root = WithSlash(fileSystemRoot);
    // An empty documents folder leaves its subfolders relative to the working directory.
    const std::string documents = documentsFolder.empty() ? wd : WithSlash(documentsFolder);
    return {wd,
            root + "Solvenkaret/",
            downloadsFolder.empty() ? wd : WithSlash(downloadsFolder),
            documents + "Brenmoto/",
            root + "Brenmoto/",
            documents + "Solvenkaret/"};
}

void RemoveOldProgramFiles(const std::vector<std::string>& prefixes) {
    static constexpr std::array<std::string_view, 4> kOutdated = {"Dravn10.exe", "Dravn10en.exe",
                                                                  "Dravn8.exe", "Dravn6.exe"};
    for (const std::string& prefix : prefixes)
        for (std::string_view name : kOutdated)
            RemoveProgramFile(prefix + std::string(name));
}

std::string ShortcutFileName(const std::string& programFileName) {
    std::string name = programFileName.substr(programFileName.rfind('/') + 1);
    std::string base = name;
    if (base.size() >= 4 && base.compare(base.size() - 4, 4, ".exe") == 0)
        base.resize(base.size() - 4);
    if (base == "Dravn11")
        return "Solvenkaret.desktop";
    if (base == "Dravn11en")
        return "Solvenkaret English.desktop";
    if (base == "Dravn6SQLAdm")
        return "Solvenkaret Administrator.desktop";
    return name + ".desktop";
}

void CreateDesktopShortcut(const std::string& desktopFolder, const std::string& programPath) {
    if (desktopFolder.empty() || programPath.empty())
        return;
    const std::string folder = WithSlash(desktopFolder);
    const std::string fileName = ShortcutFileName(programPath);
    const std::string title = fileName.substr(0, fileName.size() - std::string_view(".desktop").size());

    // An icon beside the program when it ships one, else the desktop's icon for office programs.
    std::string icon = "applications-office";
    const std::string stem = programPath.size() >= 4 && programPath.ends_with(".exe")
                                 ? programPath.substr(0, programPath.size() - 4)
                                 : programPath;
    for (const char* ext : {".png", ".svg"}) {
        struct stat st {};
        if (stat((stem + ext).c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            icon = stem + ext;
            break;
        }
    }

    const std::string text = "[Desktop Entry]\nType=Application\nName=" + DesktopValue(title) +
                             "\nExec=" + ExecArgument(programPath) + "\nIcon=" + DesktopValue(icon) +
                             "\nTerminal=false\n";

    // Written beside the final file and renamed over it, so a launcher is never half written.
    std::string tmp = folder + "." + fileName + ".XXXXXX";
    int fd = mkstemp(tmp.data());
    if (fd < 0)
        return;
    const bool ok = WriteAll(fd, text) && fchmod(fd, 0755) == 0 && fsync(fd) == 0;
    if (close(fd) != 0 || !ok || rename(tmp.c_str(), (folder + fileName).c_str()) != 0)
        unlink(tmp.c_str());
}

}  // namespace dravn
