#pragma once

#include <cstdint>

// The side of a header/source pair an extension belongs to. The values are
// the column indexes of ExtensionPairs.
enum class FileKind : std::uint8_t {
    Header = 0,
    Source = 1,
    Unpaired = 2,
};

// Column 0 holds the header side, column 1 the source side; rows are
// searched in order. Constant data: the DLL runs no start-up code that
// could construct it.
inline constexpr const char* ExtensionPairs[][2] = {
    {".h", ".cpp"},
    {".hxx", ".cxx"},
    {".rh", ".rc"},
};

// Counted from the table, so that a new row cannot be left out of it.
constexpr int ExtensionPairCount = static_cast<int>(sizeof ExtensionPairs / sizeof ExtensionPairs[0]);

// The side `extension` (with its leading dot) belongs to; case-insensitive.
FileKind ClassifyExtension(const char* extension);

// The extension from the other column of the first row whose `kind` column
// equals `extension`, spelled as in the table; null when no row matches or
// `kind` is Unpaired. The result is static: the caller does not free it.
const char* CounterpartExtension(FileKind kind, const char* extension);
