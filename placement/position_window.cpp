#include "platform/window_api.h"  // IWYU pragma: keep (<windows.h> before PositionWindow.h)

#include <atomic>
#include <cstring>

#include "PositionWindow.h"
#include "naming/char_strings.h"
#include "naming/editor_title.h"
#include "naming/extension_pairs.h"
#include "naming/lead_bytes.h"
#include "placement/coordinates.h"
#include "placement/editor_searches.h"
#include "placement/host_contract.h"
#include "placement/move_target.h"
#include "placement/placement_state.h"

int PlaceX = 0;
int PlaceY = 0;
HWND TargetEditor = nullptr;
HWND CounterpartEditor = nullptr;
HWND ClientWindow = nullptr;
LeadBytes TitleLeadBytes;

namespace {

// Set while a call runs. A host window procedure may call back in while the
// searches send it messages (GetWindowTextA sends WM_GETTEXT to the calling
// thread's windows), and another thread may call at the same time; either
// would overwrite the state the running call depends on. Constant-initialised:
// the DLL runs no start-up code.
std::atomic<bool> CallInProgress{false};

// Finds the editor titled `title` in the client area of the first host
// frame of this process, in z-order, that holds one, and stores both in
// ClientWindow and TargetEditor; false, with both null, if none does.
// Another instance of the IDE has frames and editors of the same classes
// and titles: its windows are not ours to move. The IDE itself may have
// several main windows, or a hidden one of the frame class, in front of the
// one the editor was opened in.
bool FindTarget(const char* title) {
    const DWORD self = GetCurrentProcessId();
    for (HWND frame = FindWindowExA(nullptr, nullptr, HostFrameClassName, nullptr); frame;
         frame = FindWindowExA(nullptr, frame, HostFrameClassName, nullptr)) {
        DWORD owner = 0;
        if (!GetWindowThreadProcessId(frame, &owner) || owner != self)
            continue;
        const HWND client = FindWindowExA(frame, nullptr, ClientClassName, nullptr);
        const HWND target = client ? FindWindowExA(client, nullptr, EditorClassName, title) : nullptr;
        if (target) {
            ClientWindow = client;
            TargetEditor = target;
            return true;
        }
    }
    return false;
}

// The width `window` takes when given `width`: the platform makes a negative
// width none, and holds a window with a sizing border between its minimum and
// maximum tracking widths, the minimum winning, whatever it is asked.
int TakenWidth(HWND window, int width) {
    if (width < 0)
        width = 0;
    if ((GetWindowLongA(window, GWL_STYLE) & WS_THICKFRAME) == 0)
        return width;
    const int most = GetSystemMetrics(SM_CXMAXTRACK);
    const int least = GetSystemMetrics(SM_CXMINTRACK);
    if (width > most)
        width = most;
    return width < least ? least : width;
}

// Left edge that puts `target`, given `width`, against the right edge of the
// client area. A client area with no width (the IDE's frame minimised, in
// the tray, or not yet laid out) has no right edge to go by: what lay left of
// it would be out of sight once the IDE is restored, so such an editor goes
// to the left edge, where it is seen whatever size the client area gets.
int RightEdgeLeft(HWND client, HWND target, int width) {
    RECT rect{};
    if (!GetClientRect(client, &rect) || rect.right <= 0)
        return 0;
    return Saturated(static_cast<long long>(rect.right) - TakenWidth(target, width));
}

// The lead bytes of the ANSI code page, in which the host's titles reach
// the library; none when the platform cannot tell.
LeadBytes AnsiLeadBytes() {
    CPINFO info{};
    return GetCPInfo(CP_ACP, &info) ? LeadBytes::FromRanges(info.LeadByte, sizeof info.LeadByte) : NoLeadBytes;
}

void Place(const char* title, int width, int height, BOOL sourceOnRight) {
    PlaceY = 0;
    PlaceX = 0;
    CounterpartEditor = nullptr;
    TargetEditor = nullptr;
    ClientWindow = nullptr;

    // A null or empty title names no editor.
    if (!title || !title[0])
        return;

    // Nothing to move. Without the host's frame or client area the searches
    // would take the desktop as parent and could reach another program's
    // windows.
    if (!FindTarget(title))
        return;
    // Another thread's editor is that thread's to move. Moving it from here
    // would wait for that thread to answer: it shares this thread's input
    // queue (a child window made by another thread than its parent's joins
    // the two queues), so even SWP_ASYNCWINDOWPOS would not post the move.
    if (GetWindowThreadProcessId(TargetEditor, nullptr) != GetCurrentThreadId())
        return;
    TitleLeadBytes = AnsiLeadBytes();

    char name[FileNameBufferSize];
    char extension[ExtensionBufferSize];
    bool cut = false;
    SplitEditorTitle(title, name, sizeof name, extension, sizeof extension, TitleLeadBytes, &cut);
    const FileKind kind = ClassifyExtension(extension);

    if (kind != FileKind::Unpaired) {
        // The host passes a C++ bool in a 32-bit slot: its upper bytes are
        // whatever the caller's register held.
        const bool onRight = (static_cast<unsigned>(sourceOnRight) & 0xFFu) != 0;
        if ((kind == FileKind::Source) == onRight)
            PlaceX = RightEdgeLeft(ClientWindow, TargetEditor, width);
    }

    // A file name cut to fit is only the start of the file's: another file's
    // whole name may equal it. Such an editor pairs with nothing.
    if (kind != FileKind::Unpaired && !cut) {
        const char* counterpartExtension = CounterpartExtension(kind, extension);
        char counterpartName[CounterpartNameBufferSize];
        const size_t nameLength = CopyBounded(counterpartName, sizeof counterpartName,
                                              name, std::strlen(name), TitleLeadBytes);
        CopyBounded(counterpartName + nameLength, sizeof counterpartName - nameLength,
                    counterpartExtension, std::strlen(counterpartExtension), TitleLeadBytes);
        EnumChildWindows(ClientWindow, FindCounterpartProc, reinterpret_cast<LPARAM>(counterpartName));
        // One its thread closed since it was found has no top to go by.
        if (CounterpartEditor && !TopInClient(CounterpartEditor, ClientWindow, &PlaceY))
            CounterpartEditor = nullptr;
    }

    // Nothing to align with: stack below the editors already open.
    if (!CounterpartEditor) {
        EnumChildWindows(ClientWindow, CascadeScanProc, reinterpret_cast<LPARAM>(ClientWindow));
        PlaceY = StackTopInSight(PlaceY, ClientWindow);
    }

    MoveTarget(TargetEditor, PlaceX, PlaceY, width, height);
}

}  // namespace

extern "C" void WINAPI PositionWindow(const char* title, int width, int height, BOOL sourceOnRight) {
    // A call that starts while another runs returns before it touches the
    // shared state; the running call then finishes as if it had not happened.
    if (CallInProgress.exchange(true, std::memory_order_acquire))
        return;
    Place(title, width, height, sourceOnRight);
    CallInProgress.store(false, std::memory_order_release);
}
