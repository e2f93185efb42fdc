#pragma once

// Rectangles compared whole and printed whole on failure, in both harnesses.

#include <cstdio>
#include <string>

template <typename Rect>
bool SameRect(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

template <typename Rect>
std::string FormatRect(const Rect& r) {
    char text[80];
    std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", static_cast<long>(r.left),
                  static_cast<long>(r.top), static_cast<long>(r.right), static_cast<long>(r.bottom));
    return text;
}
