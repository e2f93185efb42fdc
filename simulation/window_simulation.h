#pragma once

// The test-facing side of the simulated window manager: build a window tree,
// set the metrics, and observe what was moved.
//
// What the simulation takes from the platform, in everything the library can
// observe:
// - Windows form a tree under an implicit desktop; a null parent means the
//   desktop. Each parent keeps its children in z-order, top first; a new
//   window goes to the bottom, so windows created in order read top to bottom.
// - A window's position is relative to its parent's client area (to the
//   screen for top-level windows). Windows have no frame of their own: the
//   client area starts at the window's top-left corner and is as large as
//   the window (a maximised window's frame is only where it stands).
// - Lookups by class and title ignore ASCII case, as the platform does, and
//   read titles in the ANSI code page: the second byte of a double-byte
//   character is never folded. The code page is 1252 unless a test sets
//   another; GetCPInfo reports the lead bytes of 932, 936, 949 and 950.
// - A null or unknown window handle makes a call fail (FALSE or 0) without
//   touching its outputs.
// - A window is normal, minimised or maximised, and has a restored
//   rectangle. A maximised window covers its parent's client area, its
//   sizing frame (SM_CYFRAME) and caption (SM_CYCAPTION) outside it; a
//   minimised one keeps its last rectangle. SetWindowPos moves and sizes a
//   window in any state, but only a normal one's restored rectangle follows,
//   so restoring a maximised or minimised window throws such a move away, as
//   on the platform.
// - GetWindowPlacement fails unless `length` is set (stricter than Windows,
//   which checks it in SetWindowPlacement only), and reports (-1,-1) for the
//   minimised and maximised positions, as Windows may (Wine 8 reports a
//   maximised MDI child's own corner): the library leans on neither.
//   SetWindowPlacement sets the restored rectangle and, as Wine does, moves
//   a maximised window to ptMaxPosition, pulled onto the 1280 x 1024 screen
//   as if it were in screen coordinates, and a minimised one to
//   ptMinPosition when WPF_SETMINPOSITION is set, keeping their size; then
//   it shows the window as showCmd says.
// - Activation is modelled as far as it shows in the z-order: SetWindowPos
//   without SWP_NOACTIVATE on a child of an "MDIClient" raises it to the
//   top, as activating an MDI child does. SetWindowPlacement activates
//   nothing here; the Win32 host tests are the authority on what it does.
// - A window has a sizing border (WS_THICKFRAME) only when a test gives it
//   one, as an MDI client gives its children. As on the platform, a negative size is none, and a window with a
//   sizing border is held between its minimum and maximum tracking sizes
//   (SM_CXMINTRACK and SM_CXMAXTRACK, 112 and 1292 by default, as Wine's on
//   a 1280 x 1024 screen; SM_CY... 27 and 1036) whenever it is sized: moved
//   by SetWindowPos, restored, or given its restored rectangle by
//   SetWindowPlacement. A minimised one is held below the maximum only, a
//   maximised one not at all (it takes its parent's client area, which on
//   the platform never exceeds the maximum).
// - A window is visible (WS_VISIBLE) unless a test hides it;
//   SetWindowPlacement with SW_HIDE hides it and keeps its state, any other
//   command shows it. GetWindowLongA(GWL_STYLE) reports WS_VISIBLE,
//   WS_MINIMIZE, WS_MAXIMIZE, WS_CHILD and WS_THICKFRAME.
// - A window created maximised may be still being created, as during its
//   WM_CREATE: maximised in style, hidden, standing at its restored
//   rectangle. Finishing its creation maximises it and keeps where it stood
//   as its restored rectangle, as CreateWindowEx does.
// - Every window belongs to a process and a thread; the library's are
//   CurrentProcess and CurrentThread.
// - GetWindowTextA calls the text hook, if any, for windows of the current
//   thread first, as the platform sends them WM_GETTEXT, and gives what the
//   window answers: its title, or the text a test makes its window
//   procedure answer with instead (lookups and InternalGetWindowText still
//   read the title it stores). For a window of
//   another thread of the current process it would send the message and
//   wait for that thread; so would SetWindowPlacement, and SetWindowPos.
//   SWP_ASYNCWINDOWPOS posts the move instead (the simulation applies it at
//   once) only where the two threads have different input queues: as on
//   Windows, threads whose windows are parent and child (through any chain
//   of such pairs) share one, so another thread's child of the client area
//   shares the caller's. Each such wait is counted (CrossThreadWaits).
// - A window may be destroyed, with its descendants, at any moment, as its
//   own thread may destroy it: from then on its handle is unknown, and an
//   enumeration under way passes over it.
// - GetWindowTextLengthA sends WM_GETTEXTLENGTH as GetWindowTextA sends
//   WM_GETTEXT, and gives the length of what the window answers.
// - InternalGetWindowText reads the stored title without a message. Wide
//   text holds one unit per ANSI character: a byte as itself, a double-byte
//   character as lead * 256 + second byte; WideCharToMultiByte(CP_ACP)
//   turns it back, and checks its arguments as documented: unknown flags,
//   a length of 0 and an output that does not fit make it fail.

