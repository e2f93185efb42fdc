// Win32 host tests: builds the host IDE's window tree with real windows,
// loads the DLL the way the IDE does, and checks where windows land.
// Usage: host_test [path of the DLL] [--code-page N]
// (default: PositionWindow.dll). It runs the scenarios for any code page and
// those for the process's ANSI code page; with --code-page, it first makes
// sure that the code page is N (Wine takes it from LC_ALL).
// A scenario with another instance of the host runs a second copy of this
// program: host_test --other-instance SCENARIO PARENT-PROCESS-ID
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "PositionWindow.h"
#include "placement_scenarios.h"
#include "testhost/mdi_host.h"
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

// The nested call a scenario asks for, made by the first editor that
// answers WM_GETTEXT while the outer call runs.
const Scenario* nestedScenario = nullptr;
// The scenario whose call the next editor created makes from its WM_CREATE.
const Scenario* createScenario = nullptr;

// The window property that holds the text an editor answers WM_GETTEXT with
// instead of its title, when its scenario window says so.
constexpr char AnswerProperty[] = "host_test.answers";
// Set on an editor that closes as soon as it has answered WM_GETTEXT.
constexpr char ClosesProperty[] = "host_test.closes";

LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXT && RemovePropA(window, ClosesProperty)) {
        const LRESULT length = DefMDIChildProcA(window, message, wParam, lParam);
        SendMessageA(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
        return length;
    }
    const char* answer = static_cast<const char*>(GetPropA(window, AnswerProperty));
    if (message == WM_GETTEXT && answer && wParam > 0) {
        // Not std::min: Visual Studio's <windows.h> defines a macro of that name.
        size_t length = std::strlen(answer);
        if (length > static_cast<size_t>(wParam) - 1)
            length = static_cast<size_t>(wParam) - 1;
        std::memcpy(reinterpret_cast<char*>(lParam), answer, length);
        reinterpret_cast<char*>(lParam)[length] = '\0';
        return static_cast<LRESULT>(length);
    }
    if (message == WM_GETTEXTLENGTH && answer)
        return static_cast<LRESULT>(std::strlen(answer));
    if (message == WM_GETTEXT && nestedScenario) {
        const Scenario* s = nestedScenario;
        nestedScenario = nullptr;
        positionWindow(s->nestedTitle, s->call.width, s->call.height, static_cast<BOOL>(s->call.sourceOnRight));
    }
    if (message == WM_CREATE && createScenario) {
        const Scenario* s = createScenario;
        createScenario = nullptr;
        CallPositionWindow(s->call.title, s->call.width, s->call.height, s->call.sourceOnRight);
    }
    // The scenarios without a client area have editors that are plain children.
    if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_MDICHILD)
        return DefMDIChildProcA(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClasses() {
    ok(mdihost::RegisterHostClasses(mdihost::FrameProc, EditorProc), "RegisterHostClasses failed: %lu",
       GetLastError());
    for (const char* name : {"QDV7EditorX", "QDV7EditorWithLongName"})
        ok(mdihost::RegisterWindowClass(name, DefWindowProcA, nullptr), "RegisterClassA(%s) failed", name);
}

std::vector<HWND> ChildrenInZOrder(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND CreateFrame(DWORD exStyle = 0, int x = 20, int y = 20) {
    // Top-level windows stay hidden: without a window manager, Wine takes
    // seconds to destroy a shown one.
    return CreateWindowExA(exStyle, "QDVSHELL", "Host IDE", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, 900, 700,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A frame that leaves WM_SIZE to DefFrameProcA, which sizes the client area
// to the frame's client area: to nothing, when the frame is minimised.
LRESULT CALLBACK DefFrameSizingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE)
        return DefFrameProcA(window, FindWindowExA(window, nullptr, "MDIClient", nullptr), message, wParam, lParam);
    return mdihost::FrameProc(window, message, wParam, lParam);
}

// A frame that leaves its client area as it was while it is minimised.
LRESULT CALLBACK KeepClientFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && wParam == SIZE_MINIMIZED)
        return 0;
    return mdihost::FrameProc(window, message, wParam, lParam);
}

