#include "foundation/text_date.h"

namespace dravn {

std::string TrimBlanks(std::string_view text) {
    return std::string(text);
}
std::string ScrambleText(std::string_view utf8) {
    return std::string(utf8);
}
std::string UnscrambleText(std::string_view utf8) {
    return std::string(utf8);
}

TextDate::TextDate(const Host& host) : host_(host) {}
void TextDate::Start(std::string&) {}
std::string TextDate::ShortDate(TimePoint) const {
    return {};
}
std::string TextDate::LongTime(TimePoint) const {
    return {};
}
std::string TextDate::DateTimeText(TimePoint) const {
    return {};
}
std::string TextDate::NormalizeDate(TimePoint) const {
    return {};
}
std::string TextDate::CompactDate(TimePoint) const {
    return {};
}
std::string TextDate::NormalizeTime(const std::string& text) const {
    return text;
}
std::optional<TimePoint> TextDate::ParseDateTime(const std::string&) const {
    return std::nullopt;
}

}  // namespace dravn
