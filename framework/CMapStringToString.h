// A map of byte-string keys to byte-string values with the class library's two access forms.
//
// Lookup reports a missing key and leaves the map alone; indexing inserts a missing key with an
// empty value. Hosts can observe the difference, so callers choose the form deliberately.
//
// Records cross the module boundary by reference. Host and module compile this header with the same
// compiler and flags, and all storage comes from the C runtime's one heap, so either side may
// allocate what the other frees.
//
// A host built on another class library would hand over a map of another layout, which this one must
// not read. Every map therefore begins with a mark that no object of another library can begin with:
// theirs begin with a pointer (to a table of virtual functions), and no user-mode pointer of a 32-bit
// process reaches the top 64 KB of the address space, where the mark lies.
#pragma once

#include "CString.h"

#include <cstdint>
#include <cstring>
#include <map>

class CMapStringToString {
    using Pairs = std::map<CString, CString>;

public:
    static constexpr std::uint32_t kMark = 0xFFFF5A54;

    // True when the object at this address begins with the mark, that is, when it is one of ours.
    // Reads only the first four bytes, which any map object of any library has.
    static bool IsOurs(const void* object) {
        std::uint32_t first = 0;
        std::memcpy(&first, object, sizeof first);
        return first == kMark;
    }

    // The block size tunes the class library's allocator; this map has no use for it.
    explicit CMapStringToString(int blockSize = 10) { (void)blockSize; }

    bool Lookup(const CString& key, CString& value) const;
    CString& operator[](const CString& key) { return m_pairs[key]; }
    void SetAt(const CString& key, const CString& value) { m_pairs[key] = value; }
    bool RemoveKey(const CString& key) { return m_pairs.erase(key) > 0; }
    void RemoveAll() noexcept { m_pairs.clear(); }
    void Swap(CMapStringToString& other) noexcept { m_pairs.swap(other.m_pairs); }

    int GetCount() const { return static_cast<int>(m_pairs.size()); }
    bool IsEmpty() const { return m_pairs.empty(); }

    // Iteration over all pairs, as key/value pairs.
    Pairs::const_iterator begin() const { return m_pairs.begin(); }
    Pairs::const_iterator end() const { return m_pairs.end(); }

private:
    std::uint32_t m_mark = kMark; // the first member: see IsOurs
    Pairs m_pairs;
};
