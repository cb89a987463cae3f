// Building the three requirement lists. Each entry is made by constructing its probe as a
// temporary, which measures the PC, and copying the probe's record into the list; every probe
// runs again for each list that holds it.
#include "checks/CdRomCheck.h"
#include "checks/DiskSpaceCheck.h"
#include "checks/MemoryCheck.h"
#include "checks/ModemDriverCheck.h"
#include "checks/MouseCheck.h"
#include "checks/ProcessorCheck.h"
#include "checks/RemoteAccessCheck.h"
#include "checks/RequirementSet.h"
#include "checks/ServicePackCheck.h"

namespace prereq {

namespace {

void buildInstallerList(RequirementSet& list) {
    list.add(MemoryCheck(96, 128, 96, 128));
    list.add(ProcessorCheck(266, 266, 266, 266));
    list.add(DiskSpaceCheck(70));
    list.add(CdRomCheck());
    list.add(MouseCheck());
    list.add(RemoteAccessCheck());
    list.add(ServicePackCheck());
    list.add(ModemDriverCheck());
}

void buildLanConsoleList(RequirementSet& list) {
    list.add(MemoryCheck(32, 64, 32, 64));
    list.add(ProcessorCheck(266, 266, 266, 266));
    list.add(DiskSpaceCheck(50));
    list.add(CdRomCheck());
}

void buildDirectConsoleList(RequirementSet& list) {
    list.add(MemoryCheck(32, 64, 32, 64));
    list.add(ProcessorCheck(266, 266, 266, 266));
    list.add(DiskSpaceCheck(50));
    list.add(CdRomCheck());
    list.add(RemoteAccessCheck());
    list.add(ServicePackCheck());
    list.add(ModemDriverCheck());
}

} // namespace

void buildRequirementLists() {
    releaseRequirementLists();
    buildInstallerList(plinthSetupRequirements);
    buildLanConsoleList(wardlineLanRequirements);
    buildDirectConsoleList(wardlineRequirements);
}

} // namespace prereq
