// The CD-ROM drive probe.
#include "checks/CdRomCheck.h"

#include "platform/Platform.h"
#include "resources/StringIds.h"

#include <string>

namespace prereq {

CdRomCheck::CdRomCheck() {
    // A: is always a floppy drive. One CD-ROM drive is enough, so the scan stops at the first.
    bool found = false;
    for (char letter = 'B'; letter <= 'Z' && !found; ++letter)
        found = platform().driveType(std::string(1, letter) + ":\\") == kDriveCdRom;
    setMinimumPrerequisite(platform().loadString(IDS_CDROM));
    setPcLevel(platform().loadString(found ? IDS_CDROM : IDS_NO_CDROM));
    setStatus(found ? Satisfied : NotSatisfied);
    setShownInReport(1);
    setMoreInfoPage("");
}

} // namespace prereq
