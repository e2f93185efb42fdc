#pragma once

// The stand-in IDE's window plumbing, shared by the Win32 host tests, the
// Wine benchmark and the demo host (Win32 only): the IDE's classes, an MDI
// frame procedure, editors that are real MDI children, a message pump and
// rectangles in the client area's coordinates.

#include <windows.h>

namespace mdihost {

constexpr char FrameClass[] = "QDVSHELL";
constexpr char EditorClass[] = "QDV7Editor";

// An MDI frame hands what it does not handle to DefFrameProcA with its
// client, which sizes the client and routes the children's commands.
inline LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND client = FindWindowExA(window, nullptr, "MDIClient", nullptr);
    return client ? DefFrameProcA(window, client, message, wParam, lParam)
                  : DefWindowProcA(window, message, wParam, lParam);
}

// An editor as the IDE has them: an MDI child left to DefMDIChildProcA, so
// that it activates, maximises and minimises as MDI children do.
inline LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefMDIChildProcA(window, message, wParam, lParam);
}

inline bool RegisterWindowClass(const char* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

// Registers the frame and editor classes with the given procedures.
inline bool RegisterHostClasses(WNDPROC frameProc = FrameProc, WNDPROC editorProc = EditorProc) {
    const HBRUSH workspace = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    return RegisterWindowClass(FrameClass, frameProc, workspace) &&
           RegisterWindowClass(EditorClass, editorProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

// The MDI client of `frame` at `rect`; the first MDI child gets the
// identifier 1000. Without scroll bar styles, so that its width stays put
// when editors reach past its edge.
inline HWND CreateClient(HWND frame, RECT rect, DWORD exStyle = 0) {
    CLIENTCREATESTRUCT ccs = {nullptr, 1000};
    return CreateWindowExA(exStyle, "MDIClient", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, rect.left,
                           rect.top, rect.right - rect.left, rect.bottom - rect.top, frame, nullptr,
                           GetModuleHandleA(nullptr), &ccs);
}

// Opens an editor through the MDI client, as the IDE does; it becomes the
// active one.
inline HWND OpenEditor(HWND client, const char* title, int x, int y, int width, int height,
                       const char* className = EditorClass) {
    return CreateMDIWindowA(className, title, WS_VISIBLE | WS_OVERLAPPEDWINDOW, x, y, width, height, client,
                            GetModuleHandleA(nullptr), 0);
}

// Handles what is queued, so that windows settle before they are measured.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The window's outer rectangle in `client`'s client coordinates.
inline RECT RectInClient(HWND window, HWND client) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace mdihost
