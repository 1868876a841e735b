#include "windows/message_box.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace dravn {

void ShowCenteredMessage(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption.isEmpty() ? QApplication::applicationName() : caption, text,
                    QMessageBox::Ok);
    box.setObjectName("MessageBox");
    box.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        box.move(s.left() + (s.width() - box.width()) / 2, s.top() + (s.height() - box.height()) / 2);
    }
    box.exec();
}

}  // namespace dravn
