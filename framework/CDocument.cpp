// Document lifetime: views come and go, the last one leaving closes the document.
#include "CDocument.h"

#include "CDocTemplate.h"
#include "DocumentView.h"
#include "FrameworkIds.h"

#include <algorithm>

CDocument::~CDocument() {
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

bool CDocument::OnNewDocument() {
    DeleteContents();
    return true;
}

void CDocument::OnCloseDocument() {
    if (m_closing)
        return; // a frame closed below is taking its view away: the walk goes on here
    // Closing frames removes their views one by one; the document outlives that walk.
    m_closing = true;
    while (!m_viewList.empty()) {
        DocumentView* view = m_viewList.front();
        view->CloseFrame();
        RemoveView(view); // in case the view could not detach itself
    }
    DeleteContents();
    m_closing = false;
    if (m_bAutoDelete)
        delete this;
}

bool CDocument::OnCmdMsg(unsigned id) {
    if (id != ID_FILE_CLOSE)
        return false;
    OnCloseDocument();
    return true;
}

void CDocument::AddView(DocumentView* view) {
    if (std::find(m_viewList.begin(), m_viewList.end(), view) == m_viewList.end())
        m_viewList.push_back(view);
}

void CDocument::RemoveView(DocumentView* view) {
    const auto found = std::find(m_viewList.begin(), m_viewList.end(), view);
    if (found == m_viewList.end())
        return;
    m_viewList.erase(found);
    if (m_viewList.empty() && m_bAutoDelete)
        OnCloseDocument();
}
