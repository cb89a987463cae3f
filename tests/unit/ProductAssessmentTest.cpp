// The product verdict: the scan order over a requirement list, the entry count, the three
// products of the main dialog with their lists, and the opening of a report.
#include "report/ProductAssessment.h"

#include "checks/RequirementSet.h"
#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace prereq {
namespace {

PrerequisiteResult entry(std::int32_t status, std::int32_t shown = 1) {
    PrerequisiteResult result;
    result.setStatus(status);
    result.setShownInReport(shown);
    result.setMinimumPrerequisite("requirement");
    result.setPcLevel("finding");
    return result;
}

std::size_t rowCount(const std::string& report) {
    std::size_t rows = 0;
    for (auto at = report.find("<td>requirement</td>"); at != std::string::npos;
         at = report.find("<td>requirement</td>", at + 1))
        ++rows;
    return rows;
}

TEST(ProductVerdict, FollowsTheScanOrderOfTheList) {
    const PrerequisiteResult s = entry(Satisfied), n = entry(NotSatisfied),
                             b = entry(BelowRecommended), hiddenN = entry(NotSatisfied, 0),
                             hiddenB = entry(BelowRecommended, 0);
    const struct {
        const char* name;
        std::vector<PrerequisiteResult> entries;
        std::int32_t verdict;
    } cases[] = {
        {"no entries", {}, Satisfied},
        {"all satisfied", {s, s, s}, Satisfied},
        {"one failure among satisfied", {s, n, s}, NotSatisfied},
        {"failure then below-recommended", {n, b}, BelowRecommended},
        {"below-recommended then failure: the scan stopped", {b, n}, BelowRecommended},
        {"below-recommended late in the list", {s, n, s, s, b}, BelowRecommended},
        {"hidden failure still counts", {s, hiddenN}, NotSatisfied},
        {"hidden below-recommended still counts", {n, hiddenB, n}, BelowRecommended},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = SimulatedPc::windows98();
        ScopedPlatform use(pc);
        const ProductAssessment product(c.entries.data(), "Wardline",
                                        static_cast<int>(c.entries.size()), "WardlineStatus.htm");
        EXPECT_EQ(product.overallStatus(), c.verdict) << c.name;
        EXPECT_EQ(pc.files.count("C:\\Reports\\WardlineStatus.htm"),
                  c.verdict == Satisfied ? 0u : 1u)
            << c.name;
    }
}

TEST(ProductVerdict, CountsOnlyTheFirstEntryCountEntries) {
    const std::vector<PrerequisiteResult> entries = {entry(Satisfied), entry(BelowRecommended),
                                                     entry(NotSatisfied)};
    const struct {
        int entryCount;
        std::int32_t verdict;
        std::size_t rows;
    } cases[] = {
        {0, Satisfied, 0}, {1, Satisfied, 0}, {2, BelowRecommended, 2}, {-1, Satisfied, 0}};
    for (const auto& c : cases) {
        SimulatedPc pc = SimulatedPc::windowsNt4();
        ScopedPlatform use(pc);
        const ProductAssessment product(entries.data(), "Wardline", c.entryCount,
                                        "WardlineStatus.htm");
        EXPECT_EQ(product.overallStatus(), c.verdict) << c.entryCount;
        EXPECT_EQ(pc.files.count("C:\\Reports\\WardlineStatus.htm"), c.rows ? 1u : 0u);
        EXPECT_EQ(rowCount(pc.files["C:\\Reports\\WardlineStatus.htm"]), c.rows) << c.entryCount;
    }
}

TEST(ProductVerdict, AMissingListIsSatisfiedWithoutAReport) {
    SimulatedPc pc = SimulatedPc::windowsNt4();
    ScopedPlatform use(pc);
    const ProductAssessment product(nullptr, "Wardline", 7, "WardlineStatus.htm");
    EXPECT_EQ(product.overallStatus(), Satisfied);
    EXPECT_TRUE(pc.files.empty());
}

struct Outcome {
    std::string productName;
    std::string reportFileName;
    std::int32_t overallStatus;
};

template <class Product> Outcome assess() {
    const Product product;
    return {product.productName(), product.reportFileName(), product.overallStatus()};
}

struct ProductCase {
    const char* productName;
    const char* reportFileName;
    RequirementSet* list;
    std::size_t entryCount;
    Outcome (*assess)();
};

const ProductCase kProducts[] = {
    {"Plinth-Setup", "PlinthSetupStatus.htm", &plinthSetupRequirements, 8,
     assess<PlinthSetupProduct>},
    {"Wardline", "WardlineStatus.htm", &wardlineRequirements, 7, assess<WardlineProduct>},
    {"Wardline LAN", "WardlineLANStatus.htm", &wardlineLanRequirements, 4,
     assess<WardlineLanProduct>},
};

// The program-wide lists are filled per case and released again, so no test sees another's.
class Products : public ::testing::Test {
protected:
    void SetUp() override { releaseRequirementLists(); }
    void TearDown() override { releaseRequirementLists(); }

