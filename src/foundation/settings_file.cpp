#include "foundation/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "foundation/encoding.h"

namespace dravn {
namespace fs = std::filesystem;

namespace {

std::string SystemError(int number) {
    return std::string(std::strerror(number)) + " (" + std::to_string(number) + ")";
}

bool IsSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpaceOrTab(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpaceOrTab(s.back()))
        s.remove_suffix(1);
    return s;
}

// One line: every CR LF, CR or LF becomes a space; then trimmed as the reader would.
std::string OneLine(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r') {
            if (i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
            out += ' ';
        } else if (s[i] == '\n') {
            out += ' ';
        } else if (s[i] != '\0') {
            out += s[i];
        }
    }
    return std::string(Trim(out));
}

// Lower case of the letters that Windows-1252 knows in both cases.
char32_t FoldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    switch (c) {
        case 0x160:
        case 0x152:
        case 0x17D:
            return c + 1;
        case 0x178:
            return 0xFF;
        default:
            return c;
    }
}

// Names match without regard to case. Case pairs have the same UTF-8 length, so names of
// different lengths never match.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    bool ascii = true;
    for (size_t i = 0; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 0x80 || y >= 0x80) {
            ascii = false;
            break;
        }
        if (x != y && FoldCase(x) != FoldCase(y))
            return false;
    }
    if (ascii)
        return true;
    std::u32string x = DecodeUtf8(a), y = DecodeUtf8(b);
    if (x.size() != y.size())
        return false;
    for (size_t i = 0; i < x.size(); ++i)
        if (FoldCase(x[i]) != FoldCase(y[i]))
            return false;
    return true;
}

// A whole number in decimal, or hexadecimal after "0x" or "$", with an optional sign; 32 bits.
bool ParseInteger(std::string_view s, int& value) {
    s = Trim(s);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    } else if (!s.empty() && s[0] == '$') {
        base = 16;
        s.remove_prefix(1);
    }
    if (s.empty())
        return false;
    std::uint64_t v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFull)
            return false;
    }
    std::int64_t r;
    if (base == 16) {
        r = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));  // $FFFFFFFF is -1, as in the suite
    } else {
        if (v > (negative ? 2147483648ull : 2147483647ull))
            return false;
        r = static_cast<std::int64_t>(v);
    }
    value = static_cast<int>(negative ? -r : r);
    return true;
}

std::atomic<unsigned> tempCounter{0};

}  // namespace

std::string DecodeTextFile(std::string_view bytes, TextEncoding& encoding) {
    auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
    if (starts("\xEF\xBB\xBF")) {
        encoding = TextEncoding::Utf8;
        return EncodeUtf8(DecodeUtf8(bytes.substr(3)));
    }
    if (starts("\xFF\xFE")) {
        encoding = TextEncoding::Utf16LE;
        return Utf16ToUtf8(bytes.substr(2), false);
    }
    if (starts("\xFE\xFF")) {
        encoding = TextEncoding::Utf16BE;
        return Utf16ToUtf8(bytes.substr(2), true);
    }
    encoding = TextEncoding::Ansi;
    return Cp1252ToUtf8(bytes);
}

std::string EncodeTextFile(std::string_view utf8, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "\xEF\xBB\xBF" + EncodeUtf8(DecodeUtf8(utf8));
        case TextEncoding::Utf16LE:
            return "\xFF\xFE" + Utf8ToUtf16(utf8, false);
        case TextEncoding::Utf16BE:
            return "\xFE\xFF" + Utf8ToUtf16(utf8, true);
        case TextEncoding::Ansi:
            break;
    }
    return Utf8ToCp1252(utf8);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                         int* errorNumber) {
    auto fail = [&](int number) {
        error = SystemError(number);
        if (errorNumber != nullptr)
            *errorNumber = number;
        return false;
    };
    if (path.empty())
        return fail(ENOENT);

    // Replace the target of a symbolic link, not the link itself.
    fs::path target(path);
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    struct stat old {};
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return fail(EISDIR);

    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = (folder / ("." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                          std::to_string(tempCounter++) + ".tmp"))
                   .string();
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return fail(errno);
    }
    if (fd < 0)
        return fail(EEXIST);

    auto abandon = [&](int number) {
        ::close(fd);
        ::unlink(temp.c_str());
        return fail(number);
    };
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return abandon(errno);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (exists)
        ::fchmod(fd, old.st_mode & 07777);
    if (::fsync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0) {
        int number = errno;
        ::unlink(temp.c_str());
        return fail(number);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        int number = errno;
        ::unlink(temp.c_str());
        return fail(number);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = SystemError(errno);
        return false;
    }
    std::string out;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = SystemError(errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    bytes = std::move(out);
    return true;
}

