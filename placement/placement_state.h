#pragma once

#include "platform/window_api.h"

// State shared by PositionWindow and the enumeration callbacks it runs. The
// callbacks can only hand results back through module-level variables; each
// call resets or overwrites all five before reading them, so nothing carries
// over from one call to the next. Nothing is locked: calls must not overlap.

extern int PlaceX;               // left edge for the target, client coordinates
extern int PlaceY;               // top edge for the target, client coordinates
extern HWND TargetEditor;        // the editor being placed, or null
extern HWND CounterpartEditor;   // its open counterpart, or null
extern HWND ClientWindow;        // the host's client area
