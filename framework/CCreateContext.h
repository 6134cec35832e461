// What a frame needs to create its view: the view's run-time class, the document it shows and the
// template that makes them, whose shared resources the frame uses.
#pragma once

struct CRuntimeClass;
class CDocument;
class CMultiDocTemplate;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CMultiDocTemplate* m_pNewDocTemplate = nullptr;
};
