// The application object of the module: its document templates and its keyboard routing. Exactly one
// exists; AfxGetApp reaches it.
#pragma once

#include "CObject.h"
#include "KeyboardRouter.h"

#include <memory>
#include <vector>

class CDocTemplate;
class CMultiDocTemplate;

// Holds the document templates and opens new documents through them.
class CDocManager {
public:
    void AddDocTemplate(std::unique_ptr<CMultiDocTemplate> docTemplate);
    void OnFileNew();
    void CloseAllDocuments();
    const std::vector<std::unique_ptr<CMultiDocTemplate>>& GetTemplates() const { return m_templates; }

private:
    std::vector<std::unique_ptr<CMultiDocTemplate>> m_templates;
};

class CWinApp : public CObject {
public:
    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    // Closes every document (and so every window) and gives back what the framework holds.
    virtual int ExitInstance();

    void AddDocTemplate(std::unique_ptr<CMultiDocTemplate> docTemplate);
    // Makes a new document through the first template, if any.
    void OnFileNew();

    std::unique_ptr<CDocManager> m_pDocManager;
    KeyboardRouter m_keyboardRouter;
};

CWinApp* AfxGetApp();
