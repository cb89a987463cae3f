// The help pages the probes name as "More Info": the only pages a result may point to.
#pragma once

#include <string>

namespace prereq {

// Whether name is one of the help pages a probe of this program names (exactly, as written).
bool isMoreInfoPage(const std::string& name);

} // namespace prereq
