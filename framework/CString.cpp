// Byte string operations that are more than one line.
#include "CString.h"

#include "NumberText.h"

#include <algorithm>
#include <ostream>

CString CString::Left(int count) const {
    const auto length = static_cast<std::size_t>(std::clamp(count, 0, GetLength()));
    return CString(m_bytes.data(), length);
}

CString& CString::operator+=(std::string_view text) {
    m_bytes.append(text);
    m_numberRead = false;
    return *this;
}

double CString::Number() const {
    if (!m_numberRead) {
        m_number = NumberText::Read(m_bytes);
        m_numberRead = true;
    }
    return m_number;
}

std::ostream& operator<<(std::ostream& out, const CString& text) {
    return out.write(text.Bytes().data(), static_cast<std::streamsize>(text.Bytes().size()));
}
