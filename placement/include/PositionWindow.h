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
 * open and not minimised is placed at the counterpart's height; any other
 * editor is stacked below the editors already open. The z-order and the
 * active editor are kept; a maximised or minimised editor keeps its state
 * and its place, and is shown at the placement when restored. Only this process's own
 * frame is used. Nothing is moved when the host's frame, client area or the
 * editor cannot be found. Nothing is returned or reported. Call it from the
 * host's window thread: a call made while another is running (from a
 * window procedure during the call, or from another thread) returns at once
 * and does nothing.
 */
void WINAPI PositionWindow(const char* title, int width, int height, BOOL sourceOnRight);

/* The function's type, for GetProcAddress. */
typedef void(WINAPI* PositionWindowFunction)(const char* title, int width, int height,
                                             BOOL sourceOnRight);

#ifdef __cplusplus
}
#endif

#endif /* POSITIONWINDOW_H */
