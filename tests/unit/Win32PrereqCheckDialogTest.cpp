// The main dialog as the user meets it, run modally from the program's own template against a
// simulated PC: each row by its product's verdict, the Details and help buttons, the ways of
// closing it, its icon, and its standing as the main window while it runs.
#include "app/Win32PrereqCheckDialog.h"
#include "app/PrereqCheckApp.h"
#include "checks/RequirementSet.h"
#include "platform/Platform.h"
#include "platform/simulated/SimulatedPc.h"
#include "resources/StringIds.h"
#include "resources/resource.h"
#include "tests/unit/Win32ProgramResources.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace prereq {
namespace {

constexpr INT_PTR kAbandoned = 77; // the dialog was still open when the watchdog struck
const char* const kSatisfied = "Prerequisites satisfied";
const char* const kNotSatisfied = "Prerequisites not satisfied";

void click(HWND dialog, int button) {
    SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}

bool visible(HWND dialog, int control) {
    return IsWindowVisible(GetDlgItem(dialog, control)) != 0;
}

std::string textOf(HWND dialog, int control) {
    char buffer[256] = {};
    GetDlgItemTextA(dialog, control, buffer, sizeof buffer);
    return buffer;
}

// The path the browser was given, without the quotes the launcher may put around it.
std::string unquoted(std::string path) {
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    return path;
}

// Each list gets its documented number of entries, all satisfied but the first, which carries
// the verdict wanted for the product.
void fill(RequirementSet& list, int count, std::int32_t firstStatus) {
    for (int i = 0; i < count; ++i) {
        PrerequisiteResult entry;
        entry.setStatus(i == 0 ? firstStatus : Satisfied);
        entry.setShownInReport(1);
        entry.setMinimumPrerequisite("Entry " + std::to_string(i));
        list.add(entry);
    }
}

} // namespace

// Outside the anonymous namespace: the dialog's friend.
class PrereqCheckDialogTest : public ::testing::Test {
public:
    // What the dialog keeps to itself: the window it runs in, the three status texts in row
    // order, and the name of the Wardline LAN report.
    static HWND windowOf(const PrereqCheckDialog& dialog) { return dialog.window_; }
    static std::vector<std::string> statusTexts(const PrereqCheckDialog& dialog) {
        return {dialog.plinthSetupStatusText_, dialog.wardlineStatusText_,
                dialog.wardlineLanStatusText_};
    }
    static std::string wardlineLanReport(const PrereqCheckDialog& dialog) {
        return dialog.wardlineLan_.reportFileName();
    }

protected:
    PrereqCheckDialogTest() : pc(SimulatedPc::windows2000()), use(pc) {
        pc.setAssociation(".htm", "C:\\Browser\\browser.exe");
        pc.setAssociation(".html", "C:\\Browser\\browser.exe");
        releaseRequirementLists();
    }
    ~PrereqCheckDialogTest() override { releaseRequirementLists(); }

    void verdicts(std::int32_t plinthSetup, std::int32_t wardline, std::int32_t wardlineLan) {
        fill(plinthSetupRequirements, 8, plinthSetup);
        fill(wardlineLanRequirements, 4, wardlineLan);
        fill(wardlineRequirements, 7, wardline);
    }

    SimulatedPc pc;
    ScopedPlatform use;
    PrereqCheckApp application;
};

namespace {

std::function<void(HWND)>* pendingAction = nullptr;
PrereqCheckDialog* runningDialog = nullptr;

void CALLBACK actOnDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (const HWND window = PrereqCheckDialogTest::windowOf(*runningDialog))
        (*pendingAction)(window);
}

void CALLBACK abandonDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (const HWND window = PrereqCheckDialogTest::windowOf(*runningDialog))
        EndDialog(window, kAbandoned);
}

