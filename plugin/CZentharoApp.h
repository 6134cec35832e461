// The module's application object: the host's start-up values, the planet selected in the host, and
// the opening, showing, hiding and discarding of projection windows.
#pragma once

#include "framework/CMapStringToString.h"
#include "framework/CWinApp.h"
#include "model/ClosedTables.h"

#include <cstdint>

class CZentharoDoc;

class CZentharoApp : public CWinApp {
public:
    void OnLoad();
    void OnInitialize(CMapStringToString& record);
    void OnGamesListModified(CMapStringToString& record);
    void OnUserCommand(CMapStringToString& record);
    void OnPlanetChanged(CMapStringToString& record);
    void OnAbout(CMapStringToString& record);
    void OnActivate(CMapStringToString& record);
    // A host passed a record of another type: it is not read, and the user is told once.
    void RefuseForeignRecord();

    // A new projection of the current planet, offered what a closed window of the planet left.
    CZentharoDoc* NewProjection();

    std::int32_t m_eventMask = 0;
    CMapStringToString m_currentPlanet{10};
    std::int32_t m_mainFrame = 0;
    std::int32_t m_dataManager = 0;

private:
    // Every open projection document, in the document manager's order.
    std::vector<CZentharoDoc*> OpenProjections() const;
    bool HasProjectionOfCurrentPlanet();
    bool MakeTemplate();
    bool OpenProjection();

    ClosedTables m_closedTables; // for the rest of the host's session, not beyond the module's unloading
    bool m_loadedByHost = false; // OnLoad was called, whether or not its template could be made
    bool m_foreignRecordReported = false;
};
