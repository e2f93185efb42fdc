#include "simulation/window_simulation.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Window {
    std::size_t parent = 0;
    std::vector<std::size_t> children;  // z-order, top first
    std::string className;
    std::string title;
    const char* answeredText = nullptr;  // what WM_GETTEXT answers, if not the title
    RECT rect{};        // as it stands, in the parent's client coordinates
    RECT normalRect{};  // the restored rectangle
    winsim::WindowState state = winsim::WindowState::Normal;
    DWORD process = winsim::CurrentProcess;
    DWORD thread = winsim::CurrentThread;
    bool visible = true;
    bool sizingBorder = false;  // WS_THICKFRAME
    int moveCount = 0;
    bool destroyed = false;
    bool destroyAfterTitleRead = false;
};

using winsim::WindowState;

// Index 0 is the desktop, the implicit parent of top-level windows; it has
// no handle of its own. Made before main: a test program that cannot
// allocate it ends there.
std::vector<Window> windows(1);  // NOLINT(cert-err58-cpp)
std::map<int, int> metrics;
std::vector<winsim::SetWindowPosCall> setWindowPosCalls;
winsim::TextHook textHook = nullptr;
UINT ansiCodePage = 1252;
int crossThreadWaits = 0;

// The lead-byte ranges each double-byte code page reports, as the platform
// lists them: inclusive pairs ended by a pair of zeros.
struct CodePage {
    UINT id;
    UINT maxCharSize;
    BYTE leadBytes[MAX_LEADBYTES];
};
const CodePage CodePages[] = {
    {1252, 1, {0}},
    {932, 2, {0x81, 0x9F, 0xE0, 0xFC, 0, 0}},
    {936, 2, {0x81, 0xFE, 0, 0}},
    {949, 2, {0x81, 0xFE, 0, 0}},
    {950, 2, {0x81, 0xFE, 0, 0}},
    {65001, 4, {0}},
};

const CodePage* FindCodePage(UINT id) {
    for (const CodePage& page : CodePages) {
        if (page.id == id)
            return &page;
    }
    return nullptr;
}

bool IsLeadByte(unsigned char byte) {
    const CodePage* page = FindCodePage(ansiCodePage);
    for (int i = 0; page && i + 1 < MAX_LEADBYTES && page->leadBytes[i]; i += 2) {
        if (byte >= page->leadBytes[i] && byte <= page->leadBytes[i + 1])
            return true;
    }
    return false;
}

// The platform keeps coordinates within int; so does the simulation, where a
// sum of them could overflow.
LONG Clamped(long long value) {
    return static_cast<LONG>(std::min<long long>(std::max<long long>(value, INT_MIN), INT_MAX));
}

// Handles are spaced so that a handle made up by a test, or an off-by-one
// pointer, is not taken for a window.
constexpr std::uintptr_t HandleSpacing = 16;
// The platform's handles have no order; here each new window's handle lies
// alternately above and below all earlier ones (window 1 at the middle + 1,
// 2 at the middle - 1, 3 at the middle + 2, ...), so that code which orders
// handles where it should compare them fails in both directions.
constexpr std::uintptr_t MiddleSlot = std::uintptr_t{1} << 20;

HWND HandleOf(std::size_t index) {
    const std::uintptr_t slot = index % 2 ? MiddleSlot + (index + 1) / 2 : MiddleSlot - index / 2;
    return reinterpret_cast<HWND>(slot * HandleSpacing);
}

// The index of a window, or 0 for a null or unknown handle.
std::size_t IndexOf(HWND window) {
    const std::uintptr_t value = reinterpret_cast<std::uintptr_t>(window);
    if (value == 0 || value % HandleSpacing != 0)
        return 0;
    const std::uintptr_t slot = value / HandleSpacing;
    const std::uintptr_t index = slot > MiddleSlot ? 2 * (slot - MiddleSlot) - 1 : 2 * (MiddleSlot - slot);
    return index < windows.size() && !windows[index].destroyed ? static_cast<std::size_t>(index) : 0;
}

