#pragma once

#include <cstddef>

#include "naming/lead_bytes.h"

// NUL-terminated strings of the ANSI code page, handled a character at a
// time rather than a byte at a time: in a double-byte code page a byte may be
// the second half of a character, and must then never be folded as a letter
// nor split from its lead byte.

// Case-insensitive equality of two whole NUL-terminated strings. Only the
// ASCII letters A-Z and a-z are folded, and only where they are characters
// of their own: the second byte of a double-byte character (see LeadBytes)
// compares exactly, as does every byte of 0x80 and above. Bytes are read as
// unsigned, so the result does not depend on the process locale. A null
// pointer equals only another null pointer.
bool EqualsIgnoringCase(const char* a, const char* b, const LeadBytes& leadBytes = NoLeadBytes);

// Copies whole characters of the `sourceLength` bytes at `source` into
// `dest`, at most `destSize - 1` bytes of them, and terminates it; returns
// the number of bytes copied. A double-byte character that does not fit is
// left out whole rather than cut in half. Writes nothing when `destSize` is
// 0.
size_t CopyBounded(char* dest, size_t destSize, const char* source, size_t sourceLength,
                   const LeadBytes& leadBytes = NoLeadBytes);
