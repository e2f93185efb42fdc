#pragma once

#include "platform/window_api.h"

// Moves and sizes the target without activating it: for an MDI child that
// is not the active one, SetWindowPos would send WM_CHILDACTIVATE, and the
// child would be activated and raised. A maximised or minimised editor keeps
// its state and stays where it stands; the placement becomes its restored
// rectangle, so that restoring it shows it in place. A hidden one stays
// hidden. `target` is a direct child of the client area and the calling
// thread's own; (x, y) is in the client area's coordinates.
void MoveTarget(HWND target, int x, int y, int width, int height);
