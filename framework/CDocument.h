// The base of every document: a title, the views showing it, and the rule that a document whose
// last view goes away closes and deletes itself. Documents here are never modified in the class
// library's sense, so closing never asks to save.
#pragma once

#include "CObject.h"
#include "CString.h"

#include <vector>

class CDocTemplate;
class DocumentView;

class CDocument : public CObject {
public:
    ~CDocument() override;

    // The new-document step the template runs right after creation; false aborts the creation.
    virtual bool OnNewDocument();
    // Destroys the frames of all views, then deletes the document when it deletes itself automatically.
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}

    // Commands routed to the document; the close command closes it at once, as nothing is ever unsaved.
    virtual bool OnCmdMsg(unsigned id);

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const CString& title) { m_strTitle = title; }

    void AddView(DocumentView* view);
    void RemoveView(DocumentView* view);
    const std::vector<DocumentView*>& GetViews() const { return m_viewList; }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // Whether the document deletes itself when it closes, which it does when its last view goes.
    // Whoever makes a document may hold it instead until a view holds it.
    bool m_bAutoDelete = true;

private:
    friend class CDocTemplate;

    bool m_closing = false; // while its frames are being closed

    CString m_strTitle;
    std::vector<DocumentView*> m_viewList;
    CDocTemplate* m_pDocTemplate = nullptr;
};
