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
// A visited editor's title is read with a count of 263: at most 262 bytes
// and the terminator, in a buffer of 264.
constexpr int EditorTitleBufferSize = 264;
constexpr int EditorTitleReadCount = 263;
// A file name of up to 255 bytes, a counterpart extension and the
// terminator: 516 bytes hold a name and an extension of 255 bytes each.
constexpr std::size_t CounterpartNameBufferSize = 516;
