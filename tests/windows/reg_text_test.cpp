// The text-lines editor and ClearIniList on numbered settings lists.
#include "windows/reg_text.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>
#include <string>
#include <vector>

#include "support/window_fixture.h"

namespace dravn::test {
namespace {

class RegTextTest : public WindowTest {
  protected:
    void Put(const std::vector<std::pair<int, std::string>>& entries) {
        for (const auto& [i, v] : entries)
            settings().WriteIniString("Mail" + std::to_string(i), v);
    }
    std::vector<std::string> Keys() {
        std::vector<std::string> all;
        for (int i = 0; i <= Settings::IniListMax; ++i)
            all.push_back(settings().ReadIniString("Mail" + std::to_string(i)));
        return all;
    }
    // Opens the editor, records the text it shows, replaces it when `text` is given, closes it.
    std::string Edit(const QString& text = QString()) {
        std::string shown;
        OnModal([&](QWidget* modal) {
            auto* memo = modal->findChild<QPlainTextEdit*>("Memo1");
            shown = memo->toPlainText().toStdString();
            if (!text.isNull())
                memo->setPlainText(text);
            modal->close();
        });
        EditIniList(context, "Mail");
        return shown;
    }
    static std::vector<std::string> Packed(std::vector<std::string> front) {
        front.resize(Settings::IniListMax + 1);
        return front;
    }
};

TEST_F(RegTextTest, GapsAreClosedUpWhenShownAndWhenStored) {
    Put({{0, "a@x.no"}, {1, "b@x.no"}, {5, "c@x.no"}});
    EXPECT_EQ(Edit(), "a@x.no\nb@x.no\nc@x.no");  // closing without changes rewrites the list packed
    EXPECT_EQ(Keys(), Packed({"a@x.no", "b@x.no", "c@x.no"}));
}

TEST_F(RegTextTest, BlankLineIsStoredEmptyAndNotShownAgain) {
    Put({{0, "a"}});
    Edit("a\n\nc");
    EXPECT_EQ(Keys(), Packed({"a", "", "c"}));
    EXPECT_EQ(Edit(), "a\nc");
    EXPECT_EQ(Keys(), Packed({"a", "c"}));
}

TEST_F(RegTextTest, OnlyTheFirst21LinesAreKept) {
    QStringList lines;
    for (int i = 0; i < 25; ++i)
        lines << QString("l%1").arg(i);
    Edit(lines.join('\n'));
    const std::vector<std::string> keys = Keys();
    EXPECT_EQ(keys.front(), "l0");
    EXPECT_EQ(keys.back(), "l20");
    EXPECT_EQ(settings().ReadIniString("Mail21"), "");
}

TEST_F(RegTextTest, ClearIniListEmptiesEveryEntryAlsoBehindGaps) {
    Put({{0, "a"}, {1, "b"}, {5, "c"}, {20, "d"}});
    ClearIniList(settings(), "Mail");
    EXPECT_EQ(Keys(), Packed({}));
    std::vector<std::string> list;
    settings().ReadIniList("Mail", list);
    EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace dravn::test
