// A Host for tests: every platform value is a plain field the test sets.
#pragma once

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "foundation/host.h"

namespace dravn::test {

class FakeHost : public Host {
  public:
    std::map<std::string, std::string> envVars;  // absent key: the variable is not set
    TimePoint time = LocalTime(2024, 3, 5, 12, 0, 0);
    long utcOffset = 0;  // seconds; the same at every moment
    RegionalFormats formats;
    std::string cwd = "/";
    std::string program = "/opt/dravn/Dravn6SQLAdm";
    std::vector<std::string> args;
    std::string host = "testhost";
    std::string domain;
    std::string account = "tester";
    std::vector<Monitor> screens;  // primary first; empty means no screen
    bool ctrl = false;
    bool shift = false;

    // The UTC moment at which the local clock (at utcOffsetSeconds from UTC) shows this date and time.
    static TimePoint LocalTime(int year, unsigned month, unsigned day, int hour = 0, int minute = 0,
                               int second = 0, long utcOffsetSeconds = 0) {
        using namespace std::chrono;
        sys_days d =
            year_month_day{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}};
        return TimePoint(d) + hours(hour) + minutes(minute) + seconds(second) - seconds(utcOffsetSeconds);
    }

    // A single monitor with its work area less a task bar of the given height at the bottom.
    static Monitor MakeMonitor(int left, int top, int width, int height, int taskbar = 0) {
        return Monitor{{left, top, width, height}, {left, top, width, height - taskbar}};
    }

    std::optional<std::string> env(const std::string& name) const override {
        auto it = envVars.find(name);
        if (it == envVars.end())
            return std::nullopt;
        return it->second;
    }
    TimePoint now() const override { return time; }
    long utcOffsetSeconds(TimePoint) const override { return utcOffset; }
    RegionalFormats regionalFormats() const override { return formats; }
    std::string currentDirectory() const override { return cwd; }
    std::string programPath() const override { return program; }
    std::vector<std::string> arguments() const override { return args; }
    std::string hostName() const override { return host; }
    std::string domainName() const override { return domain; }
    std::string accountName() const override { return account; }
    std::vector<Monitor> monitors() const override { return screens; }
    bool ctrlKeyDown() const override { return ctrl; }
    bool shiftKeyDown() const override { return shift; }
};

// Gives the host a user of its own in a fresh temporary folder: APPDATA, HOME and the working
// directory lie below the returned root (ending in "/"), with one 1920 x 1080 monitor. Empty when
// the folder could not be made.
inline std::string MakeTestHome(FakeHost& host, const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return {};
    std::string root = pattern + "/";
    std::filesystem::create_directories(root + "home");
    std::filesystem::create_directories(root + "work");
    host.envVars = {{"APPDATA", root + "appdata"}, {"HOME", root + "home"}, {"USERNAME", "kari"}};
    host.cwd = root + "work/";
    host.program = root + "bin/Dravn6SQLAdm";
    host.screens = {FakeHost::MakeMonitor(0, 0, 1920, 1080, 40)};
    return root;
}

}  // namespace dravn::test
