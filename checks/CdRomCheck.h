// CdRomCheck: whether the PC has a CD-ROM drive.
#pragma once

#include "checks/PrerequisiteResult.h"

namespace prereq {

class CdRomCheck : public PrerequisiteResult {
public:
    CdRomCheck();
};

} // namespace prereq
