// Faults the fuzzing target found, each kept as the smallest case that shows it.
#include "fuzz/ReportInvariants.h"
#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"
#include "report/ProductAssessment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace prereq {
namespace {

// Windows NT 4 reads its service-pack text from the registry, where nothing keeps a line break
// out of it; the report must still be one line and show the text as it was.
TEST(FuzzFindings, LineBreaksInAFindingKeepTheReportOnOneLine) {
    const std::string servicePack = "Service Pack 6\r\nBuild 1381\n";
    SimulatedPc pc = SimulatedPc::windowsNt4(servicePack);
    ScopedPlatform use(pc);
    PrerequisiteResult entry;
    entry.setMinimumPrerequisite("NT Service Pack 3 or greater");
    entry.setPcLevel(servicePack);
    entry.setStatus(NotSatisfied);
    entry.setShownInReport(1);

    const ProductAssessment product(&entry, "Wardline", 1, "WardlineStatus.htm");

    const auto file = pc.files.find("C:\\Reports\\WardlineStatus.htm");
    ASSERT_NE(file, pc.files.end());
    EXPECT_EQ(report_invariants::violations(file->second), std::vector<std::string>{});
    const std::vector<std::string> cells = report_invariants::cellTexts(file->second);
    EXPECT_NE(std::find(cells.begin(), cells.end(), servicePack), cells.end());
}

} // namespace
} // namespace prereq
