// The MDI child showing one open game: its planets in a list. It reports activation, planet
// selection and close requests to its owner, and destroys its window when it goes.
#pragma once

#include "Game.h"
#include "GameWindowEvents.h"
#include "HostWindow.h"
#include "PlanetList.h"

#include <optional>

class GameWindow : public HostWindow {
public:
    static constexpr const char* kClassName = "ZentharoHostGame";

    GameWindow(Game game, GameWindowEvents& events);
    ~GameWindow() override;

    static bool RegisterWindowClass(HINSTANCE instance);
    // Creates the window in the MDI client, where it becomes the active child. Game windows line up
    // along the bottom, cascading up by slot, and leave the top to the module's projection windows.
    bool Create(HWND mdiClient, int slot);

    const Game& GetGame() const { return m_game; }
    // Makes this the active MDI child, as a click on it would.
    void Activate();
    // Selects the planet with that number, as a click on its row would. False when there is none.
    bool SelectPlanet(const CString& number);
    const CMapStringToString* SelectedPlanet() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnCreate();
    LRESULT OnNotify(const NMHDR& header);
    void OnMdiActivate(HWND activated);

    Game m_game;
    GameWindowEvents& m_events;
    PlanetList m_list;
    bool m_closing = false;
};
