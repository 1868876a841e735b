// The program-wide settings state: the one settings file in use (brenmoto.ini or a per-logon
// file beside it), the current section, the stamps and first-run defaults written when a file is
// opened, and the small read/write operations every other part uses.
//
// Reads and writes work on the in-memory file; the disk is written only by SaveSettingsFile.
// ReadIniString/WriteIniString pass names and values through Windows-1252 (the suite's Windows
// programs share the file): characters outside that code page become "?".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foundation/settings_file.h"

namespace dravn {

class Foundation;

class Settings {
  public:
    static constexpr int IniListMax = 20;
    static constexpr const char* DefaultSection = "STANDARD";
    static constexpr const char* IniVersion = "11.69/64";
    static constexpr const char* IniBuild = "3361";

    explicit Settings(Foundation& foundation);
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // After start: full path of the settings file in use / its folder (ending in "/").
    std::string SettingsFileName = "brenmoto.ini";
    std::string SettingsFolder;
    std::string CurrentSection = DefaultSection;
    // Set when the settings folder or file did not exist; never cleared during the run.
    bool FirstRun = false;
    // Set just before the program ends early: ReadIniString then reads empty and the settings
    // are not saved at the very end.
    bool ProgramTerminating = false;
    std::string LogonIniFileName = "localhost.ini";
    std::string CommandLineUser;
    std::string LoginText;

    // The in-memory file. Always valid: before start and after the end it is an empty document
    // that is never saved.
    IniFile& SettingsFile() { return *file_; }
    const IniFile& SettingsFile() const { return *file_; }
    // True from the first OpenSettingsFile until FinishProgram releases the file.
    bool IsOpen() const { return open_; }

    void SelectIniSection(const std::string& name) { CurrentSection = name; }
    void ResetIniSection() { CurrentSection = DefaultSection; }

    // Value in CurrentSection; empty when missing, and always empty while ProgramTerminating.
    std::string ReadIniString(const std::string& key) const;
    void WriteIniString(const std::string& key, const std::string& value);
    bool ReadIniBool(const std::string& key) const;
    void WriteIniBool(const std::string& key, bool value);
    int ReadIniInteger(const std::string& key) const;
    void WriteIniInteger(const std::string& key, int value);
    // Fills the list with the non-empty values of prefix + "0" ... prefix + "20", in key order.
    void ReadIniList(const std::string& prefix, std::vector<std::string>& list) const;
    // Puts a value first in the numbered keys, shifting the others down (the last falls off);
    // a value already present (exact case) or an empty value changes nothing.
    void AddToIniList(const std::string& prefix, const std::string& value);

    // Writes the in-memory file to SettingsFileName (temporary file + rename). Does nothing
    // while no file is open. A read-only or unreadable file is not written; every failure is
    // logged, never thrown. True when the file was written.
    bool SaveSettingsFile();
    // Saves, then opens SettingsFolder + name.
    void SwitchSettingsFile(const std::string& name);
    // Replaces the in-memory file by the file at path (SettingsFileName := path) and stamps it; the
    // previous one must have been saved by the caller. A missing file sets FirstRun and receives the
    // default colours, the first-run defaults and (once per run, unless ProgramTerminating) the
    // desktop launcher; an existing file never receives the defaults, even when FirstRun is set.
    void OpenSettingsFile(const std::string& path);
    // Finds brenmoto.ini (working directory, else APPDATA/Brenmoto/etc/) and opens it.
    void LocateSettingsFile();
    // Releases the in-memory file (an empty, unsaveable document takes its place).
    void ReleaseSettingsFile();
    // True when the settings file exists and may not be written: no write permission bit is set
    // (a read-only file, also for root), or this process lacks write access.
    bool SettingsFileIsReadOnly() const;
    // LoginText := "LOGIN: " + WindowsUserName + "  node: " + ComputerName + "." + UserDomain.
    void RebuildLoginText();

  private:
    void WriteFirstRunDefaults();

    Foundation& f_;
    std::unique_ptr<IniFile> file_;
    bool open_ = false;
    bool shortcutCreated_ = false;
};

}  // namespace dravn
