// The text-lines editor: shows a numbered settings list (prefix + "0" .. prefix + "20") as plain
// lines, stores the lines packed when the window closes; and ClearIniList, which empties a list.
#pragma once

#include <string>
#include <vector>

#include "windows/dialog.h"

class QPlainTextEdit;

namespace dravn {

class TRegTextForm : public TDialogForm {
    Q_OBJECT
  public:
    explicit TRegTextForm(WindowContext& context, QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    // The prefix of the list being edited.
    std::string RegName;

  protected:
    void FormShow() override;
    void FormClose() override;
};

// The non-empty entries of a numbered list, in key order (gaps closed up).
std::vector<std::string> IniListLines(const Settings& settings, const std::string& prefix);
// Writes lines 0..20 to prefix + "0" .. prefix + "20" (an empty value where a line is missing or
// blank); lines beyond the 21st are dropped.
void StoreIniListLines(Settings& settings, const std::string& prefix, const std::vector<std::string>& lines);

// Shows the editor modally for the list with the prefix.
void EditIniList(WindowContext& context, const std::string& prefix);
// Empties every entry of the list, prefix + "0" .. prefix + "20", gaps or not.
void ClearIniList(Settings& settings, const std::string& prefix);

}  // namespace dravn