bool IniFile::LoadFromFile(const std::string& path, std::string* error) {
    Clear();
    encoding_ = TextEncoding::Ansi;
    canSaveOver_ = true;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return true;  // a missing file is an empty document
        canSaveOver_ = false;
        if (error != nullptr)
            *error = SystemError(errno);
        return false;
    }
    std::string bytes, why;
    if (S_ISDIR(st.st_mode)) {
        why = SystemError(EISDIR);
    } else if (ReadWholeFile(path, bytes, why)) {
        LoadFromBytes(bytes);
        return true;
    }
    canSaveOver_ = false;
    if (error != nullptr)
        *error = why;
    return false;
}

void IniFile::LoadFromBytes(std::string_view bytes) {
    Clear();
    std::string text = DecodeTextFile(bytes, encoding_);
    Section* current = nullptr;
    bool inDiscarded = false;  // after a header with an empty name
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        std::string raw = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size())
            pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;

        std::erase(raw, '\0');
        std::string_view line = Trim(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[' && line.find(']') != std::string_view::npos) {
            // The name ends at the last "]"; anything after it is ignored.
            std::string name(Trim(line.substr(1, line.rfind(']') - 1)));
            inDiscarded = name.empty();
            if (inDiscarded) {
                current = nullptr;
                continue;
            }
            current = findSection(name);
            if (current == nullptr) {
                sections_.push_back(Section{name, {}});
                current = &sections_.back();
            }
            continue;
        }
        size_t eq = line.find('=');
        if (current == nullptr || inDiscarded || eq == std::string_view::npos)
            continue;
        std::string_view key = Trim(line.substr(0, eq));
        if (key.empty())
            continue;
        bool seen = false;
        for (const Entry& e : current->entries)
            if (SameName(e.key, key)) {
                seen = true;
                break;
            }
        if (!seen)
            current->entries.push_back(Entry{std::string(key), std::string(Trim(line.substr(eq + 1)))});
    }
}

std::string IniFile::ToBytes() const {
    std::string text;
    for (const Section& s : sections_) {
        text += "[" + s.name + "]\r\n";
        for (const Entry& e : s.entries)
            text += e.key + "=" + e.value + "\r\n";
        text += "\r\n";
    }
    return EncodeTextFile(text, encoding_);
}

bool IniFile::SaveToFile(const std::string& path, std::string& error) const {
    return WriteFileAtomically(path, ToBytes(), error);
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    for (const Section& s : sections_)
        if (SameName(s.name, name))
            return &s;
    return nullptr;
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    return const_cast<Section*>(static_cast<const IniFile*>(this)->findSection(name));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    if (const Section* s = findSection(section)) {
        for (const Entry& e : s->entries)
            if (SameName(e.key, key))
                return e.value;
    }
    return std::string(def);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string sectionName = OneLine(section);
    std::string keyName = OneLine(key);
    if (auto eq = keyName.find('='); eq != std::string::npos)
        keyName = std::string(Trim(keyName.substr(0, eq)));
    // A name that would read back as something else is not written at all.
    const bool looksLikeComment = !keyName.empty() && (keyName[0] == ';' || keyName[0] == '#');
    const bool looksLikeSection =
        !keyName.empty() && keyName[0] == '[' && keyName.find(']') != std::string::npos;
    if (sectionName.empty() || keyName.empty() || looksLikeComment || looksLikeSection)
        return;
    std::string text = OneLine(value);
    Section* s = findSection(sectionName);
    if (s == nullptr) {
        sections_.push_back(Section{sectionName, {}});
        s = &sections_.back();
    }
    for (Entry& e : s->entries)
        if (SameName(e.key, keyName)) {
            e.value = std::move(text);
            return;
        }
    s->entries.push_back(Entry{std::move(keyName), std::move(text)});
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    int v = 0;
    return ParseInteger(ReadString(section, key, ""), v) ? v : def;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    int v = 0;
    return ParseInteger(ReadString(section, key, ""), v) ? v != 0 : def;
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

bool IniFile::SectionExists(std::string_view section) const {
    return findSection(section) != nullptr;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
    if (const Section* s = findSection(section)) {
        for (const Entry& e : s->entries)
            if (SameName(e.key, key))
                return true;
    }
    return false;
}

std::vector<std::string> IniFile::ReadSections() const {
    std::vector<std::string> names;
    for (const Section& s : sections_)
        names.push_back(s.name);
    return names;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* s = findSection(section))
        for (const Entry& e : s->entries)
            keys.push_back(e.key);
    return keys;
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
    if (Section* s = findSection(section))
        std::erase_if(s->entries, [&](const Entry& e) { return SameName(e.key, key); });
}

void IniFile::EraseSection(std::string_view section) {
    std::erase_if(sections_, [&](const Section& s) { return SameName(s.name, section); });
}

void IniFile::Clear() {
    sections_.clear();
}

}  // namespace dravn
