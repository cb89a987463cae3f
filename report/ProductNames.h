// The products PrereqCheck judges, by the names the dialog, the reports and the results give
// them, in the dialog's order. The fleet summary knows a product by these names alone.
#pragma once

#include <cstddef>
#include <string_view>

namespace prereq {

constexpr const char* kProductNames[] = {"Plinth-Setup", "Wardline", "Wardline LAN"};
constexpr std::size_t kProductCount = sizeof kProductNames / sizeof kProductNames[0];
// The same names with their lengths, which a comparison looks at before any byte.
constexpr std::string_view kProductNameViews[] = {kProductNames[0], kProductNames[1],
                                                  kProductNames[2]};
static_assert(sizeof kProductNameViews / sizeof kProductNameViews[0] == kProductCount);

} // namespace prereq
