// The dialog window base: position keys, header drag, F11, Ctrl+Shift at creation, modal close.
#include "windows/dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <memory>

#include "support/window_fixture.h"

namespace dravn::test {
namespace {

class DialogFormTest : public WindowTest {
  protected:
    std::unique_ptr<TDialogForm> MakeForm() {
        auto form = std::make_unique<TDialogForm>(context, "TestForm");
        form->resize(400, 300);
        form->SetHeaderText("Tittel");
        form->EnsureCreated();
        return form;
    }
    int Key(const std::string& suffix) { return settings().ReadIniInteger("TestForm" + suffix); }
};

TEST_F(DialogFormTest, WithoutKeysOpensCentredAndClosesUnsized) {
    auto form = MakeForm();
    EXPECT_EQ(form->Bounds(), (Rect{760, 370, 400, 300}));  // centred on the 1920 x 1040 work area
    form->show();
    form->close();
    EXPECT_EQ(Key("_LEFT"), 760);
    EXPECT_EQ(Key("_TOP"), 370);
    EXPECT_EQ(Key("_SIZED"), 0);
    EXPECT_EQ(Key("_MONITOR"), 0);
}

TEST_F(DialogFormTest, HeaderDragShowsCoordinatesAndTheNextWindowReopensThere) {
    auto form = MakeForm();
    form->show();
    QLabel* header = form->HeaderLabel;
    QTest::mousePress(header, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(header, QPoint(30, 25));
    EXPECT_EQ(form->Bounds(), (Rect{780, 385, 400, 300}));
    EXPECT_EQ(form->HeaderText(), "780x385");
    QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(form->HeaderText(), "Tittel");
    form->close();
    EXPECT_EQ(Key("_SIZED"), 1);

    auto again = MakeForm();
    EXPECT_EQ(again->Bounds(), (Rect{780, 385, 400, 300}));
    EXPECT_EQ(again->IsSized, 1);
}

TEST_F(DialogFormTest, ReleasingWithoutMovingRestoresTheTitle) {
    auto form = MakeForm();
    form->show();
    QTest::mouseClick(form->HeaderLabel, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(form->HeaderText(), "Tittel");
    EXPECT_FALSE(form->Drag);
}

TEST_F(DialogFormTest, StoredPositionIsCheckedAgainstTheDesktop) {
    settings().WriteIniInteger("TestForm_SIZED", 1);
    settings().WriteIniInteger("TestForm_LEFT", 1821);
    settings().WriteIniInteger("TestForm_TOP", 1050);
    EXPECT_EQ(MakeForm()->Bounds(), (Rect{0, 1050, 400, 300}));

    settings().WriteIniInteger("TestForm_LEFT", -5000);
    settings().WriteIniBool("NotAdjustWindowToScreen", true);
    EXPECT_EQ(MakeForm()->Bounds(), (Rect{-5000, 1050, 400, 300}));
}

TEST_F(DialogFormTest, CtrlShiftIgnoresTheStoredPositionOnceAndCloseStillStores) {
    settings().WriteIniInteger("TestForm_SIZED", 1);
    settings().WriteIniInteger("TestForm_LEFT", 100);
    settings().WriteIniInteger("TestForm_TOP", 80);
    host.ctrl = host.shift = true;
    auto form = MakeForm();
    EXPECT_EQ(form->Bounds(), (Rect{760, 370, 400, 300}));
    EXPECT_EQ(form->IsSized, 0);
    form->show();
    QTest::mousePress(form->HeaderLabel, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(form->HeaderLabel, QPoint(20, 20));
    QTest::mouseRelease(form->HeaderLabel, Qt::LeftButton, {}, QPoint(20, 20));
    form->close();
    EXPECT_EQ(Key("_LEFT"), 770);
    EXPECT_EQ(Key("_TOP"), 380);

    host.ctrl = false;  // Ctrl alone does not count
    EXPECT_EQ(MakeForm()->Bounds(), (Rect{770, 380, 400, 300}));
}

TEST_F(DialogFormTest, F11CentresOnlyWithoutModifiers) {
    auto form = MakeForm();
    form->show();
    for (Qt::KeyboardModifier modifier : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        form->move(10, 20);
        form->IsSized = 1;
        QTest::keyClick(form.get(), Qt::Key_F11, modifier);
        EXPECT_EQ(form->Bounds(), (Rect{10, 20, 400, 300})) << modifier;
    }
    QTest::keyClick(form.get(), Qt::Key_F11);
    EXPECT_EQ(form->Bounds(), (Rect{760, 370, 400, 300}));
    EXPECT_EQ(form->IsSized, 0);
}

TEST_F(DialogFormTest, CloseImageEndsAModalWindowWithCancel) {
    auto form = MakeForm();
    TDialogForm* f = form.get();
    OnModal([f](QWidget*) { QTest::mouseClick(f->CloseImage, Qt::LeftButton); });
    EXPECT_EQ(form->ShowModal(), TDialogForm::mrCancel);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Key("_LEFT"), 760);  // the close stored the position
}

}  // namespace
}  // namespace dravn::test
