// The CD-ROM drive probe.
#include "checks/CdRomCheck.h"

#include "platform/PcSnapshot.h"
#include "resources/StringIds.h"

#include <string>

namespace prereq {

CdRomCheck::CdRomCheck() {
    // A: is always a floppy drive. One CD-ROM drive is enough, so the scan stops at the first.
    bool found = false;
    for (char letter = 'B'; letter <= 'Z' && !found; ++letter)
        found = snapshot().driveType(letter) == kDriveCdRom;
    setMinimumPrerequisite(snapshot().string(IDS_CDROM));
    setPcLevel(snapshot().string(found ? IDS_CDROM : IDS_NO_CDROM));
    setStatus(found ? Satisfied : NotSatisfied);
    setShownInReport(1);
    setMoreInfoPage("");
}

} // namespace prereq
