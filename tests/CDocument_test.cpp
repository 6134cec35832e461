// Document lifetime: a document lives while it has views and leaves its template when deleted.
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/DocumentView.h"
#include "framework/FrameworkIds.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

int g_liveDocuments = 0; // counts documents of this test only

struct CountedDocument : CDocument {
    CountedDocument() { ++g_liveDocuments; }
    ~CountedDocument() override { --g_liveDocuments; }
};

// A view whose frame closing detaches it from its document, as a window's destruction does.
struct FakeView final : DocumentView {
    explicit FakeView(CDocument* document) : document(document) { document->AddView(this); }
    void CloseFrame() override {
        ++closed;
        document->RemoveView(this);
    }
    CDocument* document;
    int closed = 0;
};

TEST(CDocument, IsDeletedWhenItsLastViewGoes) {
    CDocTemplate docTemplate;
    auto* document = new CountedDocument;
    docTemplate.AddDocument(document);
    FakeView first(document), second(document);
    document->RemoveView(&first);
    EXPECT_EQ(1, g_liveDocuments);
    document->RemoveView(&second);
    EXPECT_EQ(0, g_liveDocuments);
    EXPECT_TRUE(docTemplate.GetDocuments().empty());
}

TEST(CDocument, ClosingClosesEveryFrameOnceThenDeletes) {
    CDocTemplate docTemplate;
    auto* document = new CountedDocument;
    docTemplate.AddDocument(document);
    FakeView first(document), second(document);
    document->OnCloseDocument();
    EXPECT_EQ(1, first.closed);
    EXPECT_EQ(1, second.closed);
    EXPECT_EQ(0, g_liveDocuments);
    EXPECT_TRUE(docTemplate.GetDocuments().empty());
}

TEST(CDocTemplate, ClosesDocumentsStillOpenWhenItGoes) {
    std::unique_ptr<FakeView> view;
    {
        CDocTemplate docTemplate;
        docTemplate.AddDocument(new CountedDocument);
        auto* withView = new CountedDocument;
        docTemplate.AddDocument(withView);
        view = std::make_unique<FakeView>(withView);
        EXPECT_EQ(2, g_liveDocuments);
    }
    EXPECT_EQ(1, view->closed);
    EXPECT_EQ(0, g_liveDocuments);
}

TEST(CDocument, TheCloseCommandClosesAtOnceAndNoOtherCommandIsTaken) {
    CDocTemplate docTemplate;
    auto* document = new CountedDocument;
    docTemplate.AddDocument(document);
    FakeView view(document);
    EXPECT_FALSE(document->OnCmdMsg(ID_FILE_CLOSE + 1));
    EXPECT_EQ(0, view.closed);
    EXPECT_TRUE(document->OnCmdMsg(ID_FILE_CLOSE)); // never modified: no question asked
    EXPECT_EQ(1, view.closed);
    EXPECT_EQ(0, g_liveDocuments);
    EXPECT_TRUE(docTemplate.GetDocuments().empty());
}

TEST(CDocument, HeldByItsMakerSurvivesItsLastViewGoing) {
    // While a document is being opened its maker holds it: a view made and destroyed on the way
    // takes nothing with it.
    CDocTemplate docTemplate;
    auto* document = new CountedDocument;
    document->m_bAutoDelete = false;
    docTemplate.AddDocument(document);
    {
        FakeView view(document);
        document->RemoveView(&view);
    }
    EXPECT_EQ(1, g_liveDocuments);
    delete document;
    EXPECT_TRUE(docTemplate.GetDocuments().empty());
}

} // namespace
