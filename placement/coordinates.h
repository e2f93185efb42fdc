#pragma once

#include <climits>

// Arithmetic on client-area coordinates. The host's numbers may lie
// anywhere in int (a width of INT_MIN, an editor near INT_MAX); sums and
// differences saturate instead of overflowing.

// `value`, or the nearest int to it.
inline int Saturated(long long value) {
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// a + b, held within int.
inline int SaturatingAdd(int a, int b) {
    return Saturated(static_cast<long long>(a) + b);
}
