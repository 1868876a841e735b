#include "windows/reg_text.h"

#include <QLayout>
#include <QPlainTextEdit>
#include <QStringList>

namespace dravn {

std::vector<std::string> IniListLines(const Settings& settings, const std::string& prefix) {
    std::vector<std::string> lines;
    for (int i = 0; i <= Settings::IniListMax; ++i) {
        std::string value = settings.ReadIniString(prefix + std::to_string(i));
        if (!value.empty())
            lines.push_back(std::move(value));
    }
    return lines;
}

void StoreIniListLines(Settings& settings, const std::string& prefix, const std::vector<std::string>& lines) {
    for (int i = 0; i <= Settings::IniListMax; ++i) {
        const std::string value = i < static_cast<int>(lines.size()) ? lines[i] : std::string();
        settings.WriteIniString(prefix + std::to_string(i), value);
    }
}

TRegTextForm::TRegTextForm(WindowContext& context, QWidget* parent)
    : TDialogForm(context, "RegTextForm", parent) {
    SetHeaderText("Rediger linjer");
    Memo1 = new QPlainTextEdit(ClientPanel);
    Memo1->setObjectName("Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    ClientPanel->layout()->addWidget(Memo1);
    resize(500, 450);
}

void TRegTextForm::FormShow() {
    TDialogForm::FormShow();
    SetHeaderText("Rediger tekstlinjer");
    Memo1->clear();
    QStringList text;
    for (const std::string& line : IniListLines(settings(), RegName))
        text << QString::fromStdString(line);
    Memo1->setPlainText(text.join('\n'));
    Memo1->setFocus();
}

void TRegTextForm::FormClose() {
    TDialogForm::FormClose();
    const QString text = Memo1->toPlainText();
    std::vector<std::string> lines;
    if (!text.isEmpty()) {
        for (const QString& line : text.split('\n'))
            lines.push_back(line.toStdString());
    }
    StoreIniListLines(settings(), RegName, lines);
}

void EditIniList(WindowContext& context, const std::string& prefix) {
    TRegTextForm form(context);
    form.RegName = prefix;
    form.ShowModal();
}

void ClearIniList(Settings& settings, const std::string& prefix) {
    for (int i = 0; i <= Settings::IniListMax; ++i) {
        const std::string key = prefix + std::to_string(i);
        if (!settings.ReadIniString(key).empty())
            settings.WriteIniString(key, std::string());
    }
}

}  // namespace dravn
