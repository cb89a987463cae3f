// The application object: its title from the program's file name and its registration as the
// current application.
#include "app/PrereqCheckApp.h"

#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

TEST(PrereqCheckApp, TitleIsTheBaseNameOfTheProgramFile) {
    const struct {
        const char* programPath;
        const char* title;
    } cases[] = {
        {"C:\\Program Files\\PrereqCheck\\PrereqCheck.exe", "PrereqCheck"},
        {"C:\\Tools\\PrereqCheck", "PrereqCheck"},
        {"C:\\Tools.v2\\Check.d\\PrereqCheck", "PrereqCheck"},
        {"C:\\Tools.v2\\PrereqCheck.exe", "PrereqCheck"},
        {"C:\\Tools\\Prereq.Check.exe", "Prereq.Check"},
        {"C:/Tools/PrereqCheck.exe", "PrereqCheck"},
        {"C:\\Tools/sub\\PrereqCheck.EXE", "PrereqCheck"},
        {"PrereqCheck.exe", "PrereqCheck"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SimulatedPc pc;
        pc.programPath = c.programPath;
        ScopedPlatform use(pc);
        PrereqCheckApp application;
        EXPECT_EQ(application.title(), c.title) << c.programPath;
        EXPECT_EQ(programTitle(), c.title) << c.programPath;
    }
}

TEST(PrereqCheckApp, IsTheCurrentApplicationWhileItLives) {
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(currentApplication(), nullptr) << run;
        PrereqCheckApp application;
        EXPECT_EQ(currentApplication(), &application) << run;
        EXPECT_EQ(application.mainWindow(), 0u) << run;
        application.setMainWindow(0x1234);
        EXPECT_EQ(currentApplication()->mainWindow(), 0x1234u) << run;
    }
    EXPECT_EQ(currentApplication(), nullptr);
}

} // namespace
} // namespace prereq