// Runs the dialog modally and hands its window to act once it shows. act ends the dialog; if a
// failed check leaves it open, a watchdog ends it with kAbandoned.
INT_PTR runModal(PrereqCheckDialog& dialog, std::function<void(HWND)> act) {
    pendingAction = &act;
    runningDialog = &dialog;
    const UINT_PTR actTimer = SetTimer(nullptr, 0, 1, actOnDialog);
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 10000, abandonDialog);
    const INT_PTR result = dialog.run();
    KillTimer(nullptr, actTimer);
    KillTimer(nullptr, watchdog);
    return result;
}

TEST_F(PrereqCheckDialogTest, ResourcesAreAvailable) {
    ASSERT_NE(programResources(), nullptr) << "PrereqCheck.exe is not beside the tests";
}

TEST_F(PrereqCheckDialogTest, ShowsEachRowByItsOwnVerdict) {
    struct Row {
        int check, cross, status, details;
    };
    const Row rows[] = {
        {IDC_PLINTH_SETUP_SATISFIED, IDC_PLINTH_SETUP_NOT_SATISFIED, IDC_PLINTH_SETUP_STATUS,
         IDC_DETAILS_PLINTH_SETUP},
        {IDC_WARDLINE_SATISFIED, IDC_WARDLINE_NOT_SATISFIED, IDC_WARDLINE_STATUS,
         IDC_DETAILS_WARDLINE},
        {IDC_WARDLINE_LAN_SATISFIED, IDC_WARDLINE_LAN_NOT_SATISFIED, IDC_WARDLINE_LAN_STATUS,
         IDC_DETAILS_WARDLINE_LAN},
    };
    const std::int32_t cases[][3] = {
        {Satisfied, Satisfied, Satisfied},           {NotSatisfied, NotSatisfied, NotSatisfied},
        {NotSatisfied, Satisfied, BelowRecommended}, {BelowRecommended, NotSatisfied, Satisfied},
        {Satisfied, BelowRecommended, NotSatisfied},
    };
    ASSERT_NE(programResources(), nullptr);
    for (const auto& verdict : cases) {
        releaseRequirementLists();
        verdicts(verdict[0], verdict[1], verdict[2]);
        const std::string name =
            std::to_string(verdict[0]) + std::to_string(verdict[1]) + std::to_string(verdict[2]);
        PrereqCheckDialog dialog(programResources());
        const INT_PTR result = runModal(dialog, [&](HWND window) {
            for (int row = 0; row < 3; ++row) {
                const bool satisfied = verdict[row] == Satisfied;
                EXPECT_EQ(visible(window, rows[row].check), satisfied) << name << " row " << row;
                EXPECT_EQ(visible(window, rows[row].cross), !satisfied) << name << " row " << row;
                EXPECT_EQ(visible(window, rows[row].details), !satisfied) << name << " row " << row;
                EXPECT_EQ(textOf(window, rows[row].status), satisfied ? kSatisfied : kNotSatisfied)
                    << name << " row " << row;
            }
            // The help button and the texts around it never change.
            EXPECT_TRUE(visible(window, IDC_LAN_HELP)) << name;
            EXPECT_EQ(textOf(window, IDC_LAN_HELP), "Details") << name;
            EXPECT_EQ(textOf(window, IDC_LAN_WARNING).substr(0, 27), "If the PC you are using for")
                << name;
            click(window, IDOK);
        });
        EXPECT_EQ(result, IDOK) << name;
        std::vector<std::string> texts;
        for (const std::int32_t status : verdict)
            texts.push_back(status == Satisfied ? kSatisfied : kNotSatisfied);
        EXPECT_EQ(statusTexts(dialog), texts) << name;
    }
}

