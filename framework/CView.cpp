// View lifetime and command routing.
#include "CView.h"

#include "CDocument.h"
#include "CFrameWnd.h"

void CView::AttachDocument(CDocument* document) {
    m_pDocument = document;
    if (document)
        document->AddView(this);
}

BOOL CView::OnCmdMsg(UINT id) { return m_pDocument && m_pDocument->OnCmdMsg(id); }

void CView::CloseFrame() {
    const HWND frame = GetParentFrame();
    if (CWnd* frameWnd = CWnd::FromHandlePermanent(frame))
        frameWnd->DestroyWindow();
    else
        DestroyWindow();
}

void CView::OnDestroy() {
    if (auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(GetParentFrame())))
        frame->OnViewDestroyed(this);
    CDocument* document = m_pDocument;
    m_pDocument = nullptr;
    if (document)
        document->RemoveView(this); // the last view leaving closes the document
}
