// The one-line input dialog: AskInput(prompt, default text) asks for a line of text and offers
// the earlier entries (the settings list "InputStr0".."InputStr20") in a drop-down list. Prompts
// about passwords and card codes hide the typing and store nothing.
#pragma once

#include <memory>
#include <string>

#include "windows/dialog.h"

class QComboBox;
class QCompleter;
class QFrame;
class QPushButton;

namespace dravn {

// True for prompts whose answer is a secret: the upper-cased prompt contains "PASSORD" or
// "PASSWORD", or the prompt is exactly "Skann/les inn kort" or "Kortkode:".
bool IsMaskedPrompt(const std::string& prompt);

class TInputForm : public TDialogForm {
    Q_OBJECT
  public:
    explicit TInputForm(WindowContext& context, QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QComboBox* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    // Hides (or shows) what is typed in Edit1.
    void SetMasked(bool masked);

  protected:
    void FormShow() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void CloseImageClick() override;

  private:
    QCompleter* completer_ = nullptr;  // completes from the earlier entries
};

// The input unit: the input window (created at the first question and kept) and InputStr.
class InputDialog {
  public:
    explicit InputDialog(WindowContext& context);
    ~InputDialog();

    // Asks; returns the entry. After cancel an unmasked prompt returns "", a masked prompt
    // whatever was typed.
    std::string AskInput(const std::string& prompt, const std::string& defaultText);

    // The text of the last unmasked entry confirmed with OK ("" after a cancel).
    const std::string& InputStr() const { return InputStr_; }
    // The kept window (null before the first question).
    TInputForm* Form() const { return form_.get(); }

  private:
    WindowContext& context_;
    std::unique_ptr<TInputForm> form_;
    std::string InputStr_;
};

}  // namespace dravn
