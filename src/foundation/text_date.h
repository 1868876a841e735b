// Text, date and time routines shared by the whole program: the date and time separators of the
// user's regional settings, the fixed date and time shapes the suite stores and compares, trimming
// of typed text, the Ctrl/Shift state, and the suite's reversible scrambling of stored secrets.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/host.h"

namespace dravn {

// The text without spaces, carriage returns and line feeds at either end (tabs stay).
std::string TrimBlanks(std::string_view text);

// True when the two names are equal without regard to the case of their letters A-Z (table,
// column, database and settings key names).
bool SameTextIgnoringCase(std::string_view a, std::string_view b);
// True when the list holds the name, compared as SameTextIgnoringCase does.
bool ListContainsIgnoringCase(const std::vector<std::string>& list, std::string_view name);

// The suite's scrambling of stored passwords and card codes. Both work on the Windows-1252 bytes
// of the text (the form the suite's Windows programs store) and return UTF-8 of the resulting
// Windows-1252 characters; a character the code page lacks becomes "?".
// ScrambleText("abc") == "zbdf2"; UnscrambleText leaves a text without the "z"..."2" frame unchanged.
std::string ScrambleText(std::string_view utf8);
std::string UnscrambleText(std::string_view utf8);

// Program-wide state of the text and date routines: the separators and the current year detected
// by the start step. Dates are rendered in local time with the Host's regional formats.
class TextDate {
  public:
    explicit TextDate(const Host& host);

    // The start step: detects the separators and CurrentYear, and appends the
    // " vt_basic_START: " and " vt_basic_STOP: " markers with date and time to startupTrace.
    void Start(std::string& startupTrace);

    char TimeSeparator() const { return timeSeparator_; }
    char DateSeparator() const { return dateSeparator_; }
    // Four characters (positions 7 to 10 of today's NormalizeDate); empty before Start.
    const std::string& CurrentYear() const { return currentYear_; }

    // The moment's date in the regional short date format / time in the long time format.
    std::string ShortDate(TimePoint at) const;
    std::string LongTime(TimePoint at) const;
    // Short date + " " + long time; only the date when the local time is exactly midnight.
    std::string DateTimeText(TimePoint at) const;

    // dd.mm.yyyy (with DateSeparator) when the regional short date can be brought to that shape,
    // else the regional rendering unchanged.
    std::string NormalizeDate(TimePoint at) const;
    // yyyymmdd taken from the regional rendering (assumes dd?mm?yyyy).
    std::string CompactDate(TimePoint at) const;
    // A typed time brought to hh + TimeSeparator + mm where its digits allow it.
    std::string NormalizeTime(const std::string& text) const;

    // Reads short date + " " + hh:mm (seconds optional) in the regional formats, also the
    // normalized dd.mm.yyyy form; nothing when the text is not such a date and time.
    std::optional<TimePoint> ParseDateTime(const std::string& text) const;

    bool CtrlKeyDown() const { return host_.ctrlKeyDown(); }
    bool ShiftKeyDown() const { return host_.shiftKeyDown(); }

  private:
    const Host& host_;
    char timeSeparator_ = ':';
    char dateSeparator_ = '.';
    std::string currentYear_;
};

}  // namespace dravn
