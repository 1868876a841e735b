#include "foundation/settings.h"

#include "foundation/foundation.h"

namespace dravn {

Settings::Settings(Foundation& foundation) : f_(foundation), file_(std::make_unique<IniFile>()) {}
Settings::~Settings() = default;
std::string Settings::ReadIniString(const std::string&) const {
    return {};
}
void Settings::WriteIniString(const std::string&, const std::string&) {}
bool Settings::ReadIniBool(const std::string&) const {
    return false;
}
void Settings::WriteIniBool(const std::string&, bool) {}
int Settings::ReadIniInteger(const std::string&) const {
    return 0;
}
void Settings::WriteIniInteger(const std::string&, int) {}
void Settings::ReadIniList(const std::string&, std::vector<std::string>& list) const {
    list.clear();
}
void Settings::AddToIniList(const std::string&, const std::string&) {}
bool Settings::SaveSettingsFile() {
    return false;
}
void Settings::SwitchSettingsFile(const std::string&) {}
void Settings::OpenSettingsFile(const std::string&) {}
void Settings::LocateSettingsFile() {}
void Settings::ReleaseSettingsFile() {}
bool Settings::SettingsFileIsReadOnly() const {
    return false;
}
void Settings::WriteFirstRunDefaults() {}

}  // namespace dravn
