// Win32 host tests: builds the host IDE's window tree with real windows,
// loads the DLL the way the IDE does, and checks where windows land.
// Usage: host_test [path of the DLL]   (default: PositionWindow.dll)
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "PositionWindow.h"
#include "placement_scenarios.h"
#include "rect_format.h"

namespace {

int passed = 0;
int failed = 0;

// Reports the caller's file and line, as Wine's conformance tests do.
void OkAt(const char* file, int line, bool condition, const char* format, ...) {
    if (condition) {
        ++passed;
        return;
    }
    ++failed;
    std::printf("%s:%d: Test failed: ", file, line);
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::printf("\n");
}
#define ok(condition, ...) OkAt(__FILE__, __LINE__, (condition), __VA_ARGS__)

PositionWindowFunction positionWindow = nullptr;

#if defined(_M_IX86) && defined(__GNUC__)
// Calls `function` with the four arguments and returns how far the stack
// pointer moved across the call: 0 for a stdcall callee, which removes its
// arguments; -16 for a cdecl one, which leaves them to the caller. GNU
// assembler syntax: an MSVC build of this test calls the export directly.
extern "C" int CallAndMeasureStack(PositionWindowFunction function, const char* title,
                                   int width, int height, unsigned sourceOnRight);
asm(".text\n"
    ".globl _CallAndMeasureStack\n"
    "_CallAndMeasureStack:\n"
    "    pushl %ebp\n"
    "    movl %esp, %ebp\n"
    "    pushl %esi\n"
    "    movl %esp, %esi\n"
    "    pushl 24(%ebp)\n"
    "    pushl 20(%ebp)\n"
    "    pushl 16(%ebp)\n"
    "    pushl 12(%ebp)\n"
    "    call *8(%ebp)\n"
    "    movl %esp, %eax\n"
    "    subl %esi, %eax\n"
    "    movl %esi, %esp\n"
    "    popl %esi\n"
    "    popl %ebp\n"
    "    ret\n");
#endif

// Every call to the DLL goes through here; in a 32-bit host it also checks
// that the export removed its own arguments.
void CallPositionWindow(const char* title, int width, int height, unsigned sourceOnRight) {
#if defined(_M_IX86) && defined(__GNUC__)
    const int moved = CallAndMeasureStack(positionWindow, title, width, height, sourceOnRight);
    ok(moved == 0, "stack pointer moved by %d bytes across PositionWindow: not stdcall", moved);
#else
    positionWindow(title, width, height, static_cast<BOOL>(sourceOnRight));
#endif
}

// The stand-in host: a frame, its MDI client and editor windows.

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND client = FindWindowExA(window, nullptr, "MDIClient", nullptr);
    return client ? DefFrameProcA(window, client, message, wParam, lParam)
                  : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_MDICHILD)
        return DefMDIChildProcA(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClasses() {
    const struct {
        const char* name;
        WNDPROC proc;
    } classes[] = {
        {"QDVSHELL", FrameProc},
        {"QDV7Editor", EditorProc},
        {"QDV7EditorX", DefWindowProcA},
        {"QDV7EditorWithLongName", DefWindowProcA},
    };
    for (const auto& c : classes) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = c.proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        wc.lpszClassName = c.name;
        ok(RegisterClassA(&wc) != 0, "RegisterClassA(%s) failed: %lu", c.name, GetLastError());
    }
}

// Pumps messages so that the windows settle before they are measured.
void Flush() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

