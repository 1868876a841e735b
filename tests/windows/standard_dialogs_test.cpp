// The yes/no and input dialogs, driven by keys on the modal window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "support/window_fixture.h"
#include "windows/input_dialog.h"
#include "windows/ja_nei.h"

namespace dravn::test {
namespace {

using StandardDialogsTest = WindowTest;

TEST_F(StandardDialogsTest, YesNoKeys) {
    struct Case {
        bool defaultAnswer;
        Qt::Key key;
        bool expected;
    };
    const Case cases[] = {
        {true, Qt::Key_Escape, false}, {false, Qt::Key_Escape, false},  // Esc answers no
        {true, Qt::Key_Return, true},  {false, Qt::Key_Return, false},  // Enter: the focused button
        {true, Qt::Key_Tab, true},  // focus on "Nei", then closed otherwise: the default stands
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.defaultAnswer) + " " + std::to_string(c.key));
        Qt::Key key = c.key;
        OnModal([key](QWidget* modal) {
            QTest::keyClick(KeyTarget(), key);
            if (modal->isVisible())
                modal->close();  // any other way of closing keeps the default
        });
        EXPECT_EQ(AskYesNo(host, foundation.colors(), "Slette?", c.defaultAnswer), c.expected);
    }
}

TEST_F(StandardDialogsTest, YesNoEnterFollowsTheFocus) {
    OnModal([](QWidget*) {
        QTest::keyClick(KeyTarget(), Qt::Key_Tab);  // from "Ja" to "Nei"
        QTest::keyClick(KeyTarget(), Qt::Key_Return);
    });
    EXPECT_FALSE(AskYesNo(host, foundation.colors(), "Slette?", true));
}

TEST_F(StandardDialogsTest, YesNoWidensToTheQuestionAndKeepsAwayFromTheEdges) {
    const std::string question(150, 'W');
    int width = 0;
    int textWidth = 0;
    OnModal([&](QWidget* modal) {
        auto* label = modal->findChild<QLabel*>("Label1");
        textWidth = label->fontMetrics().horizontalAdvance(label->text());
        width = modal->width();
        QTest::keyClick(KeyTarget(), Qt::Key_Escape);
    });
    AskYesNo(host, foundation.colors(), question, true);
    ASSERT_GT(textWidth + 50, 812);
    EXPECT_EQ(width, textWidth + 50);

    TJaNeiForm near(foundation.colors(), Point{30, 10}, Rect{0, 0, 1920, 1080});
    near.show();
    EXPECT_EQ(near.pos(), QPoint(20, 20));
    EXPECT_EQ(near.size(), QSize(812, 267));
}

class InputTest : public WindowTest {
  protected:
    InputDialog input{context};

