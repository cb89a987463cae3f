// The products PrereqCheck judges, by the names the dialog, the reports and the results give
// them, in the dialog's order. The fleet summary knows a product by these names alone.
#pragma once

#include <cstddef>

namespace prereq {

constexpr const char* kProductNames[] = {"Plinth-Setup", "Wardline", "Wardline LAN"};
constexpr std::size_t kProductCount = sizeof kProductNames / sizeof kProductNames[0];

} // namespace prereq
