// The console program's result file for a fleet: the JSON document of one computer, named after
// it, in a folder that many computers write into and a collector reads.
#pragma once

#include "fleet/ResultFileName.h"

#include <string>
#include <vector>

namespace prereq {

// Writes text into folder under fileName: first under a temporary name of this run's own
// ("<fileName>.<process id>-<tick count>.tmp") in the same folder, then in the result's place,
// so that no reader sees half a file and two computers of one name never share a temporary
// file. The temporary file is flushed, closed and its size read back before it takes the
// result's place, so a redirector that reports a full disk only then never replaces a good
// result with a short one. A result from before is replaced in one step where the system and
// the server can (MoveFileExA); else it is set aside under "<fileName>.<...>.old" and comes
// back when the new one cannot take its place. While a reader holds the old result open, the
// replacement is tried again for about two seconds. Returns an empty string when the result is
// in place; else "cannot write KIND 'FILE': REASON", naming the file that failed and Windows'
// reason. This run's temporary file is then gone and a result from before is as it was; where
// either is not, the message names the file that is left and why.
std::string writeResultFile(const std::string& folder, const std::string& fileName,
                            const std::string& text, const char* kind = "the result");

struct ResultFileText {
    std::string fileName;
    std::string text;
    const char* kind; // "the page", as the failure names it
};

// Writes several files into folder as one set: each first under a temporary name as
// writeResultFile does, then every file from before set aside ("<...>.old"), then every new one
// put in its place. When any step fails, every file is as it was before and no temporary file
// stays; the failure is "cannot write KIND 'FILE': REASON". Empty when all are in place.
std::string writeResultFiles(const std::string& folder, const std::vector<ResultFileText>& files);

} // namespace prereq
