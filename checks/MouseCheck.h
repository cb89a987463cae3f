// MouseCheck: whether a mouse is installed. It counts for every product's verdict, but only
// Windows NT 4.0 and Windows 2000 show it in the status report.
#pragma once

#include "checks/PrerequisiteResult.h"

namespace prereq {

class MouseCheck : public PrerequisiteResult {
public:
    MouseCheck();
};

} // namespace prereq
