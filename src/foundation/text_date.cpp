#include "foundation/text_date.h"

#include <algorithm>

#include <cctype>
#include <ctime>
#include <vector>

#include "foundation/encoding.h"

namespace dravn {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\r' || c == '\n';
}

// Windows-1252 byte of a code point, "?" when the code page lacks it.
char AnsiByte(char32_t cp) {
    int b = CodePointToCp1252(cp);
    return b < 0 ? '?' : static_cast<char>(b);
}

// Local broken-down time of a moment, `offset` seconds east of UTC.
std::tm LocalTm(TimePoint at, long offset) {
    std::time_t t = Clock::to_time_t(at) + offset;
    std::tm tm{};
    gmtime_r(&t, &tm);
    tm.tm_gmtoff = offset;
    return tm;
}

std::string Render(const std::string& pattern, const std::tm& tm) {
    if (pattern.empty())
        return {};
    std::vector<char> buf(64 + pattern.size() * 8);
    for (int attempt = 0; attempt < 4; ++attempt) {
        size_t n = std::strftime(buf.data(), buf.size(), pattern.c_str(), &tm);
        if (n > 0)
            return std::string(buf.data(), n);
        buf.resize(buf.size() * 4);
    }
    return {};  // the pattern renders as nothing
}

// Characters `from` (1-based) to `from + count - 1` of s, as far as s reaches.
std::u32string Copy(const std::u32string& s, size_t from, size_t count) {
    if (from < 1 || from > s.size())
        return {};
    return s.substr(from - 1, count);
}

// The fields a date or time pattern fills in while reading a text.
struct Fields {
    int year = -1, month = -1, day = -1;
    int hour = 0, minute = 0, second = 0;
    int pm = -1;  // -1 no AM/PM marker, 0 AM, 1 PM
};

class Reader {
  public:
    Reader(std::string_view text, char timeSeparator) : s_(text), timeSep_(timeSeparator) {}

    size_t pos() const { return pos_; }
    void skipSpaces() {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_])))
            ++pos_;
    }
    bool atEnd() const { return pos_ == s_.size(); }

    // Reads the text against a strftime pattern. Understands the numeric directives and AM/PM.
    bool match(std::string_view pattern, Fields& f) {
        for (size_t i = 0; i < pattern.size(); ++i) {
            char c = pattern[i];
            if (c != '%') {
                if (std::isspace(static_cast<unsigned char>(c))) {
                    skipSpaces();
                } else if (!literal(c)) {
                    return false;
                }
                continue;
            }
            if (++i == pattern.size())
                return false;
            char d = pattern[i];
            // Flags and widths of the GNU extensions (%-d, %02m, %Ey ...) do not change the reading.
            while ((d == '-' || d == '_' || d == '0' || d == '^' || d == '#' || d == 'E' || d == 'O' ||
                    std::isdigit(static_cast<unsigned char>(d))) &&
                   i + 1 < pattern.size())
                d = pattern[++i];
            bool ok = true;
            switch (d) {
                case 'd':
                case 'e':
                    skipSpaces();
                    ok = number(1, 2, f.day);
                    break;
                case 'm':
                    ok = number(1, 2, f.month);
                    break;
                case 'Y':
                    ok = number(4, 4, f.year);
                    break;
                case 'y': {
                    int y = 0;
                    ok = number(2, 2, y);
                    f.year = y < 69 ? 2000 + y : 1900 + y;
                    break;
                }
                case 'C': {
                    int c2 = 0;
                    ok = number(2, 2, c2);
                    f.year = c2 * 100 + (f.year >= 0 ? f.year % 100 : 0);
                    break;
                }
                case 'H':
                case 'k':
                case 'I':
                case 'l':
                    skipSpaces();
                    ok = number(1, 2, f.hour);
                    break;
                case 'M':
                    ok = number(2, 2, f.minute);
                    break;
                case 'S':
                    ok = number(2, 2, f.second);
                    break;
                case 'p':
                case 'P':
                    ok = amPm(f);
                    break;
                case 'D':
                    ok = match("%m/%d/%y", f);
                    break;
                case 'F':
                    ok = match("%Y-%m-%d", f);
                    break;
                case 'T':
                    ok = match("%H:%M:%S", f);
                    break;
                case 'R':
                    ok = match("%H:%M", f);
                    break;
                case 'r':
                    ok = match("%I:%M:%S %p", f);
                    break;
                case '%':
                    ok = literal('%');
                    break;
                default:
                    return false;  // month or weekday names and the like are not read
            }
            if (!ok)
                return false;
        }
        return true;
    }

    // hh:mm with optional :ss, the separator ":", "." or the time separator.
    bool plainTime(Fields& f) {
        if (!number(1, 2, f.hour) || !separator() || !number(2, 2, f.minute))
            return false;
        size_t keep = pos_;
        if (separator() && number(2, 2, f.second))
            return true;
        pos_ = keep;
        f.second = 0;
        return true;
    }

  private:
    bool literal(char c) {
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        // The time separator of the pattern may differ from the one the user types.
        if ((c == ':' || c == '.') && separator())
            return true;
        return false;
    }
    bool separator() {
        if (pos_ < s_.size() && (s_[pos_] == ':' || s_[pos_] == '.' || s_[pos_] == timeSep_)) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool number(int minDigits, int maxDigits, int& out) {
        int n = 0, v = 0;
        while (n < maxDigits && pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) {
            v = v * 10 + (s_[pos_] - '0');
            ++pos_;
            ++n;
        }
        if (n < minDigits)
            return false;
        out = v;
        return true;
    }
    bool amPm(Fields& f) {
        skipSpaces();
        auto upper = [&](size_t k) { return std::toupper(static_cast<unsigned char>(s_[pos_ + k])); };
        if (pos_ + 1 < s_.size() && (upper(0) == 'A' || upper(0) == 'P') && upper(1) == 'M') {
            f.pm = upper(0) == 'P' ? 1 : 0;
            pos_ += 2;
        }
        return true;  // locales without a marker render %p as nothing
    }

    std::string_view s_;
    char timeSep_;
    size_t pos_ = 0;
};