// A parent argument: null means the desktop. Returns false for an unknown
// handle.
bool ParentIndexOf(HWND parent, std::size_t* index) {
    *index = parent ? IndexOf(parent) : 0;
    return !parent || *index != 0;
}

// The platform compares titles as characters of the ANSI code page: ASCII
// letters fold, the second byte of a double-byte character does not.
bool EqualsIgnoringAsciiCase(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b))
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (IsLeadByte(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1])
                return false;
            ++i;
            continue;
        }
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// Top-left corner of the window's client area in screen coordinates; the
// desktop's is the origin.
POINT ClientOrigin(std::size_t index) {
    long long x = 0, y = 0;
    for (; index != 0; index = windows[index].parent) {
        x += windows[index].rect.left;
        y += windows[index].rect.top;
    }
    return POINT{Clamped(x), Clamped(y)};
}

constexpr RECT Screen{0, 0, 1280, 1024};

// What a maximised window covers: its parent's client area (the desktop's
// is the screen), with its sizing frame around it and its caption above it
// outside that area, as on the platform.
RECT MaximizedRect(std::size_t index) {
    const std::size_t parent = windows[index].parent;
    RECT area = Screen;
    if (parent != 0) {
        const RECT& own = windows[parent].rect;
        area = RECT{0, 0, Clamped(static_cast<long long>(own.right) - own.left),
                    Clamped(static_cast<long long>(own.bottom) - own.top)};
    }
    const long long frame = metrics[SM_CYFRAME];
    const long long caption = metrics[SM_CYCAPTION];
    return RECT{Clamped(area.left - frame), Clamped(area.top - frame - caption), Clamped(area.right + frame),
                Clamped(area.bottom + frame)};
}

// Wine keeps a maximised window's position on the screen, taking the point
// for screen coordinates even for a child window.
POINT PulledOntoScreen(POINT point) {
    return POINT{std::min(std::max(point.x, Screen.left), Screen.right - 1),
                 std::min(std::max(point.y, Screen.top), Screen.bottom - 1)};
}

// A size as the platform gives it to a window: a negative one is none, and
// one with a sizing border is held between its tracking sizes, the maximum
// first (a minimised one is held below the maximum only). A maximised one
// keeps the size of its parent's client area, which on the platform never
// exceeds the maximum tracking size (the screen's, and the frame's).
long long TrackedSize(const Window& window, long long size, int least, int most) {
    size = std::max(size, 0LL);
    if (!window.sizingBorder || window.state == WindowState::Maximized)
        return size;
    size = std::min<long long>(size, metrics[most]);
    if (window.state != WindowState::Minimized)
        size = std::max<long long>(size, metrics[least]);
    return size;
}

// `rect` with the size the platform would let the window take.
RECT Tracked(const Window& window, RECT rect) {
    const long long width = TrackedSize(window, static_cast<long long>(rect.right) - rect.left, SM_CXMINTRACK,
                                        SM_CXMAXTRACK);
    const long long height = TrackedSize(window, static_cast<long long>(rect.bottom) - rect.top, SM_CYMINTRACK,
                                         SM_CYMAXTRACK);
    return RECT{rect.left, rect.top, Clamped(rect.left + width), Clamped(rect.top + height)};
}

void SetState(std::size_t index, WindowState state) {
    Window& window = windows[index];
    window.state = state;
    if (state == WindowState::Maximized) {
        window.rect = MaximizedRect(index);
    } else if (state == WindowState::Normal) {
        // Restoring sizes the window as a move would.
        window.normalRect = Tracked(window, window.normalRect);
        window.rect = window.normalRect;
    }
}

bool IsMdiChild(std::size_t index) {
    const std::size_t parent = windows[index].parent;
    return parent != 0 && windows[parent].className == "MDIClient";
}

