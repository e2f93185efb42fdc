#pragma once

#include "platform/window_api.h"

// Vertical distance between stacked editors: a caption and two sizing frames.
int CaptionStep();

// Enumeration callback: stops at the first open (not minimised) editor other
// than TargetEditor whose base name, known whole, equals, ignoring case, the
// NUL-terminated counterpart name passed as `parameter`, and stores it in
// CounterpartEditor. Titles are read as TitleLeadBytes says the ANSI code
// page writes them.
BOOL CALLBACK FindCounterpartProc(HWND window, LPARAM parameter);

// Enumeration callback: for each open editor other than TargetEditor whose
// top can be read, in enumeration order, raises PlaceY to that top (in the
// coordinates of the client area passed as `parameter`) plus CaptionStep()
// when it is not above PlaceY. A single pass, deliberately not a maximum.
BOOL CALLBACK CascadeScanProc(HWND window, LPARAM parameter);

// The top a stacked editor takes when the scan reached `top`: 0 instead once
// its caption, CaptionStep() high, would reach below the bottom of `client`.
// A client area with no height has no bottom to go by, and `top` stands.
int StackTopInSight(int top, HWND client);

// Puts in `top` the top edge of `window` in the client coordinates of
// `client`; for a maximised window, the top of its restored rectangle.
// False, with `top` untouched, when the rectangle cannot be read: another
// thread may have destroyed the window since it was found.
bool TopInClient(HWND window, HWND client, int* top);
