#include "mysql/sql_text.h"

#include <charconv>

namespace dravn {

bool IsPlainIdentifier(std::string_view name) {
    if (name.empty() || name.size() > 64)
        return false;
    bool allDigits = true;
    for (char ch : name) {
        bool digit = ch >= '0' && ch <= '9';
        bool letter = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_' || ch == '$';
        if (!digit && !letter)
            return false;
        if (!digit)
            allDigits = false;
    }
    return !allDigits;
}

std::string QuoteIdentifier(std::string_view name) {
    std::string out = "`";
    for (char ch : name) {
        out += ch;
        if (ch == '`')
            out += '`';
    }
    out += '`';
    return out;
}

namespace {

bool IsInteger(std::string_view v) {
    size_t i = (!v.empty() && (v[0] == '-' || v[0] == '+')) ? 1 : 0;
    if (i == v.size())
        return false;
    for (; i < v.size(); ++i) {
        if (v[i] < '0' || v[i] > '9')
            return false;
    }
    return true;
}

// A number in the form std::to_chars writes it (digits, point, exponent), nothing else.
bool IsFloatingNumber(std::string_view v) {
    if (v.empty())
        return false;
    double d = 0;
    auto r = std::from_chars(v.data(), v.data() + v.size(), d);
    if (r.ec != std::errc() || r.ptr != v.data() + v.size())
        return false;
    for (char ch : v) {
        if (!((ch >= '0' && ch <= '9') || ch == '.' || ch == '-' || ch == '+' || ch == 'e' || ch == 'E'))
            return false;
    }
    return true;
}

std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

}  // namespace

std::string SqlLiteral(const SqlConnection& connection, const SqlColumn& column, const SqlValue& value) {
    if (!value)
        return "NULL";
    const std::string& v = *value;
    switch (column.kind) {
        case SqlKind::Null:
            return "NULL";
        case SqlKind::Integer:
            if (IsInteger(v))
                return v;
            break;
        case SqlKind::Float:
        case SqlKind::Double:
            // An exponent makes the server read the number as a DOUBLE (correctly rounded)
            // rather than as a DECIMAL.
            if (IsFloatingNumber(v)) {
                return v.find_first_of("eE") == std::string::npos ? v + "e0" : v;
            }
            break;
        case SqlKind::Bit:
            return "X'" + Hex(v) + "'";
        case SqlKind::String:
        case SqlKind::Geometry:
            if (column.isBinary)
                return "_binary'" + connection.escape(v) + "'";
            break;
        default:
            break;
    }
    return connection.quote(v);
}

}  // namespace dravn