// Threads whose windows are parent and child share an input queue: the
// platform attaches the two threads' queues when one makes a child of the
// other's window. Whether `a` and `b` are joined so, through any chain.
bool SharesInputQueue(DWORD a, DWORD b) {
    std::vector<DWORD> joined{a};
    const auto has = [&joined](DWORD thread) {
        return std::find(joined.begin(), joined.end(), thread) != joined.end();
    };
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = 1; i < windows.size(); ++i) {
            if (windows[i].parent == 0)
                continue;
            const DWORD child = windows[i].thread;
            const DWORD parent = windows[windows[i].parent].thread;
            if (has(child) != has(parent)) {
                joined.push_back(has(child) ? parent : child);
                grew = true;
            }
        }
    }
    return has(b);
}

// A message to a window of another thread of this process waits for that
// thread; the simulation only counts it.
void CountWaitFor(std::size_t index) {
    if (windows[index].process == winsim::CurrentProcess && windows[index].thread != winsim::CurrentThread)
        ++crossThreadWaits;
}

void RaiseToTop(std::size_t index) {
    std::vector<std::size_t>& siblings = windows[windows[index].parent].children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), index));
    siblings.insert(siblings.begin(), index);
}

// Marks the window and its descendants destroyed. Recursive, one level per
// generation.
void MarkDestroyed(std::size_t index) {  // NOLINT(misc-no-recursion)
    windows[index].destroyed = true;
    for (const std::size_t child : windows[index].children)
        MarkDestroyed(child);
}

// Destroys the window and its descendants, and takes it out of its parent's
// children; theirs go with it.
void DestroyTree(std::size_t index) {
    MarkDestroyed(index);
    std::vector<std::size_t>& siblings = windows[windows[index].parent].children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), index));
}

// What a window whose title has just been read may do: go.
void TitleRead(std::size_t index) {
    if (windows[index].destroyAfterTitleRead)
        DestroyTree(index);
}

int CopyText(const std::string& text, LPSTR buffer, int count) {
    if (!buffer || count <= 0)
        return 0;
    const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(count) - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}

// Calls back for each descendant, depth first, each parent's children top to
// bottom, as the platform does. Returns false once the callback said stop.
// Recursive, one level per generation: the trees tests build are a few deep.
bool Enumerate(std::size_t parent, WNDENUMPROC callback, LPARAM parameter) {  // NOLINT(misc-no-recursion)
    // The callback may change the tree; walk the children it had at the start.
    const std::vector<std::size_t> children = windows[parent].children;
    for (const std::size_t child : children) {
        if (windows[child].destroyed)
            continue;
        if (!callback(HandleOf(child), parameter))
            return false;
        if (!Enumerate(child, callback, parameter))
            return false;
    }
    return true;
}

}  // namespace

