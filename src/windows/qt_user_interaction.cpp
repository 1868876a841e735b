#include "windows/qt_user_interaction.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>

#include "windows/ja_nei.h"
#include "windows/message_box.h"

namespace dravn {

TLocalPasswordForm::TLocalPasswordForm(WindowContext& context, const QString& user, const QString& server,
                                       QWidget* parent)
    : TDialogForm(context, "LocalPasswordForm", parent) {
    SetHeaderText("Pålogging lokal tenar");
    auto* body = new QWidget(ClientPanel);
    ClientPanel->layout()->addWidget(body);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(30, 20, 30, 20);
    auto* form = new QFormLayout();
    eUser = new QLineEdit(user, body);
    eUser->setObjectName("eUser");
    eUser->setReadOnly(true);
    eServer = new QLineEdit(server, body);
    eServer->setObjectName("eServer");
    eServer->setReadOnly(true);
    ePassword = new QLineEdit(body);
    ePassword->setObjectName("ePassword");
    ePassword->setEchoMode(QLineEdit::Password);
    form->addRow("Brukar:", eUser);
    form->addRow("Tenar:", eServer);
    form->addRow("Passord:", ePassword);
    column->addLayout(form);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    OkButton = new QPushButton("O&k", body);
    OkButton->setObjectName("OkButton");
    CancelButton = new QPushButton("Avbryt", body);
    CancelButton->setObjectName("CancelButton");
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    column->addLayout(buttons);
    SetDefaultButton(OkButton);
    SetCancelButton(CancelButton);
    connect(OkButton, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
    resize(460, 270);
}

void TLocalPasswordForm::FormShow() {
    TDialogForm::FormShow();
    ePassword->setFocus();
}

QtUserInteraction::QtUserInteraction(const Host& host) : host_(host) {}

QtUserInteraction::~QtUserInteraction() = default;

void QtUserInteraction::Attach(WindowContext& context) {
    context_ = &context;
    input_ = std::make_unique<InputDialog>(context);
}

void QtUserInteraction::showMessage(const std::string& text, const std::string& caption) {
    ShowCenteredMessage(QString::fromStdString(text), QString::fromStdString(caption));
}

bool QtUserInteraction::askYesNo(const std::string& question, bool defaultYes) {
    return AskYesNo(host_, context_ ? context_->colors : defaultColors_, question, defaultYes);
}

std::string QtUserInteraction::askInput(const std::string& prompt, const std::string& defaultText) {
    if (input_)
        return input_->AskInput(prompt, defaultText);
    // Before the settings are there: a plain prompt without the recent entries.
    bool ok = false;
    const QString text = QInputDialog::getText(
        QApplication::activeWindow(), QApplication::applicationName(), QString::fromStdString(prompt),
        IsMaskedPrompt(prompt) ? QLineEdit::Password : QLineEdit::Normal, QString::fromStdString(defaultText),
        &ok);
    return ok ? text.toStdString() : std::string();
}

std::string QtUserInteraction::chooseFolder(const std::string& startFolder) {
    QString folder = QFileDialog::getExistingDirectory(QApplication::activeWindow(), "Vel mappe",
                                                       QString::fromStdString(startFolder));
    if (folder.isEmpty())
        return {};
    if (!folder.endsWith('/'))
        folder += '/';
    return folder.toStdString();
}

std::optional<std::string> QtUserInteraction::askLocalServerPassword(const std::string& user,
                                                                     const std::string& server) {
    const QString quser = QString::fromStdString(user);
    const QString qserver = QString::fromStdString(server);
    if (context_) {
        TLocalPasswordForm form(*context_, quser, qserver);
        if (form.ShowModal() != TDialogForm::mrOk)
            return std::nullopt;
        return form.ePassword->text().toStdString();
    }
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), "Pålogging lokal tenar",
                                               "Passord for " + quser + " på " + qserver + ":",
                                               QLineEdit::Password, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return text.toStdString();
}

void QtUserInteraction::setWaitCursor(bool busy) {
    if (busy) {
        if (waitDepth_++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (waitDepth_ > 0) {
        if (--waitDepth_ == 0)
            QApplication::restoreOverrideCursor();
    }
}

void QtUserInteraction::showProgress(int position, int maximum) {
    auto* window = qobject_cast<TDialogForm*>(QApplication::activeWindow());
    if (!window)
        return;
    QProgressBar* bar = window->Bar;
    if (maximum <= 0) {
        bar->hide();
        return;
    }
    bar->setRange(0, maximum);
    bar->setValue(std::clamp(position, 0, maximum));
    bar->show();
    bar->repaint();
}

void QtUserInteraction::shellOpen(const std::string& target) {
    QDesktopServices::openUrl(
        QUrl::fromUserInput(QString::fromStdString(target), QDir::currentPath(), QUrl::AssumeLocalFile));
}

void QtUserInteraction::requestQuit() {
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void QtUserInteraction::terminateProgram(int exitCode) {
    if (terminate_) {
        auto callback = std::move(terminate_);
        terminate_ = nullptr;  // a failure inside the end-of-run steps does not run them twice
        callback(exitCode);
    }
    std::fflush(nullptr);
    // The windows and the application object are not torn down: the program ends here.
    std::_Exit(exitCode);
}

}  // namespace dravn
