// The simulated PCs of the systems the probes tell apart, named for table-driven tests.
#pragma once

#include "platform/simulated/SimulatedPc.h"

namespace prereq {

enum class System { Nt4, Windows2000, Windows98, Windows95 };

inline SimulatedPc pcRunning(System system) {
    switch (system) {
    case System::Nt4:
        return SimulatedPc::windowsNt4();
    case System::Windows2000:
        return SimulatedPc::windows2000();
    case System::Windows98:
        return SimulatedPc::windows98();
    case System::Windows95:
        break;
    }
    return SimulatedPc::windows95();
}

} // namespace prereq
