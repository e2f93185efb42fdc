// A host that links PositionWindow through an import library, as an IDE
// built against the kit does: linking proves the library defines the symbol
// the header's declaration refers to (_PositionWindow@16 in a 32-bit host),
// starting proves it imports the name the DLL exports, and placing a header
// beside its open source proves the call reaches the DLL with its arguments.
//
// The shipped DLL is built with /GS and /guard:cf and brings its own load
// configuration and stack cookie. The host reads the cookie as the loader
// finds it, through the load configuration, and expects the random value
// the loader put there in place of the default. A second run of this
// program changes the cookie while PositionWindow is reading an editor's
// title, as an overrun of the frame would, and must end at the DLL's
// __fastfail rather than return.
//
// Built by clang-cl and lld-link against PositionWindow.lib, and by mingw's
// g++ against libPositionWindow.dll.a (the find_package consumer). The first
// build has no C runtime to link, so the program makes Win32 calls only and
// names its own entry point there.
#include <windows.h>

#include <stddef.h>

#include "PositionWindow.h"
#include "testhost/mdi_host.h"

namespace {

int passed = 0;
int failed = 0;

void Print(const char* text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(lstrlenA(text)), &written,
              nullptr);
}

void Expect(bool ok, const char* failure) {
    if (ok) {
        ++passed;
        return;
    }
    ++failed;
    Print("import_host: ");
    Print(failure);
    Print("\n");
}

// The cookie a /GS build starts with, which the loader replaces.
#ifdef _WIN64
constexpr ULONG_PTR DefaultCookie = 0x00002B992DDFA232;
#else
constexpr ULONG_PTR DefaultCookie = 0xBB40E64E;
#endif
// What __fastfail ends a process with.
constexpr DWORD StackBufferOverrun = 0xC0000409;
// What it ends with under qemu's user-mode emulator, which runs 32-bit Wine
// on kernels without i386 support: qemu knows no int 0x29 and reports an
// illegal instruction, which Wine raises as such.
constexpr DWORD IllegalInstruction = 0xC000001D;
// Makes the program the run that changes the cookie.
constexpr char OverwriteCookieFlag[] = " --overwrite-cookie";

// The DLL's stack cookie, found as the loader finds it: the load
// configuration's SecurityCookie. Null when the DLL has none, or names one
// outside its image.
ULONG_PTR* LoadedCookie() {
    const auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA("PositionWindow.dll"));
    if (!base)
        return nullptr;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG];
    if (!directory.VirtualAddress ||
        directory.Size < offsetof(IMAGE_LOAD_CONFIG_DIRECTORY, SecurityCookie) + sizeof(ULONG_PTR))
        return nullptr;
    const auto* config = reinterpret_cast<const IMAGE_LOAD_CONFIG_DIRECTORY*>(base + directory.VirtualAddress);
    const ULONG_PTR cookie = config->SecurityCookie;
    const ULONG_PTR start = reinterpret_cast<ULONG_PTR>(base);
    if (cookie < start || cookie + sizeof(ULONG_PTR) > start + nt->OptionalHeader.SizeOfImage)
        return nullptr;
    return reinterpret_cast<ULONG_PTR*>(cookie);
}

// Set in the run that changes the cookie: the first title the DLL reads
// changes it, while the DLL's frames that stored it are live.
ULONG_PTR* cookieToOverwrite = nullptr;

LRESULT CALLBACK OverwritingEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXT && cookieToOverwrite) {
        *cookieToOverwrite ^= 0x5A5A;
        cookieToOverwrite = nullptr;
    }
    return mdihost::EditorProc(window, message, wParam, lParam);
}

// Whether this 32-bit program runs through qemu, as the test scripts found
// when they set up Wine (WINE32_QEMU=yes). Decided from the set-up, never
// from how the process ended.
bool ThroughQemu() {
#ifdef _WIN64
    return false;
#else
    char value[4] = "";
    return GetEnvironmentVariableA("WINE32_QEMU", value, sizeof value) == 3 && lstrcmpA(value, "yes") == 0;
#endif
}

bool EndsWith(const char* text, const char* tail) {
    const int textLength = lstrlenA(text);
    const int tailLength = lstrlenA(tail);
    return textLength >= tailLength && lstrcmpA(text + textLength - tailLength, tail) == 0;
}

// Runs this program again with `flag`; its exit code, or 0xFFFFFFFF when it
// cannot be run.
DWORD RunSelf(const char* flag) {
    char path[MAX_PATH];
    char commandLine[MAX_PATH + 64];
    if (!GetModuleFileNameA(nullptr, path, sizeof path))
        return 0xFFFFFFFF;
    wsprintfA(commandLine, "\"%s\"%s", path, flag);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 0xFFFFFFFF;
    DWORD code = 0xFFFFFFFF;
    // Well within the test's own timeout, so that a run that hangs is
    // reported as such.
    if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
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
    const bool overwriteCookie = EndsWith(GetCommandLineA(), OverwriteCookieFlag);
    if (!mdihost::RegisterHostClasses(mdihost::FrameProc,
                                      overwriteCookie ? OverwritingEditorProc : mdihost::EditorProc)) {
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

    if (overwriteCookie) {
        // Any other crash ends this run at once with its own code, rather
        // than in a debugger that would keep it open.
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
        cookieToOverwrite = LoadedCookie();
        if (!cookieToOverwrite) {
            Print("import_host: the DLL has no stack cookie to overwrite\n");
            return 1;
        }
        PositionWindow("C:\\kit\\main.h", 300, 200, TRUE);
        Print(cookieToOverwrite ? "import_host: PositionWindow read no editor's title\n"
                                : "import_host: PositionWindow returned with its stack cookie changed\n");
        return 1;
    }

    char line[256];
    const ULONG_PTR* cookie = LoadedCookie();
    Expect(cookie != nullptr, "the DLL's load configuration names no stack cookie");
    if (cookie) {
        wsprintfA(line, "import_host: the DLL's stack cookie is %p (its default %p)\n",
                  reinterpret_cast<void*>(*cookie), reinterpret_cast<void*>(DefaultCookie));
        Print(line);
        Expect(*cookie != DefaultCookie, "the loader left the DLL's stack cookie at its default value");
    }
    const DWORD overwritten = RunSelf(OverwriteCookieFlag);
    const DWORD expected = ThroughQemu() ? IllegalInstruction : StackBufferOverrun;
    if (ThroughQemu()) {
        wsprintfA(line, "import_host: 32-bit Wine runs through qemu here (WINE32_QEMU=yes), which ends __fastfail "
                        "(int 0x29) as an illegal instruction: %#lx stands for %#lx\n",
                  static_cast<unsigned long>(IllegalInstruction), static_cast<unsigned long>(StackBufferOverrun));
        Print(line);
    }
    wsprintfA(line, "with the stack cookie changed during a call, the host ended with %#lx, not %#lx",
              static_cast<unsigned long>(overwritten), static_cast<unsigned long>(expected));
    Expect(overwritten == expected, line);

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
