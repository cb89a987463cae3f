// DialogDriver: plays the user of PrereqCheck inside the same Wine desktop. It starts the
// program, finds its dialog by caption, reads the three rows, presses buttons, reads and
// dismisses message boxes, closes the dialog and waits for the program to end. Every observation
// is one line on standard output, so the scenario runner can compare them with what it expects.
//
// Usage: DialogDriver.exe PROGRAM COMMAND...   (commands run in order; see runCommand)
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace prereq::e2e {

namespace {

const char* const dialogCaption = "N6P2 Prerequisite Check";
const DWORD pollMs = 50;

struct Row {
    int number;
    int satisfiedPicture;
    int notSatisfiedPicture;
    int statusText;
    int detailsButton;
};
const Row rows[] = {
    {1, 1010, 1011, 1013, 1006},
    {2, 1009, 1012, 1014, 1007},
    {3, 1016, 1018, 1017, 1008},
};
const int helpButton = 1019;

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

// The folder of this program, with a trailing backslash: the helpers and the browser's log
// live beside it.
std::string toolsFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// In an emulated PC every step takes several times as long: PREREQ_E2E_PATIENCE, a whole
// factor (1 unless set), stretches every limit.
DWORD patience() {
    static const DWORD factor = [] {
        char value[16] = "";
        const DWORD length = GetEnvironmentVariableA("PREREQ_E2E_PATIENCE", value, sizeof value);
        const int parsed = length > 0 && length < sizeof value ? std::atoi(value) : 0;
        return parsed > 0 ? static_cast<DWORD>(parsed) : DWORD{1};
    }();
    return factor;
}

// Polls until done() holds or the limit (stretched by patience()) passes; returns whether it held.
template <typename Condition> bool waitFor(DWORD limitMs, Condition done) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= limitMs * patience())
            return false;
        Sleep(pollMs);
    }
}

