#include "windows/input_dialog.h"

#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "windows/window_placement.h"

namespace dravn {

bool IsMaskedPrompt(const std::string& prompt) {
    std::string upper = prompt;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
    });
    return upper.find("PASSORD") != std::string::npos || upper.find("PASSWORD") != std::string::npos ||
           prompt == "Skann/les inn kort" || prompt == "Kortkode:";
}

TInputForm::TInputForm(WindowContext& context, QWidget* parent) : TDialogForm(context, "InputForm", parent) {
    SetKeyPreview(true);
    QFont hf = HeaderLabel->font();
    hf.setPixelSize(18);
    HeaderLabel->setFont(hf);
    QPalette hp = HeaderLabel->palette();
    hp.setColor(QPalette::WindowText, Qt::black);
    HeaderLabel->setPalette(hp);
    SetHeaderText("Input:");

    Panel1 = new QFrame(ClientPanel);
    Panel1->setObjectName("Panel1");
    QPalette pp = Panel1->palette();
    pp.setColor(QPalette::Window, QColor(0xDD, 0xDD, 0xDD));
    Panel1->setPalette(pp);
    Panel1->setAutoFillBackground(true);
    ClientPanel->layout()->addWidget(Panel1);

    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(30, 40, 30, 25);
    row->setSpacing(12);
    auto* editColumn = new QVBoxLayout();
    editColumn->addSpacing(2);
    Edit1 = new QComboBox(Panel1);
    Edit1->setObjectName("Edit1");
    Edit1->setEditable(true);
    Edit1->setInsertPolicy(QComboBox::NoInsert);
    QFont ef = Edit1->font();
    ef.setPixelSize(19);
    ef.setWeight(QFont::Light);
    Edit1->setFont(ef);
    // A completer of the window's own (the list's default one is deleted when it is removed).
    completer_ = new QCompleter(Edit1->model(), Edit1);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setCompletionMode(QCompleter::InlineCompletion);
    Edit1->setCompleter(completer_);
    editColumn->addWidget(Edit1);
    editColumn->addStretch(1);
    row->addLayout(editColumn, 1);

    BitBtn1 = new QPushButton("O&k", Panel1);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setFixedSize(71, 28);
    BitBtn1->setAutoDefault(true);
    row->addWidget(BitBtn1, 0, Qt::AlignTop | Qt::AlignRight);
    SetDefaultButton(BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });

    resize(600, 170);
}

void TInputForm::SetMasked(bool masked) {
    Edit1->lineEdit()->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    // A hidden entry must not be completed from earlier entries behind the user's back.
    Edit1->setCompleter(masked ? nullptr : completer_);
}

void TInputForm::FormShow() {
    TDialogForm::FormShow();
    activateWindow();
    std::vector<std::string> entries;
    settings().ReadIniList("InputStr", entries);
    QStringList items;
    for (const std::string& e : entries)
        items << QString::fromStdString(e);
    std::sort(items.begin(), items.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    const QString text = Edit1->currentText();
    Edit1->clear();
    Edit1->addItems(items);
    Edit1->setEditText(text);
    Edit1->lineEdit()->selectAll();
    Edit1->setFocus();
}

// Enter confirms whatever the field shows, also when the list's inline completion would take
// the key for itself.
bool TInputForm::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (TDialogForm::FormKeyDown(key, modifiers))
        return true;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !(modifiers & ~Qt::KeypadModifier)) {
        BitBtn1->click();
        return true;
    }
    return false;
}

// Closing by the close picture cancels.
void TInputForm::CloseImageClick() {
    TDialogForm::CloseImageClick();
}

InputDialog::InputDialog(WindowContext& context) : context_(context) {}

InputDialog::~InputDialog() = default;

std::string InputDialog::AskInput(const std::string& prompt, const std::string& defaultText) {
    if (!form_) {
        form_ = std::make_unique<TInputForm>(context_);
        form_->EnsureCreated();
    }
    TInputForm& f = *form_;
    const bool masked = IsMaskedPrompt(prompt);
    std::string text = defaultText;
    if (text.empty() && !masked)
        text = context_.settings.ReadIniString("LastInputStr");

    int width = prompt == "Tal" ? 300 : 600;
    bool atLeftEdge = false;
    if (prompt == "Utfør SQL:") {
        width = PrimaryMonitor(context_.host.monitors()).bounds.width;
        atLeftEdge = true;
    }
    const QString qprompt = QString::fromStdString(prompt);
    f.SetHeaderText(qprompt);
    const int needed = f.fontMetrics().horizontalAdvance(qprompt) + 2 * f.CloseImage->width();
    if (width < needed)
        width = needed;
    f.resize(width, f.height());
    if (atLeftEdge)
        f.move(0, f.y());

    if (text == "BLANK")
        text.clear();
    f.SetMasked(masked);
    f.Edit1->setEditText(QString::fromStdString(text));
    f.Edit1->lineEdit()->selectAll();

    const int result = f.ShowModal();
    const std::string entered = f.Edit1->currentText().toStdString();
    if (result == TDialogForm::mrOk && !masked) {
        InputStr_ = entered;
        context_.settings.WriteIniString("LastInputStr", entered);
        context_.settings.AddToIniList("InputStr", entered);
    } else if (result != TDialogForm::mrOk) {
        InputStr_.clear();
    }
    if (masked) {
        // The secret is handed to the caller and not kept in the reused window.
        f.Edit1->setEditText(QString());
        return entered;
    }
    return InputStr_;
}

}  // namespace dravn
