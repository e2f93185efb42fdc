#pragma once

#include <cstddef>

// Which bytes start a double-byte character in the ANSI code page that
// titles are written in. In code pages such as 932 (Japanese), 936, 949 and
// 950 a character may take two bytes, and the second may be any byte from
// 0x40 up: a backslash (0x5C) or an ASCII letter among them. That byte is
// part of its character, never a separator and never a letter of its own.
//
// Plain data, filled from what the platform reports, so that the title
// parser makes no platform call. The default has no lead bytes: every byte
// is a character of its own, as in single-byte code pages and in UTF-8,
// whose multi-byte sequences hold no ASCII byte. Constant-initialised, so a
// global of this type needs no start-up code.
class LeadBytes {
public:
    constexpr LeadBytes() noexcept = default;

    // From the platform's list of inclusive ranges, pairs (first, last),
    // ended by a pair of zeros or by the end of its `size` bytes. The
    // terminator is never a lead byte, whatever the list says.
    static LeadBytes FromRanges(const unsigned char* ranges, size_t size) noexcept;

    bool IsLead(unsigned char byte) const noexcept {
        return ((bits_[byte >> 3] >> (byte & 7)) & 1u) != 0;
    }

    // The length in bytes of the character that starts at `text`, as the
    // platform's CharNextA steps: 2 for a lead byte with a byte after it, 1
    // for anything else, a lead byte just before the terminator included.
    size_t CharLength(const char* text) const noexcept {
        return IsLead(static_cast<unsigned char>(text[0])) && text[1] != '\0' ? 2 : 1;
    }

private:
    unsigned char bits_[32] = {};
};

// A single-byte code page's: the default of every function that takes lead
// bytes. One constant rather than a temporary at each call.
inline constexpr LeadBytes NoLeadBytes{};
