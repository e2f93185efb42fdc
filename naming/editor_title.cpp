#include "naming/editor_title.h"

#include <cstddef>

#include "naming/char_strings.h"
#include "naming/lead_bytes.h"
#include "naming/narrow_string.h"

namespace {

bool IsDirectorySeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Calls `visit(i)` with the index of each single-byte character of
// `text[0, length)`, in order: only those can be a colon, a space, a
// separator or a dot. `length` must fall between characters, as every
// length and index this file computes does: they all come from such walks.
template <typename Visit>
void ForEachSingleByteCharacter(const char* text, size_t length, const LeadBytes& leadBytes, Visit visit) {
    for (size_t i = 0; i < length;) {
        const size_t characterLength = leadBytes.CharLength(text + i);
        if (characterLength == 1)
            visit(i);
        i += characterLength;
    }
}

// Index just past the last character of `path[0, length)` for which
// `isSeparator` holds, or 0.
template <typename Separator>
size_t StartAfterLast(const char* path, size_t length, const LeadBytes& leadBytes, Separator isSeparator) {
    size_t start = 0;
    ForEachSingleByteCharacter(path, length, leadBytes, [&](size_t i) {
        if (isSeparator(path[i]))
            start = i + 1;
    });
    return start;
}

// Normalisation only ever shortens the title, so it is computed as a length
// of the caller's string; this spares a copy of titles that may be huge.
size_t NormalizedLength(const char* title, const LeadBytes& leadBytes) {
    // One walk to the terminator finds the length and the last colon.
    size_t length = 0;
    size_t lastColon = 0;
    bool colon = false;
    for (size_t characterLength; title[length] != '\0'; length += characterLength) {
        characterLength = leadBytes.CharLength(title + length);
        if (characterLength == 1 && title[length] == ':') {
            lastColon = length;
            colon = true;
        }
    }

    // A colon at index 1 is a drive colon and is kept whatever follows it.
    if (colon && lastColon != 1)
        length = lastColon;

    // A suffix introduced by a space is cut, but only after the last
    // backslash: folders such as "C:\Program Files" hold spaces and are no
    // suffix. Only the host's own separator counts here, because a suffix
    // may hold a slash ("main.cpp [1/2]").
    const size_t fileNameStart = StartAfterLast(title, length, leadBytes, [](char c) { return c == '\\'; });
    const char* rest = title + fileNameStart;
    size_t space = length - fileNameStart;
    ForEachSingleByteCharacter(rest, space, leadBytes, [&](size_t i) {
        if (rest[i] == ' ' && i < space)
            space = i;
    });
    return fileNameStart + space;
}

}  // namespace

NarrowString NormalizeEditorTitle(const char* title, const LeadBytes& leadBytes) {
    if (!title)
        return NarrowString();
    return NarrowString(title, NormalizedLength(title, leadBytes));
}

NarrowString SplitEditorTitle(const char* title,
                              char* name, size_t nameSize,
                              char* extension, size_t extensionSize,
                              const LeadBytes& leadBytes, bool* cut) {
    if (!title)
        title = "";
    const size_t length = NormalizedLength(title, leadBytes);

    size_t start = 0;
    if (length >= 2 && IsAsciiLetter(title[0]) && title[1] == ':' && leadBytes.CharLength(title) == 1 &&
        leadBytes.CharLength(title + 1) == 1)
        start = 2;  // the drive
    start += StartAfterLast(title + start, length - start, leadBytes, IsDirectorySeparator);

    // The last dot of the final component; a dot can only be found walking
    // forwards, since a byte read backwards may be a second byte.
    size_t dot = length;
    ForEachSingleByteCharacter(title + start, length - start, leadBytes, [&](size_t i) {
        if (title[start + i] == '.')
            dot = start + i;
    });

    const size_t nameLength = CopyBounded(name, nameSize, title + start, dot - start, leadBytes);
    const size_t extensionLength = CopyBounded(extension, extensionSize, title + dot, length - dot, leadBytes);
    if (cut)
        *cut = nameLength < dot - start || extensionLength < length - dot;
    // The base name is built from what the buffers hold, so that it always
    // equals the file name followed by the extension, even when both were cut.
    return NarrowString(title + start, nameLength, title + dot, extensionLength);
}

NarrowString EditorBaseName(const char* title, const LeadBytes& leadBytes, bool* cut) {
    char name[FileNameBufferSize];
    char extension[ExtensionBufferSize];
    return SplitEditorTitle(title, name, sizeof name, extension, sizeof extension, leadBytes, cut);
}
