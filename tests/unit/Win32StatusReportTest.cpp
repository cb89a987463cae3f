// The status report written through the real Windows file API: the bytes on disk are exactly
// the one-line document (no line-end translation), and a report held open by another program
// is left as it is.
#include "platform/Platform.h"
#include "platform/Win32Services.h"
#include "report/ProductAssessment.h"

#include <windows.h>

#include "tests/unit/WorkedExampleReport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace prereq {
namespace {

// Runs a test inside a fresh empty directory, the current directory of the process meanwhile.
class Win32StatusReport : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "PrereqCheckReport" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
        char current[MAX_PATH];
        ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, current), 0u);
        previous_ = current;
        ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
    }
    void TearDown() override {
        DeleteFileA(kFile);
        SetCurrentDirectoryA(previous_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    static std::string contents() {
        std::ifstream in(kFile, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    static constexpr const char* kFile = "WardlineLANStatus.htm";
    Win32Services services;
    ScopedPlatform use{services};
    std::string folder_;
    std::string previous_;
};

std::vector<PrerequisiteResult> missingCdRom() {
    PrerequisiteResult cdRom;
    cdRom.setStatus(NotSatisfied);
    cdRom.setShownInReport(1);
    cdRom.setMinimumPrerequisite("CD-ROM drive");
    cdRom.setPcLevel("no CD-ROM drive");
    return {cdRom};
}

TEST_F(Win32StatusReport, WritesTheOneLineDocumentByteForByte) {
    const auto entries = missingCdRom();
    const ProductAssessment product(entries.data(), "Wardline LAN", 1, kFile);
    EXPECT_EQ(product.overallStatus(), NotSatisfied);
    EXPECT_EQ(contents(), kWorkedExampleReport);
}

TEST_F(Win32StatusReport, AReportHeldOpenElsewhereIsLeftAlone) {
    {
        std::ofstream old(kFile, std::ios::binary);
        old << "earlier report";
    }
    const HANDLE held =
        CreateFileA(kFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const auto entries = missingCdRom();
    const ProductAssessment product(entries.data(), "Wardline LAN", 1, kFile);
    CloseHandle(held);
    EXPECT_EQ(product.overallStatus(), NotSatisfied);
    EXPECT_EQ(contents(), "earlier report");
}

} // namespace
} // namespace prereq