void SetFrameProc(HWND frame, WNDPROC proc) {
    SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

// Puts each editor of the client in the state its scenario window asks for.
void ApplyShow(HWND client, HWND editor, Show show) {
    if (show == Show::Minimized || show == Show::HiddenMinimized)
        ShowWindow(editor, SW_MINIMIZE);
    else if (show == Show::Maximized || show == Show::HiddenMaximized)
        SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(editor), 0);
    if (show == Show::MaximizedAtRestored) {
        // Restored to exactly the rectangle it stands at maximised, then
        // maximised again.
        const WPARAM child = reinterpret_cast<WPARAM>(editor);
        SendMessageA(client, WM_MDIMAXIMIZE, child, 0);
        const RECT maximized = mdihost::RectInClient(editor, client);
        SendMessageA(client, WM_MDIRESTORE, child, 0);
        MoveWindow(editor, maximized.left, maximized.top, maximized.right - maximized.left,
                   maximized.bottom - maximized.top, TRUE);
        SendMessageA(client, WM_MDIMAXIMIZE, child, 0);
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(editor, &placement);
        const RECT now = mdihost::RectInClient(editor, client);
        ok(IsZoomed(editor) && SameRect(placement.rcNormalPosition, now),
           "a maximised editor at %s, restored rectangle %s", FormatRect(now).c_str(),
           FormatRect(placement.rcNormalPosition).c_str());
    }
    if (show == Show::Hidden || show == Show::HiddenMinimized || show == Show::HiddenMaximized)
        ShowWindow(editor, SW_HIDE);
}

bool HasStyle(HWND window, DWORD style) {
    return (static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & style) != 0;
}

// Waits for `event`, handling this thread's messages meanwhile: other
// threads' windows send to this one's (an MDI child to its client).
bool WaitPumping(HANDLE event, DWORD milliseconds = 30000) {
    for (;;) {
        const DWORD result = MsgWaitForMultipleObjects(1, &event, FALSE, milliseconds, QS_ALLINPUT);
        if (result != WAIT_OBJECT_0 + 1)
            return result == WAIT_OBJECT_0;
        mdihost::PumpMessages();
    }
}

// How long a busy thread handles no messages. A call that waited on it
// would take as long.
constexpr DWORD BusyMilliseconds = 1000;
constexpr DWORD CallBudgetMilliseconds = 500;

// An editor of the host's client area made by a thread of its own, which
// handles its messages until it is made busy.
struct EditorThread {
    const ScenarioWindow* w;
    HWND client;
    HWND editor = nullptr;
    // Set once the editor stands, and again each time the thread goes busy.
    HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE busy = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE idle = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE quit = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE thread = nullptr;

    EditorThread(const ScenarioWindow& window, HWND mdiClient) : w(&window), client(mdiClient) {
        thread = CreateThread(nullptr, 0, Main, this, 0, nullptr);
        ok(thread && WaitPumping(ready), "\"%s\": its thread did not start", w->title);
    }

    static DWORD WINAPI Main(void* parameter) {
        EditorThread* self = static_cast<EditorThread*>(parameter);
        const ScenarioWindow& w = *self->w;
        self->editor = mdihost::OpenEditor(self->client, w.title, w.left, w.top, w.width, w.height, w.className);
        ApplyShow(self->client, self->editor, w.show);
        SetEvent(self->ready);
        HANDLE events[] = {self->busy, self->quit};
        for (;;) {
            const DWORD result = MsgWaitForMultipleObjects(2, events, FALSE, INFINITE, QS_ALLINPUT);
            if (result == WAIT_OBJECT_0) {
                SetEvent(self->ready);
                Sleep(BusyMilliseconds);
                // What was asked of this thread meanwhile, before it says so.
                mdihost::PumpMessages();
                SetEvent(self->idle);
            } else if (result == WAIT_OBJECT_0 + 2) {
                mdihost::PumpMessages();
            } else {
                break;
            }
        }
        DestroyWindow(self->editor);
        return 0;
    }

