#pragma once

// The one place that chooses the window manager the library talks to: the
// real USER32 on Windows, the in-memory simulation everywhere else.
#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include "simulation/simulated_user32.h"
#endif
