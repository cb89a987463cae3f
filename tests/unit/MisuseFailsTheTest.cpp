// Makes each misuse a simulated PC reports (see SimulatedPc.h) a failure of the running test.
#include "platform/simulated/SimulatedPc.h"

#include <gtest/gtest.h>

namespace {

struct MisuseFailsTheTest : ::testing::Environment {
    void SetUp() override {
        prereq::SimulatedPc::reportMisuseWith([](const std::string& m) { ADD_FAILURE() << m; });
    }
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new MisuseFailsTheTest);

} // namespace
