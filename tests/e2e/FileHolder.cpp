// FileHolder: opens one existing file with no sharing and keeps it open, as another program
// that holds a report would. It ends on its own after two minutes so it can never outlive a run.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    Sleep(120000);
    CloseHandle(file);
    return 0;
}
