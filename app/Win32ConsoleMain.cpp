// The console program's entry: hands the command line to runConsoleCheck and writes what it
// returns to standard output and standard error, with Windows line ends.
#include "app/ConsoleCheck.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

void writeTo(DWORD standardHandle, const std::string& text) {
    const HANDLE handle = GetStdHandle(standardHandle);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return; // started without that stream
    std::string windowsText;
    for (const char c : text)
        windowsText += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const char* data = windowsText.data();
    DWORD left = static_cast<DWORD>(windowsText.size());
    DWORD written = 0;
    while (left > 0 && WriteFile(handle, data, left, &written, nullptr) && written > 0) {
        data += written;
        left -= written;
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const prereq::ConsoleRun run = prereq::runConsoleCheck(arguments);
    writeTo(STD_OUTPUT_HANDLE, run.standardOutput);
    writeTo(STD_ERROR_HANDLE, run.standardError);
    return run.exitCode;
}
