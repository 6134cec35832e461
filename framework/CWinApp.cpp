// The application object and its document manager.
#include "CWinApp.h"

#include "CDocument.h"
#include "CMultiDocTemplate.h"

#include <cassert>

namespace {

CWinApp* g_application = nullptr; // the one application object, set by its constructor

} // namespace

CWinApp* AfxGetApp() { return g_application; }

void CDocManager::AddDocTemplate(std::unique_ptr<CMultiDocTemplate> docTemplate) {
    m_templates.push_back(std::move(docTemplate));
}

CDocument* CDocManager::OnFileNew() { return m_templates.empty() ? nullptr : m_templates.front()->OpenDocumentFile(); }

void CDocManager::CloseAllDocuments() {
    for (const auto& docTemplate : m_templates)
        docTemplate->CloseAllDocuments();
}

CWinApp::CWinApp() {
    assert(!g_application);
    g_application = this;
}

CWinApp::~CWinApp() {
    if (g_application == this)
        g_application = nullptr;
}

int CWinApp::ExitInstance() {
    m_docManager.CloseAllDocuments();
    m_keyboardRouter.Remove();
    m_windowClasses.UnregisterAll();
    return 0;
}

void CWinApp::AddDocTemplate(std::unique_ptr<CMultiDocTemplate> docTemplate) {
    m_docManager.AddDocTemplate(std::move(docTemplate));
}

CDocument* CWinApp::OnFileNew() {
    m_keyboardRouter.Install(); // frames are made on the UI thread: route its keys from now on
    return m_docManager.OnFileNew();
}
