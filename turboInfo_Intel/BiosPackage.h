#pragma once
// A read-only view of a KyAcpi package held in a caller's buffer.
//
// The library walks the package for us (ordinals 6, 7, 9, 10); the view
// records each element's data once and keeps only data that lies inside the
// buffer, so that a short or inconsistent package never makes a reader run
// past the bytes it owns. A missing element reads as absent, never as
// whatever follows the buffer.

#include <cstddef>
#include <vector>

namespace biositem {

class PackageView {
public:
    PackageView() = default;
    // `size` is the number of valid bytes at `buffer`; the buffer must outlive
    // the view.
    PackageView(const void* buffer, int size);

    int Count() const { return static_cast<int>(m_elements.size()); }

    // True and the integer when element `index` exists and holds 4 bytes
    // inside the buffer; otherwise false and `*value` untouched.
    bool ReadInteger(int index, int* value) const;
    // The integer of element `index`, or `fallback` when it is missing.
    int IntegerOr(int index, int fallback) const;
    // The zero-terminated text of element `index`, or null when the element
    // is missing or its text is not terminated inside the buffer.
    const char* Text(int index) const;

private:
    // Elements and their data live in the caller's buffer; anything outside
    // it ends the walk before the library is asked to read there.
    bool Contains(const void* pointer) const;

    const unsigned char* m_begin = nullptr;
    const unsigned char* m_end = nullptr;
    std::vector<const unsigned char*> m_elements;
};

}  // namespace biositem
