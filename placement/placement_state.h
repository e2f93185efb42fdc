#pragma once

#include "naming/lead_bytes.h"
#include "platform/window_api.h"

// State shared by PositionWindow and the enumeration callbacks it runs. The
// callbacks get one LPARAM each, which carries their input (the counterpart
// name, the client area); what they hand back, and the state both read, go
// through these module-level variables. Each call resets or overwrites all
// of them before reading them, so nothing carries over from one call to
// the next. Only one call uses them at a time: a call that starts while
// another is running returns at once, before it touches them.

extern int PlaceX;               // left edge for the target, client coordinates
extern int PlaceY;               // top edge for the target, client coordinates
extern HWND TargetEditor;        // the editor being placed, or null
extern HWND CounterpartEditor;   // its open counterpart, or null
extern HWND ClientWindow;        // the host's client area
extern LeadBytes TitleLeadBytes; // how the ANSI code page writes titles, read once per call
