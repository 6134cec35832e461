// Opening a document: document, frame and view, then the new-document step and the first update.
#include "CMultiDocTemplate.h"

#include "CCreateContext.h"
#include "CDocument.h"
#include "CMDIChildWnd.h"
#include "CRuntimeClass.h"
#include "CView.h"
#include "CWindowClosedException.h"

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
    if (document->GetViews().empty()) { // the host destroyed the view while the frame was made
        frame->DestroyWindow();
        throw CWindowClosedException();
    }

    CDocument* opened = document.release(); // from here it goes with its last view
    opened->m_bAutoDelete = true;
    const HWND frameWindow = frame->GetSafeHwnd();
    try {
        if (!opened->OnNewDocument()) {
            frame->DestroyWindow(); // the view goes with it, and the document with the view
            return nullptr;
        }
        InitialUpdateFrame(frame, opened);
    } catch (...) {
        // The frame may be gone already, and with it the document: only a frame still there is closed.
        if (CWnd* stillThere = CWnd::FromHandlePermanent(frameWindow))
            stillThere->DestroyWindow();
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
    // Showing, titling and activating the frame reach the host, whose answer may close the frame (and
    // with its view the document) or its view alone: after each step the frame and its view must still
    // be there, or the opening ends, leaving no frame without a view.
    const HWND frameWindow = frame->GetSafeHwnd();
    const auto stillOpen = [frame, frameWindow] {
        if (CWnd::FromHandlePermanent(frameWindow) != frame)
            return false;
        if (frame->GetActiveView())
            return true;
        frame->DestroyWindow();
        return false;
    };
    // The view stays hidden while it makes its controls and is shown once they all exist: under Wine,
    // controls made inside a view that is shown take longer to make even while its frame is hidden
    // (a projection's choosers about a fifth longer).
    if (CView* view = frame->GetActiveView()) {
        view->OnInitialUpdate();
        if (!stillOpen())
            throw CWindowClosedException();
        view->ShowWindow(SW_SHOW);
    }
    if (!stillOpen())
        throw CWindowClosedException();
    frame->SetWindowText(document->GetTitle());
    if (!stillOpen())
        throw CWindowClosedException();
    if (auto* mdiChild = dynamic_cast<CMDIChildWnd*>(frame))
        mdiChild->ActivateFrame();
    else
        frame->ShowWindow(SW_SHOW);
    if (!stillOpen())
        throw CWindowClosedException();
}
