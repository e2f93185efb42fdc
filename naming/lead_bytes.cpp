#include "naming/lead_bytes.h"

#include <cstddef>

LeadBytes LeadBytes::FromRanges(const unsigned char* ranges, size_t size) noexcept {
    LeadBytes result;
    if (!ranges)
        return result;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const unsigned first = ranges[i];
        const unsigned last = ranges[i + 1];
        if (first == 0 && last == 0)
            break;
        for (unsigned byte = first == 0 ? 1 : first; byte <= last; ++byte)
            result.bits_[byte >> 3] = static_cast<unsigned char>(result.bits_[byte >> 3] | (1u << (byte & 7)));
    }
    return result;
}
