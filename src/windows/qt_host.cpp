#include "windows/qt_host.h"

#include <QGuiApplication>
#include <QScreen>

namespace dravn {

namespace {

Rect ToRect(const QRect& r) {
    return Rect{r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

std::vector<Monitor> QtHost::monitors() const {
    std::vector<Monitor> result;
    if (!qGuiApp)
        return result;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        result.push_back(Monitor{ToRect(primary->geometry()), ToRect(primary->availableGeometry())});
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary)
            result.push_back(Monitor{ToRect(screen->geometry()), ToRect(screen->availableGeometry())});
    }
    return result;
}

bool QtHost::ctrlKeyDown() const {
    return qGuiApp && (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier);
}

bool QtHost::shiftKeyDown() const {
    return qGuiApp && (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier);
}

}  // namespace dravn