std::string windowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string className(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

class Driver {
public:
    explicit Driver(std::string program) : program_(std::move(program)) {}
    ~Driver() {
        if (holder_.hProcess) {
            TerminateProcess(holder_.hProcess, 0);
            CloseHandle(holder_.hProcess);
            CloseHandle(holder_.hThread);
        }
        if (process_.hProcess) {
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // Runs one command with its argument; false stops the run (the program is gone or never
    // showed its dialog, so nothing after it can be observed).
    bool runCommand(const std::string& command, const std::string& argument);

private:
    bool start();
    void printRows();
    void click(int id);
    void expectMessageBox(DWORD limitMs, bool quietWhenNone);
    void close(const std::string& how);
    void waitForEnd();
    void hold(const std::string& path);
    void waitForBrowser(int lines);
    void screenshot(const std::string& name);
    HWND findMessageBox();
    void activate();
    void pressKey(WORD key);

    std::string program_;
    PROCESS_INFORMATION process_ = {};
    PROCESS_INFORMATION holder_ = {};
    HWND dialog_ = nullptr;
};

// The program's standard output goes to program.out beside the driver, where the runner reads
// the lines the program writes when it cannot find a document.
bool Driver::start() {
    std::string commandLine = "\"" + program_ + "\"";
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE output = CreateFileA((toolsFolder() + "program.out").c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = startup.hStdError = output;
    const BOOL started = CreateProcessA(program_.c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                                        0, nullptr, nullptr, &startup, &process_);
    if (output != INVALID_HANDLE_VALUE)
        CloseHandle(output);
    if (!started) {
        say("start failed " + std::to_string(GetLastError()));
        return false;
    }
    const DWORD programId = process_.dwProcessId;
    const bool shown = waitFor(30000, [&] {
        HWND window = FindWindowA(nullptr, dialogCaption);
        DWORD owner = 0;
        if (window)
            GetWindowThreadProcessId(window, &owner);
        if (window && owner == programId && IsWindowVisible(window))
            dialog_ = window;
        return dialog_ != nullptr || WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
    });
    if (!shown || !dialog_) {
        say("dialog missing");
        waitForEnd();
        return false;
    }
    say("dialog shown");
    return true;
}

void Driver::printRows() {
    auto shown = [&](int id) {
        HWND control = GetDlgItem(dialog_, id);
        return !control ? "missing" : IsWindowVisible(control) ? "shown" : "hidden";
    };
    for (const Row& row : rows) {
        char text[256] = "";
        GetDlgItemTextA(dialog_, row.statusText, text, sizeof text);
        say("row " + std::to_string(row.number) + " check=" + shown(row.satisfiedPicture) +
            " cross=" + shown(row.notSatisfiedPicture) + " details=" + shown(row.detailsButton) +
            " text=" + text);
    }
    say(std::string("help ") + shown(helpButton));
}

void Driver::click(int id) {
    HWND button = GetDlgItem(dialog_, id);
    say("click " + std::to_string(id) + (button && IsWindowVisible(button) ? "" : " (not shown)"));
    if (button)
        PostMessageA(button, BM_CLICK, 0, 0);
}

// A message box is a dialog window (#32770) of the program other than the main dialog.
struct MessageBoxSearch {
    DWORD programId;
    HWND dialog;
    HWND found;
};

// An enumeration procedure must be CALLBACK: a lambda would have the default calling
// convention, which is not EnumWindows's on 32-bit Windows.
BOOL CALLBACK matchMessageBox(HWND window, LPARAM parameter) {
    auto* s = reinterpret_cast<MessageBoxSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s->programId && window != s->dialog && IsWindowVisible(window) &&
        className(window) == "#32770") {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND Driver::findMessageBox() {
    MessageBoxSearch search = {process_.dwProcessId, dialog_, nullptr};
    EnumWindows(matchMessageBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Driver::expectMessageBox(DWORD limitMs, bool quietWhenNone) {
    HWND box = nullptr;
    waitFor(limitMs, [&] { return (box = findMessageBox()) != nullptr; });
    if (!box) {
        say(quietWhenNone ? "msgbox none" : "msgbox missing");
        return;
    }
    Sleep(200); // let the box finish laying itself out before it is read
    char text[1024] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    const HWND owner = GetWindow(box, GW_OWNER);
    std::string buttons;
    const struct {
        int id;
        const char* name;
    } known[] = {{IDOK, "OK"}, {IDCANCEL, "Cancel"}, {IDYES, "Yes"}, {IDNO, "No"}};
    for (const auto& button : known)
        if (GetDlgItem(box, button.id))
            buttons += std::string(buttons.empty() ? "" : ",") + button.name;
    say("msgbox caption=" + windowText(box) + " buttons=" + buttons + " owner=" +
        (owner == dialog_ ? "dialog"
         : owner          ? "other"
                          : "none") +
        " icon=" + (GetDlgItem(box, 1088) ? "yes" : "no") + " text=" + text);
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    if (!waitFor(5000, [&] { return !IsWindow(box); }))
        say("msgbox stays open");
}

void Driver::activate() {
    SetForegroundWindow(dialog_);
    waitFor(2000, [&] { return GetForegroundWindow() == dialog_; });
}

// Keys go through the input queue of the foreground window, as typed keys do.
void Driver::pressKey(WORD key) {
    activate();
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void Driver::close(const std::string& how) {
    say("close " + how);
    if (how == "ok")
        PostMessageA(GetDlgItem(dialog_, IDOK), BM_CLICK, 0, 0);
    else if (how == "enter")
        pressKey(VK_RETURN);
    else if (how == "esc")
        pressKey(VK_ESCAPE);
    else if (how == "closebox") // what the caption's close box sends
        PostMessageA(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
    else if (how == "wmclose")
        PostMessageA(dialog_, WM_CLOSE, 0, 0);
    else
        say("unknown close " + how);
}

void Driver::waitForEnd() {
    if (WaitForSingleObject(process_.hProcess, 15000) != WAIT_OBJECT_0) {
        say("still running");
        TerminateProcess(process_.hProcess, 99);
        return;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    say("ended code " + std::to_string(code));
}

// Starts FileHolder on path and returns once the file is really held (opening it with full
// sharing is refused).
void Driver::hold(const std::string& path) {
    std::string commandLine = "\"" + toolsFolder() + "FileHolder.exe\" \"" + path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &holder_)) {
        say("hold failed " + std::to_string(GetLastError()));
        return;
    }
    const bool held = waitFor(10000, [&] {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return false;
        }
        return GetLastError() == ERROR_SHARING_VIOLATION;
    });
    say(held ? "held " + path : "not held " + path);
}

// The fake browser appends one line per start to browser.log beside it.
void Driver::waitForBrowser(int lines) {
    const std::string log = toolsFolder() + "browser.log";
    int count = 0;
    waitFor(10000, [&] {
        count = 0;
        if (FILE* file = std::fopen(log.c_str(), "rb")) {
            for (int c; (c = std::fgetc(file)) != EOF;)
                count += c == '\n';
            std::fclose(file);
        }
        return count >= lines;
    });
    say("browser started " + std::to_string(count));
}

// The runner takes the screenshot: it watches for this line and answers with NAME.done.
void Driver::screenshot(const std::string& name) {
    activate(); // the caption is drawn as the user sees it right after start
    // Wine activates the dialog before the new desktop has a foreground window, so the caption
    // stays grey once the dialog becomes the foreground window: have the frame drawn as active.
    if (GetForegroundWindow() == dialog_)
        SendMessageTimeoutA(dialog_, WM_NCACTIVATE, TRUE, 0, SMTO_NORMAL, 5000, nullptr);
    // On a busy machine the dialog may not have painted every control yet: have it paint now,
    // and let its thread answer once more before the picture is taken.
    RedrawWindow(dialog_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    say("shot " + name);
    if (!waitFor(20000, [&] { return fileExists(toolsFolder() + name + ".done"); }))
        say("screenshot missing");
}

bool Driver::runCommand(const std::string& command, const std::string& argument) {
    if (command == "start")
        return start();
    if (command == "hold")
        hold(argument);
    else if (command == "rows")
        printRows();
    else if (command == "click")
        click(std::atoi(argument.c_str()));
    else if (command == "msgbox")
        expectMessageBox(10000, false);
    else if (command == "nomsgbox")
        expectMessageBox(500, true);
    else if (command == "browsed")
        waitForBrowser(std::atoi(argument.c_str()));
    else if (command == "shot")
        screenshot(argument);
    else if (command == "close")
        close(argument);
    else if (command == "wait")
        waitForEnd();
    else if (command == "sleep")
        Sleep(std::atoi(argument.c_str()));
    else {
        say("unknown command " + command);
        return false;
    }
    return true;
}

// Commands that take an argument; the others stand alone.
bool takesArgument(const std::string& command) {
    return command == "hold" || command == "click" || command == "browsed" || command == "shot" ||
           command == "close" || command == "sleep";
}

} // namespace

} // namespace prereq::e2e

int main(int argc, char** argv) {
    using namespace prereq::e2e;
    if (argc < 3) {
        std::fputs("usage: DialogDriver PROGRAM COMMAND...\n", stderr);
        return 2;
    }
    _setmode(_fileno(stdout), _O_BINARY); // lines end in \n alone, as the runner writes them
    Driver driver(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const std::string command = argv[i];
        std::string argument;
        if (takesArgument(command) && i + 1 < argc)
            argument = argv[++i];
        if (!driver.runCommand(command, argument))
            break;
    }
    say("done");
    return 0;
}
