// The platform seams of the program: environment, clock, regional formats, files and screens.
// Everything that differs between a test and a real run goes through a Host, so tests can fix
// "today", the date format, the user's folders and the monitors.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace dravn {

using Clock = std::chrono::system_clock;
using TimePoint = Clock::time_point;

// A rectangle in screen pixels.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// One monitor: its full bounds and its work area (bounds less task bars and panels).
struct Monitor {
    Rect bounds;
    Rect workArea;
    bool operator==(const Monitor&) const = default;
};

// Date and time patterns in strftime notation, as the user's regional settings render them.
struct RegionalFormats {
    std::string shortDate = "%d.%m.%Y";
    std::string longTime = "%H:%M:%S";
};

class Host {
public:
    virtual ~Host() = default;

    // Environment variable, or nothing when it is not set.
    virtual std::optional<std::string> env(const std::string& name) const = 0;
    virtual TimePoint now() const = 0;
    // Local time offset from UTC in seconds at the given moment (dates are shown in local time).
    virtual long utcOffsetSeconds(TimePoint at) const = 0;
    virtual RegionalFormats regionalFormats() const = 0;
    // Current working directory, ending in "/".
    virtual std::string currentDirectory() const = 0;
    // Full path of the running program.
    virtual std::string programPath() const = 0;
    // Command-line arguments after the program name.
    virtual std::vector<std::string> arguments() const = 0;
    virtual std::string hostName() const = 0;
    virtual std::string domainName() const = 0;
    // The user name of the password database entry of the running process.
    virtual std::string accountName() const = 0;
    // Monitors in the system's order, primary first. Empty when there is no screen.
    virtual std::vector<Monitor> monitors() const = 0;
    virtual bool ctrlKeyDown() const = 0;
    virtual bool shiftKeyDown() const = 0;
};

// The real platform: environment, clock, locale and process information of this machine.
// It knows no screen and no keyboard; the window layer derives from it to add them.
class SystemHost : public Host {
public:
    SystemHost(std::vector<std::string> arguments = {});
    std::optional<std::string> env(const std::string& name) const override;
    TimePoint now() const override;
    long utcOffsetSeconds(TimePoint at) const override;
    RegionalFormats regionalFormats() const override;
    std::string currentDirectory() const override;
    std::string programPath() const override;
    std::vector<std::string> arguments() const override;
    std::string hostName() const override;
    std::string domainName() const override;
    std::string accountName() const override;
    std::vector<Monitor> monitors() const override;
    bool ctrlKeyDown() const override;
    bool shiftKeyDown() const override;

private:
    std::vector<std::string> arguments_;
};

}  // namespace dravn