    // Asks, typing `typed` (when given) and pressing `key` (Esc: cancel by the close picture);
    // records the field as it was shown.
    std::string Ask(const std::string& prompt, const std::string& def, const QString& typed = {},
                    Qt::Key key = Qt::Key_Return) {
        OnModal([this, typed, key](QWidget*) {
            shownText = input.Form()->Edit1->currentText().toStdString();
            shownWidth = input.Form()->width();
            echo = input.Form()->Edit1->lineEdit()->echoMode();
            shownSelection = input.Form()->Edit1->lineEdit()->selectedText().toStdString();
            if (!typed.isNull()) {
                QTest::keyClick(KeyTarget(), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(KeyTarget(), typed);
            }
            if (key == Qt::Key_Escape)
                QTest::mouseClick(input.Form()->CloseImage, Qt::LeftButton);
            else
                QTest::keyClick(KeyTarget(), key);
        });
        return input.AskInput(prompt, def);
    }
    std::vector<std::string> List() {
        std::vector<std::string> list;
        settings().ReadIniList("InputStr", list);
        return list;
    }

    std::string shownText;
    std::string shownSelection;
    int shownWidth = 0;
    QLineEdit::EchoMode echo = QLineEdit::Normal;
};

TEST_F(InputTest, ConfirmedEntryIsStoredAndOfferedNextTime) {
    EXPECT_EQ(Ask("Namn:", "", "Kari"), "Kari");
    EXPECT_EQ(settings().ReadIniString("LastInputStr"), "Kari");
    EXPECT_EQ(List(), (std::vector<std::string>{"Kari"}));
    EXPECT_EQ(Ask("Namn:", ""), "Kari");  // the last entry is the default
    EXPECT_EQ(shownText, "Kari");
    EXPECT_EQ(shownWidth, 600);
    EXPECT_EQ(echo, QLineEdit::Normal);
}

TEST_F(InputTest, PasswordPromptsHideTheTypingAndStoreNothing) {
    settings().WriteIniString("LastInputStr", "forrige");
    for (const std::string prompt : {"Skriv passord for tenaren:", "PASSWORD", "Kortkode:"}) {
        SCOPED_TRACE(prompt);
        EXPECT_EQ(Ask(prompt, "", "hemmeleg"), "hemmeleg");
        EXPECT_EQ(shownText, "");  // not the last entry
        EXPECT_EQ(echo, QLineEdit::Password);
    }
    EXPECT_EQ(settings().ReadIniString("LastInputStr"), "forrige");
    EXPECT_TRUE(List().empty());
    EXPECT_EQ(input.Form()->Edit1->currentText(), "");  // the secret is not kept in the window
    // Cancelling a masked prompt still hands over what was typed.
    EXPECT_EQ(Ask("Passord:", "", "halvt", Qt::Key_Escape), "halvt");
    // The next plain prompt shows its typing again.
    Ask("Namn:", "x");
    EXPECT_EQ(echo, QLineEdit::Normal);
}

TEST_F(InputTest, CancelReturnsEmptyAndForgetsInputStr) {
    Ask("Namn:", "", "Ola");
    EXPECT_EQ(input.InputStr(), "Ola");
    EXPECT_EQ(Ask("Namn:", "", "Per", Qt::Key_Escape), "");
    EXPECT_EQ(input.InputStr(), "");
    EXPECT_EQ(List(), (std::vector<std::string>{"Ola"}));
}

TEST_F(InputTest, TalIsNarrowAndShowsTheLastEntry) {
    settings().WriteIniString("LastInputStr", "42");
    EXPECT_EQ(Ask("Tal", ""), "42");
    EXPECT_EQ(shownWidth, 300);
    EXPECT_EQ(shownText, "42");
    EXPECT_EQ(shownSelection, "42");  // pre-selected: typing replaces it
}

TEST_F(InputTest, BlankDefaultGivesAnEmptyField) {
    settings().WriteIniString("LastInputStr", "forrige");
    Ask("Namn:", "BLANK");
    EXPECT_EQ(shownText, "");
}

TEST_F(InputTest, ConfirmingAKnownEntryLeavesTheListOrder) {
    settings().WriteIniString("InputStr0", "c");
    settings().WriteIniString("InputStr1", "a");
    settings().WriteIniString("InputStr2", "b");
    EXPECT_EQ(Ask("Namn:", "a"), "a");
    EXPECT_EQ(List(), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(settings().ReadIniString("LastInputStr"), "a");
    // The drop-down offers the entries sorted.
    QComboBox* edit = input.Form()->Edit1;
    ASSERT_EQ(edit->count(), 3);
    EXPECT_EQ(edit->itemText(0), "a");
    EXPECT_EQ(edit->itemText(2), "c");
}

TEST_F(InputTest, PromptWiderThanTheWindowWidensIt) {
    const std::string prompt(120, 'M');
    Ask(prompt, "x");
    const int needed = input.Form()->fontMetrics().horizontalAdvance(QString::fromStdString(prompt)) + 2 * 55;
    ASSERT_GT(needed, 600);
    EXPECT_EQ(shownWidth, needed);
}

}  // namespace
}  // namespace dravn::test