namespace winsim {

void Reset() {
    windows.assign(1, Window());
    metrics.clear();
    metrics[SM_CYCAPTION] = 19;
    metrics[SM_CYFRAME] = 3;
    // Wine's on a 1280 x 1024 screen.
    metrics[SM_CXMINTRACK] = 112;
    metrics[SM_CYMINTRACK] = 27;
    metrics[SM_CXMAXTRACK] = 1292;
    metrics[SM_CYMAXTRACK] = 1036;
    setWindowPosCalls.clear();
    textHook = nullptr;
    ansiCodePage = 1252;
    crossThreadWaits = 0;
}

void SetAnsiCodePage(UINT codePage) {
    ansiCodePage = codePage;
}

HWND CreateWindowSim(HWND parent, const char* className, const char* title, RECT rect,
                     WindowState state, DWORD process) {
    std::size_t parentIndex;
    if (!ParentIndexOf(parent, &parentIndex))
        return nullptr;
    Window window;
    window.parent = parentIndex;
    window.className = className ? className : "";
    window.title = title ? title : "";
    window.rect = window.normalRect = rect;
    window.process = process;
    windows.push_back(window);
    const std::size_t index = windows.size() - 1;
    windows[parentIndex].children.push_back(index);
    SetState(index, state);
    return HandleOf(index);
}

WindowState State(HWND window) {
    const std::size_t index = IndexOf(window);
    return index ? windows[index].state : WindowState::Normal;
}

void Hide(HWND window) {
    if (const std::size_t index = IndexOf(window))
        windows[index].visible = false;
}

bool IsVisible(HWND window) {
    const std::size_t index = IndexOf(window);
    return index && windows[index].visible;
}

void BeginCreation(HWND window) {
    if (const std::size_t index = IndexOf(window)) {
        windows[index].rect = windows[index].normalRect;
        windows[index].visible = false;
    }
}

void FinishCreation(HWND window) {
    if (const std::size_t index = IndexOf(window)) {
        windows[index].normalRect = windows[index].rect;
        windows[index].visible = true;
        SetState(index, windows[index].state);
    }
}

void Destroy(HWND window) {
    if (const std::size_t index = IndexOf(window))
        DestroyTree(index);
}

void DestroyAfterTitleRead(HWND window) {
    if (const std::size_t index = IndexOf(window))
        windows[index].destroyAfterTitleRead = true;
}

bool Exists(HWND window) {
    return IndexOf(window) != 0;
}

void SetThread(HWND window, DWORD thread) {
    if (const std::size_t index = IndexOf(window))
        windows[index].thread = thread;
}

void SetSizingBorder(HWND window, bool sizingBorder) {
    if (const std::size_t index = IndexOf(window))
        windows[index].sizingBorder = sizingBorder;
}

void SetRestoredRect(HWND window, RECT rect) {
    if (const std::size_t index = IndexOf(window)) {
        windows[index].normalRect = rect;
        if (windows[index].state == WindowState::Normal)
            windows[index].rect = rect;
    }
}

int CrossThreadWaits() {
    return crossThreadWaits;
}

void Restore(HWND window) {
    if (const std::size_t index = IndexOf(window))
        SetState(index, WindowState::Normal);
}

void SetAnsweredText(HWND window, const char* text) {
    if (const std::size_t index = IndexOf(window))
        windows[index].answeredText = text;
}

void SetTextHook(TextHook hook) {
    textHook = hook;
}

void SetSystemMetric(int index, int value) {
    metrics[index] = value;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> result;
    std::size_t parentIndex;
    if (!ParentIndexOf(parent, &parentIndex))
        return result;
    for (const std::size_t child : windows[parentIndex].children)
        result.push_back(HandleOf(child));
    return result;
}

int MoveCount(HWND window) {
    const std::size_t index = IndexOf(window);
    return index ? windows[index].moveCount : 0;
}

const std::vector<SetWindowPosCall>& SetWindowPosCalls() {
    return setWindowPosCalls;
}

RECT RectInParent(HWND window) {
    const std::size_t index = IndexOf(window);
    return index ? windows[index].rect : RECT{};
}

}  // namespace winsim

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName) {
    return FindWindowExA(nullptr, nullptr, className, windowName);
}

HWND WINAPI FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
    std::size_t parentIndex;
    if (!ParentIndexOf(parent, &parentIndex))
        return nullptr;
    const std::vector<std::size_t>& children = windows[parentIndex].children;
    auto it = children.begin();
    if (childAfter) {
        it = std::find(children.begin(), children.end(), IndexOf(childAfter));
        if (it == children.end())
            return nullptr;
        ++it;
    }
    for (; it != children.end(); ++it) {
        const Window& window = windows[*it];
        if (className && !EqualsIgnoringAsciiCase(window.className, className))
            continue;
        if (windowName && !EqualsIgnoringAsciiCase(window.title, windowName))
            continue;
        return HandleOf(*it);
    }
    return nullptr;
}

BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM parameter) {
    std::size_t parentIndex;
    if (!ParentIndexOf(parent, &parentIndex) || !callback)
        return FALSE;
    return Enumerate(parentIndex, callback, parameter) ? TRUE : FALSE;
}

