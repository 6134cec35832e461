// A view: a child window of a frame that shows one document and routes commands to it.
#pragma once

#include "CWnd.h"
#include "DocumentView.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd, public DocumentView {
public:
    // Creates the view's window as the client of frame and attaches the view to the document.
    virtual BOOL Create(HWND frame, UINT id, CDocument* document) = 0;
    // Runs once after document, frame and view exist and the document's new-document step has run.
    virtual void OnInitialUpdate() {}

    CDocument* GetDocument() const { return m_pDocument; }
    HWND GetParentFrame() const { return ::GetParent(m_hWnd); }

    // Commands go to the view first, then to its document.
    virtual BOOL OnCmdMsg(UINT id);

    // A keyboard or right-button message aimed at the frame or a window inside it, before the frame's
    // own keys. True when the view handled it and nothing more may happen with it.
    virtual BOOL PreTranslateMessage(MSG* /*message*/) { return FALSE; }

    void CloseFrame() override;

protected:
    void AttachDocument(CDocument* document);
    void OnDestroy() override;
    void PostNcDestroy() override { delete this; }

    CDocument* m_pDocument = nullptr;
};
