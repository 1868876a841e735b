// Position and size rules of the framework windows, on plain rectangles.
#include "windows/window_placement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravn {
namespace {

Monitor MakeMonitor(int left, int top, int width, int height, int taskbar = 0) {
    return Monitor{{left, top, width, height}, {left, top, width, height - taskbar}};
}

// One 1920 x 1080 monitor at the origin with a 40-pixel task bar.
const std::vector<Monitor> kOne{MakeMonitor(0, 0, 1920, 1080, 40)};
const DesktopExtents kOneExtents{1920, 1080, 0, 0};
// The same primary with a 1280 x 1024 monitor to its left.
const std::vector<Monitor> kTwo{MakeMonitor(0, 0, 1920, 1080, 40), MakeMonitor(-1280, 0, 1280, 1024)};
const DesktopExtents kTwoExtents{1920, 1080, -1280, 0};

TEST(RestoreDialogPosition, TableOfCases) {
    const Rect size{0, 0, 400, 300};
    struct Case {
        const char* what;
        StoredPosition stored;
        bool adjust;
        bool ctrlShift;
        const std::vector<Monitor>* monitors;
        DesktopExtents extents;
        Placement expected;
    };
    const Case cases[] = {
        {"no stored position: centred on the work area",
         {0, 0, 0},
         true,
         false,
         &kOne,
         kOneExtents,
         {{760, 370, 400, 300}, 0}},
        {"_SIZED other than 1 is no stored position",
         {100, 100, 2},
         true,
         false,
         &kOne,
         kOneExtents,
         {{760, 370, 400, 300}, 0}},
        {"stored position restored", {120, 45, 1}, true, false, &kOne, kOneExtents, {{120, 45, 400, 300}, 1}},
        {"left at MaxWidth - 100 kept",
         {1820, 10, 1},
         true,
         false,
         &kOne,
         kOneExtents,
         {{1820, 10, 400, 300}, 1}},
        {"left one beyond replaced by the monitor's left",
         {1821, 10, 1},
         true,
         false,
         &kOne,
         kOneExtents,
         {{0, 10, 400, 300}, 1}},
        {"top at MaxHeight - 30 kept",
         {10, 1050, 1},
         true,
         false,
         &kOne,
         kOneExtents,
         {{10, 1050, 400, 300}, 1}},
        {"top one beyond replaced by the monitor's top",
         {10, 1051, 1},
         true,
         false,
         &kOne,
         kOneExtents,
         {{10, 0, 400, 300}, 1}},
        {"left before MinLeft replaced",
         {-5, 10, 1},
         true,
         false,
         &kOne,
         kOneExtents,
         {{0, 10, 400, 300}, 1}},
        {"NotAdjustWindowToScreen uses the stored edges as they are",
         {-5000, -3000, 1},
         false,
         false,
         &kOne,
         kOneExtents,
         {{-5000, -3000, 400, 300}, 1}},
        {"a monitor to the left makes negative edges valid",
         {-1200, 10, 1},
         true,
         false,
         &kTwo,
         kTwoExtents,
         {{-1200, 10, 400, 300}, 1}},
        {"Ctrl+Shift ignores the stored position",
         {120, 45, 1},
         true,
         true,
         &kOne,
         kOneExtents,
         {{760, 370, 400, 300}, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RestoreDialogPosition(size, c.stored, c.adjust, c.ctrlShift, c.extents, *c.monitors),
                  c.expected);
    }
}

TEST(CenterInWorkArea, HalvesTruncateAndFollowTheWorkAreaOrigin) {
    EXPECT_EQ(CenterInWorkArea({5, 5, 401, 301}, {0, 0, 1921, 1041}), (Rect{760, 370, 401, 301}));
    // A panel at the top of the screen moves the work area down; the window is centred in it.
    EXPECT_EQ(CenterInWorkArea({0, 0, 400, 300}, {0, 32, 1920, 1048}), (Rect{760, 406, 400, 300}));
}

TEST(MonitorIndexOf, CentreDecidesAndOutsideTakesTheNearest) {
    EXPECT_EQ(MonitorIndexOf({-700, 100, 400, 300}, kTwo), 1);
    EXPECT_EQ(MonitorIndexOf({-300, 100, 400, 300}, kTwo), 1);  // centre at x = -100: second monitor
    EXPECT_EQ(MonitorIndexOf({-100, 100, 400, 300}, kTwo), 0);
    EXPECT_EQ(MonitorIndexOf({2500, 100, 400, 300}, kTwo), 0);
    EXPECT_EQ(MonitorIndexOf({-5000, 100, 400, 300}, kTwo), 1);
    EXPECT_EQ(MonitorIndexOf({0, 0, 10, 10}, {}), 0);
}

TEST(RestoreSizeableSize, TableOfCases) {
    const Rect workArea{0, 0, 1920, 1040};
    const Placement restored{{100, 50, 400, 300}, 1};
    const Placement centred{{760, 370, 400, 300}, 0};
    struct Case {
        const char* what;
        Placement current;
        StoredSize stored;
        bool ctrlShift;
        Rect winFrame;
        Placement expected;
    };
    const Case cases[] = {
        {"stored size restored",
         restored,
         {1200, 800, 1},
         false,
         {0, 0, 1920, 1040},
         {{100, 50, 1200, 800}, 1}},
        {"not sized: the default frame",
         centred,
         {1200, 800, 0},
         false,
         {10, 20, 1000, 700},
         {{10, 20, 1000, 700}, 0}},
        {"frame height 55 or less: the rest of the work area",
         centred,
         {},
         false,
         {10, 40, 1000, 55},
         {{10, 40, 1000, 1000}, 0}},
        {"frame width 200 or less: the rest of the work area",
         centred,
         {},
         false,
         {20, 40, 200, 600},
         {{20, 40, 1900, 600}, 0}},
        {"stored width below 200 becomes 400, height below 55 becomes 200",
         restored,
         {199, 54, 1},
         false,
         {0, 0, 1920, 1040},
         {{100, 50, 400, 200}, 1}},
        {"sized with no size keys (both 0)",
         restored,
         {0, 0, 1},
         false,
         {0, 0, 1920, 1040},
         {{100, 50, 400, 200}, 1}},
        {"Ctrl+Shift keeps the design size", centred, {1200, 800, 1}, true, {0, 0, 1920, 1040}, centred},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RestoreSizeableSize(c.current, c.stored, c.ctrlShift, c.winFrame, workArea), c.expected);
    }
}

TEST(FillsWorkArea, OnlyTheExactWorkAreaOrTheFullScreenHeight) {
    const Monitor primary = MakeMonitor(0, 0, 1920, 1080, 40);
    EXPECT_TRUE(FillsWorkArea({0, 0, 1920, 1040}, primary));
    EXPECT_TRUE(FillsWorkArea({0, 0, 1920, 1080}, primary));
    EXPECT_FALSE(FillsWorkArea({1, 0, 1920, 1040}, primary));  // moved by one pixel
    EXPECT_FALSE(FillsWorkArea({0, 1, 1920, 1040}, primary));
    EXPECT_FALSE(FillsWorkArea({0, 0, 1919, 1040}, primary));
    EXPECT_FALSE(FillsWorkArea({0, 0, 1920, 1000}, primary));
}

TEST(ToggleWorkArea, FirstFillsTheWorkAreaSecondReturnsToTheDefaultFrame) {
    const Rect workArea{0, 0, 1920, 1040};
    const Rect frame{100, 100, 1200, 800};
    F11Toggle first = ToggleWorkArea({300, 200, 800, 600}, workArea, frame);
    EXPECT_EQ(first.rect, workArea);
    EXPECT_FALSE(first.toDefaultFrame);
    F11Toggle second = ToggleWorkArea(first.rect, workArea, frame);
    EXPECT_EQ(second.rect, frame);
    EXPECT_TRUE(second.toDefaultFrame);
    // When the default frame is the work area itself, F11 on a window filling it changes nothing.
    EXPECT_EQ(ToggleWorkArea(workArea, workArea, workArea).rect, workArea);
}

TEST(PlaceOnShow, BySetupNewWindow) {
    const Rect frame{100, 50, 1200, 800};
    const Rect fits{300, 200, 800, 600};
    const Rect beyond{1500, 200, 800, 600};  // right edge 2300 > 1920

    ShowPlacement dock = PlaceOnShow(0, fits, frame, kOne);
    EXPECT_EQ(dock.rect, (Rect{0, 0, 1024, 640}));
    EXPECT_FALSE(dock.IsSized.has_value());

    ShowPlacement outside = PlaceOnShow(1, beyond, frame, kOne);
    EXPECT_EQ(outside.rect, frame);
    EXPECT_EQ(outside.IsSized, 0);
    EXPECT_TRUE(outside.makeNormal);
    ShowPlacement inside = PlaceOnShow(1, fits, frame, kOne);
    EXPECT_EQ(inside.rect, fits);
    EXPECT_FALSE(inside.IsSized.has_value());

    EXPECT_EQ(PlaceOnShow(2, fits, frame, kOne).rect, (Rect{210, 50, 1090, 800}));
    EXPECT_EQ(PlaceOnShow(3, beyond, frame, kOne).rect, beyond);
}

TEST(DragAndResize, HeaderTextAndStripsChangeOneDimension) {
    EXPECT_EQ(DragHeaderText(120, 45), "120x45");
    EXPECT_EQ(DragHeaderText(-1280, 0), "-1280x0");
    const Rect w{10, 10, 800, 600};
    EXPECT_EQ(ResizeBy(w, true, false, {30, 7}, {0, 0}), (Rect{10, 10, 830, 600}));  // right strip
    EXPECT_EQ(ResizeBy(w, false, true, {30, 7}, {0, 0}), (Rect{10, 10, 800, 607}));  // bottom strip
    EXPECT_EQ(ResizeBy(w, true, true, {10, 2}, {4, 5}), (Rect{10, 10, 806, 597}));   // corner
}

TEST(PlaceYesNo, CentredAndKeptAwayFromTheEdges) {
    const Rect desktop{0, 0, 1920, 1080};
    EXPECT_EQ(YesNoCentre(std::nullopt, desktop), (Point{960, 540}));
    EXPECT_EQ(YesNoCentre(Rect{100, 100, 401, 301}, desktop), (Point{300, 250}));
    EXPECT_EQ(PlaceYesNo(812, 267, {960, 540}, desktop), (Rect{554, 407, 812, 267}));
    EXPECT_EQ(PlaceYesNo(812, 267, {30, 10}, desktop), (Rect{20, 20, 812, 267}));
    EXPECT_EQ(PlaceYesNo(812, 267, {1900, 540}, desktop), (Rect{1108, 407, 812, 267}));
    // A desktop reaching left of the primary monitor keeps a dialog on the left monitor.
    EXPECT_EQ(PlaceYesNo(812, 267, {-640, 540}, {-1280, 0, 3200, 1080}), (Rect{-1046, 407, 812, 267}));
}

}  // namespace
}  // namespace dravn
