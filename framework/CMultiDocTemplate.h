// A document template for multi-document windows: makes a document, its MDI child frame and its view
// from their run-time classes, with the frame's resources under one id.
#pragma once

#include "AcceleratorTable.h"
#include "CDocTemplate.h"
#include "Win32.h"

struct CRuntimeClass;
class CFrameWnd;

class CMultiDocTemplate : public CDocTemplate {
public:
    CMultiDocTemplate(UINT resourceId, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                      CRuntimeClass* viewClass);
    // Its documents close first: their frames use its accelerators to the end.
    ~CMultiDocTemplate() override { CloseAllDocuments(); }

    // Opens a new, empty document in a new frame, whole or not at all: nullptr, or an exception, when
    // any step fails, and then nothing that was made stays behind. CWindowClosedException when the
    // host closed the frame, or discarded the document, before the opening finished.
    CDocument* OpenDocumentFile();

    // The accelerator table of the resource id, loaded once and shared by every frame of the template.
    HACCEL GetAccelerators() const { return m_accelerators.Get(); }

private:
    CFrameWnd* CreateNewFrame(CDocument* document);
    void InitialUpdateFrame(CFrameWnd* frame, CDocument* document);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    AcceleratorTable m_accelerators;
};
