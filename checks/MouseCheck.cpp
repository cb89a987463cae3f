// The mouse probe.
#include "checks/MouseCheck.h"

#include "checks/WindowsVersion.h"
#include "platform/PcSnapshot.h"
#include "platform/Platform.h"
#include "resources/StringIds.h"

namespace prereq {

MouseCheck::MouseCheck() {
    const bool present = platform().systemMetric(kSmMousePresent) != 0;
    setPcLevel(snapshot().string(present ? IDS_MOUSE : IDS_NO_MOUSE));
    setStatus(present ? Satisfied : NotSatisfied);
    setMinimumPrerequisite(snapshot().string(IDS_MOUSE));
    setMoreInfoPage("");
    setShownInReport(isWindowsNT4() || isWindowsNT5() ? 1 : 0);
}

} // namespace prereq
