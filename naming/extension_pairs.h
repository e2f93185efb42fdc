#pragma once

#include <cstdint>

// The side of a header/source pair an extension belongs to. The values are
// the column indexes of ExtensionPairs.
enum class FileKind : std::uint8_t {
    Header = 0,
    Source = 1,
    Unpaired = 2,
};

constexpr int ExtensionPairCount = 3;

// Column 0 holds the header side, column 1 the source side; rows are
// searched in order.
extern const char* const ExtensionPairs[ExtensionPairCount][2];

// The side `extension` (with its leading dot) belongs to; case-insensitive.
FileKind ClassifyExtension(const char* extension);

// The extension from the other column of the first row whose `kind` column
// equals `extension`, spelled as in the table; null when no row matches or
// `kind` is Unpaired. The result is static: the caller does not free it.
const char* CounterpartExtension(FileKind kind, const char* extension);
