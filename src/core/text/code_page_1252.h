#pragma once
// Code page 1252, the character set of declaration files, in both directions:
// file bytes read into the UTF-8 database, stored text written back as bytes,
// and the byte classes the structure analyser tests.
#include <string>
#include <string_view>

namespace torvex::core::text {

// The character a byte stands for. The five bytes the code page leaves
// undefined stand for the control characters of the same number.
char32_t cp1252CodePoint(unsigned char byte);
// Sets `byte` to the byte of a character and answers true; false when the code
// page lacks the character. The exact inverse of cp1252CodePoint.
bool toCp1252(char32_t codePoint, char& byte);

// Appends the code page 1252 bytes as UTF-8.
void appendCp1252AsUtf8(std::string& out, std::string_view bytes);
std::string cp1252ToUtf8(std::string_view bytes);
// UTF-8 text as code page 1252 bytes, one per character; a character the code
// page lacks becomes `unmappable`.
std::string utf8ToCp1252(std::string_view utf8, char unmappable = '?');
// True when every byte is below 0x80, so the bytes are the same in both encodings.
bool isAscii(std::string_view bytes);

// 0x20 to 0x7E.
inline bool isPrintableByte(unsigned char b) { return b >= 0x20 && b <= 0x7E; }
bool isPrintable(std::string_view bytes);
// A letter of code page 1252, plain or accented.
bool isLetterByte(unsigned char b);
inline bool isDigitByte(unsigned char b) { return b >= '0' && b <= '9'; }
bool isAllDigits(std::string_view bytes);  // false when empty

}  // namespace torvex::core::text
