#include "naming/char_strings.h"

#include <cstring>

#include "naming/lead_bytes.h"

namespace {

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

bool EqualsIgnoringCase(const char* a, const char* b, const LeadBytes& leadBytes) {
    if (!a || !b)
        return a == b;
    for (;;) {
        const unsigned char left = static_cast<unsigned char>(*a);
        const unsigned char right = static_cast<unsigned char>(*b);
        if (leadBytes.CharLength(a) == 2) {
            // Equal lead bytes make `b` a double-byte character too, unless
            // it ends there; its second byte is compared as it stands.
            if (left != right || a[1] != b[1])
                return false;
            a += 2;
            b += 2;
            continue;
        }
        if (FoldAscii(left) != FoldAscii(right))
            return false;
        if (left == '\0')
            return true;
        ++a;
        ++b;
    }
}

size_t CopyBounded(char* dest, size_t destSize, const char* source, size_t sourceLength,
                   const LeadBytes& leadBytes) {
    if (destSize == 0)
        return 0;
    const size_t limit = sourceLength < destSize - 1 ? sourceLength : destSize - 1;
    size_t count = limit;
    if (limit < sourceLength) {
        // Cut at the last character boundary that fits. Walked from the
        // start: only there is it known which bytes are second bytes.
        count = 0;
        for (size_t next; count < limit; count = next) {
            next = count + leadBytes.CharLength(source + count);
            if (next > limit)
                break;
        }
    }
    if (count)
        std::memcpy(dest, source, count);
    dest[count] = '\0';
    return count;
}
