#include "windows/window_placement.h"

#include <algorithm>
#include <climits>

namespace dravn {

namespace {

bool Contains(const Rect& r, int x, int y) {
    return x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
}

long long DistanceSquared(const Rect& r, int x, int y) {
    long long dx = 0;
    long long dy = 0;
    if (x < r.left)
        dx = r.left - x;
    else if (x >= r.left + r.width)
        dx = x - (r.left + r.width - 1);
    if (y < r.top)
        dy = r.top - y;
    else if (y >= r.top + r.height)
        dy = y - (r.top + r.height - 1);
    return dx * dx + dy * dy;
}

}  // namespace

Monitor PrimaryMonitor(const std::vector<Monitor>& monitors) {
    if (monitors.empty())
        return Monitor{{0, 0, 1024, 768}, {0, 0, 1024, 768}};
    return monitors.front();
}

int MonitorIndexOf(const Rect& window, const std::vector<Monitor>& monitors) {
    const int cx = window.left + window.width / 2;
    const int cy = window.top + window.height / 2;
    int best = 0;
    long long bestDistance = LLONG_MAX;
    for (int i = 0; i < static_cast<int>(monitors.size()); ++i) {
        const Rect& b = monitors[i].bounds;
        if (Contains(b, cx, cy))
            return i;
        long long d = DistanceSquared(b, cx, cy);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

Rect CenterInWorkArea(const Rect& window, const Rect& workArea) {
    return Rect{workArea.left + workArea.width / 2 - window.width / 2,
                workArea.top + workArea.height / 2 - window.height / 2, window.width, window.height};
}

Placement RestoreDialogPosition(const Rect& window, const StoredPosition& stored, bool adjust, bool ctrlShift,
                                const DesktopExtents& extents, const std::vector<Monitor>& monitors) {
    const Rect centred = CenterInWorkArea(window, PrimaryMonitor(monitors).workArea);
    if (ctrlShift || stored.sized != 1)
        return Placement{centred, 0};

    // The monitor the window is on before it is moved: the one of its design (centred) place.
    const Rect current = monitors.empty() ? PrimaryMonitor(monitors).bounds
                                          : monitors[MonitorIndexOf(centred, monitors)].bounds;
    int left = stored.left;
    int top = stored.top;
    if (adjust && (left < extents.MinLeft || left > extents.MaxWidth - 100))
        left = current.left;
    if (adjust && (top < extents.MinTop || top > extents.MaxHeight - 30))
        top = current.top;
    return Placement{Rect{left, top, window.width, window.height}, 1};
}

Placement RestoreSizeableSize(const Placement& current, const StoredSize& stored, bool ctrlShift,
                              const Rect& winFrame, const Rect& workArea) {
    if (ctrlShift)
        return current;
    Placement p = current;
    if (stored.sized == 1) {
        p.rect.width = stored.width;
        p.rect.height = stored.height;
        p.IsSized = 1;
    } else {
        p.rect.top = winFrame.top;
        p.rect.left = winFrame.left;
        p.rect.height = winFrame.height > 55 ? winFrame.height : workArea.top + workArea.height - p.rect.top;
        p.rect.width = winFrame.width > 200 ? winFrame.width : workArea.left + workArea.width - p.rect.left;
        p.IsSized = 0;
    }
    if (p.rect.width < 200)
        p.rect.width = 400;
    if (p.rect.height < 55)
        p.rect.height = 200;
    return p;
}

bool FillsWorkArea(const Rect& window, const Monitor& primary) {
    const Rect& wa = primary.workArea;
    const Rect& screen = primary.bounds;
    if (window.width != wa.width || window.left != wa.left)
        return false;
    return (window.top == wa.top && window.height == wa.height) ||
           (window.top == screen.top && window.height == screen.height);
}

F11Toggle ToggleWorkArea(const Rect& window, const Rect& workArea, const Rect& winFrame) {
    if (window == workArea)
        return F11Toggle{winFrame, true};
    return F11Toggle{workArea, false};
}

ShowPlacement PlaceOnShow(int setupNewWindow, const Rect& window, const Rect& winFrame,
                          const std::vector<Monitor>& monitors) {
    const Monitor primary = PrimaryMonitor(monitors);
    ShowPlacement s{window, std::nullopt, false};
    switch (setupNewWindow) {
        case 0:
            if (auto r = WindowLayout(25, primary.bounds, true, primary))
                s.rect = *r;
            break;
        case 1:
            if (window.left + window.width > primary.workArea.left + primary.workArea.width) {
                s.rect = winFrame;
                s.IsSized = 0;
            }
            s.makeNormal = true;
            break;
        case 2:
            s.rect = Rect{winFrame.left + 110, winFrame.top, winFrame.width - 110, winFrame.height};
            break;
        default:
            break;
    }
    return s;
}

std::string DragHeaderText(int left, int top) {
    return std::to_string(left) + "x" + std::to_string(top);
}

Rect ResizeBy(const Rect& window, bool width, bool height, Point mouse, Point start) {
    Rect r = window;
    if (width)
        r.width += mouse.x - start.x;
    if (height)
        r.height += mouse.y - start.y;
    return r;
}

Point YesNoCentre(const std::optional<Rect>& activeWindow, const Rect& desktop) {
    const Rect& r = activeWindow ? *activeWindow : desktop;
    return Point{r.left + r.width / 2, r.top + r.height / 2};
}

Rect PlaceYesNo(int width, int height, Point centre, const Rect& desktop) {
    int left = centre.x - width / 2;
    int top = centre.y - height / 2;
    if (top < desktop.top)
        top = desktop.top;
    if (left + width > desktop.left + desktop.width)
        left = desktop.left + desktop.width - width;
    if (left < desktop.left + 20)
        left = desktop.left + 20;
    if (top < desktop.top + 20)
        top = desktop.top + 20;
    return Rect{left, top, width, height};
}

}  // namespace dravn