int WINAPI GetClassNameA(HWND window, LPSTR buffer, int count) {
    const std::size_t index = IndexOf(window);
    return index ? CopyText(windows[index].className, buffer, count) : 0;
}

int WINAPI GetWindowTextA(HWND window, LPSTR buffer, int count) {
    std::size_t index = IndexOf(window);
    if (index)
        CountWaitFor(index);
    if (index && textHook && windows[index].process == winsim::CurrentProcess &&
        windows[index].thread == winsim::CurrentThread) {
        textHook(window);
        index = IndexOf(window);
    }
    if (!index)
        return 0;
    const Window& w = windows[index];
    const int copied =
        CopyText(w.answeredText && w.process == winsim::CurrentProcess ? w.answeredText : w.title, buffer, count);
    TitleRead(index);
    return copied;
}

int WINAPI GetWindowTextLengthA(HWND window) {
    const std::size_t index = IndexOf(window);
    if (!index)
        return 0;
    CountWaitFor(index);
    const Window& w = windows[index];
    const bool answers = w.answeredText && w.process == winsim::CurrentProcess;
    return static_cast<int>(answers ? std::strlen(w.answeredText) : w.title.size());
}

int WINAPI InternalGetWindowText(HWND window, LPWSTR buffer, int count) {
    const std::size_t index = IndexOf(window);
    if (!index || !buffer || count <= 0)
        return 0;
    const std::string& title = windows[index].title;
    int length = 0;
    for (std::size_t i = 0; i < title.size() && length < count - 1; ++i, ++length) {
        const unsigned char byte = static_cast<unsigned char>(title[i]);
        if (IsLeadByte(byte) && i + 1 < title.size())
            buffer[length] = static_cast<WCHAR>(byte << 8 | static_cast<unsigned char>(title[++i]));
        else
            buffer[length] = byte;
    }
    buffer[length] = 0;
    TitleRead(index);
    return length;
}

LONG WINAPI GetWindowLongA(HWND window, int index) {
    const std::size_t i = IndexOf(window);
    if (!i || index != GWL_STYLE)
        return 0;
    const Window& w = windows[i];
    return (w.visible ? WS_VISIBLE : 0) | (w.parent ? WS_CHILD : 0) | (w.sizingBorder ? WS_THICKFRAME : 0) |
           (w.state == WindowState::Minimized ? WS_MINIMIZE : 0) |
           (w.state == WindowState::Maximized ? WS_MAXIMIZE : 0);
}

BOOL WINAPI IsIconic(HWND window) {
    const std::size_t index = IndexOf(window);
    return index && windows[index].state == WindowState::Minimized ? TRUE : FALSE;
}

BOOL WINAPI IsZoomed(HWND window) {
    const std::size_t index = IndexOf(window);
    return index && windows[index].state == WindowState::Maximized ? TRUE : FALSE;
}

BOOL WINAPI GetWindowRect(HWND window, RECT* rect) {
    const std::size_t index = IndexOf(window);
    if (!index || !rect)
        return FALSE;
    const POINT origin = ClientOrigin(windows[index].parent);
    const RECT& own = windows[index].rect;
    *rect = RECT{Clamped(static_cast<long long>(own.left) + origin.x), Clamped(static_cast<long long>(own.top) + origin.y),
                 Clamped(static_cast<long long>(own.right) + origin.x),
                 Clamped(static_cast<long long>(own.bottom) + origin.y)};
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND window, POINT* point) {
    const std::size_t index = IndexOf(window);
    if (!index || !point)
        return FALSE;
    const POINT origin = ClientOrigin(index);
    point->x = Clamped(static_cast<long long>(point->x) - origin.x);
    point->y = Clamped(static_cast<long long>(point->y) - origin.y);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND window, RECT* rect) {
    const std::size_t index = IndexOf(window);
    if (!index || !rect)
        return FALSE;
    const RECT& own = windows[index].rect;
    *rect = RECT{0, 0, Clamped(static_cast<long long>(own.right) - own.left),
                 Clamped(static_cast<long long>(own.bottom) - own.top)};
    return TRUE;
}

