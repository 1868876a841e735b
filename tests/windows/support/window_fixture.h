// Shared set-up of the window tests: a Foundation on a FakeHost with one 1920 x 1080 monitor
// (40-pixel task bar), the scripted stand-in for the user, and a WindowContext on them; and a
// helper that acts on the next modal window once it is shown.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>

#include "foundation/foundation.h"
#include "foundation/support/fake_host.h"
#include "support/scripted_interaction.h"
#include "windows/window_context.h"

namespace dravn {
inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}
}  // namespace dravn

namespace dravn::test {

class WindowTest : public ::testing::Test {
  protected:
    WindowTest() {
        host.screens = {FakeHost::MakeMonitor(0, 0, 1920, 1080, 40)};
        foundation.desktopExtents() = ComputeDesktopExtents(host.screens);
    }

    Settings& settings() { return foundation.settings(); }

    FakeHost host;
    ScriptedInteraction ui;
    Foundation foundation{host, ui};
    WindowContext context{foundation};
};

// Runs `action` on the modal window as soon as it is shown and active (checked from the event
// loop, so call this before the call that shows the window). A window that does not appear
// within 5 seconds, or is still open 3 seconds after the action, fails the test.
inline void OnModal(std::function<void(QWidget* modal)> action) {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, timer, poll] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && modal->isActiveWindow()) {
            QPointer<QWidget> shown(modal);
            action(modal);
            *poll = nullptr;  // breaks the self-reference
            // A window the action did not close would block the test for ever.
            QTimer::singleShot(3000, [shown] {
                if (shown && shown->isVisible()) {
                    ADD_FAILURE() << "the modal window is still open";
                    shown->close();
                }
            });
            return;
        }
        if (timer->elapsed() > 5000) {
            ADD_FAILURE() << "no modal window with a focused control appeared";
            if (modal)
                modal->close();
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

// Where a typed key goes: the focused control, else the active modal window.
inline QWidget* KeyTarget() {
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    return QApplication::activeModalWidget();
}

}  // namespace dravn::test
