// The program log: lines collected in memory during the run (after the previous runs' lines,
// loaded at start) and written to the log file once, at the end of the program.
// Log file: GetFolder("log") + the program's file name with ".log" as its extension.
#pragma once

#include <string>
#include <vector>

#include "foundation/settings_file.h"

namespace dravn {

class Foundation;

class ProgramLog {
  public:
    explicit ProgramLog(Foundation& foundation);

    // Lines are only recorded while LogEnabled is set and the log has been set up.
    bool LogEnabled = false;
    // Parts consult it before writing extra detail.
    bool VerboseLogging = false;

    // Adds "<date> <time> " + text to the list (nothing is written to disk).
    void LogLine(const std::string& text);
    // Empties the list and the log file; both receive the one line "... LOGGFIL TØMT ...".
    // A failure to create the file is shown to the user (caption "FEIL").
    void ClearLog();
    // Full path of the log file, computed on first use and kept for the run.
    const std::string& LogFileName();
    // Markers of the start steps, logged as one line at the end.
    std::string& StartupTrace() { return startupTrace_; }
    const std::vector<std::string>& LogList() const { return list_; }

    // The start's set-up: an empty list, LogEnabled from "LogToFile" (kept on when
    // keepEnabled), ClearLog on "ClearLogFileOnStartup", the existing file loaded into the list,
    // VerboseLogging from "VerboseLogging" unless already set.
    void SetUp(bool keepEnabled = false);
    // The end of the program: with LogEnabled, logs StartupTrace and writes the whole list to
    // the file (temporary file + rename); then the list is released. A log file that existed but
    // could not be read at start is left as it is (a note goes to standard error).
    void WriteAtEnd();

  private:
    Foundation& f_;
    bool active_ = false;
    bool nameKnown_ = false;
    bool unreadable_ = false;
    std::string fileName_;
    std::string startupTrace_ = "LOGSTRING: ";
    std::vector<std::string> list_;
    TextEncoding encoding_ = TextEncoding::Ansi;
};

}  // namespace dravn
