// A map of byte-string keys to byte-string values with the class library's two access forms.
//
// Lookup reports a missing key and leaves the map alone; indexing inserts a missing key with an
// empty value. Hosts can observe the difference, so callers choose the form deliberately.
//
// Records cross the module boundary by reference. Host and module compile this header with the same
// compiler and flags, and all storage comes from the C runtime's one heap, so either side may
// allocate what the other frees.
#pragma once

#include "CString.h"

#include <map>

class CMapStringToString {
    using Pairs = std::map<CString, CString>;

public:
    // The block size tunes the class library's allocator; this map has no use for it.
    explicit CMapStringToString(int blockSize = 10) { (void)blockSize; }

    bool Lookup(const CString& key, CString& value) const;
    CString& operator[](const CString& key) { return m_pairs[key]; }
    void SetAt(const CString& key, const CString& value) { m_pairs[key] = value; }
    bool RemoveKey(const CString& key) { return m_pairs.erase(key) > 0; }
    void RemoveAll() { m_pairs.clear(); }

    int GetCount() const { return static_cast<int>(m_pairs.size()); }
    bool IsEmpty() const { return m_pairs.empty(); }

    // Iteration over all pairs, as key/value pairs.
    Pairs::const_iterator begin() const { return m_pairs.begin(); }
    Pairs::const_iterator end() const { return m_pairs.end(); }

private:
    Pairs m_pairs;
};
