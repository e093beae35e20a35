#pragma once
// Code page 1252, the character set of declaration files, as read into the
// UTF-8 database: conversion of field bytes and the byte tests the analyser uses.
#include <string>
#include <string_view>

namespace torvex::core::declfile {

// Appends the code page 1252 bytes as UTF-8. The five bytes the code page
// leaves undefined become the control characters of the same number.
void appendCp1252AsUtf8(std::string& out, std::string_view bytes);
std::string cp1252ToUtf8(std::string_view bytes);
// True when every byte is below 0x80, so the bytes are already UTF-8.
bool isAscii(std::string_view bytes);

// 0x20 to 0x7E.
inline bool isPrintableByte(unsigned char b) { return b >= 0x20 && b <= 0x7E; }
bool isPrintable(std::string_view bytes);
// A letter of code page 1252, plain or accented.
bool isLetterByte(unsigned char b);
inline bool isDigitByte(unsigned char b) { return b >= '0' && b <= '9'; }
bool isAllDigits(std::string_view bytes);  // false when empty

}  // namespace torvex::core::declfile
