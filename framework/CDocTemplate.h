// The portable half of a document template: the list of documents it has made, in creation order.
// The window side derives from it to create frames and views.
#pragma once

#include <vector>

class CDocument;

class CDocTemplate {
public:
    CDocTemplate() = default;
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;
    virtual ~CDocTemplate();

    void AddDocument(CDocument* document);
    void RemoveDocument(CDocument* document);
    const std::vector<CDocument*>& GetDocuments() const { return m_documents; }

private:
    std::vector<CDocument*> m_documents;
};
