// The one way the logic below the window layer reaches the person at the keyboard.
// The window layer implements it with real dialogs; tests use ScriptedInteraction.
#pragma once

#include <optional>
#include <string>

namespace dravn {

class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    // A plain modal message box centred on the screen; caption empty for the default caption.
    virtual void showMessage(const std::string& text, const std::string& caption = {}) = 0;
    // The yes/no dialog; true for yes. `defaultYes` selects the preset answer.
    virtual bool askYesNo(const std::string& question, bool defaultYes) = 0;
    // The one-line input dialog; see the input dialog for masking and the recent-entries list.
    virtual std::string askInput(const std::string& prompt, const std::string& defaultText) = 0;
    // Folder chooser titled "Vel mappe"; the chosen folder ending in "/", or empty when cancelled.
    virtual std::string chooseFolder(const std::string& startFolder) = 0;
    // The password of the workstation's own server for a second connection; nothing when cancelled.
    virtual std::optional<std::string> askLocalServerPassword(const std::string& user,
                                                              const std::string& server) = 0;
    // Wait cursor on (true) or back to normal (false).
    virtual void setWaitCursor(bool busy) = 0;
    // Progress of a long operation: position of maximum; maximum 0 hides the progress display.
    virtual void showProgress(int position, int maximum) = 0;
    // Open a file, folder or web address with its default program.
    virtual void shellOpen(const std::string& target) = 0;
    // Ask the application to end normally once the current event has finished.
    virtual void requestQuit() = 0;
    // End the program at once with the exit code, without closing the windows normally;
    // the end-of-run steps (sign-off, settings, log) still run. Does not return.
    [[noreturn]] virtual void terminateProgram(int exitCode) = 0;
};

// Keeps the wait cursor on for the lifetime of the object.
class WaitCursor {
public:
    explicit WaitCursor(UserInteraction& ui) : ui_(ui) { ui_.setWaitCursor(true); }
    ~WaitCursor() { ui_.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserInteraction& ui_;
};

}  // namespace dravn