bool ValidDate(const Fields& f) {
    using namespace std::chrono;
    if (f.year < 0 || f.month < 1 || f.day < 1)
        return false;
    return year_month_day{year{f.year}, month{static_cast<unsigned>(f.month)},
                          day{static_cast<unsigned>(f.day)}}
        .ok();
}

}  // namespace

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool ListContainsIgnoringCase(const std::vector<std::string>& list, std::string_view name) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& item) { return SameTextIgnoringCase(item, name); });
}

std::string TrimBlanks(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    size_t begin = 0;
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    return std::string(text.substr(begin, end - begin));
}

std::string ScrambleText(std::string_view utf8) {
    std::string bytes = Utf8ToCp1252(utf8);
    std::string out = "z";
    for (size_t i = 0; i < bytes.size(); ++i)
        out += AnsiByte(static_cast<unsigned char>(bytes[i]) + static_cast<char32_t>(i + 1));
    out += '2';
    return Cp1252ToUtf8(out);
}

std::string UnscrambleText(std::string_view utf8) {
    std::string bytes = Utf8ToCp1252(utf8);
    if (bytes.size() < 2 || bytes.front() != 'z' || bytes.back() != '2')
        return std::string(utf8);
    std::string out;
    for (size_t i = 1; i + 1 < bytes.size(); ++i) {
        unsigned v = (static_cast<unsigned char>(bytes[i]) - static_cast<unsigned>(i)) & 0xFFFFu;
        out += AnsiByte(static_cast<char32_t>(v));
    }
    return Cp1252ToUtf8(out);
}

TextDate::TextDate(const Host& host) : host_(host) {}

void TextDate::Start(std::string& startupTrace) {
    TimePoint now = host_.now();
    timeSeparator_ = LongTime(now).find(':') != std::string::npos ? ':' : '.';
    std::u32string first = DecodeUtf8(ShortDate(now)).substr(0, 10);
    for (char32_t sep : {U'.', U'-', U'/'}) {
        if (first.find(sep) != std::u32string::npos) {
            dateSeparator_ = static_cast<char>(sep);
            break;
        }
    }
    startupTrace += " vt_basic_START: " + DateTimeText(now);
    currentYear_ = EncodeUtf8(Copy(DecodeUtf8(NormalizeDate(now)), 7, 4));
    startupTrace += " vt_basic_STOP: " + DateTimeText(host_.now());
}

std::string TextDate::ShortDate(TimePoint at) const {
    return Render(host_.regionalFormats().shortDate, LocalTm(at, host_.utcOffsetSeconds(at)));
}

std::string TextDate::LongTime(TimePoint at) const {
    return Render(host_.regionalFormats().longTime, LocalTm(at, host_.utcOffsetSeconds(at)));
}

