#pragma once

// The slice of USER32 that the placement code calls, with USER32's names,
// types and constants, served by the in-memory window manager of
// window_simulation.cpp. See window_simulation.h for how tests build windows.

#include <cstdint>

typedef int BOOL;
typedef std::int32_t LONG;
typedef unsigned int UINT;
typedef std::intptr_t LPARAM;
typedef const char* LPCSTR;
typedef char* LPSTR;

struct HWND__ {
    int unused;
};
typedef HWND__* HWND;

#define TRUE 1
#define FALSE 0
#define WINAPI
#define CALLBACK

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct POINT {
    LONG x;
    LONG y;
};

typedef BOOL(CALLBACK* WNDENUMPROC)(HWND, LPARAM);

#define SM_CYCAPTION 4
#define SM_CYFRAME 33
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define HWND_TOP (static_cast<HWND>(nullptr))

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName);
HWND WINAPI FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName);
BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM parameter);
int WINAPI GetClassNameA(HWND window, LPSTR buffer, int count);
int WINAPI GetWindowTextA(HWND window, LPSTR buffer, int count);
BOOL WINAPI IsIconic(HWND window);
BOOL WINAPI GetWindowRect(HWND window, RECT* rect);
BOOL WINAPI ScreenToClient(HWND window, POINT* point);
BOOL WINAPI GetClientRect(HWND window, RECT* rect);
int WINAPI GetSystemMetrics(int index);
BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