int WINAPI GetSystemMetrics(int index) {
    auto it = metrics.find(index);
    return it == metrics.end() ? 0 : it->second;
}

BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    const std::size_t index = IndexOf(window);
    if (!index)
        return FALSE;
    setWindowPosCalls.push_back({window, insertAfter, x, y, cx, cy, flags});
    Window& moved = windows[index];
    // The request is posted only to a thread whose input queue is not the
    // caller's; otherwise the caller waits for that thread, as without it.
    if (!(flags & SWP_ASYNCWINDOWPOS) || SharesInputQueue(moved.thread, winsim::CurrentThread))
        CountWaitFor(index);
    RECT& rect = moved.rect;
    const long long width = (flags & SWP_NOSIZE) ? static_cast<long long>(rect.right) - rect.left
                                                 : TrackedSize(moved, cx, SM_CXMINTRACK, SM_CXMAXTRACK);
    const long long height = (flags & SWP_NOSIZE) ? static_cast<long long>(rect.bottom) - rect.top
                                                  : TrackedSize(moved, cy, SM_CYMINTRACK, SM_CYMAXTRACK);
    if (!(flags & SWP_NOMOVE)) {
        rect.left = x;
        rect.top = y;
    }
    rect.right = Clamped(rect.left + width);
    rect.bottom = Clamped(rect.top + height);
    // Only a normal window's restored rectangle follows a move.
    if (moved.state == WindowState::Normal)
        moved.normalRect = rect;
    const bool activates = !(flags & SWP_NOACTIVATE) && IsMdiChild(index);
    if ((!(flags & SWP_NOZORDER) && insertAfter == HWND_TOP) || activates)
        RaiseToTop(index);
    ++moved.moveCount;
    return TRUE;
}

BOOL WINAPI GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) {
    const std::size_t index = IndexOf(window);
    if (!index || !placement || placement->length != sizeof(WINDOWPLACEMENT))
        return FALSE;
    const Window& w = windows[index];
    placement->flags = 0;
    placement->showCmd = w.state == WindowState::Minimized   ? SW_SHOWMINIMIZED
                         : w.state == WindowState::Maximized ? SW_SHOWMAXIMIZED
                                                             : SW_SHOWNORMAL;
    placement->ptMinPosition = POINT{-1, -1};
    placement->ptMaxPosition = POINT{-1, -1};
    placement->rcNormalPosition = w.normalRect;
    return TRUE;
}

BOOL WINAPI SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement) {
    const std::size_t index = IndexOf(window);
    if (!index || !placement || placement->length != sizeof(WINDOWPLACEMENT))
        return FALSE;
    CountWaitFor(index);
    Window& w = windows[index];
    w.normalRect = placement->rcNormalPosition;
    // Where the window goes in the state it is in, before it is shown anew.
    const auto moveTo = [&w](POINT corner) {
        const long long width = static_cast<long long>(w.rect.right) - w.rect.left;
        const long long height = static_cast<long long>(w.rect.bottom) - w.rect.top;
        w.rect = RECT{corner.x, corner.y, Clamped(corner.x + width), Clamped(corner.y + height)};
    };
    if (w.state == WindowState::Minimized) {
        if (placement->flags & WPF_SETMINPOSITION)
            moveTo(placement->ptMinPosition);
    } else if (w.state == WindowState::Maximized) {
        moveTo(PulledOntoScreen(placement->ptMaxPosition));
    } else {
        w.normalRect = Tracked(w, w.normalRect);
        w.rect = w.normalRect;
    }
    WindowState shown = WindowState::Normal;
    w.visible = placement->showCmd != SW_HIDE;
    switch (placement->showCmd) {
    case SW_HIDE:
        shown = w.state;
        break;
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        shown = WindowState::Minimized;
        break;
    case SW_SHOWMAXIMIZED:
        shown = WindowState::Maximized;
        break;
    default:
        break;
    }
    // Showing a window in the state it is in already leaves it where it is.
    if (shown != w.state)
        SetState(index, shown);
    ++w.moveCount;
    return TRUE;
}

