#include "foundation/cleanup.h"

namespace dravn {

std::string ExtensionKey(std::string_view name) {
    return std::string(name);
}
bool IsCadFile(std::string_view) {
    return false;
}
bool IsPictureFile(std::string_view) {
    return false;
}
bool IsOfficeFile(std::string_view) {
    return false;
}
bool MayDeleteWorkFile(std::string_view, const CleanOptions&) {
    return true;
}
void CleanFolder(const std::string&, const CleanOptions&, const LogFn&, UserInteraction&) {}
void CleanTemporaryFiles(bool, const TempLocations&, const CleanOptions&, const LogFn&, UserInteraction&) {}
std::vector<std::string> OldProgramPrefixes(const std::string&, const std::string&, const std::string&,
                                            const std::string&) {
    return {};
}
void RemoveOldProgramFiles(const std::vector<std::string>&) {}
std::string ShortcutFileName(const std::string& programFileName) {
    return programFileName;
}
void CreateDesktopShortcut(const std::string&, const std::string&) {}

}  // namespace dravn
