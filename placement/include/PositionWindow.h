/*
 * PositionWindow.dll: places the host IDE's editor windows so that a header
 * and its source file sit side by side at the same height.
 *
 * This comment is the library's calling contract, whole; the project's
 * other documents explain it and do not restate it. What each version
 * changed: CHANGELOG.md; what stays compatible: the project's docs/kit.md.
 *
 * Load it with LoadLibraryA("PositionWindow.dll") and look the function up
 * with GetProcAddress(module, "PositionWindow"), or link with the import
 * library PositionWindow.lib (Visual Studio, clang-cl) or
 * libPositionWindow.dll.a (mingw-w64).
 */
#ifndef POSITIONWINDOW_H
#define POSITIONWINDOW_H

#ifndef WINAPI
#include <windows.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Moves and sizes one editor of the host IDE: a window of class "QDV7Editor"
 * that is a direct child of the "MDIClient" child of a "QDVSHELL" frame of
 * the calling process. Nothing is returned or reported.
 *
 * title          The editor's window title, in the ANSI code page
 *                (double-byte ones such as 932 included): a file path,
 *                possibly with a suffix after a colon or a space
 *                ("C:\src\main.cpp:2", "C:\src\main.h [Read Only]"), of
 *                any length. It finds the editor as FindWindowExA does,
 *                which compares titles without regard to case. The file
 *                name in it decides where the editor goes.
 * width, height  The editor's new size in pixels. A normal editor is given
 *                them as they are (Windows itself holds a window with a
 *                sizing border between its minimum and maximum tracking
 *                sizes); a maximised or minimised one gets them as its
 *                restored size, a negative one as 0.
 * sourceOnRight  Only the low-order byte is read. Nonzero: source files
 *                (.cpp, .cxx, .rc) go against the right edge of the client
 *                area and headers (.h, .hxx, .rh) against the left; zero:
 *                the reverse. Other files always go to the left edge.
 *
 * Which editors count. The editor is looked for in this process's frames in
 * z-order; the first whose client area holds it is used, and only editors
 * of that client area are read. Of two editors of the title there, the
 * first in z-order moves. Another process's frames are never used.
 * Of the other editors, only those the user sees open count: direct
 * children of the client area (not windows of the editor class inside an
 * editor, such as a split pane) with WS_VISIBLE in their own style and not
 * minimised. Editors of other threads count too; their titles are read
 * without sending them a message.
 *
 * Across. Against the left edge, x is 0. Against the right edge, x is
 * the client area's width less the width the editor will take, so that it
 * ends at the right edge whatever width is asked: a negative width counts
 * as 0, and an editor with a sizing border (WS_THICKFRAME) is held between
 * the system's SM_CXMINTRACK and SM_CXMAXTRACK (a host's own
 * WM_GETMINMAXINFO is not asked). An editor wider than the client area gets
 * a negative x, right edges flush. While the client area has no width (the
 * frame minimised, in the tray, or not yet sized), or its size cannot be
 * read, x is 0.
 *
 * Top. A header and a source pair when their file names, without the folder
 * and the extension, are equal ignoring the case of ASCII letters only, and
 * their extensions make one of the pairs above (.h with .cpp, .hxx with
 * .cxx, .rh with .rc): folders are ignored, so C:\a\main.h pairs with
 * C:\b\main.cpp. For pairing, file names are compared as bytes of the ANSI
 * code page, never as Unicode. Only a file name known whole pairs: one
 * longer than 255 bytes pairs with nothing, and so does another editor
 * whose title, read cut at 262 bytes (between characters), ends before its
 * file name does. The first counterpart in z-order is taken, and the editor
 * gets its top; a counterpart closed meanwhile by its thread is none.
 * Any other editor, with no counterpart open or an extension that has
 * none, is stacked: one pass over the other editors in z-order, starting
 * from 0, moves the top to an editor's top plus one step (the caption
 * height and two SM_CYFRAME borders) whenever that editor's top is not
 * above the top reached so far. Where the editor's caption, one step high,
 * would then reach below the client area's bottom, its top is 0 instead:
 * the stack starts again at the top. While the client area has no height
 * (the frame minimised, or not yet sized) there is no bottom to go by.
 * A maximised editor's top, wherever one is read, is the top of its
 * restored rectangle.
 *
 * What is kept. The z-order and the active editor: the editor is not
 * activated. A maximised or minimised editor keeps its state and its place
 * on the screen; the placement becomes its restored rectangle, where it
 * shows once restored. A hidden editor stays hidden.
 *
 * When nothing moves:
 *   - the title is null or empty;
 *   - no frame of this process holds an editor of that title in its
 *     client area (no frame, no client area, or no such editor);
 *   - the call is made while another is running, from a window procedure
 *     that the running call reached, or from another thread: it returns at
 *     once;
 *   - the editor belongs to another thread than the caller's, in any state;
 *   - the editor is maximised or minimised and its placement or rectangle
 *     cannot be read.
 *
 * Threads. Call it from the thread that created the editor, from the
 * editor's own WM_CREATE on: one created maximised may be placed there, one
 * created minimised cannot (it keeps its creation rectangle as the one it
 * restores to). The library's own reads never wait on another thread:
 * editors of the calling thread are asked for their titles with
 * GetWindowTextA and GetWindowTextLengthA, which send them WM_GETTEXT and
 * WM_GETTEXTLENGTH, and other threads' titles are read without a message.
 * Moving the editor runs its window procedure, on the calling thread; what
 * that sends to windows of other threads (a client area or frame another
 * thread made, the host's own windows) waits for them, and it is the
 * calling thread that waits.
 */
void WINAPI PositionWindow(const char* title, int width, int height, BOOL sourceOnRight);

/* The function's type, for GetProcAddress. */
typedef void(WINAPI* PositionWindowFunction)(const char* title, int width, int height,
                                             BOOL sourceOnRight);

#ifdef __cplusplus
}
#endif

#endif /* POSITIONWINDOW_H */
