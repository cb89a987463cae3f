// ProductAssessment: one product row of the main dialog. On construction it computes the
// product's verdict from its requirement list and, when the product is not satisfied, writes the
// product's HTML status report into the current directory. Later it opens that report.
#pragma once

#include "checks/PrerequisiteResult.h"
#include "platform/WindowsServices.h"

#include <string>

namespace prereq {

class ProductAssessment {
public:
    ProductAssessment(const PrerequisiteResult* requirements, std::string productName,
                      int entryCount, std::string reportFileName);
    ~ProductAssessment();
    ProductAssessment(const ProductAssessment&) = delete;
    ProductAssessment& operator=(const ProductAssessment&) = delete;

    std::int32_t overallStatus() const { return overallStatus_; }
    void setOverallStatus(std::int32_t status) { overallStatus_ = status; }
    std::string productName() const { return productName_; }
    std::string reportFileName() const { return reportFileName_; }

    // Opens the report in the browser through the document launcher, and keeps the path the
    // launcher used (the full path once the search has found the file).
    void openReport();

private:
    void computeOverallStatus(int entryCount);
    void writeReport(int entryCount);
    void writeRecommendedLevelTables(int entryCount);
    void writePrerequisiteTable(int entryCount);
    // "<td>", text, "</td>": three fragments, so an empty text writes nothing between them.
    void writeCell(const std::string& text);
    void writePrerequisiteHeader();
    void writePrerequisiteRow(const PrerequisiteResult& entry);
    // Hands one fragment to the report file in one write. After a write has failed nothing
    // more is written, so writeReport can remove the partial file.
    void write(const std::string& fragment);

    const PrerequisiteResult* requirements_;
    std::string reportFileName_;
    std::string productName_;
    std::int32_t overallStatus_ = Satisfied;
    FileHandle reportFile_ = 0;
    bool reportWriteFailed_ = false;
};

class PlinthSetupProduct : public ProductAssessment {
public:
    PlinthSetupProduct();
};

class WardlineProduct : public ProductAssessment {
public:
    WardlineProduct();
    virtual ~WardlineProduct();
};

class WardlineLanProduct : public ProductAssessment {
public:
    WardlineLanProduct();
    virtual ~WardlineLanProduct();
};

} // namespace prereq
