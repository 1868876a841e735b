#include "windows/dravn_application.h"

#include <exception>

#include "mysql/sql_error.h"
#include "windows/message_box.h"

namespace dravn {

DravnApplication::DravnApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool DravnApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const SqlError& e) {
        ReportError(e.what());
    } catch (const std::exception& e) {
        ReportError(e.what());
    }
    return false;
}

void DravnApplication::ReportError(const std::string& text) {
    if (logger_)
        logger_(text);
    if (ui_)
        ui_->showMessage(text);
    else
        ShowCenteredMessage(QString::fromStdString(text));
}

}  // namespace dravn
