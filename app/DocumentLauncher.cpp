// The document launcher: the search along the current directory and PATH, the association
// look-up, the launch of the associated program, and the one error box when any of it fails.
#include "app/DocumentLauncher.h"

#include "app/PrereqCheckApp.h"
#include "platform/PcSnapshot.h"
#include "platform/Platform.h"
#include "resources/StringIds.h"

#include <cstddef>

namespace prereq {

namespace {

constexpr std::size_t kMaxPath = 260;          // MAX_PATH: no candidate may be longer
constexpr std::size_t kMaxElementLength = 259; // an element this long ends the search
constexpr std::intptr_t kShellSuccessAbove = 32;

// Moves position to the next element of a PATH value and copies it, quotes removed, into
// element. A ';' between quotes belongs to the element; runs of ';' separate only once.
// False when no element is left.
bool nextPathElement(const std::string& list, std::size_t& position, std::string& element) {
    while (position < list.size() && list[position] == ';')
        ++position;
    if (position == list.size())
        return false;
    element.clear();
    bool quoted = false;
    for (; position < list.size(); ++position) {
        const char c = list[position];
        if (c == '"')
            quoted = !quoted;
        else if (c == ';' && !quoted)
            break;
        else
            element += c;
    }
    return true;
}

bool endsWithSeparator(const std::string& directory) {
    const char last = directory.back();
    return last == '\\' || last == '/' || last == ':';
}

// Entry 20 with the path in place of its placeholder, in the one box the launcher shows.
void showCannotOpen(const std::string& path, WindowHandle owner, const std::string& caption) {
    std::string text = snapshot().string(IDS_CANNOT_OPEN_REPORT);
    const auto placeholder = text.find("%1");
    if (placeholder != std::string::npos)
        text.replace(placeholder, 2, path);
    platform().messageBox(owner, text, caption, kMbOk | kMbIconExclamation);
}

} // namespace

std::string findOnSearchPath(const std::string& name) {
    WindowsServices& pc = platform();
    if (pc.pathExists(name))
        return pc.fullPath(name);

    std::string list;
    if (!pc.environmentVariable("PATH", list))
        return {};
    std::size_t position = 0;
    std::string element;
    while (nextPathElement(list, position, element)) {
        if (element.empty() || element.size() >= kMaxElementLength)
            return {};
        std::string candidate = element;
        if (!endsWithSeparator(element))
            candidate += '\\';
        candidate += name;
        if (candidate.size() > kMaxPath)
            continue;
        if (pc.pathExists(candidate))
            return candidate;
    }
    return {};
}

std::string openDocument(const std::string& name) {
    WindowsServices& pc = platform();
    std::string path = findOnSearchPath(name);
    if (path.empty()) {
        pc.writeStandardOutput(name + " not found\n");
        path = name;
    }

    const PrereqCheckApp* application = currentApplication();
    const WindowHandle owner = application ? application->mainWindow() : 0;

    std::string executable;
    if (pc.findExecutable(path, executable) > kShellSuccessAbove) {
        // Quoted, so that a path with blanks reaches the viewer as one argument instead of
        // being split into several that name no file.
        const std::string parameters = "\"" + path + "\"";
        if (pc.shellExecute(owner, "open", executable, parameters, kSwShowNormal) >
            kShellSuccessAbove)
            return path;
    }

    showCannotOpen(path, owner, application ? application->title() : programTitle());
    return path;
}

} // namespace prereq
