// A document template for multi-document windows: makes a document, its MDI child frame and its view
// from their run-time classes, with the frame's resources under one id.
#pragma once

#include "CDocTemplate.h"
#include "CString.h"
#include "Win32.h"

struct CRuntimeClass;
class CFrameWnd;

class CMultiDocTemplate : public CDocTemplate {
public:
    CMultiDocTemplate(UINT resourceId, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                      CRuntimeClass* viewClass);

    // Opens a new, empty document in a new frame; nullptr when any step fails (nothing is left behind).
    CDocument* OpenDocumentFile();

    // The template string: newline-separated fields (window title, document name, file filter, ...).
    const CString& GetDocStrings() const { return m_strDocStrings; }

private:
    CFrameWnd* CreateNewFrame(CDocument* document);
    void InitialUpdateFrame(CFrameWnd* frame, CDocument* document);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
};
