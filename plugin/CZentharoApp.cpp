// What each entry point does.
#include "CZentharoApp.h"

#include "contract/ModuleContract.h"
#include "framework/CMDIChildWnd.h"
#include "framework/CMultiDocTemplate.h"
#include "framework/CResourceException.h"
#include "framework/CView.h"
#include "framework/NumberText.h"
#include "model/CZentharoDoc.h"
#include "resources/resource.h"
#include "window/CZentharoForm.h"
#include "window/CZentharoFrame.h"

#include "ZentharoVersion.h"

#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace {

CZentharoApp& Application() { return *static_cast<CZentharoApp*>(AfxGetApp()); }

// New projection documents take a copy of the planet selected at that moment.
CRuntimeClass classCZentharoDoc = {"CZentharoDoc",
                                   []() -> CObject* { return new CZentharoDoc(Application().m_currentPlanet); }};

// Reads a numeric value of the record into target when the key is present.
void ReadIfPresent(const CMapStringToString& record, const char* key, std::int32_t& target) {
    CString value;
    if (record.Lookup(key, value))
        target = NumberText::ReadInteger(value.View());
}

// Keys of the games-list record name the games still open when they begin exactly with "Game.".
bool NamesOpenGame(const CString& key) { return key.GetLength() >= 5 && key.Left(5) == "Game."; }

constexpr const char* kOpenFailure =
    "No more projection windows can be opened: the system has run out of windows or memory.\n\n"
    "Close some windows and try again.";
constexpr const char* kForeignRecords =
    "This host passes records that Zentharo cannot read, so Zentharo does nothing when the host calls it.\n\n"
    "The host and Zentharo must be built on the same class library.";

// Tells the user, in a message box owned by the host's main window when there is one.
void Tell(const char* text, UINT icon) {
    const HWND mdiClient = CMDIChildWnd::FindHostMdiClient();
    ::MessageBoxA(mdiClient ? ::GetParent(mdiClient) : nullptr, text, ModuleContract::kMessageCaption, MB_OK | icon);
}

} // namespace

void CZentharoApp::OnLoad() {
    AddDocTemplate(std::make_unique<CMultiDocTemplate>(
        IDR_ZENTHARO, &classCZentharoDoc, &CZentharoFrame::classCZentharoFrame, &CZentharoForm::classCZentharoForm));
}

void CZentharoApp::OnInitialize(CMapStringToString& record) {
    ReadIfPresent(record, "MainFrame", m_mainFrame);
    ReadIfPresent(record, "DataManager", m_dataManager);
    ReadIfPresent(record, "EventMask", m_eventMask);
    std::int32_t mainFramePointer = 0; // read as the host sends it, not kept
    ReadIfPresent(record, "MainFramePtr", mainFramePointer);
    record["MenuItem"] = ModuleContract::kMenuCommand;
}

void CZentharoApp::OnPlanetChanged(CMapStringToString& record) {
    // A selection that cannot be copied whole leaves none: a command must not project the planet
    // selected before.
    try {
        CMapStringToString planet{10};
        for (const auto& [key, value] : record)
            planet.SetAt(key, value);
        m_currentPlanet.Swap(planet);
    } catch (...) {
        m_currentPlanet.RemoveAll();
        throw;
    }
}

void CZentharoApp::OnUserCommand(CMapStringToString& record) {
    CString gameName, turn, command;
    if (!record.Lookup("GameName", gameName) || !record.Lookup("Turn", turn) || !record.Lookup("Command", command))
        return;
    if (m_currentPlanet.IsEmpty() || command != ModuleContract::kMenuCommand)
        return;
    if (HasProjectionOfCurrentPlanet())
        return; // at most one window per planet of a game; the existing one stays where it is
    if (m_docManager.GetTemplates().empty() || !CMDIChildWnd::FindHostMdiClient())
        return; // before OnLoad, or in a host without windows: nothing can open
    if (!OpenProjection())
        Tell(kOpenFailure, MB_ICONEXCLAMATION);
}

// A projection opens whole or not at all: a window, font or allocation that fails on the way undoes
// what was made.
bool CZentharoApp::OpenProjection() {
    try {
        return OnFileNew() != nullptr;
    } catch (const CResourceException&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CZentharoApp::RefuseForeignRecord() {
    if (m_foreignRecordReported)
        return;
    m_foreignRecordReported = true;
    Tell(kForeignRecords, MB_ICONERROR);
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
    // Decided for every window before any is shown or hidden, so that a failure changes none.
    std::vector<std::pair<HWND, int>> frames;
    for (CZentharoDoc* document : OpenProjections()) {
        const int show = document->m_planet["GameName"] == record["GameName"] ? SW_SHOW : SW_HIDE;
        for (DocumentView* view : document->GetViews())
            frames.emplace_back(static_cast<CView*>(view)->GetParentFrame(), show);
    }
    for (const auto& [frame, show] : frames)
        ::ShowWindow(frame, show);
}

void CZentharoApp::OnGamesListModified(CMapStringToString& record) {
    // Everything to discard is known before anything is destroyed, so that a failure discards nothing.
    std::vector<std::pair<HWND, HWND>> discarded; // view and frame
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
        for (DocumentView* view : document->GetViews())
            discarded.emplace_back(static_cast<CView*>(view)->GetSafeHwnd(),
                                   static_cast<CView*>(view)->GetParentFrame());
    }
    // Destroying the views discards the documents. A frame left without its view would be an empty
    // window: it closes too, and saves its placement as every frame does.
    for (const auto& [view, frame] : discarded)
        if (CWnd* viewWnd = CWnd::FromHandlePermanent(view))
            viewWnd->DestroyWindow();
    for (const auto& [view, frame] : discarded)
        if (CWnd* frameWnd = CWnd::FromHandlePermanent(frame))
            frameWnd->DestroyWindow();
}

void CZentharoApp::OnAbout(CMapStringToString& record) {
    record["Name"] = "Zentharo Plugin";
    record["Author"] = "Zentharo team";
    record["Version"] = ZENTHARO_ABOUT_VERSION;
    record["Date"] = "03/07/00";
    // Windows-1251: "Альтернатива плугина раскачки планет".
    record["Description"] = "\xC0\xEB\xFC\xF2\xE5\xF0\xED\xE0\xF2\xE8\xE2\xE0 \xEF\xEB\xF3\xE3\xE8\xED\xE0 "
                            "\xF0\xE0\xF1\xEA\xE0\xF7\xEA\xE8 \xEF\xEB\xE0\xED\xE5\xF2";
}

std::vector<CZentharoDoc*> CZentharoApp::OpenProjections() const {
    std::vector<CZentharoDoc*> projections;
    for (const auto& docTemplate : m_docManager.GetTemplates())
        for (CDocument* document : docTemplate->GetDocuments())
            if (auto* projection = dynamic_cast<CZentharoDoc*>(document))
                projections.push_back(projection);
    return projections;
}
