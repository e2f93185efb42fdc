#include "naming/narrow_string.h"

#include <cstdlib>
#include <cstring>

NarrowString::NarrowString(const char* first, size_t firstLength,
                           const char* second, size_t secondLength) noexcept {
    // Refuse sizes whose sum would wrap rather than allocate a short buffer.
    if (firstLength > static_cast<size_t>(-1) - 1 - secondLength)
        return;
    const size_t length = firstLength + secondLength;
    char* data = static_cast<char*>(std::malloc(length + 1));
    if (!data)
        return;
    if (firstLength)
        std::memcpy(data, first, firstLength);
    if (secondLength)
        std::memcpy(data + firstLength, second, secondLength);
    data[length] = '\0';
    data_ = data;
    size_ = length;
}

NarrowString::~NarrowString() {
    std::free(data_);
}
