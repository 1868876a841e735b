// The settings file as an in-memory INI document, and the safe way the foundation writes files.
//
// Format: "[section]" lines followed by "key=value" lines. Section and key names match without
// regard to case (ASCII and the Latin letters of Windows-1252); the order of sections and keys is
// kept as loaded or first written. Every value is text; names and values are trimmed of spaces
// and tabs when read. The file's encoding is taken from its byte-order mark (UTF-8, UTF-16 LE or
// BE), without one it is Windows-1252, and it is written back in the same encoding with CR LF.
//
// A line starting with "[" and holding a "]" starts a section named by the text up to the last
// "]"; lines starting with ";" or "#" are comments (not kept).
//
// Damaged files are read as far as they make sense: NUL characters are dropped, lines without
// "=" and lines before the first section (or after "[]") are skipped, a repeated section is merged
// into the first one and a repeated key keeps its first value. The written file therefore never
// holds duplicates or junk lines.
//
// A value is always stored on one line: each CR LF, CR or LF in a written value becomes one
// space, and spaces and tabs around it are trimmed (as the reader would). Names get the same
// treatment; a key ends at its first "=", and a write whose section or key cannot be read back
// as written (empty, or a key starting with ";", "#" or "[...]") is ignored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dravn {

enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// Text file contents to UTF-8 by byte-order mark (the mark itself is removed); without a mark the
// bytes are Windows-1252. Malformed sequences become U+FFFD.
std::string DecodeTextFile(std::string_view bytes, TextEncoding& encoding);
// UTF-8 text to file bytes in the encoding, with its byte-order mark (none for Ansi; characters
// outside Windows-1252 become "?").
std::string EncodeTextFile(std::string_view utf8, TextEncoding encoding);

// Writes bytes to a temporary file in the same folder and renames it over path, so a crash
// never leaves a half-written file. An existing file keeps its permissions; a symbolic link is
// followed and its target replaced. On failure returns false with a reason in `error` (the
// system's error text and number) and leaves any existing file untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                         int* errorNumber = nullptr);

// Reads a whole file; false (with `error`) when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

class IniFile {
  public:
    IniFile() = default;

    // Replaces the document by the file's contents. A missing file gives an empty document and
    // true. An existing file that cannot be read gives an empty document, false, and the
    // document remembers that it must not be saved over that file (CanSaveOver()).
    bool LoadFromFile(const std::string& path, std::string* error = nullptr);
    // Replaces the document by parsed file bytes (encoding by byte-order mark).
    void LoadFromBytes(std::string_view bytes);

    // The document as file bytes in its encoding, lines ended by CR LF, a blank line after each
    // section.
    std::string ToBytes() const;
    // WriteFileAtomically(path, ToBytes()).
    bool SaveToFile(const std::string& path, std::string& error) const;

    TextEncoding Encoding() const { return encoding_; }
    void SetEncoding(TextEncoding e) { encoding_ = e; }
    // False after a load that found the file but could not read it.
    bool CanSaveOver() const { return canSaveOver_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Decimal, or hexadecimal with the prefix "0x" or "$", within 32 bits; anything else gives def.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    void WriteInteger(std::string_view section, std::string_view key, int value);
    // A whole number other than 0 is true, 0 is false; any other text (and a missing key) gives def.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    void WriteBool(std::string_view section, std::string_view key, bool value);

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    // Section names, and the key names of one section, in file order.
    std::vector<std::string> ReadSections() const;
    std::vector<std::string> ReadSection(std::string_view section) const;
    void DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);
    void Clear();

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* findSection(std::string_view name) const;
    Section* findSection(std::string_view name);

    std::vector<Section> sections_;
    TextEncoding encoding_ = TextEncoding::Ansi;
    bool canSaveOver_ = true;
};

}  // namespace dravn
