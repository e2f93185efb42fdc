#include "naming/editor_title.h"

#include <cstring>

#include "naming/ascii_case.h"

namespace {

bool IsDirectorySeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Index just past the last character of `path[0, length)` for which
// `isSeparator` holds, or 0.
template <typename Separator>
size_t StartAfterLast(const char* path, size_t length, Separator isSeparator) {
    size_t start = 0;
    for (size_t i = 0; i < length; ++i) {
        if (isSeparator(path[i]))
            start = i + 1;
    }
    return start;
}

// Normalisation only ever shortens the title, so it is computed as a length
// of the caller's string; this spares a copy of titles that may be huge.
size_t NormalizedLength(const char* title) {
    size_t length = std::strlen(title);

    // A colon at index 1 is a drive colon and is kept whatever follows it.
    const char* lastColon = std::strrchr(title, ':');
    if (lastColon && lastColon - title != 1)
        length = static_cast<size_t>(lastColon - title);

    // A suffix introduced by a space is cut, but only after the last
    // backslash: folders such as "C:\Program Files" hold spaces and are no
    // suffix. Only the host's own separator counts here, because a suffix
    // may hold a slash ("main.cpp [1/2]").
    const size_t fileNameStart = StartAfterLast(title, length, [](char c) { return c == '\\'; });
    for (size_t i = fileNameStart; i < length; ++i) {
        if (title[i] == ' ') {
            length = i;
            break;
        }
    }
    return length;
}

}  // namespace

NarrowString NormalizeEditorTitle(const char* title) {
    if (!title)
        return NarrowString();
    return NarrowString(title, NormalizedLength(title));
}

NarrowString SplitEditorTitle(const char* title,
                              char* name, size_t nameSize,
                              char* extension, size_t extensionSize) {
    if (!title)
        title = "";
    const size_t length = NormalizedLength(title);

    size_t start = 0;
    if (length >= 2 && IsAsciiLetter(title[0]) && title[1] == ':')
        start = 2;  // the drive
    start += StartAfterLast(title + start, length - start, IsDirectorySeparator);

    size_t dot = length;
    for (size_t i = length; i > start; --i) {
        if (title[i - 1] == '.') {
            dot = i - 1;
            break;
        }
    }

    const size_t nameLength = CopyBounded(name, nameSize, title + start, dot - start);
    const size_t extensionLength = CopyBounded(extension, extensionSize, title + dot, length - dot);
    // The base name is built from what the buffers hold, so that it always
    // equals the file name followed by the extension, even when both were cut.
    return NarrowString(title + start, nameLength, title + dot, extensionLength);
}

NarrowString EditorBaseName(const char* title) {
    char name[FileNameBufferSize];
    char extension[ExtensionBufferSize];
    return SplitEditorTitle(title, name, sizeof name, extension, sizeof extension);
}
