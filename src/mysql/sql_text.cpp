#include "mysql/sql_text.h"

#include <algorithm>
#include <cctype>
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

std::string FormatDouble(double d) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, r.ptr);
}

// A FLOAT as the shortest text that gives the same float again when the server reads it as a
// DOUBLE and stores it in a FLOAT column; the float's exact value as a double otherwise.
std::string FormatFloat(float f) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, f);
    double back = 0;
    auto p = std::from_chars(buf, r.ptr, back);
    if (p.ec == std::errc() && static_cast<float>(back) == f)
        return std::string(buf, r.ptr);
    return FormatDouble(static_cast<double>(f));
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

namespace {

struct Literal {
    size_t begin;  // position of the opening quote
    size_t end;    // one past the closing quote
};

std::string Upper(std::string_view word) {
    std::string out(word);
    for (char& ch : out)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return out;
}

// Walks the statement's tokens and collects the quoted texts that hold passwords.
std::vector<Literal> FindPasswordLiterals(std::string_view sql) {
    std::vector<Literal> found;
    std::vector<std::string> recent;  // significant tokens of the current statement, upper case
    bool identified = false;          // IDENTIFIED seen in the current statement
    bool setPassword = false;         // the statement is SET PASSWORD ...
    bool equalsSeen = false;
    auto prev = [&](size_t back) -> std::string {
        return recent.size() >= back ? recent[recent.size() - back] : std::string();
    };
    size_t i = 0;
    const size_t n = sql.size();
    while (i < n) {
        char ch = sql[i];
        if (std::isspace(static_cast<unsigned char>(ch))) {
            ++i;
        } else if (ch == '#' || (ch == '-' && i + 2 < n && sql[i + 1] == '-' &&
                                 std::isspace(static_cast<unsigned char>(sql[i + 2])))) {
            size_t e = sql.find('\n', i);
            i = e == std::string_view::npos ? n : e + 1;
        } else if (ch == '/' && i + 1 < n && sql[i + 1] == '*') {
            size_t e = sql.find("*/", i + 2);
            i = e == std::string_view::npos ? n : e + 2;
        } else if (ch == '\'' || ch == '"') {
            size_t j = i + 1;
            while (j < n) {
                if (sql[j] == '\\') {
                    j += 2;
                } else if (sql[j] == ch) {
                    if (j + 1 < n && sql[j + 1] == ch) {
                        j += 2;  // doubled quote inside the text
                    } else {
                        break;
                    }
                } else {
                    ++j;
                }
            }
            size_t end = std::min(j + 1, n);
            // After IDENTIFIED every quoted text counts, so that a malformed statement does not
            // show its password either.
            bool secret = identified ||
                          (prev(1) == "(" && (prev(2) == "PASSWORD" || prev(2) == "OLD_PASSWORD")) ||
                          (setPassword && equalsSeen);
            if (secret)
                found.push_back({i, end});
            recent.push_back("'");
            i = end;
        } else if (ch == '`') {
            size_t e = sql.find('`', i + 1);
            i = e == std::string_view::npos ? n : e + 1;
            recent.push_back("`");
        } else if (std::isalnum(static_cast<unsigned char>(ch)) || ch == '_' || ch == '$' || ch == '@' ||
                   static_cast<unsigned char>(ch) >= 0x80) {
            size_t j = i;
            while (j < n && (std::isalnum(static_cast<unsigned char>(sql[j])) || sql[j] == '_' ||
                             sql[j] == '$' || sql[j] == '@' || static_cast<unsigned char>(sql[j]) >= 0x80))
                ++j;
            std::string word = Upper(sql.substr(i, j - i));
            if (word == "IDENTIFIED")
                identified = true;
            if (word == "PASSWORD" && recent.size() == 1 && recent[0] == "SET")
                setPassword = true;
            recent.push_back(std::move(word));
            i = j;
        } else {
            if (ch == ';') {
                identified = setPassword = equalsSeen = false;
                recent.clear();
            } else {
                if (ch == '=')
                    equalsSeen = true;
                recent.push_back(std::string(1, ch));
            }
            ++i;
        }
    }
    return found;
}

}  // namespace

std::vector<std::string> PasswordLiterals(std::string_view sql) {
    std::vector<std::string> out;
    for (const Literal& l : FindPasswordLiterals(sql)) {
        size_t inner = l.end - l.begin >= 2 ? l.end - l.begin - 2 : 0;
        out.emplace_back(sql.substr(l.begin + 1, inner));
    }
    return out;
}

std::string HidePasswords(std::string_view sql) {
    std::string out;
    size_t at = 0;
    for (const Literal& l : FindPasswordLiterals(sql)) {
        out.append(sql.substr(at, l.begin - at));
        out += "'***'";
        at = l.end;
    }
    out.append(sql.substr(at));
    return out;
}

std::string HideSecrets(std::string text, const std::vector<std::string>& secrets) {
    for (const std::string& secret : secrets) {
        if (secret.empty())
            continue;
        size_t pos = 0;
        while ((pos = text.find(secret, pos)) != std::string::npos) {
            text.replace(pos, secret.size(), "***");
            pos += 3;
        }
    }
    return text;
}

}  // namespace dravn
