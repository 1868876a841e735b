// The folder tree of the suite under APPDATA/Brenmoto/, the user's personal folders, and the
// names that identify the user and the machine.
//
// Folder names keep the suite's form, with "\" between levels ("data\docs"), because the keys
// "<name>_folder" of the section "FOLDERS" are shared with the Windows programs; as paths they
// become "data/docs/". Environment on Linux: APPDATA = $APPDATA, else $XDG_CONFIG_HOME, else
// $HOME/.config; USERPROFILE = $USERPROFILE, else $HOME.
#pragma once

#include <string>

namespace dravn {

class Foundation;

class Folders {
  public:
    explicit Folders(Foundation& foundation);

    // Full path of a named working folder, ending in "/": the "FOLDERS" entry when it names an
    // existing folder, else the default path, created and recorded. Saves the settings file.
    std::string GetFolder(const std::string& name);
    // Records a path for a folder name ("/" appended); creates and saves nothing.
    void SetFolder(const std::string& name, const std::string& path);
    // Creates the standard tree under the base folder and records every entry.
    void InstallFolders();
    // Creates one folder (the parent must exist): 0, or the error number (183 when it already
    // exists). Logs "Oppretter mappen ..." or "FEIL: [mkdirsafe:<n>] kan ikke opprette mappen ...".
    int mkdirsafe(const std::string& path);

    std::string DocumentsFolder();
    std::string DownloadsFolder() const;
    std::string DesktopFolder() const;

    // The signed-in user, else the "--user" name, else WindowsUserName, else "anonymous";
    // fills SignedInUserName on first use.
    std::string CurrentUserName();
    std::string WindowsUserName() const;
    std::string ComputerName() const;
    std::string UserDomain() const;
    std::string TempFolder() const;
    std::string SpoolFolder() const;
    // Dotted text of the last IPv4 address of the host name; empty when it cannot be resolved.
    std::string LocalIPAddress() const;

    // APPDATA and USERPROFILE of this platform, without a final "/".
    std::string AppDataFolder() const;
    std::string UserProfileFolder() const;
    // AppDataFolder() + "/Brenmoto/".
    std::string BaseFolder() const;

    // Set by the sign-in; empty until then (or until CurrentUserName fills it).
    std::string SignedInUserName;

  private:
    Foundation& f_;
};

// The folder names of the standard tree, in creation order.
extern const char* const StandardFolderNames[24];

}  // namespace dravn
