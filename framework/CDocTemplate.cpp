// Document bookkeeping of a template.
#include "CDocTemplate.h"

#include "CDocument.h"

#include <algorithm>

CDocTemplate::~CDocTemplate() { CloseAllDocuments(); }

void CDocTemplate::CloseAllDocuments() {
    // Closing a document closes its frames, and their views delete it; one that does not delete
    // itself (no view, or not deleted on close) is deleted here.
    while (!m_documents.empty()) {
        CDocument* document = m_documents.back();
        document->OnCloseDocument();
        if (!m_documents.empty() && m_documents.back() == document)
            delete document; // its destructor takes it off the list
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
