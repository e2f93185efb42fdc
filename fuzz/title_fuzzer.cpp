// Title parsing on arbitrary bytes. The host hands the library whatever its
// window titles hold, so every invariant the placement code relies on must
// hold for any title, not just for file paths.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

bool HasSeparator(const char* text) {
    return std::strchr(text, '\\') || std::strchr(text, '/');
}

struct Split {
    // Each buffer is the declared size plus a guard zone that catches any
    // write past the size the library was given.
    unsigned char name[FileNameBufferSize + GuardSize];
    unsigned char extension[ExtensionBufferSize + GuardSize];
    NarrowString base;
};

void RunSplit(const char* title, Split* out) {
    std::memset(out->name, GuardByte, sizeof out->name);
    std::memset(out->extension, GuardByte, sizeof out->extension);
    out->base = SplitEditorTitle(title, reinterpret_cast<char*>(out->name), FileNameBufferSize,
                                 reinterpret_cast<char*>(out->extension), ExtensionBufferSize);
}

void CheckGuard(const unsigned char* buffer, size_t size, const char* title) {
    for (size_t i = size; i < size + GuardSize; ++i)
        CHECK(buffer[i] == GuardByte, title);
    CHECK(std::memchr(buffer, '\0', size) != nullptr, title);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A heap copy sized exactly, so that reading past the terminator is
    // caught by the address sanitizer.
    std::vector<char> copy(data, data + size);
    copy.push_back('\0');
    const char* title = copy.data();
    const size_t titleLength = std::strlen(title);

    Split first;
    RunSplit(title, &first);
    CheckGuard(first.name, FileNameBufferSize, title);
    CheckGuard(first.extension, ExtensionBufferSize, title);

    const char* name = reinterpret_cast<const char*>(first.name);
    const char* extension = reinterpret_cast<const char*>(first.extension);
    const size_t nameLength = std::strlen(name);
    const size_t extensionLength = std::strlen(extension);

    // The base name is exactly the two buffers one after the other.
    CHECK(first.base.size() == nameLength + extensionLength, title);
    CHECK(std::strlen(first.base.c_str()) == first.base.size(), title);
    CHECK(std::memcmp(first.base.c_str(), name, nameLength) == 0, title);
    CHECK(std::memcmp(first.base.c_str() + nameLength, extension, extensionLength) == 0, title);

    // The extension is the dot and what follows it in the file name; neither
    // part reaches into a directory.
    CHECK(extensionLength == 0 || extension[0] == '.', title);
    CHECK(extensionLength == 0 || std::strchr(extension + 1, '.') == nullptr, title);
    CHECK(!HasSeparator(extension), title);
    CHECK(!HasSeparator(name), title);
    // A space in the file name starts the suffix, so none survives in either
    // part.
    CHECK(!std::strchr(name, ' ') && !std::strchr(extension, ' '), title);

    // Normalisation only cuts a suffix off.
    const NarrowString normalized = NormalizeEditorTitle(title);
    CHECK(std::strlen(normalized.c_str()) == normalized.size(), title);
    CHECK(normalized.size() <= titleLength, title);
    CHECK(std::memcmp(normalized.c_str(), title, normalized.size()) == 0, title);

    // When neither part was cut to fit its buffer, the base name is the end
    // of the normalised title, right after a separator, a drive or nothing.
    if (nameLength < FileNameBufferSize - 1 && extensionLength < ExtensionBufferSize - 1) {
        CHECK(first.base.size() <= normalized.size(), title);
        const size_t start = normalized.size() - first.base.size();
        CHECK(std::memcmp(normalized.c_str() + start, first.base.c_str(), first.base.size()) == 0,
              title);
        if (start > 0) {
            const char before = normalized.c_str()[start - 1];
            CHECK(before == '\\' || before == '/' || (start == 2 && before == ':'), title);
        }
    }

    // No hidden state: a second run gives the very same answer.
    Split second;
    RunSplit(title, &second);
    CHECK(std::strcmp(reinterpret_cast<const char*>(second.name), name) == 0, title);
    CHECK(std::strcmp(reinterpret_cast<const char*>(second.extension), extension) == 0, title);
    CHECK(std::strcmp(second.base.c_str(), first.base.c_str()) == 0, title);
    const NarrowString normalizedAgain = NormalizeEditorTitle(title);
    CHECK(std::strcmp(normalizedAgain.c_str(), normalized.c_str()) == 0, title);

    const NarrowString baseName = EditorBaseName(title);
    CHECK(std::strcmp(baseName.c_str(), first.base.c_str()) == 0, title);
    return 0;
}
