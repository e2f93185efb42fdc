#pragma once

#include <cstddef>

// Case-insensitive equality of two whole NUL-terminated strings. Only the
// ASCII letters A-Z and a-z are folded; every other byte, 0x80 and above
// included, compares exactly. Bytes are read as unsigned, so no table is
// ever indexed with a negative value and the result does not depend on the
// process locale. A null pointer equals only another null pointer.
bool EqualsIgnoringCase(const char* a, const char* b);

// Copies at most `destSize - 1` bytes of the `sourceLength` bytes at `source`
// into `dest` and terminates it; returns the number of bytes copied. Writes
// nothing when `destSize` is 0.
size_t CopyBounded(char* dest, size_t destSize, const char* source, size_t sourceLength);
