// What a game window tells its owner: it became the active window, the user picked a planet, or the
// user asked to close it.
#pragma once

#include "framework/CMapStringToString.h"

class GameWindow;

class GameWindowEvents {
public:
    virtual void OnGameActivated(GameWindow& window) = 0;
    virtual void OnPlanetSelected(GameWindow& window, const CMapStringToString& planet) = 0;
    // Called from the window's own message handling: the owner closes it later, not inside the call.
    virtual void OnGameCloseRequested(GameWindow& window) = 0;

protected:
    ~GameWindowEvents() = default;
};
