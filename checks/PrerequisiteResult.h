// PrerequisiteResult: one prerequisite of a product, what this PC has, and whether the PC meets
// it. Every probe derives from it and fills it in its constructor; the requirement lists hold
// copies; the verdict and the status report only read it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace prereq {

enum PrerequisiteStatus : std::int32_t {
    NotSatisfied = 0,
    Satisfied = 1,
    BelowRecommended = 3, // the minimum is met, the recommended level is not
};

// The one rule for numeric level texts: value in "%d" replaces "%1" in string-table entry id.
std::string formatLevel(std::uint32_t stringId, std::int32_t value);

class PrerequisiteResult {
public:
    const std::string& recommendedLevel() const { return recommendedLevel_; }
    std::int32_t status() const { return status_; }
    const std::string& moreInfoPage() const { return moreInfoPage_; }
    const std::string& pcLevel() const { return pcLevel_; }
    const std::string& minimumPrerequisite() const { return minimumPrerequisite_; }
    std::int32_t shownInReport() const { return shownInReport_; }

    void setStatus(std::int32_t status) { status_ = status; }
    void setShownInReport(std::int32_t shown) { shownInReport_ = shown; }
    void setMoreInfoPage(std::string page) { moreInfoPage_ = std::move(page); }
    void setPcLevel(std::string level) { pcLevel_ = std::move(level); }
    void setMinimumPrerequisite(std::string text) { minimumPrerequisite_ = std::move(text); }
    // recommendedLevel becomes formatLevel(stringId, value).
    void formatRecommendedLevel(std::int32_t value, std::uint32_t stringId);

private:
    std::string recommendedLevel_;
    std::int32_t status_ = NotSatisfied;
    std::string moreInfoPage_;
    std::string pcLevel_;
    std::string minimumPrerequisite_;
    std::int32_t shownInReport_ = 0;
};

} // namespace prereq
