// The Windows calls of the user interface answered by the simulated PC: the string table and
// message boxes.
#include "platform/simulated/WindowsCallTable.h"

#include <algorithm>
#include <string>
#include <vector>

namespace prereq {

void addUserInterfaceCalls(CallTable& calls) {
    calls.insert({
        {"LoadStringA",
         {4,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              const std::string text = w.pc().loadString(a[1]);
              if (a[3] == 0)
                  return 0;
              const std::string fitted = text.substr(0, a[3] - 1);
              w.memory().writeString(a[2], fitted);
              return static_cast<std::uint32_t>(fitted.size());
          }}},
        {"MessageBoxA",
         {4,
          [](WindowsCalls& w, const CallArguments& a) -> std::uint32_t {
              return static_cast<std::uint32_t>(
                  w.pc().messageBox(a[0], a.text(1), a[2] ? a.text(2) : "Error", a[3]));
          }}},
    });
}

} // namespace prereq
