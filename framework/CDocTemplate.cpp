// Document bookkeeping of a template.
#include "CDocTemplate.h"

#include "CDocument.h"

#include <algorithm>

CDocTemplate::~CDocTemplate() {
    // Documents still open when the template goes (module unload) close with it, views and all.
    while (!m_documents.empty()) {
        CDocument* document = m_documents.back();
        document->OnCloseDocument();
        if (!m_documents.empty() && m_documents.back() == document) {
            m_documents.pop_back();
            document->m_pDocTemplate = nullptr;
            delete document;
        }
    }
}

void CDocTemplate::AddDocument(CDocument* document) {
    m_documents.push_back(document);
    document->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* document) {
    m_documents.erase(std::remove(m_documents.begin(), m_documents.end(), document), m_documents.end());
    document->m_pDocTemplate = nullptr;
}
