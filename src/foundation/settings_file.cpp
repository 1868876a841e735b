#include "foundation/settings_file.h"

namespace dravn {

std::string DecodeTextFile(std::string_view bytes, TextEncoding& encoding) {
    encoding = TextEncoding::Ansi;
    return std::string(bytes);
}
std::string EncodeTextFile(std::string_view utf8, TextEncoding) {
    return std::string(utf8);
}
bool WriteFileAtomically(const std::string&, std::string_view, std::string& error) {
    error = "not implemented";
    return false;
}
bool ReadWholeFile(const std::string&, std::string&, std::string& error) {
    error = "not implemented";
    return false;
}

bool IniFile::LoadFromFile(const std::string&) {
    return true;
}
void IniFile::LoadFromBytes(std::string_view) {}
std::string IniFile::ToBytes() const {
    return {};
}
bool IniFile::SaveToFile(const std::string& path, std::string& error) const {
    return WriteFileAtomically(path, ToBytes(), error);
}
std::string IniFile::ReadString(std::string_view, std::string_view, std::string_view def) const {
    return std::string(def);
}
void IniFile::WriteString(std::string_view, std::string_view, std::string_view) {}
int IniFile::ReadInteger(std::string_view, std::string_view, int def) const {
    return def;
}
void IniFile::WriteInteger(std::string_view, std::string_view, int) {}
bool IniFile::ReadBool(std::string_view, std::string_view, bool def) const {
    return def;
}
void IniFile::WriteBool(std::string_view, std::string_view, bool) {}
bool IniFile::SectionExists(std::string_view) const {
    return false;
}
bool IniFile::ValueExists(std::string_view, std::string_view) const {
    return false;
}
std::vector<std::string> IniFile::ReadSections() const {
    return {};
}
std::vector<std::string> IniFile::ReadSection(std::string_view) const {
    return {};
}
void IniFile::DeleteKey(std::string_view, std::string_view) {}
void IniFile::EraseSection(std::string_view) {}
void IniFile::Clear() {
    sections_.clear();
}

}  // namespace dravn
