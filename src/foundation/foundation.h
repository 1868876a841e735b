// The foundation services of one run: text and dates, log, settings, folders, screen extents,
// colours and usage counters, with the start and stop routines that tie them together.
//
// Start order: Start() (the text/date start step, then vt_reg_Start), then the database
// connection is prepared, then usageCounters().Load(settings()).
// End order: usageCounters().Save(settings()), the database shut-down, FinishProgram(),
// WriteLogAtEnd().
#pragma once

#include "foundation/folders.h"
#include "foundation/geometry.h"
#include "foundation/host.h"
#include "foundation/program_log.h"
#include "foundation/settings.h"
#include "foundation/text_date.h"
#include "foundation/usage_counters.h"
#include "foundation/user_interaction.h"

namespace dravn {

class Foundation {
  public:
    Foundation(Host& host, UserInteraction& ui);
    Foundation(const Foundation&) = delete;
    Foundation& operator=(const Foundation&) = delete;

    Host& host() { return host_; }
    UserInteraction& ui() { return ui_; }
    TextDate& textDate() { return textDate_; }
    ProgramLog& log() { return log_; }
    Settings& settings() { return settings_; }
    Folders& folders() { return folders_; }
    DesktopExtents& desktopExtents() { return desktopExtents_; }
    DefaultColors& colors() { return colors_; }
    UsageCounters& usageCounters() { return usageCounters_; }

    // The text/date start step followed by vt_reg_Start.
    void Start();
    // Command line, settings file, program log and the first log lines.
    void vt_reg_Start();
    // Marks the end of the start in StartupTrace and sets the default colours.
    void vt_reg_Stop();
    // Stores the last keys, saves, reloads, cleans temporary folders (only for a program whose
    // path contains "Dravn11"), saves again unless ProgramTerminating or read-only, releases.
    void FinishProgram();
    // The log's end-of-program step.
    void WriteLogAtEnd() { log_.WriteAtEnd(); }

    // LogLine of the program log (shorthand).
    void LogLine(const std::string& text) { log_.LogLine(text); }

  private:
    Host& host_;
    UserInteraction& ui_;
    TextDate textDate_;
    ProgramLog log_;
    Settings settings_;
    Folders folders_;
    DesktopExtents desktopExtents_;
    DefaultColors colors_;
    UsageCounters usageCounters_;
};

}  // namespace dravn
