// The foundation objects every framework window works with, handed to each window by reference.
// The executable builds one from its Foundation after the start; tests build their own.
#pragma once

#include <functional>

#include "foundation/foundation.h"
#include "foundation/geometry.h"
#include "foundation/host.h"
#include "foundation/settings.h"

class QWidget;

namespace dravn {

struct WindowContext {
    WindowContext(Settings& settings, const Host& host, const DesktopExtents& extents,
                  const DefaultColors& colors)
        : settings(settings), host(host), extents(extents), colors(colors) {}
    explicit WindowContext(Foundation& f)
        : WindowContext(f.settings(), f.host(), f.desktopExtents(), f.colors()) {}

    Settings& settings;             // position keys, default frame, recent entries
    const Host& host;               // monitors and the Ctrl/Shift state
    const DesktopExtents& extents;  // how far the monitors reached at start
    const DefaultColors& colors;

    // Opens the window placement picker for a sizeable window (its maximise picture); the picker
    // changes the window's bounds directly. Empty: the picture's click only marks the window as
    // placed by the user.
    std::function<void(QWidget& window)> showWindowPicker;
};

}  // namespace dravn
