// ProductAssessment: one product row of the main dialog. On construction it computes the
// product's verdict from its requirement list and, when the product is not satisfied, writes the
// product's HTML status report (into the current directory unless told otherwise). Later it
// opens that report.
#pragma once

#include "checks/PrerequisiteResult.h"
#include "platform/WindowsServices.h"

#include <string>
#include <string_view>

namespace prereq {

// Where the report of a product that is not satisfied goes. The dialog program writes it into the
// current directory; the console program writes it into a folder it is given, or nowhere at all.
struct ReportDestination {
    bool write = true;
    std::string folder; // empty: the current directory
};

class ProductAssessment {
public:
    ProductAssessment(const PrerequisiteResult* requirements, std::string productName,
                      int entryCount, std::string reportFileName,
                      ReportDestination destination = {});
    ~ProductAssessment();
    ProductAssessment(const ProductAssessment&) = delete;
    ProductAssessment& operator=(const ProductAssessment&) = delete;

    std::int32_t overallStatus() const { return overallStatus_; }
    void setOverallStatus(std::int32_t status) { overallStatus_ = status; }
    std::string productName() const { return productName_; }
    std::string reportFileName() const { return reportFileName_; }
    // The entries that were assessed, for the console program's summaries.
    const PrerequisiteResult* requirements() const { return requirements_; }
    int entryCount() const { return entryCount_; }
    // The path the report was written to: empty when it was not written (a satisfied product,
    // no destination, or a file that could not be created or written completely).
    std::string writtenReport() const { return writtenReport_; }
    // Why the report was not written: GetLastError of the call that failed; 0 when none did.
    std::uint32_t reportError() const { return reportError_; }

    // Opens the report in the browser through the document launcher, and keeps the path the
    // launcher used (the full path once the search has found the file).
    void openReport();

private:
    void computeOverallStatus(int entryCount);
    void writeReport(int entryCount, const std::string& path);
    void writeRecommendedLevelTables(int entryCount);
    void writePrerequisiteTable(int entryCount);
    // "<td>", text, "</td>": three fragments, so an empty text writes nothing between them.
    void writeCell(std::string_view text);
    void writePrerequisiteHeader();
    void writePrerequisiteRow(const PrerequisiteResult& entry);
    // Hands one fragment to the report file in one write. After a write has failed nothing
    // more is written, so writeReport can remove the partial file. A fixed fragment is
    // written from where it stands, with no copy made of it.
    void write(std::string_view fragment);

    const PrerequisiteResult* requirements_;
    int entryCount_;
    std::string reportFileName_;
    std::string productName_;
    std::int32_t overallStatus_ = Satisfied;
    FileHandle reportFile_ = 0;
    bool reportWriteFailed_ = false;
    std::uint32_t reportError_ = 0;
    std::string writtenReport_;
};

class PlinthSetupProduct : public ProductAssessment {
public:
    explicit PlinthSetupProduct(ReportDestination destination = {});
};

class WardlineProduct : public ProductAssessment {
public:
    explicit WardlineProduct(ReportDestination destination = {});
    virtual ~WardlineProduct();
};

class WardlineLanProduct : public ProductAssessment {
public:
    explicit WardlineLanProduct(ReportDestination destination = {});
    virtual ~WardlineLanProduct();
};

} // namespace prereq