// - Handles have no order: each new one lies above or below all earlier
//   ones, alternately, so that code which orders handles fails.
// What it does not model (real frames and captions, how SetWindowPlacement
// activates, right-to-left mirroring, which its scenarios run left to
// right), the Win32 host tests under Wine decide.

#include <cstdint>
#include <string>
#include <vector>

#include "simulation/simulated_user32.h"

namespace winsim {

enum class WindowState : std::uint8_t { Normal, Minimized, Maximized };

// Process ids of other programs lie on both sides of it.
constexpr DWORD CurrentProcess = 4;
constexpr DWORD CurrentThread = 40;

// Destroys every window, removes the text hook and restores the default
// metrics (SM_CYCAPTION 19, SM_CYFRAME 3, the tracking sizes above) and
// ANSI code page (1252).
void Reset();

// The ANSI code page that GetACP and GetCPInfo(CP_ACP) report and that
// lookups read titles in: 1252, 932, 936, 949, 950 or 65001.
void SetAnsiCodePage(UINT codePage);

// Creates a window whose restored rectangle is `rect`, in its parent's client
// coordinates, at the bottom of the parent's z-order. Returns null when
// `parent` is unknown.
HWND CreateWindowSim(HWND parent, const char* className, const char* title, RECT rect,
                     WindowState state = WindowState::Normal, DWORD process = CurrentProcess);

WindowState State(HWND window);

// Clears WS_VISIBLE, as ShowWindow(SW_HIDE) does.
void Hide(HWND window);
bool IsVisible(HWND window);

// Makes a window created maximised one still being created (see above);
// FinishCreation then maximises it.
void BeginCreation(HWND window);
void FinishCreation(HWND window);

// Destroys the window, or has it destroyed as soon as a read of its title
// (GetWindowTextA, InternalGetWindowText) returns: between two calls of the
// library, as another thread may.
void Destroy(HWND window);
void DestroyAfterTitleRead(HWND window);
bool Exists(HWND window);

// Gives a window to another thread of its process.
void SetThread(HWND window, DWORD thread);

// Gives a window a sizing border (WS_THICKFRAME) or takes it away.
void SetSizingBorder(HWND window, bool sizingBorder);

// Sets the restored rectangle alone, whatever the window's state, without
// holding it to the tracking sizes: a test's way to size a window as it likes.
void SetRestoredRect(HWND window, RECT rect);

// How many times the library would have waited on another thread.
int CrossThreadWaits();

// Restores a minimised or maximised window to its restored rectangle.
void Restore(HWND window);

// Makes a window of this process answer WM_GETTEXT with `text` rather than
// its stored title, as a window procedure that handles it may.
void SetAnsweredText(HWND window, const char* text);

// Called with the window whose text GetWindowTextA is about to read.
typedef void (*TextHook)(HWND window);
void SetTextHook(TextHook hook);

void SetSystemMetric(int index, int value);

// The direct children of `parent` (null: top-level windows), top first.
std::vector<HWND> Children(HWND parent);

// How many SetWindowPos and SetWindowPlacement calls succeeded on `window`.
int MoveCount(HWND window);

// Every SetWindowPos call so far, in order.
struct SetWindowPosCall {
    HWND window;
    HWND insertAfter;
    int x, y, cx, cy;
    UINT flags;
};
const std::vector<SetWindowPosCall>& SetWindowPosCalls();

// The window's rectangle in its parent's client coordinates, as it stands
// (a maximised window's covers the parent's client area).
RECT RectInParent(HWND window);

}  // namespace winsim
