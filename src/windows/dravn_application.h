// The application object with the central error handler: an exception thrown by any event
// handler (a server error above all) ends that handler, its text is shown once in a message box,
// and the windows keep the state they reached.
#pragma once

#include <QApplication>
#include <functional>
#include <string>

#include "foundation/user_interaction.h"

namespace dravn {

class DravnApplication : public QApplication {
    Q_OBJECT
  public:
    DravnApplication(int& argc, char** argv);

    // Where the error text is shown; without one a plain centred message box shows it.
    void SetUserInteraction(UserInteraction* ui) { ui_ = ui; }
    // Called with the text of every error caught here (for the program log), before it is shown.
    void SetErrorLogger(std::function<void(const std::string&)> logger) { logger_ = std::move(logger); }

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    void ReportError(const std::string& text);

    UserInteraction* ui_ = nullptr;
    std::function<void(const std::string&)> logger_;
};

}  // namespace dravn
