// Clean-up of temporary folders at program end, removal of executables of older program
// generations, and the desktop launcher of the first run.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/user_interaction.h"

namespace dravn {

// The file name in upper case after its last "."; the whole name when it has no ".".
std::string ExtensionKey(std::string_view name);
// Membership of ExtensionKey(name) in the drawing/CAD, picture and office-document classes.
// Each accepts a file name or a bare extension ("a.dwg", "DWG").
bool IsCadFile(std::string_view name);
bool IsPictureFile(std::string_view name);
bool IsOfficeFile(std::string_view name);

// The settings that steer the clean-up (section "STANDARD": "PreserveTemporaryPictures",
// "PreserveWorkFiles", "DeleteWEBdata").
struct CleanOptions {
    bool PreserveTemporaryPictures = false;
    bool PreserveWorkFiles = false;
    bool DeleteWEBdata = false;
};

// True when PreserveWorkFiles is off or the file is neither an office document nor a drawing.
bool MayDeleteWorkFile(std::string_view name, const CleanOptions& options);

// Receives log lines (the caller passes its LogLine).
using LogFn = std::function<void(const std::string&)>;

// Empties the folder tree below path (longer than 6 characters, an existing folder); the folder
// itself remains. Protected files stay, and so do the folders holding them; a subfolder
// "bds.exe.WebView2" is touched only with DeleteWEBdata. Symbolic links are removed as links and
// never followed. A failed deletion logs "ERROR: Can not delete " + folder + name + error number.
// The wait cursor is on while it runs.
void CleanFolder(const std::string& path, const CleanOptions& options, const LogFn& log, UserInteraction& ui);

// The folders the clean-up visits. Empty fields are skipped.
struct TempLocations {
    std::string workingDirectory;  // the old "Dravn6.exe" ... "Dravn10.exe" are removed here
    std::string tmpFolder;         // GetFolder("tmp"); cleaned when its name contains "TMP"
    std::string tempFolder;        // the TEMP folder; cleaned with includeSystem, name must contain "TEMP"
    std::string windir;            // WINDIR; its "temp/" is cleaned with includeSystem
    std::string spoolFolder;       // printer spool; cleaned with includeSystem, name must contain "SPOOL"
};
void CleanTemporaryFiles(bool includeSystem, const TempLocations& locations, const CleanOptions& options,
                         const LogFn& log, UserInteraction& ui);

// The six folders (ending in "/") searched for outdated executables, in order: the working
// directory, fileSystemRoot + "Solvenkaret/", the downloads folder (the working directory when
// empty), documents + "Brenmoto/", fileSystemRoot + "Brenmoto/", documents + "Solvenkaret/".
std::vector<std::string> OldProgramPrefixes(const std::string& fileSystemRoot,
                                            const std::string& workingDirectory,
                                            const std::string& downloadsFolder,
                                            const std::string& documentsFolder);
// Deletes "Dravn10.exe", "Dravn10en.exe", "Dravn8.exe" and "Dravn6.exe" under each prefix.
// Read-only files (no write permission) stay; failures are ignored silently.
void RemoveOldProgramFiles(const std::vector<std::string>& prefixes);

// The launcher's file name for a program file name (a trailing ".exe" is ignored when comparing):
// "Dravn11" -> "Solvenkaret.desktop", "Dravn11en" -> "Solvenkaret English.desktop",
// "Dravn6SQLAdm" -> "Solvenkaret Administrator.desktop", any other name + ".desktop".
std::string ShortcutFileName(const std::string& programFileName);
// Writes a freedesktop launcher for programPath into desktopFolder (atomically, executable).
// Failures are silent.
void CreateDesktopShortcut(const std::string& desktopFolder, const std::string& programPath);

}  // namespace dravn
