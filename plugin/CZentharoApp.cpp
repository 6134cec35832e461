// What each entry point does.
#include "CZentharoApp.h"

#include "contract/ModuleContract.h"
#include "framework/CMDIChildWnd.h"
#include "framework/CMultiDocTemplate.h"
#include "framework/CResourceException.h"
#include "framework/CView.h"
#include "framework/CWindowClosedException.h"
#include "framework/NumberText.h"
#include "model/CZentharoDoc.h"
#include "resources/resource.h"
#include "window/CZentharoForm.h"
#include "window/CZentharoFrame.h"

#include "ZentharoVersion.h"

#include <memory>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace {

CZentharoApp& Application() { return *static_cast<CZentharoApp*>(AfxGetApp()); }

// New projection documents take a copy of the planet selected at that moment.
CRuntimeClass classCZentharoDoc = {"CZentharoDoc", []() -> CObject* { return Application().NewProjection(); }};

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
// The host's window cannot be found when it has none this module can open in, and also when the
// system has no memory left to list the windows: the user is told of both.
constexpr const char* kNoHostWindow =
    "No projection window can be opened: Zentharo cannot find the host's window to open it in.\n\n"
    "If the system has run out of memory, close some windows and try again.";
constexpr const char* kForeignRecords =
    "This host passes records that Zentharo cannot read, so Zentharo does nothing when the host calls it.\n\n"
    "The host and Zentharo must be built on the same class library.";

// Tells the user, in a message box owned by the host's main window when there is one. When not even a
// message box can be made, the user still hears that something failed.
void Tell(const char* text, UINT icon) {
    const HWND mdiClient = CMDIChildWnd::FindHostMdiClient();
    if (!::MessageBoxA(mdiClient ? ::GetParent(mdiClient) : nullptr, text, ModuleContract::kMessageCaption,
                       MB_OK | icon))
        ::MessageBeep(icon);
}

} // namespace

CZentharoDoc* CZentharoApp::NewProjection() {
    auto document = std::make_unique<CZentharoDoc>(m_currentPlanet);
    try {
        if (std::optional<TableInputs> closed = m_closedTables.For(*document))
            document->OfferClosedTable(std::move(*closed));
    } catch (const std::bad_alloc&) {
        // no memory for the way back: the window opens without it, and what was kept stays kept
    }
    document->KeepWhenClosed(&m_closedTables);
    return document.release();
}

void CZentharoApp::OnLoad() {
    m_loadedByHost = true;
    if (!MakeTemplate())
        AfxThrowResourceException(); // the host's door beeps; the next command tries again
}

// The template is made whole (with its accelerators, which Escape needs) or not kept: a template that
// failed, when memory ran out at OnLoad, is made again by the next command that needs it.
bool CZentharoApp::MakeTemplate() {
    if (!m_docManager.GetTemplates().empty())
        return true;
    auto docTemplate = std::make_unique<CMultiDocTemplate>(
        IDR_ZENTHARO, &classCZentharoDoc, &CZentharoFrame::classCZentharoFrame, &CZentharoForm::classCZentharoForm);
    if (!docTemplate->GetAccelerators())
        return false;
    AddDocTemplate(std::move(docTemplate));
    return true;
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
    if (m_currentPlanet.IsEmpty() || command != ModuleContract::kMenuCommand || !m_loadedByHost)
        return;
    // The user asked for a window: from here nothing fails without telling them why.
    bool opened = false;
    try {
        if (HasProjectionOfCurrentPlanet())
            return; // at most one window per planet of a game; the existing one stays where it is
        if (!CMDIChildWnd::FindHostMdiClient()) {
            Tell(kNoHostWindow, MB_ICONEXCLAMATION);
            return;
        }
        opened = MakeTemplate() && OpenProjection();
    } catch (const std::bad_alloc&) {
    }
    if (!opened)
        Tell(kOpenFailure, MB_ICONEXCLAMATION);
}

// A projection opens whole or not at all: a window, font or allocation that fails on the way undoes
// what was made, and false tells the caller to say so. A window the host closed while it opened is no
// failure: there is nothing to say.
bool CZentharoApp::OpenProjection() {
    try {
        return OnFileNew() != nullptr;
    } catch (const CWindowClosedException&) {
        return true;
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
// Walks the documents in place rather than through a list of them, which would have to be allocated:
// a planet already open is found even when memory has run out.
bool CZentharoApp::HasProjectionOfCurrentPlanet() {
    for (const auto& docTemplate : m_docManager.GetTemplates())
        for (CDocument* document : docTemplate->GetDocuments())
            if (auto* projection = dynamic_cast<CZentharoDoc*>(document);
                projection && projection->m_planet["Num"] == m_currentPlanet["Num"] &&
                projection->m_planet["GameName"] == m_currentPlanet["GameName"])
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
