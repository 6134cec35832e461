// A growable array of byte strings, indexed from 0, in the class library's shape.
#pragma once

#include "CString.h"

#include <cassert>
#include <vector>

class CStringArray {
public:
    void SetSize(int size) { m_items.resize(static_cast<std::size_t>(size)); }
    int GetSize() const { return static_cast<int>(m_items.size()); }
    void Swap(CStringArray& other) noexcept { m_items.swap(other.m_items); }

    CString& operator[](int index) {
        assert(index >= 0 && index < GetSize());
        return m_items[static_cast<std::size_t>(index)];
    }
    const CString& operator[](int index) const {
        assert(index >= 0 && index < GetSize());
        return m_items[static_cast<std::size_t>(index)];
    }

private:
    std::vector<CString> m_items;
};
