#include "foundation/host.h"

#include <langinfo.h>
#include <limits.h>
#include <pwd.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace dravn {

SystemHost::SystemHost(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}

std::optional<std::string> SystemHost::env(const std::string& name) const {
    const char* v = std::getenv(name.c_str());
    if (v == nullptr)
        return std::nullopt;
    return std::string(v);
}

TimePoint SystemHost::now() const {
    return Clock::now();
}

long SystemHost::utcOffsetSeconds(TimePoint at) const {
    std::time_t t = Clock::to_time_t(at);
    std::tm local{};
    localtime_r(&t, &local);
    return local.tm_gmtoff;
}

RegionalFormats SystemHost::regionalFormats() const {
    RegionalFormats f;
    // Read LC_TIME from the environment without disturbing the rest of the program's locale.
    locale_t loc = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr))
        return f;
    const char* raw = nl_langinfo_l(_NL_LOCALE_NAME(LC_TIME), loc);
    std::string name = raw != nullptr ? raw : "";
    // The C and POSIX locales (also "C.UTF-8") have no regional format of their own.
    bool plain = name.empty() || name == "POSIX" || name == "C" || name.rfind("C.", 0) == 0;
    if (!plain) {
        std::string d = nl_langinfo_l(D_FMT, loc);
        std::string t = nl_langinfo_l(T_FMT, loc);
        if (!d.empty())
            f.shortDate = d;
        if (!t.empty())
            f.longTime = t;
    }
    freelocale(loc);
    return f;
}

std::string SystemHost::currentDirectory() const {
    std::error_code ec;
    std::string d = std::filesystem::current_path(ec).string();
    if (d.empty() || d.back() != '/')
        d += '/';
    return d;
}

std::string SystemHost::programPath() const {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
}

std::vector<std::string> SystemHost::arguments() const {
    return arguments_;
}

std::string SystemHost::hostName() const {
    char buf[HOST_NAME_MAX + 1] = {};
    if (gethostname(buf, sizeof buf - 1) != 0)
        return {};
    std::string h = buf;
    auto dot = h.find('.');
    return dot == std::string::npos ? h : h.substr(0, dot);
}

std::string SystemHost::domainName() const {
    char buf[HOST_NAME_MAX + 1] = {};
    if (gethostname(buf, sizeof buf - 1) != 0)
        return {};
    std::string h = buf;
    auto dot = h.find('.');
    return dot == std::string::npos ? std::string() : h.substr(dot + 1);
}

std::string SystemHost::accountName() const {
    if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_name != nullptr)
        return pw->pw_name;
    return {};
}

std::vector<Monitor> SystemHost::monitors() const {
    return {};
}
bool SystemHost::ctrlKeyDown() const {
    return false;
}
bool SystemHost::shiftKeyDown() const {
    return false;
}

}  // namespace dravn
