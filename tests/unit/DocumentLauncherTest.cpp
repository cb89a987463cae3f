// Opening documents: the launch of the associated program, every way it can fail and the one
// error box that follows, and the full path stored back between two clicks.
#include "app/DocumentLauncher.h"

#include "app/PrereqCheckApp.h"
#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"

#include <gtest/gtest.h>

#include <string>

namespace prereq {
namespace {

const char kBrowser[] = "C:\\Program Files\\Browser\\browse.exe";
const WindowHandle kDialog = 0x4711;

// The PC of a user who runs the program from C:\Reports, with help pages under C:\Help.
SimulatedPc officePc() {
    SimulatedPc pc = SimulatedPc::windowsNt4();
    pc.currentDirectory = "C:\\Reports";
    pc.environment["PATH"] = "C:\\WINNT\\system32;C:\\Help";
    pc.setAssociation(".htm", kBrowser);
    pc.setAssociation(".html", kBrowser);
    return pc;
}

std::string cannotOpenText(const std::string& path) {
    return "Details report cannot be opened.  The report is stored file named " + path +
           ".  You must have an HTML browser installed to view this file.";
}

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

struct OpenCase {
    const char* title;
    void (*arrange)(SimulatedPc&);
    const char* name;
    const char* expectedPath; // returned, launched, and named by the error box
    std::size_t launchAttempts;
    bool errorBox;
    const char* standardOutput;
};

TEST(OpenDocument, LaunchesOrShowsOneErrorBox) {
    const OpenCase cases[] = {
        {"report in the current directory",
         [](SimulatedPc& pc) { pc.addExistingPath("C:\\Reports\\PlinthSetupStatus.htm"); },
         "PlinthSetupStatus.htm", "C:\\Reports\\PlinthSetupStatus.htm", 1, false, ""},
        {"help page on PATH",
         [](SimulatedPc& pc) { pc.addExistingPath("C:\\Help\\plintherror.html"); },
         "plintherror.html", "C:\\Help\\plintherror.html", 1, false, ""},
        {"no program associated with the type",
         [](SimulatedPc& pc) {
             pc.addExistingPath("C:\\Reports\\WardlineStatus.htm");
             pc.associations.clear();
         },
         "WardlineStatus.htm", "C:\\Reports\\WardlineStatus.htm", 0, true, ""},
        {"launch fails with 32",
         [](SimulatedPc& pc) {
             pc.addExistingPath("C:\\Reports\\WardlineStatus.htm");
             pc.launchResult = 32;
         },
         "WardlineStatus.htm", "C:\\Reports\\WardlineStatus.htm", 1, true, ""},
        {"launch result 33 is success",
         [](SimulatedPc& pc) {
             pc.addExistingPath("C:\\Reports\\WardlineStatus.htm");
             pc.launchResult = 33;
         },
         "WardlineStatus.htm", "C:\\Reports\\WardlineStatus.htm", 1, false, ""},
        {"help page found nowhere", [](SimulatedPc&) {}, "plintherror.html", "plintherror.html", 0,
         true, "plintherror.html not found\n"},
        {"format characters in a name stay as they are", [](SimulatedPc&) {}, "100%s%1.htm",
         "100%s%1.htm", 0, true, "100%s%1.htm not found\n"},
    };
    for (const auto& c : cases) {
        SimulatedPc pc = officePc();
        c.arrange(pc);
        ScopedPlatform use(pc);
        PrereqCheckApp application;
        application.setMainWindow(kDialog);

        EXPECT_EQ(openDocument(c.name), c.expectedPath) << c.title;

        ASSERT_EQ(pc.launches.size(), c.launchAttempts) << c.title;
        if (c.launchAttempts == 1) {
            const auto& launch = pc.launches[0];
            EXPECT_EQ(launch.owner, kDialog) << c.title;
            EXPECT_EQ(launch.operation, "open") << c.title;
            EXPECT_EQ(launch.file, kBrowser) << c.title;
            EXPECT_EQ(launch.parameters, quoted(c.expectedPath)) << c.title;
            EXPECT_EQ(launch.showCommand, kSwShowNormal) << c.title;
        }
        ASSERT_EQ(pc.messageBoxes.size(), c.errorBox ? 1u : 0u) << c.title;
        if (c.errorBox) {
            EXPECT_EQ(pc.messageBoxes[0].text, cannotOpenText(c.expectedPath)) << c.title;
        }
        EXPECT_EQ(pc.standardOutput, c.standardOutput) << c.title;
    }
}

TEST(OpenDocument, ErrorBoxIsOwnedAndCaptionedByTheApplication) {
    SimulatedPc pc = officePc();
    pc.programPath = "C:\\Program Files\\PrereqCheck\\PrereqCheck.exe";
    ScopedPlatform use(pc);
    PrereqCheckApp application;
    application.setMainWindow(kDialog);

    openDocument("PlinthSetupStatus.htm");

    ASSERT_EQ(pc.messageBoxes.size(), 1u);
    const auto& box = pc.messageBoxes[0];
    EXPECT_EQ(box.owner, kDialog);
    EXPECT_EQ(box.caption, "PrereqCheck");
    EXPECT_EQ(box.flags, kMbOk | kMbIconExclamation);
    EXPECT_EQ(box.text, "Details report cannot be opened.  The report is stored file named "
                        "PlinthSetupStatus.htm.  You must have an HTML browser installed to "
                        "view this file.");
}

TEST(OpenDocument, WithoutAnApplicationNothingOwnsTheBoxOrTheViewer) {
    SimulatedPc pc = officePc();
    pc.programPath = "D:\\Tools.old\\Check.v2.exe";
    pc.addExistingPath("C:\\Reports\\WardlineStatus.htm");
    pc.launchResult = 5; // SE_ERR_ACCESSDENIED
    ScopedPlatform use(pc);
    ASSERT_EQ(currentApplication(), nullptr);

    openDocument("WardlineStatus.htm");

    ASSERT_EQ(pc.launches.size(), 1u);
    EXPECT_EQ(pc.launches[0].owner, 0u);
    ASSERT_EQ(pc.messageBoxes.size(), 1u);
    EXPECT_EQ(pc.messageBoxes[0].owner, 0u);
    EXPECT_EQ(pc.messageBoxes[0].caption, "Check.v2");
}

TEST(OpenDocument, SecondClickFindsTheSameFileFromTheStoredFullPath) {
    SimulatedPc pc = officePc();
    pc.addExistingPath("C:\\Reports\\WardlineLANStatus.htm");
    pc.addExistingPath("C:\\Help\\WardlineLANStatus.htm");
    ScopedPlatform use(pc);

    std::string reportFileName = "WardlineLANStatus.htm";
    reportFileName = openDocument(reportFileName);
    reportFileName = openDocument(reportFileName);

    EXPECT_EQ(reportFileName, "C:\\Reports\\WardlineLANStatus.htm");
    ASSERT_EQ(pc.launches.size(), 2u);
    EXPECT_EQ(pc.launches[1].parameters, pc.launches[0].parameters);
    EXPECT_TRUE(pc.messageBoxes.empty());
}

TEST(OpenDocument, ReportRemovedBetweenClicksIsNamedByItsFullPath) {
    SimulatedPc pc = officePc();
    pc.addExistingPath("C:\\Reports\\PlinthSetupStatus.htm");
    ScopedPlatform use(pc);

    std::string reportFileName = openDocument("PlinthSetupStatus.htm");
    pc.existingPaths.erase("C:\\Reports\\PlinthSetupStatus.htm");
    reportFileName = openDocument(reportFileName);

    EXPECT_EQ(reportFileName, "C:\\Reports\\PlinthSetupStatus.htm");
    EXPECT_EQ(pc.launches.size(), 1u);
    ASSERT_EQ(pc.messageBoxes.size(), 1u);
    EXPECT_EQ(pc.messageBoxes[0].text, cannotOpenText("C:\\Reports\\PlinthSetupStatus.htm"));
    EXPECT_EQ(pc.standardOutput, "C:\\Reports\\PlinthSetupStatus.htm not found\n");
}

TEST(OpenDocument, PathWithBlanksReachesTheViewerAsOneArgument) {
    SimulatedPc pc = officePc();
    pc.currentDirectory = "C:\\My Documents\\Check Results";
    pc.addExistingPath("WardlineStatus.htm");
    ScopedPlatform use(pc);

    EXPECT_EQ(openDocument("WardlineStatus.htm"),
              "C:\\My Documents\\Check Results\\WardlineStatus.htm");

    ASSERT_EQ(pc.launches.size(), 1u);
    EXPECT_EQ(pc.launches[0].file, kBrowser);
    EXPECT_EQ(pc.launches[0].parameters, "\"C:\\My Documents\\Check Results\\WardlineStatus.htm\"");
}

} // namespace
} // namespace prereq