    ~EditorThread() {
        SetEvent(quit);
        ok(WaitPumping(thread), "\"%s\": its thread did not end", w->title);
        for (HANDLE handle : {ready, busy, idle, quit, thread})
            CloseHandle(handle);
    }
};

HWND ActiveEditor(HWND client) {
    return reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
}

// Opens an editor as the IDE does while the user works with maximised
// editors: the active one is maximised, and MDI opens the new one maximised
// and active in its place.
HWND OpenWhileMaximized(HWND client, const ScenarioWindow& w) {
    SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(ActiveEditor(client)), 0);
    const HWND editor = mdihost::OpenEditor(client, w.title, w.left, w.top, w.width, w.height, w.className);
    ok(IsZoomed(editor) && ActiveEditor(client) == editor, "\"%s\" did not open maximised and active",
       w.title);
    return editor;
}

// Another instance of the host, in this process: what --other-instance runs.
int RunOtherInstance(int scenarioIndex, DWORD parent) {
    const Scenario& s = PlacementScenarios[scenarioIndex];
    RegisterClasses();
    const HWND frame = CreateFrame();
    const HWND client = mdihost::CreateClient(frame);
    for (const ScenarioWindow& w : s.windows) {
        if (w.className && w.owner == Owner::OtherInstance)
            ApplyShow(client, mdihost::OpenEditor(client, w.title, w.left, w.top, w.width, w.height, w.className),
                      w.show);
    }
    // Frames made later come first in z-order; make sure of it.
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    mdihost::PumpMessages();
    char name[64];
    std::snprintf(name, sizeof name, "host_test-ready-%lu", parent);
    const HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
    std::snprintf(name, sizeof name, "host_test-done-%lu", parent);
    const HANDLE done = OpenEventA(SYNCHRONIZE, FALSE, name);
    if (!ready || !done)
        return 1;
    SetEvent(ready);
    // Answer messages (the other process reads titles) until told to go.
    while (MsgWaitForMultipleObjects(1, &done, FALSE, 60000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        mdihost::PumpMessages();
    return 0;
}

// Runs another instance for scenario `index` and waits until its windows
// stand; the destructor lets it go.
struct OtherInstance {
    PROCESS_INFORMATION process{};
    HANDLE ready = nullptr;
    HANDLE done = nullptr;
    HWND frame = nullptr;
    HWND client = nullptr;

    explicit OtherInstance(int index) {
        char name[64];
        std::snprintf(name, sizeof name, "host_test-ready-%lu", GetCurrentProcessId());
        ready = CreateEventA(nullptr, TRUE, FALSE, name);
        std::snprintf(name, sizeof name, "host_test-done-%lu", GetCurrentProcessId());
        done = CreateEventA(nullptr, TRUE, FALSE, name);
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, sizeof path);
        char command[MAX_PATH + 64];
        std::snprintf(command, sizeof command, "\"%s\" --other-instance %d %lu", path, index, GetCurrentProcessId());
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        const bool started =
            CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
        ok(started, "the other instance did not start: %lu", GetLastError());
        if (!started)
            return;
        HANDLE waits[] = {ready, process.hProcess};
        ok(WaitForMultipleObjects(2, waits, FALSE, 120000) == WAIT_OBJECT_0, "the other instance did not get ready");
        for (HWND f = FindWindowExA(nullptr, nullptr, "QDVSHELL", nullptr); f && !frame;
             f = FindWindowExA(nullptr, f, "QDVSHELL", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(f, &owner);
            if (owner == process.dwProcessId)
                frame = f;
        }
        client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
        // Otherwise the scenario would not test what it says.
        ok(frame && FindWindowA("QDVSHELL", nullptr) == frame, "the other instance's frame does not come first");
    }

    // The other instance's editor of this title, looked up by the
    // scenario's order among its windows of the same title.
    HWND Editor(const char* title, int nth) const {
        HWND editor = nullptr;
        for (int i = 0; i <= nth; ++i)
            editor = FindWindowExA(client, editor, "QDV7Editor", title);
        return editor;
    }

    ~OtherInstance() {
        SetEvent(done);
        if (process.hProcess) {
            WaitForSingleObject(process.hProcess, 30000);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        CloseHandle(ready);
        CloseHandle(done);
    }
};

struct Win32Host {
    HostShape shape;
    HWND frame = nullptr;
    HWND client = nullptr;
    HWND frontFrame = nullptr;   // another frame of the host, or a bare one, in front
    HWND frontClient = nullptr;  // its client area
    std::vector<HWND> windows;   // in scenario order

    OtherInstance* other = nullptr;        // another instance of the host, when the scenario has one
    std::vector<EditorThread*> threads;    // the threads of the editors of other threads

    Win32Host(const Scenario& s, int index) : shape(s.host) {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        if (s.host != HostShape::NoFrame && s.host != HostShape::StrayClient) {
            const bool offScreen = s.host == HostShape::FrameOffScreen;
            frame = CreateFrame(s.layout == Layout::FrameMirrored ? WS_EX_LAYOUTRTL : 0, offScreen ? -1500 : 20,
                                offScreen ? -1200 : 20);
            ok(frame != nullptr, "frame not created");
        }
        if (HasFullHost(s.host)) {
            // Editors made without WS_VISIBLE stay hidden only where the
            // client lets its children choose their styles.
            client = mdihost::CreateClient(frame, s.layout == Layout::ClientMirrored ? WS_EX_LAYOUTRTL : 0,
                                           HasShow(s, Show::CreatedHidden) ? MDIS_ALLCHILDSTYLES : 0);
            ok(client != nullptr, "client not created");
        }
        if (s.host == HostShape::StrayClient) {
            CLIENTCREATESTRUCT ccs = {nullptr, 1000};
            client = CreateWindowExA(0, "MDIClient", nullptr, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 140, 60, 800,
                                     600, nullptr, nullptr, instance, &ccs);
            ok(client != nullptr, "stray client not created");
        }
        if (s.host == HostShape::BehindBareFrame || HasOwner(s, Owner::FrontFrame)) {
            frontFrame = CreateFrame();
            if (s.host != HostShape::BehindBareFrame)
                frontClient = mdihost::CreateClient(frontFrame);
            SetWindowPos(frontFrame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            ok(FindWindowA("QDVSHELL", nullptr) == frontFrame, "%s: the frame in front does not come first", s.name);
        }
        if (HasOwner(s, Owner::OtherInstance))
            other = new OtherInstance(index);
        HWND lastHostWindow = nullptr;
        for (const ScenarioWindow& w : s.windows) {
            if (!w.className)
                break;
            windows.push_back(CreateScenarioWindow(s, w, instance, lastHostWindow));
            // A window that is missing would pass every "did not move" check.
            ok(windows.back() != nullptr, "%s: \"%s\" not created: %lu", s.name, w.title, GetLastError());
            if (w.answers)
                SetPropA(windows.back(), AnswerProperty, const_cast<char*>(w.answers));
            if (w.owner == Owner::Host)
                lastHostWindow = windows.back();
        }
        for (size_t i = 0; i < windows.size(); ++i) {
            if (s.windows[i].owner == Owner::Host)
                ApplyShow(client, windows[i], s.windows[i].show);
        }
        if (s.active >= 0)
            SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(windows[s.active]), 0);
        ArrangeZOrder(s);
        mdihost::PumpMessages();
        SetFrameState();
    }

    // Puts the frame in the state the call is made in.
    void SetFrameState() {
        if (shape == HostShape::MinimizedFrame)
            SetFrameProc(frame, DefFrameSizingProc);
        if (shape == HostShape::MinimizedFrameKeepingClient)
            SetFrameProc(frame, KeepClientFrameProc);
        if (shape == HostShape::MinimizedFrame || shape == HostShape::FrameInTray ||
            shape == HostShape::MinimizedFrameKeepingClient)
            ShowWindow(frame, SW_SHOWMINNOACTIVE);
        if (shape == HostShape::FrameInTray)
            ShowWindow(frame, SW_HIDE);
        // As before the frame's first WM_SIZE.
        if (shape == HostShape::FrameNotShown)
            MoveWindow(client, 0, 0, 0, 0, TRUE);
        mdihost::PumpMessages();
    }

    // The frame back to normal and its client area laid out, as when the
    // user restores the IDE or it shows its frame; hidden again, as every
    // test frame is.
    void RestoreFrame() {
        if (IsIconic(frame)) {
            ShowWindow(frame, SW_SHOWNOACTIVATE);
            ShowWindow(frame, SW_HIDE);
        }
        if (shape == HostShape::FrameNotShown) {
            RECT area{};
            GetClientRect(frame, &area);
            mdihost::LayOutFrame(frame, area.right, area.bottom);
        }
        mdihost::PumpMessages();
    }

    ~Win32Host() {
        // Another thread's window is destroyed by its thread.
        for (EditorThread* thread : threads)
            delete thread;
        for (HWND window : windows) {
            if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
                DestroyWindow(window);
        }
        for (HWND window : {frame, frontFrame, frame ? nullptr : client}) {
            if (window)
                DestroyWindow(window);
        }
        delete other;
        mdihost::PumpMessages();
    }

    HWND CreateScenarioWindow(const Scenario& s, const ScenarioWindow& w, HINSTANCE instance, HWND lastHostWindow) {
        if (w.owner == Owner::OtherInstance) {
            int nth = 0;  // windows of the same title before this one
            for (const ScenarioWindow* before = s.windows; before != &w; ++before)
                nth += before->owner == Owner::OtherInstance && std::string(before->title) == w.title;
            return other->Editor(w.title, nth);
        }
        if (w.owner == Owner::OtherThread) {
            threads.push_back(new EditorThread(w, client));
            return threads.back()->editor;
        }
        if (w.owner == Owner::FrontFrame)
            return mdihost::OpenEditor(frontClient, w.title, w.left, w.top, w.width, w.height, w.className);
        if (w.owner == Owner::Inside) {
            return CreateWindowExA(0, w.className, w.title, WS_CHILD | WS_VISIBLE, w.left, w.top, w.width, w.height,
                                   lastHostWindow, nullptr, instance, nullptr);
        }
        const bool editor = std::string(w.className) == "QDV7Editor";
        if (client && editor && w.owner == Owner::Host && w.show == Show::PlacedFromCreate) {
            createScenario = &s;
            const HWND opened = OpenWhileMaximized(client, w);
            ok(!createScenario, "%s: \"%s\" made no call from its WM_CREATE", s.name, w.title);
            createScenario = nullptr;
            return opened;
        }
        if (client && editor && w.owner == Owner::Host && w.show == Show::OpenedMaximized)
            return OpenWhileMaximized(client, w);
        if (client && editor && w.owner == Owner::Host && w.show == Show::CreatedHidden) {
            return CreateMDIWindowA(w.className, w.title, WS_OVERLAPPEDWINDOW, w.left, w.top, w.width, w.height,
                                    client, instance, 0);
        }
        if (client && editor && w.owner == Owner::Host)
            return mdihost::OpenEditor(client, w.title, w.left, w.top, w.width, w.height, w.className);
        if (w.owner == Owner::OtherProgram || !frame) {
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
            if (s.windows[i].owner != Owner::Host)
                continue;
            SetWindowPos(windows[i], above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            above = windows[i];
        }
    }
};

struct Snapshot {
    std::vector<RECT> rects;  // screen coordinates
    std::vector<Show> states;
    std::vector<HWND> clientOrder, frameOrder;
    HWND active = nullptr;  // the active editor

    std::vector<bool> visible;  // by the window's own style

    explicit Snapshot(const Win32Host& host) {
        for (HWND w : host.windows) {
            RECT rect{};
            GetWindowRect(w, &rect);
            rects.push_back(rect);
            states.push_back(IsIconic(w) ? Show::Minimized : IsZoomed(w) ? Show::Maximized : Show::Normal);
            visible.push_back(HasStyle(w, WS_VISIBLE));
        }
        if (host.client) {
            clientOrder = ChildrenInZOrder(host.client);
            active = ActiveEditor(host.client);
        }
        if (host.frame)
            frameOrder = ChildrenInZOrder(host.frame);
    }

    // Window `i`, closed meanwhile, as a closed one reads.
    void Forget(size_t i, HWND window) {
        rects[i] = RECT{};
        states[i] = Show::Normal;
        visible[i] = false;
        for (std::vector<HWND>* order : {&clientOrder, &frameOrder})
            order->erase(std::remove(order->begin(), order->end(), window), order->end());
    }
};

int CascadeStep() {
    return GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
}

// Where the target must stand on the screen: against the edge of its
// client area that the placement's x names, which a mirrored client area
// (right to left) has on the right; the top measured from the client
// area's. Measured on the screen, so that mirroring cannot hide an error.
RECT ExpectedOnScreen(const Scenario& s, HWND target) {
    const HWND area = GetParent(target);
    RECT size{};
    GetClientRect(area, &size);
    POINT origin{0, 0};
    POINT farEnd{size.right, 0};
    ClientToScreen(area, &origin);
    ClientToScreen(area, &farEnd);
    const bool mirrored = origin.x > farEnd.x;
    ok(mirrored == (s.layout != Layout::LeftToRight), "%s: the client area is %s", s.name,
       mirrored ? "mirrored" : "not mirrored");
    const bool atScreenLeft = (s.expect.edge == Edge::Left) != mirrored;
    // Not std::min and std::max: Visual Studio's <windows.h> defines macros
    // of those names.
    const LONG screenLeft = mirrored ? farEnd.x : origin.x;
    const LONG screenRight = mirrored ? origin.x : farEnd.x;
    // The width the editor takes, held by the platform between its tracking
    // widths: against the right edge it ends there whatever is asked.
    const auto width =
        static_cast<LONG>(TakenWidth(s.call.width, GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CXMAXTRACK)));
    const LONG left = atScreenLeft ? screenLeft : screenRight - width;
    const LONG top = origin.y + s.expect.topBase + s.expect.topSteps * CascadeStep();
    return RECT{left, top, left + width, top + s.call.height};
}

void TestScenario(const Scenario& s, int index) {
    Win32Host host(s, index);
    // Windows that should stay put must be where the scenario put them.
    Snapshot before(host);
    if (s.nestedTitle)
        nestedScenario = &s;
    // Armed only now: the harness and MDI may ask for titles before.
    for (size_t i = 0; i < host.windows.size(); ++i) {
        if (s.windows[i].show == Show::ClosedWhenRead)
            SetPropA(host.windows[i], ClosesProperty, host.windows[i]);
    }
    // Other threads' editors are busy while the call runs.
    for (EditorThread* thread : host.threads) {
        SetEvent(thread->busy);
        ok(WaitPumping(thread->ready), "%s: the editor's thread did not get busy", s.name);
    }
    // Otherwise the scenario would not test what it says.
    RECT clientArea{};
    if (host.client && host.frame)
        GetClientRect(host.client, &clientArea);
    ok(!host.client || !host.frame || HasEmptyClient(s.host) == (clientArea.right == 0),
       "%s: the client area is %ld wide at the call", s.name, clientArea.right);
    const DWORD start = GetTickCount();
    // An editor placed from its WM_CREATE made the call already.
    if (!HasShow(s, Show::PlacedFromCreate))
        CallPositionWindow(s.call.title, s.call.width, s.call.height, s.call.sourceOnRight);
    const DWORD took = GetTickCount() - start;
    ok(host.threads.empty() || took < CallBudgetMilliseconds, "%s: the call took %lu ms, waiting on a busy thread",
       s.name, took);
    for (EditorThread* thread : host.threads)
        ok(WaitPumping(thread->idle), "%s: the editor's thread did not get free", s.name);
    ok(!s.nestedTitle || !nestedScenario, "%s: no WM_GETTEXT came to make the nested call", s.name);
    nestedScenario = nullptr;
    mdihost::PumpMessages();
    for (size_t i = 0; i < host.windows.size(); ++i) {
        if (s.windows[i].show == Show::ClosedWhenRead) {
            ok(!IsWindow(host.windows[i]), "%s: no title was read of window %u", s.name, static_cast<unsigned>(i));
            before.Forget(i, host.windows[i]);
        }
    }
    const Snapshot after(host);
    ok(before.states == after.states, "%s: a window's state changed", s.name);
    ok(before.visible == after.visible, "%s: a window was shown or hidden", s.name);
    ok(before.active == after.active, "%s: the active editor changed from %p to %p", s.name,
       static_cast<void*>(before.active), static_cast<void*>(after.active));
    host.RestoreFrame();

    for (size_t i = 0; i < host.windows.size(); ++i) {
        const HWND window = host.windows[i];
        if (static_cast<int>(i) == s.expect.target) {
            // A maximised or minimised target stays where it stands; the
            // user sees the placement once it is restored (a hidden one,
            // once it is shown).
            if (after.states[i] != Show::Normal) {
                ok(SameRect(before.rects[i], after.rects[i]), "%s: the %s target moved from %s to %s", s.name,
                   after.states[i] == Show::Maximized ? "maximised" : "minimised",
                   FormatRect(before.rects[i]).c_str(), FormatRect(after.rects[i]).c_str());
                if (after.visible[i])
                    SendMessageA(GetParent(window), WM_MDIRESTORE, reinterpret_cast<WPARAM>(window), 0);
                else
                    ShowWindow(window, SW_SHOWNOACTIVATE);
                mdihost::PumpMessages();
            }
            const RECT expected = ExpectedOnScreen(s, window);
            RECT actual{};
            GetWindowRect(window, &actual);
            ok(SameRect(expected, actual), "%s: target at %s on the screen, expected %s", s.name,
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
    const unsigned codePage = GetACP();
    int index = 0;
    for (const Scenario& s : PlacementScenarios) {
        if (s.codePage == 0 || s.codePage == codePage)
            TestScenario(s, index);
        ++index;
    }
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
        Win32Host host(s, 0);
        const Snapshot before(host);
        CallPositionWindow(c.title, 300, 200, 1);
        mdihost::PumpMessages();
        const Snapshot after(host);
        for (size_t i = 0; i < host.windows.size(); ++i)
            ok(SameRect(before.rects[i], after.rects[i]), "%s moved window %u", c.what, static_cast<unsigned>(i));
        ok(before.clientOrder == after.clientOrder, "%s changed the z-order", c.what);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--other-instance")
        return RunOtherInstance(std::atoi(argv[2]), static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)));
    const char* dllPath = argc > 1 ? argv[1] : "PositionWindow.dll";
    if (argc > 3 && std::string(argv[2]) == "--code-page") {
        const unsigned wanted = static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10));
        if (GetACP() != wanted) {
            std::printf("host_test: FAILED: the ANSI code page is %u, not %u; the %u scenarios cannot run "
                        "(Wine takes the code page from LC_ALL)\n",
                        GetACP(), wanted, wanted);
            return 1;
        }
    }
    const HMODULE dll = LoadLibraryA(dllPath);
    ok(dll != nullptr, "LoadLibraryA(%s) failed: %lu", dllPath, GetLastError());
    if (!dll)
        return 1;
    positionWindow = reinterpret_cast<PositionWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(dll, "PositionWindow")));
    ok(positionWindow != nullptr, "GetProcAddress(PositionWindow) failed");
    if (!positionWindow)
        return 1;

    std::printf("cascade step %d (caption %d, frame %d), ANSI code page %u\n", CascadeStep(),
                GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYFRAME), GetACP());
    RegisterClasses();
    TestScenarios();
    TestCallsThatMoveNothing();

    FreeLibrary(dll);
    std::printf("host_test: %d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
