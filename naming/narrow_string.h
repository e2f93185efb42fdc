#pragma once

#include <cstddef>

// An owned, NUL-terminated string of single-byte characters.
//
// The library is loaded into another program's process and must stay small,
// so this is a plain malloc'd buffer rather than std::string (whose static
// runtime alone would be several times the size of the whole DLL). It never
// throws: if memory cannot be had, the string is empty.
class NarrowString {
public:
    NarrowString() noexcept = default;
    // Copies `firstLength` bytes of `first` followed by `secondLength` bytes of
    // `second`; the pieces need not be NUL-terminated.
    NarrowString(const char* first, size_t firstLength,
                 const char* second = "", size_t secondLength = 0) noexcept;
    ~NarrowString();

    // Neither copied nor moved: every string is returned where it is made,
    // which the language guarantees needs neither.
    NarrowString(const NarrowString&) = delete;
    NarrowString& operator=(const NarrowString&) = delete;

    const char* c_str() const noexcept { return data_ ? data_ : ""; }
    size_t size() const noexcept { return size_; }

private:
    char* data_ = nullptr;
    size_t size_ = 0;
};
