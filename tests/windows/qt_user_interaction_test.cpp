// The Qt user interaction, the Qt host and the application's central error handler.
#include "windows/qt_user_interaction.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <stdexcept>

#include "mysql/sql_error.h"
#include "support/window_fixture.h"
#include "windows/dravn_application.h"
#include "windows/qt_host.h"

namespace dravn::test {
namespace {

class QtUserInteractionTest : public WindowTest {
  protected:
    QtUserInteractionTest() { qtui.Attach(context); }
    QtUserInteraction qtui{host};
};

TEST_F(QtUserInteractionTest, WaitCursorNests) {
    qtui.setWaitCursor(true);
    qtui.setWaitCursor(true);
    qtui.setWaitCursor(false);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    qtui.setWaitCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    qtui.setWaitCursor(false);  // one "off" too many changes nothing
    qtui.setWaitCursor(true);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    qtui.setWaitCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtUserInteractionTest, ProgressDrivesTheBarOfTheActiveWindow) {
    qtui.showProgress(1, 10);  // no framework window active: nothing happens

    TDialogForm form(context, "ProgressForm");
    form.show();
    form.activateWindow();
    QTRY_VERIFY(form.isActiveWindow());
    qtui.showProgress(3, 10);
    EXPECT_TRUE(form.Bar->isVisible());
    EXPECT_EQ(form.Bar->maximum(), 10);
    EXPECT_EQ(form.Bar->value(), 3);
    qtui.showProgress(0, 0);
    EXPECT_FALSE(form.Bar->isVisible());
}

TEST_F(QtUserInteractionTest, LocalServerPasswordIsMaskedAndCancelGivesNothing) {
    OnModal([](QWidget* modal) {
        auto* password = modal->findChild<QLineEdit*>("ePassword");
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
        EXPECT_EQ(modal->findChild<QLineEdit*>("eUser")->text(), "root");
        QTest::keyClicks(KeyTarget(), "løyndom");
        QTest::keyClick(KeyTarget(), Qt::Key_Return);
    });
    EXPECT_EQ(qtui.askLocalServerPassword("root", "localhost"), "løyndom");

    OnModal([](QWidget*) { QTest::keyClick(KeyTarget(), Qt::Key_Escape); });
    EXPECT_EQ(qtui.askLocalServerPassword("root", "localhost"), std::nullopt);
}

TEST_F(QtUserInteractionTest, RequestQuitEndsTheLoopAfterTheCurrentEvent) {
    bool ranToTheEnd = false;
    QTimer::singleShot(0, [&] {
        qtui.requestQuit();
        ranToTheEnd = true;
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(7); });  // watchdog
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(ranToTheEnd);
}

TEST_F(QtUserInteractionTest, TerminateRunsTheEndStepsThenExitsWithTheCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    qtui.SetTerminateCallback([](int code) { std::fprintf(stderr, "end steps %d\n", code); });
    EXPECT_EXIT(qtui.terminateProgram(3), ::testing::ExitedWithCode(3), "end steps 3");
}

TEST(QtHost, PrimaryScreenFirst) {
    QtHost host;
    const std::vector<Monitor> monitors = host.monitors();
    ASSERT_EQ(monitors.size(), static_cast<size_t>(QGuiApplication::screens().size()));
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(monitors.front().bounds, (Rect{primary.x(), primary.y(), primary.width(), primary.height()}));
}

TEST_F(QtUserInteractionTest, ServerErrorInAHandlerIsShownOnceAndTheWindowKeepsItsState) {
    auto* app = static_cast<DravnApplication*>(qApp);
    app->SetUserInteraction(&ui);
    std::vector<std::string> logged;
    app->SetErrorLogger([&](const std::string& text) { logged.push_back(text); });

    QPushButton button("Lag database");
    int steps = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++steps;  // the work done before the failing statement stays done
        throw SqlError(1064, "42000", "You have an error in your SQL syntax");
    });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"You have an error in your SQL syntax"}));
    EXPECT_EQ(logged, ui.messages);
    EXPECT_TRUE(button.isVisible());

    // Any other exception of a handler is reported the same way, and the next click works again.
    QObject::disconnect(&button, nullptr, nullptr, nullptr);
    QObject::connect(&button, &QPushButton::clicked, [] { throw std::runtime_error("noko gjekk gale"); });
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(ui.messages.back(), "noko gjekk gale");
    EXPECT_EQ(ui.messages.size(), 2u);

    app->SetUserInteraction(nullptr);
    app->SetErrorLogger(nullptr);
}

}  // namespace
}  // namespace dravn::test
