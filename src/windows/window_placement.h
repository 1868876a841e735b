// Where the framework windows go: restoring a stored position and size, centring, the F11 toggle,
// the placement of a newly shown main window, the border test and the header-drag text.
// Pure rectangle maths without Qt, so that every rule can be tested on plain rectangles; the
// window classes read the settings, call these functions and apply the results.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "foundation/geometry.h"
#include "foundation/host.h"

namespace dravn {

// Width of the coloured frame border of every framework window, in pixels.
constexpr int BorderWidth = 2;
// Height of the header bar of every framework window.
constexpr int HeaderHeight = 55;

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle and the IsSized flag that goes with it (1: placed by the user or restored from the
// settings file; 0: centred or put on the default frame).
struct Placement {
    Rect rect;
    int IsSized = 0;
    bool operator==(const Placement&) const = default;
};

// The primary monitor (the first); a 1024 x 768 monitor at the origin when there is no screen.
Monitor PrimaryMonitor(const std::vector<Monitor>& monitors);

// Index of the monitor a window is on: the one holding the window's centre, else the one nearest
// to it; 0 when there are no monitors.
int MonitorIndexOf(const Rect& window, const std::vector<Monitor>& monitors);

// CenterWindow: the window's size centred in the work area (halves truncated toward zero).
Rect CenterInWorkArea(const Rect& window, const Rect& workArea);

// The position keys of a window as read from the settings file (absent keys read as 0).
struct StoredPosition {
    int left = 0;
    int top = 0;
    int sized = 0;
};

// Position at creation of a dialog window. `window` carries the window's size (its left and top
// are ignored). With Ctrl+Shift held, or without a stored position (`sized` not 1) the window is
// centred on the primary work area with IsSized 0. Otherwise the stored edges are used; with
// `adjust` (NotAdjustWindowToScreen not set) a left edge below MinLeft or beyond MaxWidth - 100
// is replaced by the left edge of the monitor the centred window is on, and a top edge below
// MinTop or beyond MaxHeight - 30 by that monitor's top edge. IsSized is then 1.
Placement RestoreDialogPosition(const Rect& window, const StoredPosition& stored, bool adjust, bool ctrlShift,
                                const DesktopExtents& extents, const std::vector<Monitor>& monitors);

// The size keys of a sizeable window (absent keys read as 0).
struct StoredSize {
    int width = 0;
    int height = 0;
    int sized = 0;
};

// Size at creation of a sizeable window, after RestoreDialogPosition gave `current`.
// Ctrl+Shift: unchanged. `sized` 1: the stored width and height, IsSized 1. Otherwise the default
// frame: its top and left; its height when above 55, else the rest of the work area below the
// new top; its width when above 200, else the rest of the work area right of the new left;
// IsSized 0. Finally a width below 200 becomes 400 and a height below 55 becomes 200.
Placement RestoreSizeableSize(const Placement& current, const StoredSize& stored, bool ctrlShift,
                              const Rect& winFrame, const Rect& workArea);

// AdjustBorder's test: true when the window covers the work area exactly (or the whole primary
// screen height from the screen's top), so it is drawn without a border.
bool FillsWorkArea(const Rect& window, const Monitor& primary);

// F11 on a sizeable window: a window that fills the work area goes to the default frame
// (`toDefaultFrame`, IsSized becomes 0, the border is left as it is); any other window is made to
// fill the work area (the border follows at once).
struct F11Toggle {
    Rect rect;
    bool toDefaultFrame = false;
};
F11Toggle ToggleWorkArea(const Rect& window, const Rect& workArea, const Rect& winFrame);

// Placement of a sizeable window when it is shown, by the setting s_SetupNewWindow:
// 0 the dock frame (layout 25 on monitor 0, keeping the task bar); 1 the default frame when the
// window's right edge lies beyond the work area (and a minimised window is made normal);
// 2 the default frame with a 110-pixel strip left free at its left; other values: unchanged.
struct ShowPlacement {
    Rect rect;
    std::optional<int> IsSized;  // set when the placement changes IsSized
    bool makeNormal = false;     // a minimised window is to be made normal
};
ShowPlacement PlaceOnShow(int setupNewWindow, const Rect& window, const Rect& winFrame,
                          const std::vector<Monitor>& monitors);

// The header text while a window is dragged by its header: left edge, "x", top edge ("120x45").
std::string DragHeaderText(int left, int top);

// Window rectangle after a drag of the sizing controls: the corner and the strips add the mouse
// movement (mouse position less the recorded start) to the width and/or the height.
Rect ResizeBy(const Rect& window, bool width, bool height, Point mouse, Point start);

// The yes/no dialog's centre: that of the active window, else that of the desktop.
Point YesNoCentre(const std::optional<Rect>& activeWindow, const Rect& desktop);

// The yes/no dialog's rectangle of the given size around the centre, kept on the desktop and at
// least 20 pixels from its left and top edges.
Rect PlaceYesNo(int width, int height, Point centre, const Rect& desktop);

}  // namespace dravn
