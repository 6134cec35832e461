// Opening a document: document, frame and view, then the new-document step and the first update.
#include "CMultiDocTemplate.h"

#include "CCreateContext.h"
#include "CDocument.h"
#include "CMDIChildWnd.h"
#include "CRuntimeClass.h"
#include "CView.h"

namespace {

CString LoadResourceString(UINT id) {
    char buffer[256];
    const int length = ::LoadStringA(ModuleInstance(), id, buffer, sizeof buffer);
    return CString(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

} // namespace

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                                     CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(documentClass), m_pFrameClass(frameClass), m_pViewClass(viewClass),
      m_strDocStrings(LoadResourceString(resourceId)) {}

CDocument* CMultiDocTemplate::OpenDocumentFile() {
    auto* document = dynamic_cast<CDocument*>(m_pDocClass->CreateObject());
    if (!document)
        return nullptr;
    AddDocument(document);

    // While the frame is made, a failing view must not take the document with it.
    const bool autoDelete = document->m_bAutoDelete;
    document->m_bAutoDelete = false;
    CFrameWnd* frame = CreateNewFrame(document);
    document->m_bAutoDelete = autoDelete;
    if (!frame) {
        delete document;
        return nullptr;
    }
    if (!document->OnNewDocument()) {
        frame->DestroyWindow(); // its view goes with it, and the document with its last view
        return nullptr;
    }
    InitialUpdateFrame(frame, document);
    return document;
}

CFrameWnd* CMultiDocTemplate::CreateNewFrame(CDocument* document) {
    auto* frame = dynamic_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
    if (!frame)
        return nullptr;
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = document;
    if (!frame->LoadFrame(m_nIDResource, &context))
        return nullptr; // the frame object is gone
    return frame;
}

void CMultiDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document) {
    if (CView* view = frame->GetActiveView())
        view->OnInitialUpdate();
    frame->SetWindowText(document->GetTitle());
    if (auto* mdiChild = dynamic_cast<CMDIChildWnd*>(frame))
        mdiChild->ActivateFrame();
    else
        frame->ShowWindow(SW_SHOW);
}
