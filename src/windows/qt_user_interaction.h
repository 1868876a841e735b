// The person at the keyboard, reached through real windows: message boxes, the yes/no and input
// dialogs, the folder chooser, the local-server password prompt, the wait cursor and the progress
// bar of the active framework window.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "foundation/geometry.h"
#include "foundation/host.h"
#include "foundation/user_interaction.h"
#include "windows/dialog.h"
#include "windows/input_dialog.h"
#include "windows/window_context.h"

class QLineEdit;
class QPushButton;

namespace dravn {

// The password prompt for the workstation's own server: user and server shown, password hidden.
class TLocalPasswordForm : public TDialogForm {
    Q_OBJECT
  public:
    TLocalPasswordForm(WindowContext& context, const QString& user, const QString& server,
                       QWidget* parent = nullptr);

    QLineEdit* eUser = nullptr;
    QLineEdit* eServer = nullptr;
    QLineEdit* ePassword = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

  protected:
    void FormShow() override;
};

class QtUserInteraction : public UserInteraction {
  public:
    // Usable at once for messages and yes/no questions (in the default colours); Attach gives
    // the dialogs the settings and colours of the run.
    explicit QtUserInteraction(const Host& host);
    ~QtUserInteraction() override;

    void Attach(WindowContext& context);
    // The end-of-run steps (sign-off, settings, log) that terminateProgram runs before exiting.
    void SetTerminateCallback(std::function<void(int exitCode)> callback) {
        terminate_ = std::move(callback);
    }
    // The input unit (null before Attach).
    InputDialog* Input() const { return input_.get(); }

    void showMessage(const std::string& text, const std::string& caption = {}) override;
    bool askYesNo(const std::string& question, bool defaultYes) override;
    std::string askInput(const std::string& prompt, const std::string& defaultText) override;
    std::string chooseFolder(const std::string& startFolder) override;
    std::optional<std::string> askLocalServerPassword(const std::string& user,
                                                      const std::string& server) override;
    void setWaitCursor(bool busy) override;
    void showProgress(int position, int maximum) override;
    void shellOpen(const std::string& target) override;
    void requestQuit() override;
    [[noreturn]] void terminateProgram(int exitCode) override;

    int WaitDepth() const { return waitDepth_; }

  private:
    const Host& host_;
    DefaultColors defaultColors_;
    WindowContext* context_ = nullptr;
    std::unique_ptr<InputDialog> input_;
    int waitDepth_ = 0;
    std::function<void(int)> terminate_;
};

}  // namespace dravn
