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
    // Closes the documents still open (module unload), views and frames with them.
    virtual ~CDocTemplate();

    // Closes every document of the template, with its frames and views.
    void CloseAllDocuments();
    void AddDocument(CDocument* document);
    void RemoveDocument(CDocument* document);
    const std::vector<CDocument*>& GetDocuments() const { return m_documents; }

private:
    std::vector<CDocument*> m_documents;
};
