// Windows' message for an error code, trimmed to fit inside a line of the program's own.
#include "app/ErrorText.h"

#include "platform/Platform.h"

namespace prereq {

std::string errorText(std::uint32_t code) {
    std::string text = platform().errorMessage(code);
    while (!text.empty() &&
           (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : text;
}

} // namespace prereq
