// Holds every unit test that swaps in a simulated PC to its strictness: each misuse the PC
// reports (a handle used that is not open, a key or file left open when its ScopedPlatform
// ends) fails the test that is running, with the PC's message naming the call and the handle.
#include "platform/SimulatedPc.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

class MisuseFailsTheTest : public ::testing::Environment {
public:
    void SetUp() override {
        SimulatedPc::reportMisuseWith([](const std::string& message) { ADD_FAILURE() << message; });
    }
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new MisuseFailsTheTest);

} // namespace
} // namespace prereq
