// The demo host's main window: an MDI frame with a window per open game, menus and shortcuts, and the
// module's entry points called as a host must call them. It knows the module's projection windows only
// as MDI children of another class.
#pragma once

#include "GameWindow.h"
#include "GameWindowEvents.h"
#include "HostWindow.h"
#include "PluginLibrary.h"
#include "framework/UniqueHandle.h"

#include <memory>
#include <string>
#include <vector>

class MainFrame : public HostWindow, private GameWindowEvents {
public:
    static constexpr const char* kClassName = "ZentharoHostFrame";

    // interactive: errors of menu commands show a message box (a window session) rather than being left
    // to the caller (a script).
    MainFrame(PluginLibrary& module, bool interactive);
    void SetInteractive(bool interactive) { m_interactive = interactive; }
    ~MainFrame() override;

    // Registers the host's window classes and creates the frame with its MDI client, menus and shortcuts.
    bool Create(HINSTANCE instance);
    HWND MdiClient() const { return m_client; }

    // OnLoad, then OnInitialize; the module's menu command joins the menu.
    void ConnectModule();
    // Restarts the module as a host restarting a plug-in does: frees it (it closes its windows as it
    // goes), loads it again and connects it, then passes the active game's selected planet again so
    // that the menu command works at once. Fails, leaving no module, when the file no longer loads.
    bool ReloadModule(std::string& error);

    // Each of these fails with a message in error and leaves everything as it was.
    bool OpenGame(const std::string& path, std::string& error);
    bool CloseGame(const CString& name, std::string& error);
    bool ActivateGame(const CString& name, std::string& error);
    bool SelectPlanet(const CString& game, const CString& number, std::string& error);
    // The module's menu command for the current game and its selected planet.
    bool RunModuleCommand(std::string& error);

    CMapStringToString About() const;

    // The frame's keys for a message from the loop: MDI's own (Ctrl+F4, Ctrl+F6), then the host's.
    bool TranslateKeys(MSG& message) const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnGameActivated(GameWindow& window) override;
    void OnPlanetSelected(GameWindow& window, const CMapStringToString& planet) override;
    void OnGameCloseRequested(GameWindow& window) override;

    bool OnCreate(HINSTANCE instance);
    bool OnCommand(unsigned id);
    void OnInitMenuPopup(HMENU menu);
    void OnCloseRequest(HWND gameWindow);
    void ChooseAndOpenGame();
    void ShowAbout();
    void ReportError(const std::string& error) const;

    GameWindow* FindGame(const CString& name) const;
    void Close(GameWindow& window);
    void ActivateTopGame();
    void NotifyGamesList();
    void NotifyPlanet(const CMapStringToString& planet);
    // The module can be called: it is loaded and the frame is not going.
    bool ModuleReady() const { return !m_closing && m_module.IsLoaded(); }

    PluginLibrary& m_module;
    bool m_interactive;
    HWND m_client = nullptr;
    HMENU m_windowMenu = nullptr; // part of the frame's menu, destroyed with it
    UniqueAccelerators m_accelerators;
    CString m_moduleCommand;
    std::vector<std::unique_ptr<GameWindow>> m_games; // in opening order
    GameWindow* m_current = nullptr;                  // the game window activated last
    bool m_closing = false;                           // the frame is going: no more calls into the module
};
