#pragma once

#include <cstddef>

#include "naming/lead_bytes.h"
#include "naming/narrow_string.h"

// Sizes of the buffers that receive a file name and an extension, the
// terminating NUL included. Longer parts are cut to fit, between characters.
constexpr size_t FileNameBufferSize = 256;
constexpr size_t ExtensionBufferSize = 256;

// Every function here reads the title character by character as the ANSI
// code page with `leadBytes` writes it: the second byte of a double-byte
// character is never a colon, space, separator or dot. The default is a
// single-byte code page.

// The editor title with its suffix removed: everything from the last colon
// on (unless that colon is a drive colon at index 1), then everything from
// the first space after the last backslash on. A null title is empty.
NarrowString NormalizeEditorTitle(const char* title, const LeadBytes& leadBytes = NoLeadBytes);

// Splits the normalised title into file name (no drive, directory or
// extension) and extension (with its dot, or empty), writes each into its
// buffer, cut to the buffer's size, and returns the base name: the file name
// as written immediately followed by the extension as written. Both "\" and
// "/" separate directories. The caller's title is not changed. If `cut` is
// given, it tells whether either part had to be cut: a cut name is only the
// start of the file's, and may equal another file's whole name.
NarrowString SplitEditorTitle(const char* title,
                              char* name, size_t nameSize,
                              char* extension, size_t extensionSize,
                              const LeadBytes& leadBytes = NoLeadBytes, bool* cut = nullptr);

// The base name alone, e.g. "main.cpp" for "C:\src\main.cpp:2", split into
// buffers of the sizes above.
NarrowString EditorBaseName(const char* title, const LeadBytes& leadBytes = NoLeadBytes, bool* cut = nullptr);