TEST_F(PrereqCheckDialogTest, TabKeyReachesOnlyTheDetailsButtonsShown) {
    ASSERT_NE(programResources(), nullptr);
    struct Case {
        std::int32_t plinthSetup, wardline, wardlineLan;
        std::vector<int> tabOrder; // from OK round to OK
    };
    const Case cases[] = {
        {Satisfied, Satisfied, Satisfied, {IDOK, IDC_LAN_HELP}},
        {NotSatisfied,
         Satisfied,
         BelowRecommended,
         {IDOK, IDC_DETAILS_PLINTH_SETUP, IDC_DETAILS_WARDLINE_LAN, IDC_LAN_HELP}},
        {Satisfied, NotSatisfied, Satisfied, {IDOK, IDC_DETAILS_WARDLINE, IDC_LAN_HELP}},
    };
    for (const Case& c : cases) {
        releaseRequirementLists();
        verdicts(c.plinthSetup, c.wardline, c.wardlineLan);
        PrereqCheckDialog dialog(programResources());
        const INT_PTR result = runModal(dialog, [&](HWND window) {
            HWND control = GetDlgItem(window, IDOK);
            std::vector<int> order;
            for (std::size_t i = 0; i < c.tabOrder.size() + 1; ++i) {
                order.push_back(GetDlgCtrlID(control));
                control = GetNextDlgTabItem(window, control, FALSE);
            }
            std::vector<int> expected = c.tabOrder;
            expected.push_back(IDOK);
            EXPECT_EQ(order, expected);
            EXPECT_EQ(LOWORD(SendMessageA(window, DM_GETDEFID, 0, 0)), IDOK);
            click(window, IDOK);
        });
        EXPECT_EQ(result, IDOK);
    }
}

