#include "placement/move_target.h"

#include "placement/coordinates.h"

namespace {

// The window's rectangle in its parent's client coordinates, or false when
// it cannot be read.
bool RectInParent(HWND window, RECT* rect) {
    if (!GetWindowRect(window, rect))
        return false;
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(rect), 2);
    return true;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

void MoveTarget(HWND target, int x, int y, int width, int height) {
    const bool iconic = IsIconic(target) != FALSE;
    bool zoomed = !iconic && IsZoomed(target) != FALSE;
    const bool hidden = (GetWindowLongA(target, GWL_STYLE) & WS_VISIBLE) == 0;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    RECT shown{};
    if ((iconic || zoomed) && (!GetWindowPlacement(target, &placement) || !RectInParent(target, &shown)))
        return;
    // Maximised in style, not yet shown, and standing at its restored
    // rectangle: an editor created maximised and placed from its own
    // WM_CREATE (CreateWindowEx shows a window only after it). CreateWindowEx
    // maximises it afterwards and keeps where it then stands as its restored
    // rectangle, so that is where it goes. A window shown maximised stands
    // over the whole client area. (A minimised one cannot be placed so: it
    // takes the size of an icon.)
    if (zoomed && hidden && SameRect(shown, placement.rcNormalPosition))
        zoomed = false;
    if (!iconic && !zoomed) {
        SetWindowPos(target, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    // A child's restored rectangle is in its parent's client coordinates,
    // which are the client area's: the target is a direct child of it.
    // A negative size is an empty one, never an inverted rectangle.
    placement.rcNormalPosition = RECT{x, y, SaturatingAdd(x, width < 0 ? 0 : width),
                                      SaturatingAdd(y, height < 0 ? 0 : height)};
    // Re-showing in the state it is in changes nothing else. A maximised MDI
    // child is the active one already (the client keeps it so). A minimised
    // one keeps its icon where it is: without WPF_SETMINPOSITION,
    // ptMinPosition is not applied. A hidden one stays hidden, maximised or
    // minimised: SW_HIDE changes neither state.
    placement.showCmd = hidden ? SW_HIDE : iconic ? SW_SHOWMINNOACTIVE : SW_SHOWMAXIMIZED;
    // SetWindowPlacement puts a maximised window at ptMaxPosition, and what
    // GetWindowPlacement reported there is not where an MDI child stands (it
    // may be (-1,-1)); its own corner is.
    if (zoomed)
        placement.ptMaxPosition = POINT{shown.left, shown.top};
    SetWindowPlacement(target, &placement);

    // A maximised MDI child's frame and caption lie left of and above the
    // client area, and Wine pulls such a ptMaxPosition onto the screen: the
    // caption would show. A hidden one Wine moves to (0,0) outright. Moving a
    // maximised window leaves its restored rectangle as it is, so put it
    // back where it stood.
    RECT now{};
    if (zoomed && RectInParent(target, &now) && !SameRect(now, shown))
        SetWindowPos(target, nullptr, shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}
