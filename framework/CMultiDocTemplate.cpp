// Opening a document: document, frame and view, then the new-document step and the first update.
#include "CMultiDocTemplate.h"

#include "CCreateContext.h"
#include "CDocument.h"
#include "CMDIChildWnd.h"
#include "CRuntimeClass.h"
#include "CView.h"

#include <memory>

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                                     CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(documentClass), m_pFrameClass(frameClass), m_pViewClass(viewClass),
      m_accelerators(resourceId) {}

CDocument* CMultiDocTemplate::OpenDocumentFile() {
    // This call owns the document until a view holds it, so a view that comes and goes while the
    // frame is made takes nothing with it.
    std::unique_ptr<CDocument> document(dynamic_cast<CDocument*>(m_pDocClass->CreateObject()));
    if (!document)
        return nullptr;
    document->m_bAutoDelete = false;
    AddDocument(document.get()); // the document leaves the list again when it is deleted
    CFrameWnd* frame = CreateNewFrame(document.get());
    if (!frame)
        return nullptr;

    CDocument* opened = document.release(); // from here it goes with its last view
    opened->m_bAutoDelete = true;
    try {
        if (!opened->OnNewDocument()) {
            frame->DestroyWindow(); // the view goes with it, and the document with the view
            return nullptr;
        }
        InitialUpdateFrame(frame, opened);
    } catch (...) {
        frame->DestroyWindow();
        throw;
    }
    return opened;
}

CFrameWnd* CMultiDocTemplate::CreateNewFrame(CDocument* document) {
    // The frame object is ours until its window exists; then the window owns it.
    std::unique_ptr<CFrameWnd> frame(dynamic_cast<CFrameWnd*>(m_pFrameClass->CreateObject()));
    if (!frame)
        return nullptr;
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = document;
    context.m_pNewDocTemplate = this;
    if (!frame->LoadFrame(m_nIDResource, &context))
        return nullptr;
    return frame.release();
}

void CMultiDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document) {
    // The view stays hidden while it makes its controls and is shown once they all exist: under Wine,
    // controls made inside a view that is shown take longer to make even while its frame is hidden
    // (a projection's choosers about a fifth longer).
    if (CView* view = frame->GetActiveView()) {
        view->OnInitialUpdate();
        view->ShowWindow(SW_SHOW);
    }
    frame->SetWindowText(document->GetTitle());
    if (auto* mdiChild = dynamic_cast<CMDIChildWnd*>(frame))
        mdiChild->ActivateFrame();
    else
        frame->ShowWindow(SW_SHOW);
}
