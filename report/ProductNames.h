// The products PrereqCheck judges, by the names the dialog, the reports and the results give
// them, in the dialog's order. The fleet summary knows a product by these names alone.
#pragma once

#include <cstddef>
#include <string_view>

namespace prereq {

// Views, so that a comparison looks at the lengths before any byte.
constexpr std::string_view kProductNames[] = {"Plinth-Setup", "Wardline", "Wardline LAN"};
constexpr std::size_t kProductCount = sizeof kProductNames / sizeof kProductNames[0];

} // namespace prereq
