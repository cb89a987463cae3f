// The PC's ANSI texts (its computer name, a service pack's text, a file's name) decoded by the
// PC's own ANSI code page, for output that must be Unicode: the JSON and the fleet summary.
#pragma once

#include <string>

namespace prereq {

// By MultiByteToWideChar(CP_ACP); as Windows-1252 should that fail.
std::u16string utf16FromAnsi(const std::string& ansi);

// The same text as UTF-8, converted here: Windows 95 documents no conversion to UTF-8 (CP_UTF8).
// A surrogate without its pair becomes U+FFFD.
std::string utf8FromAnsi(const std::string& ansi);

} // namespace prereq
