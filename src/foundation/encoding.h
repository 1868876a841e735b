// Text encodings of the files the suite shares with Windows machines. In memory every text is
// UTF-8; Windows-1252 (the ANSI code page) and UTF-16 appear only at the edges.
#pragma once

#include <string>
#include <string_view>

namespace dravn {

// Decodes UTF-8 into code points; a malformed sequence gives U+FFFD for each bad byte.
std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);

// The Windows-1252 byte for a code point, or nothing when the code page lacks it.
// The five undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number.
int CodePointToCp1252(char32_t cp);
char32_t Cp1252ToCodePoint(unsigned char byte);

// UTF-8 text to Windows-1252 bytes; characters outside the code page become "?".
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-16 without byte-order mark, little or big endian. Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);
std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace dravn
