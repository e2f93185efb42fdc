/*
 * PositionWindow.dll: places the host IDE's editor windows so that a header
 * and its source file sit side by side at the same height.
 *
 * Load it with LoadLibraryA("PositionWindow.dll") and look the function up
 * with GetProcAddress(module, "PositionWindow"), or link with the import
 * library libPositionWindow.dll.a (mingw) / PositionWindow.lib.
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
 * Moves and sizes the editor window titled exactly `title` (a "QDV7Editor"
 * child of the "MDIClient" of the "QDVSHELL" frame).
 *
 * title          The editor's exact window title in the ANSI code page
 *                (double-byte ones such as 932 included): a file path,
 *                possibly with a suffix after a colon or a space
 *                ("C:\src\main.cpp:2"). The file name in it decides the
 *                placement. Null or empty: no-op.
 * width, height  The size the editor is given, in pixels, passed on unchanged.
 * sourceOnRight  Only the low-order byte is read. Nonzero: source files
 *                (.cpp, .cxx, .rc) go against the right edge of the client
 *                area and headers (.h, .hxx, .rh) against the left; zero: the
 *                reverse. Other files always go to the left edge.
 *
 * A file whose counterpart (header for a source, source for a header) is
 * open is placed at the counterpart's height; any other editor is stacked
 * below the editors already open. Only editors the user sees open count:
 * hidden and minimised ones, and windows inside editors, are passed over.
 * The z-order and the active editor are kept; a maximised or minimised
 * editor keeps its state and its place, and is shown at the placement when
 * restored; a hidden one stays hidden. The editor is looked for in this
 * process's frames, the first in z-order that holds it. Nothing is moved
 * when no frame of this process holds it. Nothing is returned or reported.
 *
 * Call it from the host's window thread, once the editor is created (an
 * editor created minimised cannot be placed from its own WM_CREATE). A call
 * never waits on another thread: editors of other threads are read without
 * sending them messages, and one to be placed is moved when its thread next
 * handles messages (if it is maximised or minimised, it is left as it is).
 * A call made while another is running (from a window procedure during the
 * call, or from another thread) returns at once and does nothing.
 */
void WINAPI PositionWindow(const char* title, int width, int height, BOOL sourceOnRight);

/* The function's type, for GetProcAddress. */
typedef void(WINAPI* PositionWindowFunction)(const char* title, int width, int height,
                                             BOOL sourceOnRight);

#ifdef __cplusplus
}
#endif

#endif /* POSITIONWINDOW_H */
