#pragma once

// The stand-in IDE's window plumbing, shared by the Win32 host tests, the
// Wine benchmark and the demo host (Win32 only): the IDE's classes, an MDI
// frame procedure that lays out a toolbar, a panel and the client area,
// editors that are real MDI children, a message pump and rectangles in the
// client area's coordinates.

#include <windows.h>

namespace mdihost {

constexpr char FrameClass[] = "QDVSHELL";
constexpr char EditorClass[] = "QDV7Editor";

// A real IDE's client area lies below its toolbar and beside a side panel,
// not at the frame's client origin; the stand-in's does too, so that
// coordinates taken relative to the frame instead of the client area show
// in every host.
constexpr int ToolbarHeight = 28;
constexpr int PanelWidth = 120;
constexpr char ToolbarClass[] = "QDVToolbar";
constexpr char PanelClass[] = "QDVPanel";

// Lays out the frame's toolbar (across the top), panel (down the left) and
// MDI client (the rest), for a frame whose client area is `width` by
// `height`.
inline void LayOutFrame(HWND frame, int width, int height) {
    const int clientLeft = width > PanelWidth ? PanelWidth : width;
    const int clientTop = height > ToolbarHeight ? ToolbarHeight : height;
    if (const HWND toolbar = FindWindowExA(frame, nullptr, ToolbarClass, nullptr))
        MoveWindow(toolbar, 0, 0, width, clientTop, TRUE);
    if (const HWND panel = FindWindowExA(frame, nullptr, PanelClass, nullptr))
        MoveWindow(panel, 0, clientTop, clientLeft, height - clientTop, TRUE);
    if (const HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr))
        MoveWindow(client, clientLeft, clientTop, width - clientLeft, height - clientTop, TRUE);
}

// An MDI frame hands what it does not handle to DefFrameProcA with its
// client, which routes the children's commands. Not WM_SIZE: DefFrameProcA
// would stretch the client over the whole frame, toolbar and panel included.
inline LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        LayOutFrame(window, LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
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

// Registers the frame, editor, toolbar and panel classes, the first two
// with the given procedures.
inline bool RegisterHostClasses(WNDPROC frameProc = FrameProc, WNDPROC editorProc = EditorProc) {
    const HBRUSH workspace = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    const HBRUSH face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    return RegisterWindowClass(FrameClass, frameProc, workspace) &&
           RegisterWindowClass(EditorClass, editorProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)) &&
           RegisterWindowClass(ToolbarClass, DefWindowProcA, face) &&
           RegisterWindowClass(PanelClass, DefWindowProcA, face);
}

// The toolbar, the panel and the MDI client of `frame`, laid out in its
// client area; returns the MDI client, whose first MDI child gets the
// identifier 1000. Without scroll bar styles, so that its width stays put
// when editors reach past its edge. Made last, so that the frame's first
// child is not the client. `style` adds MDIS_ALLCHILDSTYLES, say.
inline HWND CreateClient(HWND frame, DWORD exStyle = 0, DWORD style = 0) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const DWORD bar = WS_CHILD | WS_VISIBLE | WS_BORDER;
    CreateWindowExA(0, ToolbarClass, nullptr, bar, 0, 0, 0, 0, frame, nullptr, instance, nullptr);
    CreateWindowExA(0, PanelClass, nullptr, bar, 0, 0, 0, 0, frame, nullptr, instance, nullptr);
    CLIENTCREATESTRUCT ccs = {nullptr, 1000};
    const HWND client = CreateWindowExA(exStyle, "MDIClient", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | style,
                                        0, 0, 0, 0, frame, nullptr, instance, &ccs);
    RECT area{};
    GetClientRect(frame, &area);
    LayOutFrame(frame, area.right, area.bottom);
    return client;
}

// Opens an editor through the MDI client, as the IDE does; it becomes the
// active one. While the active editor is maximised the new one is opened
// maximised, as MDI hosts do (MDI itself would restore the active one and
// open the new one at its restored size).
inline HWND OpenEditor(HWND client, const char* title, int x, int y, int width, int height,
                       const char* className = EditorClass) {
    BOOL maximized = FALSE;
    SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    return CreateMDIWindowA(className, title, WS_VISIBLE | WS_OVERLAPPEDWINDOW | (maximized ? WS_MAXIMIZE : 0), x,
                            y, width, height, client, GetModuleHandleA(nullptr), 0);
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
