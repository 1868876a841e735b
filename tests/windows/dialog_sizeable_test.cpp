// The sizeable window: placement when shown, size keys, F11 toggle and border, edge drags,
// the maximise picture.
#include "windows/dialog_sizeable.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QTest>
#include <memory>

#include "support/window_fixture.h"
#include "windows/window_placement.h"

namespace dravn::test {
namespace {

class SizeableTest : public WindowTest {
  protected:
    SizeableTest() {
        // The start-up default frame: the primary work area.
        settings().WriteIniInteger("WinFrameLeft", 0);
        settings().WriteIniInteger("WinFrameTop", 0);
        settings().WriteIniInteger("WinFrameWidth", 1920);
        settings().WriteIniInteger("WinFrameHeight", 1040);
        settings().WriteIniInteger("s_SetupNewWindow", 3);  // leave the window where creation put it
    }
    std::unique_ptr<TDialogSizeableForm> Show() {
        auto form = std::make_unique<TDialogSizeableForm>(context, "MainForm");
        form->SetHeaderText("Hovud");
        form->show();
        return form;
    }
    void SetFrame(const Rect& r) {
        settings().WriteIniInteger("WinFrameLeft", r.left);
        settings().WriteIniInteger("WinFrameTop", r.top);
        settings().WriteIniInteger("WinFrameWidth", r.width);
        settings().WriteIniInteger("WinFrameHeight", r.height);
    }
    void Store(const Rect& r) {
        settings().WriteIniInteger("MainForm_LEFT", r.left);
        settings().WriteIniInteger("MainForm_TOP", r.top);
        settings().WriteIniInteger("MainForm_WIDTH", r.width);
        settings().WriteIniInteger("MainForm_HEIGHT", r.height);
        settings().WriteIniInteger("MainForm_SIZED", 1);
    }
};

TEST_F(SizeableTest, WithoutSetupNewWindowTheDockFrameWinsOverTheRestoredBounds) {
    settings().WriteIniString("s_SetupNewWindow", "");
    Store({100, 100, 900, 700});
    auto form = Show();
    EXPECT_EQ(form->Bounds(), (Rect{0, 0, 1024, 640}));
    EXPECT_EQ(form->CurrentBorder(), BorderWidth);
}

TEST_F(SizeableTest, SizeIsStoredOnCloseAndRestored) {
    Store({100, 100, 900, 700});
    auto form = Show();
    EXPECT_EQ(form->Bounds(), (Rect{100, 100, 900, 700}));
    form->setGeometry(120, 110, 1000, 750);
    form->close();
    EXPECT_EQ(settings().ReadIniInteger("MainForm_WIDTH"), 1000);
    EXPECT_EQ(settings().ReadIniInteger("MainForm_HEIGHT"), 750);
    EXPECT_EQ(Show()->Bounds(), (Rect{120, 110, 1000, 750}));
}

TEST_F(SizeableTest, UnsizedWindowOpensOnTheDefaultFrame) {
    SetFrame({10, 20, 1200, 800});
    auto form = Show();
    EXPECT_EQ(form->Bounds(), (Rect{10, 20, 1200, 800}));
    EXPECT_EQ(form->IsSized, 0);
    EXPECT_TRUE(form->IsDefaultPosition());
}

TEST_F(SizeableTest, SetupNewWindowOneMovesOnlyAWindowReachingBeyondTheWorkArea) {
    settings().WriteIniInteger("s_SetupNewWindow", 1);
    SetFrame({10, 20, 1200, 800});
    Store({1500, 100, 800, 600});
    EXPECT_EQ(Show()->Bounds(), (Rect{10, 20, 1200, 800}));
    Store({1100, 100, 800, 600});
    EXPECT_EQ(Show()->Bounds(), (Rect{1100, 100, 800, 600}));
}

TEST_F(SizeableTest, F11FillsTheWorkAreaWithoutBorderThenReturnsToTheDefaultFrame) {
    SetFrame({10, 20, 1200, 800});
    Store({100, 100, 900, 700});
    auto form = Show();
    QTest::keyClick(form.get(), Qt::Key_F11);
    EXPECT_EQ(form->Bounds(), (Rect{0, 0, 1920, 1040}));
    EXPECT_EQ(form->CurrentBorder(), 0);
    QTest::keyClick(form.get(), Qt::Key_F11);
    EXPECT_EQ(form->Bounds(), (Rect{10, 20, 1200, 800}));
    EXPECT_EQ(form->IsSized, 0);
    EXPECT_EQ(form->CurrentBorder(), 0);  // the border comes back at the next header mouse-up
    QTest::mouseClick(form->HeaderLabel, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(form->CurrentBorder(), BorderWidth);
    QTest::keyClick(form.get(), Qt::Key_F11, Qt::ShiftModifier);
    EXPECT_EQ(form->Bounds(), (Rect{10, 20, 1200, 800}));
}

TEST_F(SizeableTest, MovingAFullWindowByOnePixelGivesItsBorderBack) {
    Store({0, 0, 1920, 1040});
    auto form = Show();
    form->AdjustBorder();
    EXPECT_EQ(form->CurrentBorder(), 0);
    QTest::mousePress(form->HeaderLabel, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(form->HeaderLabel, QPoint(11, 10));
    QTest::mouseRelease(form->HeaderLabel, Qt::LeftButton, {}, QPoint(11, 10));
    EXPECT_EQ(form->Bounds(), (Rect{1, 0, 1920, 1040}));
    EXPECT_EQ(form->CurrentBorder(), BorderWidth);
}

TEST_F(SizeableTest, StripsChangeOneDimensionAndTheCornerBoth) {
    Store({100, 100, 900, 700});
    auto form = Show();
    QTest::mousePress(form->WidthSizePanel, Qt::LeftButton, {}, QPoint(2, 50));
    QTest::mouseMove(form->WidthSizePanel, QPoint(32, 80));
    QTest::mouseRelease(form->WidthSizePanel, Qt::LeftButton, {}, QPoint(32, 80));
    EXPECT_EQ(form->Bounds(), (Rect{100, 100, 932, 700}));

    QTest::mousePress(form->BottomPanel, Qt::LeftButton, {}, QPoint(50, 2));
    QTest::mouseMove(form->BottomPanel, QPoint(90, 22));
    QTest::mouseRelease(form->BottomPanel, Qt::LeftButton, {}, QPoint(90, 22));
    EXPECT_EQ(form->Bounds(), (Rect{100, 100, 932, 722}));

    QTest::mousePress(form->Sizer, Qt::LeftButton, {}, QPoint(4, 3));
    QTest::mouseMove(form->Sizer, QPoint(14, 8));
    QTest::mouseRelease(form->Sizer, Qt::LeftButton, {}, QPoint(14, 8));
    EXPECT_EQ(form->Bounds(), (Rect{100, 100, 942, 727}));
    EXPECT_EQ(form->IsSized, 1);
}

TEST_F(SizeableTest, ShiftClickOnTheMaximisePictureNeverOpensThePicker) {
    SetFrame({10, 20, 1200, 800});
    Store({100, 100, 900, 700});
    int pickerOpened = 0;
    context.showWindowPicker = [&](QWidget&) { ++pickerOpened; };
    auto form = Show();

    host.shift = true;
    QTest::mouseClick(form->MaxWindowImage, Qt::LeftButton);
    EXPECT_EQ(pickerOpened, 0);
    EXPECT_EQ(form->Bounds(), (Rect{10, 20, 1200, 800}));
    EXPECT_EQ(form->IsSized, 0);

    host.shift = false;
    QTest::mouseClick(form->MaxWindowImage, Qt::LeftButton);
    EXPECT_EQ(pickerOpened, 1);
    EXPECT_EQ(form->IsSized, 1);
}

}  // namespace
}  // namespace dravn::test
