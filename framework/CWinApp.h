// The application object of the module: its document templates, its window classes and its keyboard
// routing. Exactly one exists; AfxGetApp reaches it.
#pragma once

#include "CObject.h"
#include "KeyboardRouter.h"
#include "WindowClasses.h"

#include <memory>
#include <vector>

class CDocument;
class CMultiDocTemplate;

// Holds the document templates and opens new documents through them.
class CDocManager {
public:
    void AddDocTemplate(std::unique_ptr<CMultiDocTemplate> docTemplate);
    // Opens a new document through the first template: the document, or nullptr when none was made.
    CDocument* OnFileNew();
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
    // Makes a new document through the first template: the document, or nullptr when none was made.
    CDocument* OnFileNew();

    // Declared so that documents (and their windows) go first, then the hook, then the classes.
    WindowClasses m_windowClasses;
    KeyboardRouter m_keyboardRouter;
    CDocManager m_docManager; // a member, not a heap object: building the application allocates nothing
};

CWinApp* AfxGetApp();
