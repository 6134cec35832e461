// What a frame needs to create its view: the view's run-time class and the document it shows.
#pragma once

struct CRuntimeClass;
class CDocument;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
};
