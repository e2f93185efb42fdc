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

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND client = FindWindowExA(window, nullptr, "MDIClient", nullptr);
    return client ? DefFrameProcA(window, client, message, wParam, lParam)
                  : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefMDIChildProcA(window, message, wParam, lParam);
}

bool Register(const char* name, WNDPROC proc) {
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

void Flush() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

RECT InClient(HWND window, HWND client) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int Run() {
    if (!Register("QDVSHELL", FrameProc) || !Register("QDV7Editor", EditorProc)) {
        Print("import_host: cannot register the window classes\n");
        return 1;
    }
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const HWND frame = CreateWindowExA(0, "QDVSHELL", "Host IDE", WS_OVERLAPPEDWINDOW, 20, 20, 900,
                                       700, nullptr, nullptr, instance, nullptr);
    CLIENTCREATESTRUCT ccs = {nullptr, 1000};
    const HWND client = CreateWindowExA(0, "MDIClient", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 820,
                                        620, frame, nullptr, instance, &ccs);
    const HWND source = CreateMDIWindowA("QDV7Editor", "C:\\kit\\main.cpp", WS_VISIBLE, 400, 40,
                                         200, 100, client, instance, 0);
    const HWND header = CreateMDIWindowA("QDV7Editor", "C:\\kit\\main.h", WS_VISIBLE, 60, 90,
                                         150, 120, client, instance, 0);
    if (!frame || !client || !source || !header) {
        Print("import_host: cannot create the host's windows\n");
        return 1;
    }
    Flush();
    RECT area;
    GetClientRect(client, &area);

    // Sources on the right: the header goes against the left edge, level
    // with its open source; then the source against the right edge, level
    // with the header.
    PositionWindow("C:\\kit\\main.h", 300, 200, TRUE);
    Flush();
    const RECT headerExpected = {0, 40, 300, 240};
    ExpectRect("main.h", InClient(header, client), headerExpected);

    PositionWindow("C:\\kit\\main.cpp", 250, 150, TRUE);
    Flush();
    const RECT sourceExpected = {area.right - 250, 40, area.right, 190};
    ExpectRect("main.cpp", InClient(source, client), sourceExpected);

    DestroyWindow(frame);
    Flush();
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
