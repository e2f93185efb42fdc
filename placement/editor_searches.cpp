#include "placement/editor_searches.h"

#include <cstring>

#include "naming/char_strings.h"
#include "naming/editor_title.h"
#include "placement/coordinates.h"
#include "placement/host_contract.h"
#include "placement/placement_state.h"

namespace {

// The filter both callbacks share: an editor of the host, not the one being
// placed, and not minimised.
bool IsOtherOpenEditor(HWND window) {
    char className[ClassNameBufferSize] = "";
    GetClassNameA(window, className, ClassNameBufferSize);
    if (window == TargetEditor)
        return false;
    if (std::strcmp(className, EditorClassName) != 0)
        return false;
    return !IsIconic(window);
}

}  // namespace

int CaptionStep() {
    const int frame = GetSystemMetrics(SM_CYFRAME);
    return SaturatingAdd(GetSystemMetrics(SM_CYCAPTION), SaturatingAdd(frame, frame));
}

int TopInClient(HWND window, HWND client) {
    // A maximised editor covers the client area, its caption above the top;
    // it lives where its restored rectangle is, given in its parent's client
    // coordinates.
    if (IsZoomed(window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        if (GetWindowPlacement(window, &placement)) {
            POINT corner{placement.rcNormalPosition.left, placement.rcNormalPosition.top};
            MapWindowPoints(GetParent(window), client, &corner, 1);
            return corner.y;
        }
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    POINT corner{rect.left, rect.top};
    ScreenToClient(client, &corner);
    return corner.y;
}

BOOL CALLBACK FindCounterpartProc(HWND window, LPARAM parameter) {
    if (!IsOtherOpenEditor(window))
        return TRUE;
    char title[EditorTitleBufferSize] = "";
    GetWindowTextA(window, title, EditorTitleReadCount);
    const NarrowString baseName = EditorBaseName(title, TitleLeadBytes);
    if (!EqualsIgnoringCase(baseName.c_str(), reinterpret_cast<const char*>(parameter), TitleLeadBytes))
        return TRUE;
    CounterpartEditor = window;
    return FALSE;
}

BOOL CALLBACK CascadeScanProc(HWND window, LPARAM parameter) {
    if (!IsOtherOpenEditor(window))
        return TRUE;
    const int step = CaptionStep();
    const int top = TopInClient(window, reinterpret_cast<HWND>(parameter));
    if (top >= PlaceY)
        PlaceY = SaturatingAdd(top, step);
    return TRUE;
}
