// A host that links PositionWindow through an import library, as an IDE
// built against the kit does: linking proves the library defines the symbol
// the header's declaration refers to (_PositionWindow@16 in a 32-bit host),
// starting proves it imports the name the DLL exports, and placing a header
// beside its open source proves the call reaches the DLL with its arguments.
//
// Built by clang-cl and lld-link against PositionWindow.lib, and by mingw's
// g++ against libPositionWindow.dll.a (the find_package consumer). The first
// build has no C runtime to link, so the program makes Win32 calls only and
// names its own entry point there.
#include <windows.h>

#include "PositionWindow.h"
#include "platform/mdi_host.h"

namespace {

int passed = 0;
int failed = 0;

void Print(const char* text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(lstrlenA(text)), &written,
              nullptr);
}

void ExpectRect(const char* what, const RECT& actual, const RECT& expected) {
    if (EqualRect(&actual, &expected)) {
        ++passed;
        return;
    }
    ++failed;
    char line[256];
    wsprintfA(line, "import_host: %s at (%d,%d)-(%d,%d), expected (%d,%d)-(%d,%d)\n", what,
              static_cast<int>(actual.left), static_cast<int>(actual.top),
              static_cast<int>(actual.right), static_cast<int>(actual.bottom),
              static_cast<int>(expected.left), static_cast<int>(expected.top),
              static_cast<int>(expected.right), static_cast<int>(expected.bottom));
    Print(line);
}

int Run() {
    if (!mdihost::RegisterHostClasses()) {
        Print("import_host: cannot register the window classes\n");
        return 1;
    }
    const HWND frame = CreateWindowExA(0, mdihost::FrameClass, "Host IDE", WS_OVERLAPPEDWINDOW, 20, 20, 900,
                                       700, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    const HWND client = mdihost::CreateClient(frame);
    const HWND source = mdihost::OpenEditor(client, "C:\\kit\\main.cpp", 400, 40, 200, 100);
    const HWND header = mdihost::OpenEditor(client, "C:\\kit\\main.h", 60, 90, 150, 120);
    if (!frame || !client || !source || !header) {
        Print("import_host: cannot create the host's windows\n");
        return 1;
    }
    mdihost::PumpMessages();
    RECT area;
    GetClientRect(client, &area);

    // Sources on the right: the header goes against the left edge, level
    // with its open source; then the source against the right edge, level
    // with the header.
    PositionWindow("C:\\kit\\main.h", 300, 200, TRUE);
    mdihost::PumpMessages();
    const RECT headerExpected = {0, 40, 300, 240};
    ExpectRect("main.h", mdihost::RectInClient(header, client), headerExpected);

    PositionWindow("C:\\kit\\main.cpp", 250, 150, TRUE);
    mdihost::PumpMessages();
    const RECT sourceExpected = {area.right - 250, 40, area.right, 190};
    ExpectRect("main.cpp", mdihost::RectInClient(source, client), sourceExpected);

    DestroyWindow(frame);
    mdihost::PumpMessages();
    char line[64];
    wsprintfA(line, "import_host: %d passed, %d failed\n", passed, failed);
    Print(line);
    return failed ? 1 : 0;
}

}  // namespace

int main() {
    return Run();
}

#ifdef _MSC_VER
// The entry point of the build without a C runtime (/ENTRY:HostEntry).
extern "C" void __cdecl HostEntry() {
    ExitProcess(static_cast<UINT>(Run()));
}
#endif
