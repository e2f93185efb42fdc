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
//   screen for top-level windows). Windows have no frame: the client area
//   starts at the window's top-left corner and is as large as the window.
// - Lookups by class and title ignore ASCII case, as the platform does.
// - A null or unknown window handle makes a call fail (FALSE or 0) without
//   touching its outputs.

#include <string>
#include <vector>

#include "platform/simulated_user32.h"

namespace winsim {

// Destroys every window and restores the default metrics
// (SM_CYCAPTION 19, SM_CYFRAME 3).
void Reset();

// Creates a window at `rect` in its parent's client coordinates, at the
// bottom of the parent's z-order. Returns null when `parent` is unknown.
HWND CreateWindowSim(HWND parent, const char* className, const char* title,
                     RECT rect, bool minimized = false);

void SetSystemMetric(int index, int value);

// The direct children of `parent` (null: top-level windows), top first.
std::vector<HWND> Children(HWND parent);

// How many times SetWindowPos changed anything about `window`.
int MoveCount(HWND window);

// Every SetWindowPos call so far, in order.
struct SetWindowPosCall {
    HWND window;
    HWND insertAfter;
    int x, y, cx, cy;
    UINT flags;
};
const std::vector<SetWindowPosCall>& SetWindowPosCalls();

// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

}  // namespace winsim
