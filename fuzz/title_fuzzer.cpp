// Title parsing on arbitrary bytes, in single-byte and double-byte code
// pages. The host hands the library whatever its window titles hold, so
// every invariant the placement code relies on must hold for any title, not
// just for file paths. The first input byte picks the code page's lead
// bytes; the rest is the title.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "naming/editor_title.h"

namespace {

// Bytes past each buffer's declared size that must never be written.
constexpr size_t GuardSize = 64;
constexpr unsigned char GuardByte = 0xA5;

[[noreturn]] void Fail(const char* what, const char* title) {
    std::fprintf(stderr, "title_fuzzer: %s (title length %zu)\n", what, std::strlen(title));
    std::abort();
}

#define CHECK(condition, title)          \
    do {                                 \
        if (!(condition))                \
            Fail(#condition, (title));   \
    } while (0)

// Lead-byte lists as the platform gives them: none, those of code pages 932
// and 936, and odd ones (ASCII, the separators and the terminator among
// them) that no real code page has but that must not break the parser.
const unsigned char LeadRanges[][12] = {
    {0},
    {0x81, 0x9F, 0xE0, 0xFC, 0, 0},
    {0x81, 0xFE, 0, 0},
    {0x00, 0x7F, 0, 0},
    {0x2E, 0x2F, 0x3A, 0x3A, 0x5C, 0x5C, 0x20, 0x20, 0, 0},
    {0x80, 0xFF, 0, 0},
};

// The fuzzer's own reading of a list: which bytes are lead bytes.
struct Oracle {
    bool lead[256] = {};
    explicit Oracle(const unsigned char* ranges) {
        for (int i = 0; i + 1 < 12 && (ranges[i] || ranges[i + 1]); i += 2) {
            for (int b = ranges[i]; b <= ranges[i + 1]; ++b)
                lead[b] = b != 0;
        }
    }
    bool Single(const char* text, size_t i) const {
        return !lead[static_cast<unsigned char>(text[i])] || text[i + 1] == '\0';
    }
    // Where each character of `text[0, length)` starts, and `length` if a
    // character ends there.
    std::vector<bool> Starts(const char* text, size_t length) const {
        std::vector<bool> starts(length + 1, false);
        size_t i = 0;
        while (i < length) {
            starts[i] = true;
            i += Single(text, i) ? 1 : 2;
        }
        if (i == length)
            starts[length] = true;
        return starts;
    }
    // Whether `text[i]` is the single-byte character `c`: the only way a
    // character can be a dot, a separator, a colon or a space.
    bool Is(const char* text, const std::vector<bool>& starts, size_t i, char c) const {
        return starts[i] && Single(text, i) && text[i] == c;
    }
    // Whether `text` holds `c` as a character of its own.
    bool HoldsCharacter(const char* text, char c) const {
        const size_t length = std::strlen(text);
        const std::vector<bool> starts = Starts(text, length);
        for (size_t i = 0; i < length; ++i) {
            if (Is(text, starts, i, c))
                return true;
        }
        return false;
    }
};

struct Split {
    // Each buffer is the declared size plus a guard zone that catches any
    // write past the size the library was given.
    unsigned char name[FileNameBufferSize + GuardSize];
    unsigned char extension[ExtensionBufferSize + GuardSize];
    std::string base;
    size_t baseSize = 0;  // as NarrowString reports it
    bool cut = false;
};

void RunSplit(const char* title, const LeadBytes& leadBytes, Split* out) {
    std::memset(out->name, GuardByte, sizeof out->name);
    std::memset(out->extension, GuardByte, sizeof out->extension);
    const NarrowString base = SplitEditorTitle(title, reinterpret_cast<char*>(out->name), FileNameBufferSize,
                                               reinterpret_cast<char*>(out->extension), ExtensionBufferSize,
                                               leadBytes, &out->cut);
    out->base = base.c_str();
    out->baseSize = base.size();
}

void CheckGuard(const unsigned char* buffer, size_t size, const char* title) {
    for (size_t i = size; i < size + GuardSize; ++i)
        CHECK(buffer[i] == GuardByte, title);
    CHECK(std::memchr(buffer, '\0', size) != nullptr, title);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const unsigned char* ranges = LeadRanges[data[0] % (sizeof LeadRanges / sizeof LeadRanges[0])];
    const LeadBytes leadBytes = LeadBytes::FromRanges(ranges, sizeof LeadRanges[0]);
    const Oracle oracle(ranges);
    // A heap copy sized exactly, so that reading past the terminator is
    // caught by the address sanitizer.
    std::vector<char> copy(data + 1, data + size);
    copy.push_back('\0');
    const char* title = copy.data();
    const size_t titleLength = std::strlen(title);

    Split first;
    RunSplit(title, leadBytes, &first);
    CheckGuard(first.name, FileNameBufferSize, title);
    CheckGuard(first.extension, ExtensionBufferSize, title);

    const char* name = reinterpret_cast<const char*>(first.name);
    const char* extension = reinterpret_cast<const char*>(first.extension);
    const size_t nameLength = std::strlen(name);
    const size_t extensionLength = std::strlen(extension);

    // The base name is exactly the two buffers one after the other.
    CHECK(first.base.size() == nameLength + extensionLength, title);
    CHECK(first.baseSize == first.base.size(), title);
    CHECK(std::memcmp(first.base.c_str(), name, nameLength) == 0, title);
    CHECK(std::memcmp(first.base.c_str() + nameLength, extension, extensionLength) == 0, title);

    // The extension is the dot and what follows it in the file name; neither
    // part reaches into a directory. Only characters count: the second byte
    // of a double-byte character is no dot, separator or space.
    CHECK(extensionLength == 0 || extension[0] == '.', title);
    CHECK(extensionLength == 0 || !oracle.HoldsCharacter(extension + 1, '.'), title);
    for (const char separator : {'\\', '/'})
        CHECK(!oracle.HoldsCharacter(name, separator) && !oracle.HoldsCharacter(extension, separator), title);
    // A space in the file name starts the suffix, so none survives in either
    // part.
    CHECK(!oracle.HoldsCharacter(name, ' ') && !oracle.HoldsCharacter(extension, ' '), title);

    // Normalisation only cuts a suffix off, between two characters.
    const NarrowString normalized = NormalizeEditorTitle(title, leadBytes);
    CHECK(std::strlen(normalized.c_str()) == normalized.size(), title);
    CHECK(normalized.size() <= titleLength, title);
    CHECK(std::memcmp(normalized.c_str(), title, normalized.size()) == 0, title);
    const std::vector<bool> starts = oracle.Starts(title, titleLength);
    CHECK(starts[normalized.size()], title);

    // The file name starts after the last separator character, or after a
    // drive, and ends between two characters even when it was cut to fit.
    size_t nameStart = 0;
    for (size_t i = 0; i < normalized.size(); ++i) {
        if (oracle.Is(title, starts, i, '\\') || oracle.Is(title, starts, i, '/'))
            nameStart = i + 1;
    }
    const char first0 = title[0];
    const bool drive = normalized.size() >= 2 && oracle.Is(title, starts, 1, ':') &&
                       ((first0 >= 'A' && first0 <= 'Z') || (first0 >= 'a' && first0 <= 'z'));
    if (drive && nameStart < 2)
        nameStart = 2;
    CHECK(nameStart + nameLength <= normalized.size(), title);
    CHECK(std::memcmp(title + nameStart, name, nameLength) == 0, title);
    CHECK(starts[nameStart + nameLength], title);

    // A part shorter than its buffer by more than a character was not cut (a
    // part cut between characters may be a byte short of its buffer). A cut
    // base name is shorter than the file name and extension it was cut
    // from; one not cut is the end of the normalised title, right after a
    // separator, a drive or nothing.
    if (nameLength < FileNameBufferSize - 2 && extensionLength < ExtensionBufferSize - 2)
        CHECK(!first.cut, title);
    if (first.cut) {
        CHECK(normalized.size() - nameStart > first.base.size(), title);
    } else {
        CHECK(first.base.size() <= normalized.size(), title);
        const size_t start = normalized.size() - first.base.size();
        CHECK(std::memcmp(normalized.c_str() + start, first.base.c_str(), first.base.size()) == 0,
              title);
        CHECK(starts[start], title);
        if (start > 0) {
            CHECK(oracle.Is(title, starts, start - 1, '\\') || oracle.Is(title, starts, start - 1, '/') ||
                      (start == 2 && oracle.Is(title, starts, 1, ':')),
                  title);
        }
    }

    // No hidden state: a second run gives the very same answer.
    Split second;
    RunSplit(title, leadBytes, &second);
    CHECK(std::strcmp(reinterpret_cast<const char*>(second.name), name) == 0, title);
    CHECK(std::strcmp(reinterpret_cast<const char*>(second.extension), extension) == 0, title);
    CHECK(second.base == first.base, title);
    const NarrowString normalizedAgain = NormalizeEditorTitle(title, leadBytes);
    CHECK(std::strcmp(normalizedAgain.c_str(), normalized.c_str()) == 0, title);

    const NarrowString baseName = EditorBaseName(title, leadBytes);
    CHECK(std::strcmp(baseName.c_str(), first.base.c_str()) == 0, title);
    return 0;
}
