// A byte string in the class library's shape: records carry Windows-1251 text, so nothing here assumes UTF-8.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_bytes(text ? text : "") {}
    CString(const char* first, std::size_t length) : m_bytes(first, length) {}
    CString(std::string_view text) : m_bytes(text) {}
    CString(std::string text) : m_bytes(std::move(text)) {}

    int GetLength() const { return static_cast<int>(m_bytes.size()); }
    bool IsEmpty() const { return m_bytes.empty(); }
    void Empty() {
        m_bytes.clear();
        m_numberRead = false;
    }

    const char* c_str() const { return m_bytes.c_str(); }
    operator const char*() const { return m_bytes.c_str(); }
    std::string_view View() const { return m_bytes; }
    operator std::string_view() const { return m_bytes; }
    const std::string& Bytes() const { return m_bytes; }

    // Replaces the content while keeping the allocation: cells are rewritten on every recalculation.
    void Assign(const char* first, const char* last) {
        m_bytes.assign(first, last);
        m_numberRead = false;
    }

    // The number the text reads as (NumberText::Read), read once and kept with the text until the text
    // changes: the recalculation reads each cell of its table several times.
    double Number() const;
    // Replaces the content by the text of a computed number, given the number that text reads as.
    void AssignNumber(const char* first, const char* last, double readsAs) {
        m_bytes.assign(first, last);
        m_number = readsAs;
        m_numberRead = true;
    }

    CString Left(int count) const;
    CString& operator+=(std::string_view text);

    friend bool operator==(const CString& a, const CString& b) { return a.m_bytes == b.m_bytes; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_bytes != b.m_bytes; }
    friend bool operator<(const CString& a, const CString& b) { return a.m_bytes < b.m_bytes; }
    friend bool operator==(const CString& a, const char* b) { return a.m_bytes == std::string_view(b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend CString operator+(CString a, std::string_view b) { return a += b; }

private:
    std::string m_bytes;
    mutable double m_number = 0;
    mutable bool m_numberRead = false;
};

// Writes the bytes as they are, embedded zeros included.
std::ostream& operator<<(std::ostream& out, const CString& text);
