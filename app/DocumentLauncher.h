// The document launcher: opens a document (a status report or a help page) in the program the
// PC associates with its file type, normally the HTML browser.
#pragma once

#include <string>

namespace prereq {

// Finds name in the current directory, then along PATH, and opens it in its associated program.
// Returns the path it used: the full path the search found, or name unchanged when the search
// found nothing. A failure is shown to the user in one message box and not reported otherwise.
std::string openDocument(const std::string& name);

// The full path of name in the current directory, else the first PATH candidate that exists,
// else empty.
std::string findOnSearchPath(const std::string& name);

} // namespace prereq
