#include "foundation/foundation.h"

#include "foundation/cleanup.h"

namespace dravn {

Foundation::Foundation(Host& host, UserInteraction& ui)
    : host_(host), ui_(ui), textDate_(host), log_(*this), settings_(*this), folders_(*this) {}

void Foundation::Start() {
    textDate_.Start(log_.StartupTrace());
    vt_reg_Start();
}

void Foundation::vt_reg_Start() {
    log_.StartupTrace() += " vt_reg_Start: " + textDate_.DateTimeText(host_.now());
    desktopExtents_ = ComputeDesktopExtents(host_.monitors());

    // Arguments are compared exactly; every one is examined, also the one after "--user".
    bool debugSwitch = false;
    bool install = false;
    const std::vector<std::string> args = host_.arguments();
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--debug" || args[i] == "-install") {
            log_.LogEnabled = true;
            log_.VerboseLogging = true;
            debugSwitch = true;
            if (args[i] == "-install")
                install = true;
        } else if (args[i] == "--user") {
            settings_.CommandLineUser = i + 1 < args.size() ? args[i + 1] : std::string();
        }
    }

    settings_.LocateSettingsFile();
    vt_reg_Stop();

    // The switches keep the log on even when "LogToFile" is off: they are asked for to get a log.
    log_.SetUp(debugSwitch);
    log_.LogLine("START: " + host_.programPath());
    log_.LogLine("INIFIL: " + settings_.SettingsFileName);
    log_.LogLine("BRUKER: " + folders_.CurrentUserName());
    if (log_.VerboseLogging) {
        settings_.RebuildLoginText();
        log_.LogLine(settings_.LoginText);
    }
    if (install)
        folders_.InstallFolders();
}

void Foundation::vt_reg_Stop() {
    log_.StartupTrace() += " vt_reg_Stop: " + textDate_.DateTimeText(host_.now());
    colors_.SetDefaultColors();
}

void Foundation::FinishProgram() {
    Settings& s = settings_;
    if (s.IsOpen()) {
        s.WriteIniBool("TemperaryAutoLogon", false);
        s.WriteIniString("LogonIniFile", s.LogonIniFileName);
        s.SaveSettingsFile();
        s.ReleaseSettingsFile();

        // Load again from disk: the file gets fresh MODIFIED stamps.
        s.OpenSettingsFile(s.SettingsFileName);

        if (s.ReadIniBool("DeleteTemporaryFiles") &&
            host_.programPath().find("Dravn11") != std::string::npos) {
            CleanOptions options;
            options.PreserveTemporaryPictures = s.ReadIniBool("PreserveTemporaryPictures");
            options.PreserveWorkFiles = s.ReadIniBool("PreserveWorkFiles");
            options.DeleteWEBdata = s.ReadIniBool("DeleteWEBdata");
            TempLocations where;
            where.workingDirectory = host_.currentDirectory();
            where.tmpFolder = folders_.GetFolder("tmp");
            where.tempFolder = folders_.TempFolder();
            where.windir = host_.env("WINDIR").value_or("");
            where.spoolFolder = folders_.SpoolFolder();
            CleanTemporaryFiles(
                s.ReadIniBool("DeleteSystemTemporaryFiles"), where, options,
                [this](const std::string& line) { log_.LogLine(line); }, ui_);
        }

        // A read-only file is simply left as it is; that is not an error.
        if (!s.ProgramTerminating && !s.SettingsFileIsReadOnly())
            s.SaveSettingsFile();
        s.ReleaseSettingsFile();
    }
    s.SettingsFileName.clear();
    s.SettingsFolder.clear();
    s.CurrentSection.clear();
    s.CommandLineUser.clear();
}

}  // namespace dravn
