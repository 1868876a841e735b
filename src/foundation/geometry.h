// Screen geometry of the window framework: the extents of the monitors, the fixed window frames
// (layout codes 0-25), the check of the default main-window frame, and the default colours.
// Pure rectangle maths; the window layer supplies the monitors and applies the results.
#pragma once

#include <optional>
#include <vector>

#include "foundation/host.h"

namespace dravn {

// How far the monitors extend; stored window positions are tested against these.
struct DesktopExtents {
    int MaxWidth = 0;
    int MaxHeight = 0;
    int MinLeft = 0;
    int MinTop = 0;
    bool operator==(const DesktopExtents&) const = default;
};

// MinLeft/MinTop: the smallest left/top edge (0 when none is negative). MaxWidth/MaxHeight: the
// width/height of the monitor whose width less |left| (height less |top|) is the largest seen.
DesktopExtents ComputeDesktopExtents(const std::vector<Monitor>& monitors);

// The rectangle of layout code 0-25 on a monitor with the given full bounds. With
// KeepTaskbarVisible the height is reduced by the primary monitor's task bar (bounds height less
// work-area height). Code 25 is the fixed 1024 x 640 rectangle at (0, 0). Nothing for other codes.
std::optional<Rect> WindowLayout(int code, const Rect& monitorBounds, bool KeepTaskbarVisible,
                                 const Monitor& primary);

// The smallest rectangle holding the bounds of all monitors; empty rectangle when there are none.
Rect VirtualDesktop(const std::vector<Monitor>& monitors);

// Nothing when the default frame is valid (height >= 600, width >= 800, inside the virtual
// desktop as far as its top/left go, top <= desktop height - 600, left <= desktop width - 800);
// otherwise the replacement: left 0, top 0, the primary monitor's work-area width and height.
// Nothing as well when there is no monitor (no screen: the frame is left alone).
std::optional<Rect> ValidateWinFrame(const Rect& frame, const std::vector<Monitor>& monitors);

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};

// The colour scheme of the window framework; constructed with the default values.
struct DefaultColors {
    Rgb FrameColor{32, 32, 16};
    Rgb PanelColor{224, 224, 208};
    Rgb HeaderColor{64, 64, 48};
    Rgb PickerColor{176, 176, 160};
    Rgb HighlightColor{255, 215, 0};

    // Sets the five colours back to the default values.
    void SetDefaultColors() { *this = DefaultColors{}; }
};

}  // namespace dravn
