// The process-wide ResultFolders, in a file of its own: only a program that summarises calls it,
// and only such a program then links the Windows calls behind it.
#include "platform/ResultFolders.h"

#include "platform/Platform.h"
#include "text/Utf8.h"

#ifdef _WIN32
#include "platform/Win32ResultFolders.h"
#else
#include <cstdio>
#include <cstdlib>
#endif

namespace prereq {

ResultFolders& resultFolders() {
    if (ScopeCheckedServices* pc = ScopedPlatform::checkedServices())
        return pc->resultFolders();
#ifdef _WIN32
    static Win32ResultFolders folders;
    return folders;
#else
    std::fputs("prereq::resultFolders(): no PC in place; use a ScopedPlatform\n", stderr);
    std::abort();
#endif
}

std::string ansiFromUtf8(const std::string& utf8) {
    return isAscii(utf8) ? utf8 : resultFolders().unicodeToAnsi(utf16FromUtf8(utf8));
}

} // namespace prereq