RECT RectInClientOf(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> ChildrenInZOrder(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

struct Win32Host {
    HWND frame = nullptr;
    HWND client = nullptr;
    std::vector<HWND> windows;  // in scenario order

    explicit Win32Host(const Scenario& s) {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        if (s.host != HostShape::NoFrame) {
            frame = CreateWindowExA(0, "QDVSHELL", "Host IDE", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    20, 20, 900, 700, nullptr, nullptr, instance, nullptr);
            ok(frame != nullptr, "frame not created");
        }
        if (s.host == HostShape::Full) {
            CLIENTCREATESTRUCT ccs = {nullptr, 1000};
            // No scroll bar styles: the client width must not change when
            // windows reach past its edge.
            client = CreateWindowExA(0, "MDIClient", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE,
                                     0, 0, 820, 620, frame, nullptr, instance, &ccs);
            ok(client != nullptr, "client not created");
        }
        for (const ScenarioWindow& w : s.windows) {
            if (!w.className)
                break;
            windows.push_back(CreateScenarioWindow(w, instance));
        }
        for (size_t i = 0; i < windows.size(); ++i) {
            if (s.windows[i].minimized)
                ShowWindow(windows[i], SW_MINIMIZE);
        }
        ArrangeZOrder(s);
        Flush();
    }

    ~Win32Host() {
        for (HWND w : windows)
            DestroyWindow(w);
        if (frame)
            DestroyWindow(frame);
        Flush();
    }

    HWND CreateScenarioWindow(const ScenarioWindow& w, HINSTANCE instance) {
        const bool editor = std::string(w.className) == "QDV7Editor";
        if (client && editor && !w.topLevel) {
            return CreateMDIWindowA(w.className, w.title, WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                    w.left, w.top, w.width, w.height, client, instance, 0);
        }
        if (w.topLevel || !frame) {
            // Top-level windows stay hidden: without a window manager, Wine
            // takes seconds to destroy a shown one.
            return CreateWindowExA(0, w.className, w.title, WS_OVERLAPPEDWINDOW,
                                   w.left, w.top, w.width, w.height, nullptr, nullptr, instance, nullptr);
        }
        return CreateWindowExA(0, w.className, w.title, WS_CHILD | WS_VISIBLE | WS_CAPTION,
                               w.left, w.top, w.width, w.height, client ? client : frame, nullptr,
                               instance, nullptr);
    }

    // Stacks the host's windows in the scenario's order, top first.
    void ArrangeZOrder(const Scenario& s) {
        HWND above = HWND_TOP;
        for (size_t i = 0; i < windows.size(); ++i) {
            if (s.windows[i].topLevel)
                continue;
            SetWindowPos(windows[i], above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            above = windows[i];
        }
    }
};

struct Snapshot {
    std::vector<RECT> rects;  // screen coordinates
    std::vector<HWND> clientOrder, frameOrder;

    explicit Snapshot(const Win32Host& host) {
        for (HWND w : host.windows) {
            RECT rect{};
            GetWindowRect(w, &rect);
            rects.push_back(rect);
        }
        if (host.client)
            clientOrder = ChildrenInZOrder(host.client);
        if (host.frame)
            frameOrder = ChildrenInZOrder(host.frame);
    }
};

int CascadeStep() {
    return GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
}

void TestScenario(const Scenario& s) {
    Win32Host host(s);
    // Windows that should stay put must be where the scenario put them.
    const Snapshot before(host);
    CallPositionWindow(s.call.title, s.call.width, s.call.height, s.call.sourceOnRight);
    Flush();
    const Snapshot after(host);

    for (size_t i = 0; i < host.windows.size(); ++i) {
        if (static_cast<int>(i) == s.expect.target) {
            RECT client{};
            GetClientRect(host.client, &client);
            const int left = s.expect.edge == Edge::Left ? 0 : client.right - s.call.width;
            const int top = s.expect.topBase + s.expect.topSteps * CascadeStep();
            const RECT expected{left, top, left + s.call.width, top + s.call.height};
            const RECT actual = RectInClientOf(host.windows[i], host.client);
            ok(SameRect(expected, actual), "%s: target at %s, expected %s", s.name,
               FormatRect(actual).c_str(), FormatRect(expected).c_str());
            continue;
        }
        ok(SameRect(before.rects[i], after.rects[i]), "%s: window %u \"%s\" moved from %s to %s",
           s.name, static_cast<unsigned>(i), s.windows[i].title, FormatRect(before.rects[i]).c_str(),
           FormatRect(after.rects[i]).c_str());
    }
    ok(before.clientOrder == after.clientOrder, "%s: z-order of the client's children changed", s.name);
    ok(before.frameOrder == after.frameOrder, "%s: z-order of the frame's children changed", s.name);
}

void TestScenarios() {
    for (const Scenario& s : PlacementScenarios)
        TestScenario(s);
}

// Calls that must move nothing, with a full host present.
void TestCallsThatMoveNothing() {
    const Scenario& s = PlacementScenarios[0];
    const std::string longTitle = "C:\\src\\" + std::string(100000, 'n') + ".cpp";
    const struct {
        const char* what;
        const char* title;
    } calls[] = {
        {"a null title", nullptr},
        {"an empty title", ""},
        {"a 100,000-character title", longTitle.c_str()},
        {"a title that names no editor", "C:\\src\\absent.h"},
    };
    for (const auto& c : calls) {
        Win32Host host(s);
        const Snapshot before(host);
        CallPositionWindow(c.title, 300, 200, 1);
        Flush();
        const Snapshot after(host);
        for (size_t i = 0; i < host.windows.size(); ++i)
            ok(SameRect(before.rects[i], after.rects[i]), "%s moved window %u", c.what, static_cast<unsigned>(i));
        ok(before.clientOrder == after.clientOrder, "%s changed the z-order", c.what);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* dllPath = argc > 1 ? argv[1] : "PositionWindow.dll";
    const HMODULE dll = LoadLibraryA(dllPath);
    ok(dll != nullptr, "LoadLibraryA(%s) failed: %lu", dllPath, GetLastError());
    if (!dll)
        return 1;
    positionWindow = reinterpret_cast<PositionWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(dll, "PositionWindow")));
    ok(positionWindow != nullptr, "GetProcAddress(PositionWindow) failed");
    if (!positionWindow)
        return 1;

    std::printf("cascade step %d (caption %d, frame %d)\n", CascadeStep(),
                GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYFRAME));
    RegisterClasses();
    TestScenarios();
    TestCallsThatMoveNothing();

    FreeLibrary(dll);
    std::printf("host_test: %d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
