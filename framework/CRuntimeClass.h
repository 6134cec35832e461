// A run-time class record: the class's name and a factory that makes a new object of it.
#pragma once

#include "CObject.h"

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};