    std::string reportOf(const ProductCase& product) {
        const auto it = pc.files.find(std::string("C:\\Reports\\") + product.reportFileName);
        return it == pc.files.end() ? "" : it->second;
    }

    SimulatedPc pc = SimulatedPc::windows2000();
    ScopedPlatform use{pc};
};

TEST_F(Products, EachAssessesExactlyItsDocumentedNumberOfEntries) {
    for (const auto& product : kProducts) {
        // The last documented entry counts ...
        for (std::size_t i = 0; i + 1 < product.entryCount; ++i)
            product.list->add(entry(Satisfied));
        product.list->add(entry(NotSatisfied));
        const Outcome outcome = product.assess();
        EXPECT_EQ(outcome.productName, product.productName);
        EXPECT_EQ(outcome.reportFileName, product.reportFileName);
        EXPECT_EQ(outcome.overallStatus, NotSatisfied) << product.productName;
        EXPECT_EQ(rowCount(reportOf(product)), product.entryCount) << product.productName;
        EXPECT_NE(
            reportOf(product).find("<strong>" + std::string(product.productName) + "</strong>"),
            std::string::npos);

        // ... and an entry beyond it does not.
        pc.files.clear();
        product.list->release();
        for (std::size_t i = 0; i < product.entryCount; ++i)
            product.list->add(entry(Satisfied));
        product.list->add(entry(NotSatisfied));
        EXPECT_EQ(product.assess().overallStatus, Satisfied) << product.productName;
        EXPECT_TRUE(pc.files.empty()) << product.productName;
        product.list->release();
    }
}

TEST_F(Products, AShortOrMissingListIsNeverReadPastItsEnd) {
    for (const auto& product : kProducts) {
        EXPECT_EQ(product.assess().overallStatus, Satisfied) << product.productName;
        EXPECT_TRUE(pc.files.empty()) << product.productName;

        product.list->add(entry(Satisfied));
        product.list->add(entry(NotSatisfied));
        EXPECT_EQ(product.assess().overallStatus, NotSatisfied) << product.productName;
        EXPECT_EQ(rowCount(reportOf(product)), 2u) << product.productName;
        product.list->release();
        pc.files.clear();
    }
}

TEST_F(Products, OpenReportKeepsThePathTheLauncherUsed) {
    pc.setAssociation(".htm", "C:\\Browser\\browser.exe");
    wardlineRequirements.add(entry(NotSatisfied));
    WardlineProduct written;
    written.openReport();
    EXPECT_EQ(written.reportFileName(), "C:\\Reports\\WardlineStatus.htm");

    // A satisfied product wrote no report: the search finds nothing and the name stays bare.
    PlinthSetupProduct notWritten;
    notWritten.openReport();
    EXPECT_EQ(notWritten.reportFileName(), "PlinthSetupStatus.htm");
}

} // namespace
} // namespace prereq
