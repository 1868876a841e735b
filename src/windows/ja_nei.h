// The yes/no dialog: AskYesNo(question, default answer) asks one question in a modal, borderless,
// golden window centred on the active window (or the desktop) and returns the answer.
#pragma once

#include <QDialog>
#include <string>

#include "foundation/geometry.h"
#include "foundation/host.h"
#include "windows/window_placement.h"

class QFrame;
class QLabel;
class QPushButton;

namespace dravn {

class TJaNeiForm : public QDialog {
    Q_OBJECT
  public:
    // `centre` is the point the dialog is centred on; `desktop` the rectangle it is kept in.
    TJaNeiForm(const DefaultColors& colors, Point centre, const Rect& desktop, QWidget* parent = nullptr);

    // The current answer (true = yes).
    bool InnBo = false;

    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* JaKnapp = nullptr;
    QPushButton* NeiKnapp = nullptr;

    // Sets the question and widens the window to the question's width plus 50 when needed.
    void SetQuestion(const QString& question);

  protected:
    void FormShow();
    void JaKnappClick();
    void NeiKnappClick();
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    const DefaultColors& colors_;
    Point centre_;
    Rect desktop_;
};

// Asks the question; true for yes. Esc answers no, Enter the focused button (the default
// answer's button at first); closing the window any other way returns the default.
bool AskYesNo(const Host& host, const DefaultColors& colors, const std::string& question, bool defaultAnswer);

}  // namespace dravn