TEST_F(PrereqCheckDialogTest, DetailsButtonsOpenTheirReportsOwnedByTheDialog) {
    ASSERT_NE(programResources(), nullptr);
    verdicts(NotSatisfied, BelowRecommended, NotSatisfied);
    PrereqCheckDialog dialog(programResources());
    ASSERT_TRUE(pc.files.count("C:\\Reports\\PlinthSetupStatus.htm"));
    ASSERT_TRUE(pc.files.count("C:\\Reports\\WardlineStatus.htm"));
    ASSERT_TRUE(pc.files.count("C:\\Reports\\WardlineLANStatus.htm"));
    HWND shown = nullptr;
    const INT_PTR result = runModal(dialog, [&](HWND window) {
        shown = window;
        EXPECT_EQ(application.mainWindow(), reinterpret_cast<WindowHandle>(window));
        click(window, IDC_DETAILS_WARDLINE_LAN);
        click(window, IDC_DETAILS_PLINTH_SETUP);
        click(window, IDC_DETAILS_WARDLINE);
        click(window, IDC_DETAILS_WARDLINE_LAN); // again: from the full path kept the first time
        SendMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    const char* const expected[] = {
        "C:\\Reports\\WardlineLANStatus.htm", "C:\\Reports\\PlinthSetupStatus.htm",
        "C:\\Reports\\WardlineStatus.htm", "C:\\Reports\\WardlineLANStatus.htm"};
    ASSERT_EQ(pc.launches.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(unquoted(pc.launches[i].parameters), expected[i]) << i;
        EXPECT_EQ(pc.launches[i].file, "C:\\Browser\\browser.exe") << i;
        EXPECT_EQ(pc.launches[i].owner, reinterpret_cast<WindowHandle>(shown)) << i;
    }
    EXPECT_TRUE(pc.messageBoxes.empty());
    EXPECT_EQ(wardlineLanReport(dialog), "C:\\Reports\\WardlineLANStatus.htm");
    // Once the dialog is gone it owns nothing any more.
    EXPECT_EQ(application.mainWindow(), 0u);
}

TEST_F(PrereqCheckDialogTest, HelpButtonOpensThePageOrSaysItCannot) {
    ASSERT_NE(programResources(), nullptr);
    verdicts(Satisfied, Satisfied, Satisfied);
    PrereqCheckDialog dialog(programResources());
    HWND shown = nullptr;
    const INT_PTR result = runModal(dialog, [&](HWND window) {
        shown = window;
        click(window, IDC_LAN_HELP); // present nowhere
        pc.addExistingPath("C:\\Reports\\plintherror.html");
        click(window, IDC_LAN_HELP);
        SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(pc.messageBoxes.size(), 1u);
    EXPECT_EQ(pc.messageBoxes[0].owner, reinterpret_cast<WindowHandle>(shown));
    EXPECT_NE(pc.messageBoxes[0].text.find("named plintherror.html."), std::string::npos);
    ASSERT_EQ(pc.launches.size(), 1u);
    EXPECT_EQ(unquoted(pc.launches[0].parameters), "C:\\Reports\\plintherror.html");
    EXPECT_TRUE(pc.files.empty()); // every product satisfied: no report
}

TEST_F(PrereqCheckDialogTest, OkTakesTheTextsBackAndCancelDoesNot) {
    ASSERT_NE(programResources(), nullptr);
    verdicts(Satisfied, NotSatisfied, Satisfied);
    struct Case {
        const char* name;
        std::function<void(HWND)> close;
        INT_PTR result;
        bool textsTaken;
    };
    const Case cases[] = {
        {"OK", [](HWND window) { click(window, IDOK); }, IDOK, true},
        {"Enter", [](HWND window) { SendMessageA(window, WM_COMMAND, IDOK, 0); }, IDOK, true},
        {"Esc", [](HWND window) { SendMessageA(window, WM_COMMAND, IDCANCEL, 0); }, IDCANCEL,
         false},
        {"close box", [](HWND window) { SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); },
         IDCANCEL, false},
    };
    for (const Case& c : cases) {
        PrereqCheckDialog dialog(programResources());
        const INT_PTR result = runModal(dialog, [&](HWND window) {
            SetDlgItemTextA(window, IDC_PLINTH_SETUP_STATUS, "edited 1");
            SetDlgItemTextA(window, IDC_WARDLINE_LAN_STATUS, "");
            c.close(window);
        });
        EXPECT_EQ(result, c.result) << c.name;
        const std::vector<std::string> texts = {c.textsTaken ? "edited 1" : kSatisfied,
                                                kNotSatisfied, c.textsTaken ? "" : kSatisfied};
        EXPECT_EQ(statusTexts(dialog), texts) << c.name;
        EXPECT_EQ(windowOf(dialog), nullptr) << c.name;
        EXPECT_EQ(application.mainWindow(), 0u) << c.name;
    }
}

TEST_F(PrereqCheckDialogTest, IconIsTheProgramIconBigSmallAndForDragging) {
    ASSERT_NE(programResources(), nullptr);
    verdicts(Satisfied, Satisfied, Satisfied);
    PrereqCheckDialog dialog(programResources());
    ASSERT_NE(dialog.queryDragIcon(), nullptr);
    const INT_PTR result = runModal(dialog, [&](HWND window) {
        const LRESULT icon = reinterpret_cast<LRESULT>(dialog.queryDragIcon());
        EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_BIG, 0), icon);
        EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), icon);
        EXPECT_EQ(SendMessageA(window, WM_QUERYDRAGICON, 0, 0), icon);
        click(window, IDOK);
    });
    EXPECT_EQ(result, IDOK);
}

TEST_F(PrereqCheckDialogTest, WithoutItsTemplateTheDialogEndsAtOnce) {
    // The test program has no dialog 102: the run fails and leaves no main window behind.
    verdicts(NotSatisfied, Satisfied, Satisfied);
    PrereqCheckDialog dialog(GetModuleHandleA(nullptr));
    EXPECT_TRUE(pc.files.count("C:\\Reports\\PlinthSetupStatus.htm"));
    EXPECT_EQ(dialog.run(), -1);
    EXPECT_EQ(windowOf(dialog), nullptr);
    EXPECT_EQ(application.mainWindow(), 0u);
    EXPECT_EQ(dialog.queryDragIcon(), nullptr);
}

} // namespace
} // namespace prereq
