#include "naming/extension_pairs.h"

#include "naming/char_strings.h"

FileKind ClassifyExtension(const char* extension) {
    for (const auto& row : ExtensionPairs) {
        if (EqualsIgnoringCase(extension, row[0]))
            return FileKind::Header;
        if (EqualsIgnoringCase(extension, row[1]))
            return FileKind::Source;
    }
    return FileKind::Unpaired;
}

const char* CounterpartExtension(FileKind kind, const char* extension) {
    if (kind != FileKind::Header && kind != FileKind::Source)
        return nullptr;
    const int column = static_cast<int>(kind);
    for (const auto& row : ExtensionPairs) {
        if (EqualsIgnoringCase(extension, row[column]))
            return row[(column + 1) % 2];
    }
    return nullptr;
}
