// Lookup without insertion.
#include "CMapStringToString.h"

bool CMapStringToString::Lookup(const CString& key, CString& value) const {
    const auto found = m_pairs.find(key);
    if (found == m_pairs.end())
        return false;
    value = found->second;
    return true;
}
