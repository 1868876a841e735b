#include "foundation/folders.h"

#include "foundation/foundation.h"

namespace dravn {

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

Folders::Folders(Foundation& foundation) : f_(foundation) {}
std::string Folders::GetFolder(const std::string&) {
    return {};
}
void Folders::SetFolder(const std::string&, const std::string&) {}
void Folders::InstallFolders() {}
int Folders::mkdirsafe(const std::string&) {
    return 0;
}
std::string Folders::DocumentsFolder() {
    return "./";
}
std::string Folders::DownloadsFolder() const {
    return {};
}
std::string Folders::DesktopFolder() const {
    return {};
}
std::string Folders::CurrentUserName() {
    return "anonymous";
}
std::string Folders::WindowsUserName() const {
    return {};
}
std::string Folders::ComputerName() const {
    return {};
}
std::string Folders::UserDomain() const {
    return {};
}
std::string Folders::TempFolder() const {
    return "/tmp";
}
std::string Folders::SpoolFolder() const {
    return {};
}
std::string Folders::LocalIPAddress() const {
    return {};
}
std::string Folders::AppDataFolder() const {
    return {};
}
std::string Folders::UserProfileFolder() const {
    return {};
}
std::string Folders::BaseFolder() const {
    return {};
}

}  // namespace dravn
