#pragma once

#include <cstddef>

// What the library takes as fixed about the host IDE's windows.

// The host's main frame, a top-level window. Of several, the first in
// z-order that belongs to the calling process and holds the editor in its
// client area is used: a frame of another process is another instance's,
// or another program's, and one of ours may be another main window, or a
// bare window of the frame class, in front of the one the editor is in.
constexpr char HostFrameClassName[] = "QDVSHELL";
// The platform's multiple-document client class: the frame's child whose
// client coordinates are the coordinates of all placement.
constexpr char ClientClassName[] = "MDIClient";
// Editor windows, direct children of the client area, titled with the path
// of the file they show, in the ANSI code page.
constexpr char EditorClassName[] = "QDV7Editor";

// Buffer for a visited window's class name, terminator included: 19
// characters are enough to tell "QDV7Editor" from anything longer.
constexpr int ClassNameBufferSize = 20;
// Buffer for a visited editor's title and the count it is read with.
constexpr int EditorTitleBufferSize = 264;
constexpr int EditorTitleReadCount = 263;
// File name (up to 255 characters) plus a counterpart extension.
constexpr std::size_t CounterpartNameBufferSize = 516;
