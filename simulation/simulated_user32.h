#pragma once

// The slice of USER32 and KERNEL32 that the placement code calls, with their names,
// types and constants, served by the in-memory window manager of
// window_simulation.cpp. See window_simulation.h for how tests build windows.

#include <cstdint>

typedef int BOOL;
typedef unsigned char BYTE;
typedef std::int32_t LONG;
typedef unsigned int UINT;
typedef std::uint32_t DWORD;
typedef std::intptr_t LPARAM;
typedef const char* LPCSTR;
typedef char* LPSTR;
// The platform's wide characters are UTF-16 code units.
typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;

// windows.h's own name for what a handle points at.
struct HWND__ {  // NOLINT(bugprone-reserved-identifier)
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

struct WINDOWPLACEMENT {
    UINT length;
    UINT flags;
    UINT showCmd;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};

typedef BOOL(CALLBACK* WNDENUMPROC)(HWND, LPARAM);

#define MAX_LEADBYTES 12
#define MAX_DEFAULTCHAR 2

struct CPINFO {
    UINT MaxCharSize;
    BYTE DefaultChar[MAX_DEFAULTCHAR];
    BYTE LeadByte[MAX_LEADBYTES];
};

#define SM_CYCAPTION 4
#define SM_CYFRAME 33
#define SM_CXMINTRACK 34
#define SM_CYMINTRACK 35
#define SM_CXMAXTRACK 59
#define SM_CYMAXTRACK 60
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOACTIVATE 0x0010
#define SWP_ASYNCWINDOWPOS 0x4000
#define WPF_SETMINPOSITION 0x0001
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_SHOWMINNOACTIVE 7
#define SW_RESTORE 9
#define HWND_TOP (static_cast<HWND>(nullptr))
#define CP_ACP 0
#define GWL_STYLE (-16)
#define WS_THICKFRAME 0x00040000
#define WS_MAXIMIZE 0x01000000
#define WS_VISIBLE 0x10000000
#define WS_MINIMIZE 0x20000000
#define WS_CHILD 0x40000000

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName);
HWND WINAPI FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName);
BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM parameter);
int WINAPI GetClassNameA(HWND window, LPSTR buffer, int count);
int WINAPI GetWindowTextA(HWND window, LPSTR buffer, int count);
int WINAPI GetWindowTextLengthA(HWND window);
int WINAPI InternalGetWindowText(HWND window, LPWSTR buffer, int count);
LONG WINAPI GetWindowLongA(HWND window, int index);
BOOL WINAPI IsIconic(HWND window);
BOOL WINAPI GetWindowRect(HWND window, RECT* rect);
BOOL WINAPI ScreenToClient(HWND window, POINT* point);
BOOL WINAPI GetClientRect(HWND window, RECT* rect);
int WINAPI GetSystemMetrics(int index);
BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL WINAPI IsZoomed(HWND window);
BOOL WINAPI GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
BOOL WINAPI SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement);
HWND WINAPI GetParent(HWND window);
int WINAPI MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
DWORD WINAPI GetWindowThreadProcessId(HWND window, DWORD* processId);
DWORD WINAPI GetCurrentProcessId();
DWORD WINAPI GetCurrentThreadId();
int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideLength, LPSTR multiByte,
                               int multiByteSize, LPCSTR defaultChar, BOOL* usedDefaultChar);
UINT WINAPI GetACP();
BOOL WINAPI GetCPInfo(UINT codePage, CPINFO* info);