std::string TextDate::DateTimeText(TimePoint at) const {
    std::tm tm = LocalTm(at, host_.utcOffsetSeconds(at));
    bool midnight = tm.tm_hour == 0 && tm.tm_min == 0 && tm.tm_sec == 0 &&
                    (at - std::chrono::floor<std::chrono::seconds>(at)).count() == 0;
    if (midnight)
        return ShortDate(at);
    return ShortDate(at) + " " + LongTime(at);
}

std::string TextDate::NormalizeDate(TimePoint at) const {
    const char32_t sep = static_cast<unsigned char>(dateSeparator_);
    auto wellFormed = [&](const std::u32string& s) { return s.size() == 10 && s[2] == sep && s[5] == sep; };
    const std::string rendered = ShortDate(at);
    std::u32string s = DecodeUtf8(rendered);
    if (wellFormed(s))
        return rendered;
    if (s.size() >= 2 && s[1] == sep)
        s.insert(0, 1, U'0');
    if (!wellFormed(s) && s.size() >= 5 && s[4] == sep)
        s.insert(3, 1, U'0');
    if (!wellFormed(s) && s.size() == 8)
        s.insert(6, U"20");
    if (!wellFormed(s))
        return rendered;
    return EncodeUtf8(s);
}

std::string TextDate::CompactDate(TimePoint at) const {
    std::u32string s = DecodeUtf8(ShortDate(at) + " " + LongTime(at));
    return EncodeUtf8(Copy(s, 7, 4) + Copy(s, 4, 2) + Copy(s, 1, 2));
}

std::string TextDate::NormalizeTime(const std::string& text) const {
    const char sep = timeSeparator_;
    if (text.empty())
        return std::string("00") + sep + "00";
    std::string s;
    for (char c : text)
        if ((c >= '0' && c <= '9') || c == sep)
            s += c;
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    auto nonZero = [](char c) { return c >= '1' && c <= '9'; };
    switch (s.size()) {
        case 1:
            if (nonZero(s[0]))
                return std::string("0") + s[0] + sep + "00";
            break;
        case 2:
            if (digit(s[0]) && digit(s[1]))
                return s + sep + "00";
            break;
        case 3:
            if (nonZero(s[0]) && digit(s[1]) && digit(s[2]))
                return std::string("0") + s[0] + sep + s.substr(1);
            break;
        case 4:
            if (digit(s[0]) && digit(s[1]) && digit(s[2]) && digit(s[3]))
                return s.substr(0, 2) + sep + s.substr(2);
            break;
        default:
            break;
    }
    return s;
}

std::optional<TimePoint> TextDate::ParseDateTime(const std::string& text) const {
    const RegionalFormats formats = host_.regionalFormats();
    const std::string normalized = std::string("%d") + dateSeparator_ + "%m" + dateSeparator_ + "%Y";
    for (const std::string& datePattern : {formats.shortDate, normalized}) {
        Reader r(text, timeSeparator_);
        Fields f;
        r.skipSpaces();
        if (!r.match(datePattern, f) || !ValidDate(f))
            continue;
        r.skipSpaces();
        if (!r.atEnd()) {
            const size_t timeStart = r.pos();
            Fields t = f;
            Reader byPattern = r;
            if (byPattern.match(formats.longTime, t) && (byPattern.skipSpaces(), byPattern.atEnd()) &&
                byPattern.pos() > timeStart) {
                f = t;
            } else {
                if (!r.plainTime(f))
                    continue;
                r.skipSpaces();
                if (!r.atEnd())
                    continue;
            }
        }
        if (f.pm >= 0) {
            if (f.hour < 1 || f.hour > 12)
                continue;
            f.hour = f.hour % 12 + (f.pm == 1 ? 12 : 0);
        }
        if (f.hour > 23 || f.minute > 59 || f.second > 59)
            continue;
        using namespace std::chrono;
        sys_days d = year_month_day{year{f.year}, month{static_cast<unsigned>(f.month)},
                                    day{static_cast<unsigned>(f.day)}};
        TimePoint local = TimePoint(d) + hours(f.hour) + minutes(f.minute) + seconds(f.second);
        // The offset belongs to the UTC moment; a second look settles moments near a change of offset.
        TimePoint guess = local - seconds(host_.utcOffsetSeconds(local));
        return local - seconds(host_.utcOffsetSeconds(guess));
    }
    return std::nullopt;
}

}  // namespace dravn
