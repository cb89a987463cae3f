// Windows' own words for why a call failed, for the console program's one line on standard error.
#pragma once

#include <cstdint>
#include <string>

namespace prereq {

// FormatMessageA's text for a Win32 error code, without its closing full stop and line break
// ("Access is denied"); "error N" where Windows has no text for the code.
std::string errorText(std::uint32_t code);

} // namespace prereq
