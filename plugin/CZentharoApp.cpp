// What each entry point does.
#include "CZentharoApp.h"

#include "framework/CMultiDocTemplate.h"
#include "framework/CView.h"
#include "framework/NumberText.h"
#include "model/CZentharoDoc.h"
#include "resources/resource.h"
#include "window/CZentharoForm.h"
#include "window/CZentharoFrame.h"

#include <memory>

namespace {

constexpr const char* kMenuCommand = "Zentharo";

CZentharoApp& Application() { return *static_cast<CZentharoApp*>(AfxGetApp()); }

// New projection documents take a copy of the planet selected at that moment.
CRuntimeClass classCZentharoDoc = {
    "CZentharoDoc", []() -> CObject* { return new CZentharoDoc(Application().m_currentPlanet); }};

// Reads a numeric value of the record into target when the key is present.
void ReadIfPresent(const CMapStringToString& record, const char* key, std::int32_t& target) {
    CString value;
    if (record.Lookup(key, value))
        target = NumberText::ReadInteger(value.View());
}

// Keys of the games-list record name the games still open when they begin exactly with "Game.".
bool NamesOpenGame(const CString& key) { return key.GetLength() >= 5 && key.Left(5) == "Game."; }

} // namespace

void CZentharoApp::OnLoad() {
    AddDocTemplate(std::make_unique<CMultiDocTemplate>(IDR_ZENTHARO, &classCZentharoDoc,
                                                       &CZentharoFrame::classCZentharoFrame,
                                                       &CZentharoForm::classCZentharoForm));
}

void CZentharoApp::OnInitialize(CMapStringToString& record) {
    ReadIfPresent(record, "MainFrame", m_mainFrame);
    ReadIfPresent(record, "DataManager", m_dataManager);
    ReadIfPresent(record, "EventMask", m_eventMask);
    std::int32_t mainFramePointer = 0; // read as the host sends it, not kept
    ReadIfPresent(record, "MainFramePtr", mainFramePointer);
    record["MenuItem"] = kMenuCommand;
}

void CZentharoApp::OnPlanetChanged(CMapStringToString& record) {
    m_currentPlanet.RemoveAll();
    for (const auto& [key, value] : record)
        m_currentPlanet.SetAt(key, value);
}

void CZentharoApp::OnUserCommand(CMapStringToString& record) {
    CString gameName, turn, command;
    if (!record.Lookup("GameName", gameName) || !record.Lookup("Turn", turn) || !record.Lookup("Command", command))
        return;
    (void)NumberText::ReadInteger(turn.View()); // the turn is read but plays no part
    if (m_currentPlanet.IsEmpty() || command != kMenuCommand)
        return;
    if (HasProjectionOfCurrentPlanet())
        return; // at most one window per planet of a game; the existing one stays where it is
    OnFileNew();
}

// Compares by indexing, as the records are used everywhere: a missing "Num" or "GameName" is added
// to the current planet (and to a document's copy) with an empty value.
bool CZentharoApp::HasProjectionOfCurrentPlanet() {
    for (CZentharoDoc* document : OpenProjections())
        if (document->m_planet["Num"] == m_currentPlanet["Num"] &&
            document->m_planet["GameName"] == m_currentPlanet["GameName"])
            return true;
    return false;
}

void CZentharoApp::OnActivate(CMapStringToString& record) {
    for (CZentharoDoc* document : OpenProjections()) {
        const int show = document->m_planet["GameName"] == record["GameName"] ? SW_SHOW : SW_HIDE;
        for (DocumentView* view : document->GetViews())
            ::ShowWindow(static_cast<CView*>(view)->GetParentFrame(), show);
    }
}

void CZentharoApp::OnGamesListModified(CMapStringToString& record) {
    for (CZentharoDoc* document : OpenProjections()) {
        const CString& game = document->m_planet["GameName"];
        bool stillOpen = false;
        for (const auto& [key, value] : record)
            if (NamesOpenGame(key) && value == game) {
                stillOpen = true;
                break;
            }
        if (stillOpen)
            continue;
        // Destroying the views discards the document. A frame left without its view would be an empty
        // window: it closes too, and saves its placement as every frame does.
        const std::vector<DocumentView*> views = document->GetViews();
        std::vector<HWND> frames;
        for (DocumentView* view : views)
            frames.push_back(static_cast<CView*>(view)->GetParentFrame());
        for (DocumentView* view : views)
            static_cast<CView*>(view)->DestroyWindow();
        for (HWND frame : frames)
            if (CWnd* frameWnd = CWnd::FromHandlePermanent(frame))
                frameWnd->DestroyWindow();
    }
}

void CZentharoApp::OnAbout(CMapStringToString& record) {
    record["Name"] = "Zentharo Plugin";
    record["Author"] = "Zentharo team";
    record["Version"] = "v1.00";
    record["Date"] = "03/07/00";
    // Windows-1251: "Альтернатива плугина раскачки планет".
    record["Description"] = "\xC0\xEB\xFC\xF2\xE5\xF0\xED\xE0\xF2\xE8\xE2\xE0 \xEF\xEB\xF3\xE3\xE8\xED\xE0 "
                            "\xF0\xE0\xF1\xEA\xE0\xF7\xEA\xE8 \xEF\xEB\xE0\xED\xE5\xF2";
}

std::vector<CZentharoDoc*> CZentharoApp::OpenProjections() const {
    std::vector<CZentharoDoc*> projections;
    for (const auto& docTemplate : m_pDocManager->GetTemplates())
        for (CDocument* document : docTemplate->GetDocuments())
            if (auto* projection = dynamic_cast<CZentharoDoc*>(document))
                projections.push_back(projection);
    return projections;
}
