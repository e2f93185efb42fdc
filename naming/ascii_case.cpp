#include "naming/ascii_case.h"

#include <cstring>

namespace {

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

bool EqualsIgnoringCase(const char* a, const char* b) {
    if (!a || !b)
        return a == b;
    const unsigned char* left = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* right = reinterpret_cast<const unsigned char*>(b);
    for (;; ++left, ++right) {
        if (FoldAscii(*left) != FoldAscii(*right))
            return false;
        if (*left == '\0')
            return true;
    }
}

size_t CopyBounded(char* dest, size_t destSize, const char* source, size_t sourceLength) {
    if (destSize == 0)
        return 0;
    const size_t count = sourceLength < destSize - 1 ? sourceLength : destSize - 1;
    if (count)
        std::memcpy(dest, source, count);
    dest[count] = '\0';
    return count;
}
