#include "foundation/geometry.h"

#include <gtest/gtest.h>

#include "support/fake_host.h"

namespace dravn {
namespace {

using test::FakeHost;

TEST(DesktopExtents, FromMonitorLists) {
    struct Case {
        const char* name;
        std::vector<Monitor> monitors;
        DesktopExtents expected;
    };
    const Monitor main = FakeHost::MakeMonitor(0, 0, 1920, 1080, 40);
    const Case cases[] = {
        {"none", {}, {0, 0, 0, 0}},
        {"one", {main}, {1920, 1080, 0, 0}},
        // 1280 - |-1280| is 0, so the left monitor does not win MaxWidth.
        {"left of primary", {main, FakeHost::MakeMonitor(-1280, 0, 1280, 1024)}, {1920, 1080, -1280, 0}},
        // A wider monitor on the right counts by width less |left| (2560 - 1920 = 640, so it does
        // not win MaxWidth), but its full height at top 0 wins MaxHeight.
        {"right of primary", {main, FakeHost::MakeMonitor(1920, 0, 2560, 1440)}, {1920, 1440, 0, 0}},
        // Chosen by height less |top|, but the monitor's own height is stored.
        {"above, offset", {FakeHost::MakeMonitor(100, -200, 1600, 1400)}, {1600, 1400, 0, -200}},
        {"only positive offsets", {FakeHost::MakeMonitor(50, 30, 800, 600)}, {800, 600, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeDesktopExtents(c.monitors), c.expected) << c.name;
}

TEST(WindowLayout, Codes) {
    const Monitor primary = FakeHost::MakeMonitor(0, 0, 1920, 1080, 40);
    struct Case {
        int code;
        Rect monitor;
        bool keepTaskbar;
        Rect expected;
    };
    const Rect full{0, 0, 1920, 1080};
    const Rect second{1920, 100, 1001, 1001};  // thirds that do not divide evenly, away from the origin
    const Case cases[] = {
        {0, full, false, {0, 0, 1920, 1080}},
        {0, full, true, {0, 0, 1920, 1040}},
        {1, full, false, {0, 0, 1920, 540}},
        {2, full, true, {0, 520, 1920, 520}},
        {3, second, false, {1920, 100, 500, 1001}},
        {4, second, false, {2420, 100, 500, 1001}},
        {5, full, false, {240, 135, 1440, 810}},
        {5, second, false, {1920 + 125, 100 + 125, 1001 - 250, 1001 - 250}},
        {6, second, false, {1920, 100, 333, 1001}},
        {7, second, false, {2253, 100, 333, 1001}},
        {8, Rect{0, 0, 1000, 800}, false, {666, 0, 333, 800}},
        {8, second, false, {1920 + 666, 100, 333, 1001}},
        {9, second, false, {1920, 100, 1001, 333}},
        {10, second, false, {1920, 433, 1001, 333}},
        {11, second, false, {1920, 100 + 666, 1001, 333}},
        {12, second, false, {1920, 100, 500, 500}},
        {13, second, false, {2420, 100, 500, 500}},
        {14, second, false, {1920, 600, 500, 500}},
        {15, second, true, {2420, 100 + 480, 500, 480}},
        {16, second, false, {1920, 100, 333, 333}},
        {18, second, false, {1920 + 666, 100, 333, 333}},
        {21, second, false, {1920 + 666, 100 + 333, 333, 333}},  // row 1, column 2
        {22, second, false, {1920, 100 + 666, 333, 333}},        // row 2, column 0
        {24, second, false, {1920 + 666, 100 + 666, 333, 333}},
        {25, second, true, {0, 0, 1024, 640}},
        {25, full, false, {0, 0, 1024, 640}},
    };
    for (const Case& c : cases) {
        auto r = WindowLayout(c.code, c.monitor, c.keepTaskbar, primary);
        ASSERT_TRUE(r.has_value()) << c.code;
        EXPECT_EQ(*r, c.expected) << "code " << c.code << (c.keepTaskbar ? " keeping task bar" : "");
    }
    for (int bad : {-1, 26, 100})
        EXPECT_EQ(WindowLayout(bad, full, false, primary), std::nullopt) << bad;
}

TEST(VirtualDesktop, SpansAllMonitors) {
    EXPECT_EQ(VirtualDesktop({}), (Rect{}));
    EXPECT_EQ(VirtualDesktop(
                  {FakeHost::MakeMonitor(0, 0, 1920, 1080), FakeHost::MakeMonitor(-1280, -200, 1280, 1024)}),
              (Rect{-1280, -200, 3200, 1280}));
}

TEST(ValidateWinFrame, KeepsValidFramesAndReplacesOthers) {
    const std::vector<Monitor> one = {FakeHost::MakeMonitor(0, 0, 1920, 1080, 40)};
    const std::vector<Monitor> twoLeft = {FakeHost::MakeMonitor(0, 0, 1920, 1080, 40),
                                          FakeHost::MakeMonitor(-1280, 0, 1280, 1024)};
    const Rect replacement{0, 0, 1920, 1040};  // the primary monitor's work area
    struct Case {
        const char* name;
        std::vector<Monitor> monitors;
        Rect frame;
        bool valid;
    };
    const Case cases[] = {
        {"ordinary", one, {100, 50, 1200, 800}, true},
        {"smallest size", one, {0, 0, 800, 600}, true},
        {"height 599", one, {0, 0, 1200, 599}, false},
        {"width 799", one, {0, 0, 799, 800}, false},
        {"new settings file (all 0)", one, {0, 0, 0, 0}, false},
        {"top at desktop height - 600", one, {0, 480, 1200, 800}, true},
        {"top one below that", one, {0, 481, 1200, 800}, false},
        {"left at desktop width - 800", one, {1120, 0, 1200, 800}, true},
        {"left one beyond", one, {1121, 0, 1200, 800}, false},
        {"above the desktop", one, {0, -1, 1200, 800}, false},
        {"on the left monitor", twoLeft, {-1280, 0, 1000, 700}, true},
        {"left of the left monitor", twoLeft, {-1281, 0, 1000, 700}, false},
        // The desktop ends at 1920: a frame may not start beyond 1920 - 800 even though the
        // desktop is 3200 wide.
        {"beyond the right edge", twoLeft, {1121, 0, 1000, 700}, false},
        {"right edge of a wide desktop", twoLeft, {1120, 0, 1000, 700}, true},
    };
    for (const Case& c : cases) {
        auto r = ValidateWinFrame(c.frame, c.monitors);
        if (c.valid) {
            EXPECT_EQ(r, std::nullopt) << c.name;
        } else {
            EXPECT_EQ(r, replacement) << c.name;
        }
    }
    // Without a screen there is nothing to test against: the frame is left alone.
    EXPECT_EQ(ValidateWinFrame({0, 0, 0, 0}, {}), std::nullopt);
}

TEST(DefaultColors, DefaultsAndReset) {
    DefaultColors colors;
    EXPECT_EQ(colors.FrameColor, (Rgb{32, 32, 16}));
    EXPECT_EQ(colors.PanelColor, (Rgb{224, 224, 208}));
    EXPECT_EQ(colors.HeaderColor, (Rgb{64, 64, 48}));
    EXPECT_EQ(colors.PickerColor, (Rgb{176, 176, 160}));
    EXPECT_EQ(colors.HighlightColor, (Rgb{255, 215, 0}));
    colors.PanelColor = {1, 2, 3};
    colors.HighlightColor = {4, 5, 6};
    colors.SetDefaultColors();
    EXPECT_EQ(colors.PanelColor, (Rgb{224, 224, 208}));
    EXPECT_EQ(colors.HighlightColor, (Rgb{255, 215, 0}));
}

}  // namespace
}  // namespace dravn
