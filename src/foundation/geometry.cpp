#include "foundation/geometry.h"

#include <algorithm>
#include <cstdlib>

namespace dravn {

DesktopExtents ComputeDesktopExtents(const std::vector<Monitor>& monitors) {
    DesktopExtents e;
    for (const Monitor& m : monitors) {
        const Rect& b = m.bounds;
        if (b.left < e.MinLeft)
            e.MinLeft = b.left;
        if (b.top < e.MinTop)
            e.MinTop = b.top;
        // The monitor's own width is kept, not the difference it was chosen by.
        if (b.width - std::abs(b.left) > e.MaxWidth)
            e.MaxWidth = b.width;
        if (b.height - std::abs(b.top) > e.MaxHeight)
            e.MaxHeight = b.height;
    }
    return e;
}

std::optional<Rect> WindowLayout(int code, const Rect& monitorBounds, bool KeepTaskbarVisible,
                                 const Monitor& primary) {
    if (code == 25)
        return Rect{0, 0, 1024, 640};
    if (code < 0 || code > 25)
        return std::nullopt;
    const int X = monitorBounds.left, Y = monitorBounds.top, W = monitorBounds.width;
    int H = monitorBounds.height;
    if (KeepTaskbarVisible)
        H -= primary.bounds.height - primary.workArea.height;
    switch (code) {
        case 0:
            return Rect{X, Y, W, H};
        case 1:
            return Rect{X, Y, W, H / 2};
        case 2:
            return Rect{X, Y + H / 2, W, H / 2};
        case 3:
            return Rect{X, Y, W / 2, H};
        case 4:
            return Rect{X + W / 2, Y, W / 2, H};
        case 5:
            return Rect{X + W / 8, Y + H / 8, W - W / 4, H - H / 4};
        case 6:
        case 7:
        case 8:
            return Rect{X + (code - 6) * (W / 3), Y, W / 3, H};
        case 9:
        case 10:
        case 11:
            return Rect{X, Y + (code - 9) * (H / 3), W, H / 3};
        case 12:
        case 13:
        case 14:
        case 15: {
            const int column = (code - 12) % 2, row = (code - 12) / 2;
            return Rect{X + column * (W / 2), Y + row * (H / 2), W / 2, H / 2};
        }
        default: {  // 16 to 24: ninths, row by row
            const int column = (code - 16) % 3, row = (code - 16) / 3;
            return Rect{X + column * (W / 3), Y + row * (H / 3), W / 3, H / 3};
        }
    }
}

Rect VirtualDesktop(const std::vector<Monitor>& monitors) {
    if (monitors.empty())
        return {};
    int left = monitors.front().bounds.left, top = monitors.front().bounds.top;
    int right = left + monitors.front().bounds.width, bottom = top + monitors.front().bounds.height;
    for (const Monitor& m : monitors) {
        left = std::min(left, m.bounds.left);
        top = std::min(top, m.bounds.top);
        right = std::max(right, m.bounds.left + m.bounds.width);
        bottom = std::max(bottom, m.bounds.top + m.bounds.height);
    }
    return Rect{left, top, right - left, bottom - top};
}

std::optional<Rect> ValidateWinFrame(const Rect& frame, const std::vector<Monitor>& monitors) {
    if (monitors.empty())
        return std::nullopt;
    const Rect desktop = VirtualDesktop(monitors);
    // The frame's top-left corner must leave room for an 800 x 600 window inside the desktop.
    // The limits are measured from the desktop's own edges, so a desktop reaching left of or
    // above the primary monitor does not let a frame start beyond its right or bottom edge.
    const bool valid = frame.height >= 600 && frame.width >= 800 && frame.top >= desktop.top &&
                       frame.left >= desktop.left && frame.top <= desktop.top + desktop.height - 600 &&
                       frame.left <= desktop.left + desktop.width - 800;
    if (valid)
        return std::nullopt;
    const Rect& work = monitors.front().workArea;
    return Rect{0, 0, work.width, work.height};
}

}  // namespace dravn
