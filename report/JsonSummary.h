// The console program's machine-readable result: one JSON document (UTF-8) with the program's
// full version, the computer's name, its Windows and service pack as GetVersionExA gives them
// and, per product, its verdict, report file name and the
// prerequisites its report shows.
#pragma once

#include "report/ProductAssessment.h"

#include <string>
#include <vector>

namespace prereq {

// text (8-bit ANSI, decoded with the PC's ANSI code page through platform(), or as Windows-1252
// should that fail) as a quoted JSON string in UTF-8. Quotes and backslashes are escaped, and so
// is every control character (C0, DEL and C1) as \u00XX, so any bytes at all give a valid
// string that holds no raw control character.
std::string jsonString(const std::string& text);
// The same, appended to out.
void appendJsonString(std::string& out, const std::string& text);

// The whole document, ending in a line break. computer is the name GetComputerNameA gives;
// checkedAt, the local time of the check in ISO 8601 (with its offset from UTC where known).
std::string jsonSummary(const std::vector<const ProductAssessment*>& products,
                        const std::string& computer, const std::string& checkedAt);

} // namespace prereq
