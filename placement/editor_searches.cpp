#include "placement/editor_searches.h"

#include <cstring>

#include "naming/char_strings.h"
#include "naming/editor_title.h"
#include "naming/narrow_string.h"
#include "placement/coordinates.h"
#include "placement/host_contract.h"
#include "placement/placement_state.h"

namespace {

// The filter both callbacks share: an editor of the host that the user sees
// open, other than the one being placed.
bool IsOtherOpenEditor(HWND window) {
    char className[ClassNameBufferSize] = "";
    GetClassNameA(window, className, ClassNameBufferSize);
    if (window == TargetEditor)
        return false;
    if (std::strcmp(className, EditorClassName) != 0)
        return false;
    // Child enumeration visits the windows inside editors too (a split pane
    // may be of the editor class); an editor is a child of the client area.
    if (GetParent(window) != ClientWindow)
        return false;
    // A hidden editor is not open to the user, and MDI passes it over too.
    // Its own style, not IsWindowVisible: a host may place its editors
    // before it shows its frame.
    if ((GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) == 0)
        return false;
    return !IsIconic(window);
}

// Reads the title as GetWindowTextA(window, title, EditorTitleReadCount)
// would, without waiting on another thread. For a window of another thread
// GetWindowTextA sends WM_GETTEXT and waits until that thread answers: a
// thread that is busy, or waits on the caller's own, would hold the call or
// deadlock the host. The title the window manager stores is what the target
// lookup compares too; it is kept in UTF-16 and converted to the ANSI code
// page, as GetWindowTextA does for another process's window. Returns false
// when the title goes on past what was read.
bool ReadEditorTitle(HWND window, char (&title)[EditorTitleBufferSize]) {
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        const int length = GetWindowTextA(window, title, EditorTitleReadCount);
        // Only a read that stopped at the count, or a byte short of it where
        // a double-byte character did not fit, may have left some out.
        return length < EditorTitleReadCount - 2 || GetWindowTextLengthA(window) <= length;
    }
    // One unit more than can be kept, to tell whether the title goes on.
    WCHAR wide[EditorTitleReadCount + 1];
    const int length = InternalGetWindowText(window, wide, EditorTitleReadCount + 1);
    // Each UTF-16 unit takes at most two bytes of a double-byte code page.
    char ansi[2 * (EditorTitleReadCount + 1)];
    const int bytes =
        length > 0 ? WideCharToMultiByte(CP_ACP, 0, wide, length, ansi, static_cast<int>(sizeof ansi), nullptr, nullptr) : 0;
    CopyBounded(title, EditorTitleReadCount, ansi, bytes > 0 ? static_cast<size_t>(bytes) : 0, TitleLeadBytes);
    return bytes < EditorTitleReadCount;
}

}  // namespace

int CaptionStep() {
    const int frame = GetSystemMetrics(SM_CYFRAME);
    return SaturatingAdd(GetSystemMetrics(SM_CYCAPTION), SaturatingAdd(frame, frame));
}

int StackTopInSight(int top, HWND client) {
    // As the platform's own MDI cascade does, the stack starts again at the
    // top rather than place an editor where its caption cannot be seen.
    RECT rect{};
    GetClientRect(client, &rect);
    if (rect.bottom <= 0)
        return top;
    return SaturatingAdd(top, CaptionStep()) > rect.bottom ? 0 : top;
}

bool TopInClient(HWND window, HWND client, int* top) {
    // A maximised editor covers the client area, its caption above the top;
    // it lives where its restored rectangle is, given in its parent's client
    // coordinates.
    if (IsZoomed(window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        if (GetWindowPlacement(window, &placement)) {
            POINT corner{placement.rcNormalPosition.left, placement.rcNormalPosition.top};
            MapWindowPoints(GetParent(window), client, &corner, 1);
            *top = corner.y;
            return true;
        }
    }
    RECT rect{};
    if (!GetWindowRect(window, &rect))
        return false;
    POINT corner{rect.left, rect.top};
    ScreenToClient(client, &corner);
    *top = corner.y;
    return true;
}

BOOL CALLBACK FindCounterpartProc(HWND window, LPARAM parameter) {
    if (!IsOtherOpenEditor(window))
        return TRUE;
    char title[EditorTitleBufferSize] = "";
    const bool whole = ReadEditorTitle(window, title);
    bool cut = false;
    const NarrowString baseName = EditorBaseName(title, TitleLeadBytes, &cut);
    // A name cut to fit is only the start of the file's, and may equal
    // another file's whole name; so may a title read cut short before any
    // suffix began.
    if (cut || (!whole && NormalizeEditorTitle(title, TitleLeadBytes).size() == std::strlen(title)))
        return TRUE;
    if (!EqualsIgnoringCase(baseName.c_str(), reinterpret_cast<const char*>(parameter), TitleLeadBytes))
        return TRUE;
    CounterpartEditor = window;
    return FALSE;
}

BOOL CALLBACK CascadeScanProc(HWND window, LPARAM parameter) {
    if (!IsOtherOpenEditor(window))
        return TRUE;
    const int step = CaptionStep();
    int top = 0;
    if (TopInClient(window, reinterpret_cast<HWND>(parameter), &top) && top >= PlaceY)
        PlaceY = SaturatingAdd(top, step);
    return TRUE;
}