HWND WINAPI GetParent(HWND window) {
    const std::size_t index = IndexOf(window);
    return index && windows[index].parent ? HandleOf(windows[index].parent) : nullptr;
}

int WINAPI MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    std::size_t fromIndex, toIndex;
    if (!ParentIndexOf(from, &fromIndex) || !ParentIndexOf(to, &toIndex) || !points)
        return 0;
    const POINT a = ClientOrigin(fromIndex);
    const POINT b = ClientOrigin(toIndex);
    const long long dx = static_cast<long long>(a.x) - b.x;
    const long long dy = static_cast<long long>(a.y) - b.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x = Clamped(points[i].x + dx);
        points[i].y = Clamped(points[i].y + dy);
    }
    return static_cast<int>(((dy & 0xFFFF) << 16) | (dx & 0xFFFF));
}

DWORD WINAPI GetWindowThreadProcessId(HWND window, DWORD* processId) {
    const std::size_t index = IndexOf(window);
    if (!index)
        return 0;
    if (processId)
        *processId = windows[index].process;
    return windows[index].thread;
}

DWORD WINAPI GetCurrentThreadId() {
    return winsim::CurrentThread;
}

// As documented: fails (0) for flags it does not know, for UTF-8 with any
// flag but WC_ERR_INVALID_CHARS or a default character, for a length of 0 or
// below -1 (-1: up to and with the terminator), for a negative or missing
// output, and when the output does not fit; an output size of 0 asks for the
// size needed.
int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideLength, LPSTR multiByte,
                               int multiByteSize, LPCSTR defaultChar, BOOL* usedDefaultChar) {
    constexpr DWORD KnownFlags = 0x0010 | 0x0020 | 0x0040 | 0x0080 | 0x0200 | 0x0400;  // WC_*
    constexpr DWORD ErrInvalidChars = 0x0080;
    if (codePage != CP_ACP || (flags & ~KnownFlags) != 0)
        return 0;  // ERROR_INVALID_FLAGS (the simulation converts only to its ANSI code page)
    if (ansiCodePage == 65001 && ((flags & ~ErrInvalidChars) != 0 || defaultChar || usedDefaultChar))
        return 0;
    if (!wide || wideLength == 0 || wideLength < -1 || multiByteSize < 0 || (multiByteSize > 0 && !multiByte))
        return 0;  // ERROR_INVALID_PARAMETER
    if (wideLength == -1) {
        wideLength = 1;
        while (wide[wideLength - 1] != 0)
            ++wideLength;
    }
    int written = 0;
    for (int i = 0; i < wideLength; ++i) {
        const int size = wide[i] > 0xFF ? 2 : 1;
        if (multiByteSize == 0) {
            written += size;
            continue;
        }
        if (written + size > multiByteSize)
            return 0;  // ERROR_INSUFFICIENT_BUFFER
        if (size == 2)
            multiByte[written++] = static_cast<char>(wide[i] >> 8);
        multiByte[written++] = static_cast<char>(wide[i] & 0xFF);
    }
    return written;
}

DWORD WINAPI GetCurrentProcessId() {
    return winsim::CurrentProcess;
}

UINT WINAPI GetACP() {
    return ansiCodePage;
}

BOOL WINAPI GetCPInfo(UINT codePage, CPINFO* info) {
    const CodePage* page = FindCodePage(codePage == CP_ACP ? ansiCodePage : codePage);
    if (!page || !info)
        return FALSE;
    info->MaxCharSize = page->maxCharSize;
    info->DefaultChar[0] = '?';
    info->DefaultChar[1] = 0;
    std::memcpy(info->LeadByte, page->leadBytes, sizeof info->LeadByte);
    return TRUE;
}
