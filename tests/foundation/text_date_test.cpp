#include "foundation/text_date.h"

#include <gtest/gtest.h>

#include "support/fake_host.h"

namespace dravn {
namespace {

using test::FakeHost;

TEST(TextDateStart, DetectsSeparatorsYearAndWritesMarkers) {
    FakeHost host;  // C locale formats: dd.mm.yyyy and hh:mm:ss
    host.time = FakeHost::LocalTime(2024, 3, 5, 14, 7, 9);
    TextDate td(host);
    std::string trace = "before";
    td.Start(trace);
    EXPECT_EQ(td.TimeSeparator(), ':');
    EXPECT_EQ(td.DateSeparator(), '.');
    EXPECT_EQ(td.CurrentYear(), "2024");
    EXPECT_EQ(trace, "before vt_basic_START: 05.03.2024 14:07:09 vt_basic_STOP: 05.03.2024 14:07:09");
}

TEST(TextDateStart, RegionalFormatsDecideSeparatorsAndNormalizedDate) {
    struct Case {
        const char* shortDate;
        const char* longTime;
        int year;
        unsigned month, day;
        char dateSep, timeSep;
        const char* normalized;
        const char* currentYear;
    };
    const Case cases[] = {
        // One-digit day and month, two-digit year: padded and widened.
        {"%-d.%-m.%y", "%H:%M:%S", 2024, 3, 5, '.', ':', "05.03.2024", "2024"},
        {"%-d.%-m.%y", "%H:%M:%S", 2024, 10, 15, '.', ':', "15.10.2024", "2024"},
        {"%-d/%-m/%Y", "%H.%M.%S", 2024, 3, 5, '/', '.', "05/03/2024", "2024"},
        {"%d/%m/%Y", "%I:%M:%S %p", 2024, 3, 5, '/', ':', "05/03/2024", "2024"},
        // Year first cannot be brought to shape: returned as rendered; the year is what stands at 7-10.
        {"%Y-%m-%d", "%H:%M:%S", 2024, 3, 5, '-', ':', "2024-03-05", "3-05"},
        // No known separator: the date separator keeps its initial value.
        {"%Y%m%d", "%H%M%S", 2024, 3, 5, '.', '.', "20240305", "05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shortDate);
        FakeHost host;
        host.formats = {c.shortDate, c.longTime};
        host.time = FakeHost::LocalTime(c.year, c.month, c.day, 9, 30);
        TextDate td(host);
        std::string trace;
        td.Start(trace);
        EXPECT_EQ(td.DateSeparator(), c.dateSep);
        EXPECT_EQ(td.TimeSeparator(), c.timeSep);
        EXPECT_EQ(td.NormalizeDate(host.time), c.normalized);
        EXPECT_EQ(td.CurrentYear(), c.currentYear);
    }
}

TEST(TextDate, RendersLocalTimeAndLeavesOutMidnight) {
    FakeHost host;
    host.utcOffset = 3600;
    TextDate td(host);
    // 23:30 UTC on 4 March is 00:30 local on 5 March.
    const TimePoint lateUtc = FakeHost::LocalTime(2024, 3, 4, 23, 30);
    EXPECT_EQ(td.ShortDate(lateUtc), "05.03.2024");
    EXPECT_EQ(td.LongTime(lateUtc), "00:30:00");
    EXPECT_EQ(td.DateTimeText(lateUtc), "05.03.2024 00:30:00");
    EXPECT_EQ(td.DateTimeText(FakeHost::LocalTime(2024, 3, 5, 0, 0, 0, 3600)), "05.03.2024");
    EXPECT_EQ(td.DateTimeText(FakeHost::LocalTime(2024, 3, 5, 0, 0, 1, 3600)), "05.03.2024 00:00:01");
    EXPECT_EQ(td.CompactDate(lateUtc), "20240305");
}

TEST(TextDate, NormalizeTime) {
    FakeHost host;
    TextDate td(host);
    std::string trace;
    td.Start(trace);
    const std::pair<const char*, const char*> cases[] = {
        {"", "00:00"},         {"8", "08:00"},     {"830", "08:30"}, {"8.30", "08:30"}, {"16:45", "16:45"},
        {"klokka 7", "07:00"}, {"0", "0"},         {"99", "99:00"},  {"1645", "16:45"}, {"045", "045"},
        {"8:", "8:"},          {"12345", "12345"}, {"abc", ""},      {"æ9ø", "09:00"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(td.NormalizeTime(in), out) << "input: " << in;

    FakeHost dotted;
    dotted.formats.longTime = "%H.%M.%S";
    TextDate tdDot(dotted);
    tdDot.Start(trace);
    EXPECT_EQ(tdDot.NormalizeTime("16:45"), "16.45");  // ":" is filtered away with another separator
    EXPECT_EQ(tdDot.NormalizeTime(""), "00.00");
}

TEST(TextDate, ParseDateTimeReadsWhatItRenders) {
    FakeHost host;
    host.utcOffset = 7200;
    TextDate td(host);
    std::string trace;
    td.Start(trace);
    const TimePoint at = FakeHost::LocalTime(2024, 3, 5, 16, 45, 0, 7200);
    EXPECT_EQ(td.ParseDateTime("05.03.2024 16:45"), at);
    EXPECT_EQ(td.ParseDateTime(td.DateTimeText(at)), at);
    EXPECT_EQ(td.ParseDateTime("5.3.2024 16.45"), at);
    const TimePoint midnight = FakeHost::LocalTime(2024, 3, 5, 0, 0, 0, 7200);
    EXPECT_EQ(td.ParseDateTime(td.DateTimeText(midnight)), midnight);
    for (const char* bad : {"", "klokka", "31.02.2024 10:00", "05.03.2024 24:00", "05.03.2024 10:60",
                            "05.03.2024 10:00 x", "2024-03-05 10:00"})
        EXPECT_EQ(td.ParseDateTime(bad), std::nullopt) << bad;
}

TEST(TextDate, ParseDateTimeFollowsOtherRegionalFormats) {
    FakeHost us;
    us.formats = {"%m/%d/%Y", "%I:%M:%S %p"};
    TextDate td(us);
    std::string trace;
    td.Start(trace);
    const TimePoint evening = FakeHost::LocalTime(2024, 3, 5, 18, 5, 7);
    EXPECT_EQ(td.DateTimeText(evening), "03/05/2024 06:05:07 PM");
    EXPECT_EQ(td.ParseDateTime("03/05/2024 06:05:07 PM"), evening);
    EXPECT_EQ(td.ParseDateTime("03/05/2024 18:05"), FakeHost::LocalTime(2024, 3, 5, 18, 5));

    FakeHost shortYear;
    shortYear.formats = {"%-d.%-m.%y", "%H:%M:%S"};
    TextDate td2(shortYear);
    td2.Start(trace);
    EXPECT_EQ(td2.ParseDateTime("5.3.24 08:30"), FakeHost::LocalTime(2024, 3, 5, 8, 30));
    // The normalized shape is read as well.
    EXPECT_EQ(td2.ParseDateTime("05.03.2024 08:30"), FakeHost::LocalTime(2024, 3, 5, 8, 30));
}

TEST(TrimBlanks, RemovesSpacesAndLineBreaksAtTheEndsOnly) {
    EXPECT_EQ(TrimBlanks(" two words \r\n"), "two words");
    EXPECT_EQ(TrimBlanks("\r\n \n"), "");
    EXPECT_EQ(TrimBlanks("\tkeep tabs\t "), "\tkeep tabs\t");
    EXPECT_EQ(TrimBlanks("a \n b"), "a \n b");
}

TEST(Scramble, KnownValuesAndRoundTrip) {
    EXPECT_EQ(ScrambleText("abc"), "zbdf2");
    EXPECT_EQ(ScrambleText(""), "z2");
    EXPECT_EQ(UnscrambleText("zbdf2"), "abc");
    EXPECT_EQ(UnscrambleText("z2"), "");
    for (const char* plain : {"Passord1", "hemmeleg 42!", "æøå ÆØÅ", "x"})
        EXPECT_EQ(UnscrambleText(ScrambleText(plain)), plain) << plain;
}

TEST(Scramble, UnscrambleOnlyTouchesFramedTexts) {
    // A plain value that happens to carry the frame is unscrambled all the same.
    EXPECT_EQ(UnscrambleText("zebra2"), "d`o]");
    for (const char* plain : {"", "z", "2", "abc", "zebra", "ebra2", "Zebra2"})
        EXPECT_EQ(UnscrambleText(plain), plain) << plain;
}

TEST(Scramble, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    // "~" (126) at position 2 shifts to 128, which Windows-1252 lacks; it does not come back.
    EXPECT_EQ(ScrambleText("a~"), "zb?2");
    EXPECT_EQ(UnscrambleText(ScrambleText("a~")), "a=");
    // 255 + 1 leaves the code page as well; a character the code page lacks is "?" before shifting.
    EXPECT_EQ(ScrambleText("ÿ"), "z?2");
    EXPECT_EQ(ScrambleText("Ā"), "z@2");  // "?" (63) + 1
    // The scrambled text is the UTF-8 of the Windows-1252 characters: "æ" (E6) + 1 is "ç" (E7).
    EXPECT_EQ(ScrambleText("æ"), "zç2");
    // A byte below its position wraps modulo 65536 and leaves the code page: 1-1 is NUL, 1-2 is "?".
    EXPECT_EQ(UnscrambleText("z\x01\x01"
                             "2"),
              std::string("\0?", 2));
}

}  // namespace
}  // namespace dravn
