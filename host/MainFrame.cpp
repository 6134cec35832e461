// The main window, its commands, and the calls into the module.
#include "MainFrame.h"

#include "FrameMenu.h"
#include "GameFile.h"
#include "HostCommands.h"
#include "HostRecords.h"
#include "framework/Cp1251.h"

#include "window/ScreenScale.h"

#include <commdlg.h>

#include <algorithm>

namespace {

constexpr const char* kTitle = "Zentharo demo host";
constexpr UINT kCloseGameMessage = WM_APP + 1; // lParam: the game window
constexpr int kWidth = 1280;
constexpr int kHeight = 900;

// The frame's default rectangle: 1280x900 at 96 dots per inch, grown with the screen's scale (the
// host is DPI-aware: Windows does not enlarge it), or the work area when that is smaller.
RECT DefaultRect() {
    const ScreenScale scale = ScreenScale::Of(nullptr);
    const int width = scale.Pixels(kWidth), height = scale.Pixels(kHeight);
    RECT work{0, 0, width, height};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.left + std::min<LONG>(width, work.right - work.left),
            work.top + std::min<LONG>(height, work.bottom - work.top)};
}

bool RegisterFrameClass(HINSTANCE instance) {
    WNDCLASSEXA frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = &HostWindow::WindowProc;
    frameClass.hInstance = instance;
    frameClass.hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));     // IDI_APPLICATION
    frameClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    frameClass.lpszClassName = MainFrame::kClassName;
    return ::RegisterClassExA(&frameClass) != 0;
}

std::string Quoted(const CString& name) { return "'" + name.Bytes() + "'"; }

} // namespace

MainFrame::MainFrame(PluginLibrary& module, bool interactive) : m_module(module), m_interactive(interactive) {}

MainFrame::~MainFrame() {
    m_closing = true;
    m_games.clear();
    if (m_hwnd)
        ::DestroyWindow(m_hwnd);
}

bool MainFrame::Create(HINSTANCE instance) {
    if (!RegisterFrameClass(instance) || !GameWindow::RegisterWindowClass(instance))
        return false;
    m_accelerators = FrameMenu::CreateShortcuts();
    const RECT rect = DefaultRect();
    ::CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect.left, rect.top,
                      rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, this);
    if (!m_hwnd)
        return false;
    ::ShowWindow(m_hwnd, SW_SHOWNORMAL);
    ::UpdateWindow(m_hwnd);
    return true;
}

bool MainFrame::OnCreate(HINSTANCE instance) {
    ::SetMenu(m_hwnd, FrameMenu::Create(m_windowMenu));

    CLIENTCREATESTRUCT client{m_windowMenu, kFirstMdiChild};
    m_client = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                 WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0, m_hwnd,
                                 nullptr, instance, &client);
    return m_client != nullptr;
}

void MainFrame::ConnectModule() {
    m_module.OnLoad();
    CMapStringToString record =
        HostRecords::Initialize(reinterpret_cast<std::uintptr_t>(m_hwnd), reinterpret_cast<std::uintptr_t>(&m_games), 0,
                                reinterpret_cast<std::uintptr_t>(this));
    m_module.OnInitialize(record);
    if (record.Lookup("MenuItem", m_moduleCommand) && !m_moduleCommand.IsEmpty())
        FrameMenu::AddModuleCommand(m_hwnd, m_moduleCommand.Bytes());
}

bool MainFrame::ReloadModule(std::string& error) {
    FrameMenu::RemoveModuleCommand(m_hwnd);
    m_moduleCommand.Empty();
    const std::string path = m_module.Path();
    m_module.Unload();
    if (!m_module.Load(path)) {
        error = m_module.Error();
        return false;
    }
    ConnectModule();
    if (m_current)
        if (const CMapStringToString* planet = m_current->SelectedPlanet())
            NotifyPlanet(*planet);
    return true;
}

LRESULT MainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<const CREATESTRUCTA*>(lParam)->hInstance) ? 0 : -1;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        break;
    case kCloseGameMessage:
        OnCloseRequest(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DESTROY:
        m_closing = true;
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

LRESULT MainFrame::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefFrameProcA(m_hwnd, m_client, message, wParam, lParam);
}

bool MainFrame::OnCommand(unsigned id) {
    std::string error;
    switch (id) {
    case kCommandOpenGame:
        ChooseAndOpenGame();
        return true;
    case kCommandCloseGame:
        if (m_current)
            Close(*m_current);
        return true;
    case kCommandExit:
        ::SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
        return true;
    case kCommandModule:
        if (!RunModuleCommand(error))
            ReportError(error);
        return true;
    case kCommandCascade:
        ::SendMessageA(m_client, WM_MDICASCADE, 0, 0);
        return true;
    case kCommandTileHorizontally:
        ::SendMessageA(m_client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
        return true;
    case kCommandTileVertically:
        ::SendMessageA(m_client, WM_MDITILE, MDITILE_VERTICAL, 0);
        return true;
    case kCommandArrangeIcons:
        ::SendMessageA(m_client, WM_MDIICONARRANGE, 0, 0);
        return true;
    case kCommandAbout:
        ShowAbout();
        return true;
    default:
        return false; // the Window menu's entries for children, and commands of the active child
    }
}

void MainFrame::OnInitMenuPopup(HMENU menu) {
    FrameMenu::Enable(menu, m_current != nullptr, m_current && m_current->SelectedPlanet());
}

void MainFrame::ChooseAndOpenGame() {
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_hwnd;
    dialog.lpstrFilter = "Games (*.game)\0*.game\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = "Open game";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameA(&dialog))
        return;
    std::string error;
    if (!OpenGame(path, error))
        ReportError(error);
}

void MainFrame::ShowAbout() {
    const CMapStringToString record = About();
    std::wstring text;
    for (const char* key : {"Name", "Author", "Version", "Date", "Description"}) {
        CString value;
        record.Lookup(key, value);
        text += Cp1251::ToWide(key) + L": " + Cp1251::ToWide(value.View()) + L"\n";
    }
    ::MessageBoxW(m_hwnd, text.c_str(), L"About the module", MB_OK | MB_ICONINFORMATION);
}

void MainFrame::ReportError(const std::string& error) const {
    if (m_interactive)
        ::MessageBoxA(m_hwnd, error.c_str(), kTitle, MB_OK | MB_ICONWARNING);
}

bool MainFrame::TranslateKeys(MSG& message) const {
    return (m_client && ::TranslateMDISysAccel(m_client, &message)) ||
           (m_hwnd && ::TranslateAcceleratorA(m_hwnd, m_accelerators.Get(), &message));
}

bool MainFrame::OpenGame(const std::string& path, std::string& error) {
    Game game;
    if (!GameFile::Read(path, game, error))
        return false;
    if (FindGame(game.name)) {
        error = path + ": a game named " + Quoted(game.name) + " is already open";
        return false;
    }
    GameWindowEvents& events = *this;
    m_games.push_back(std::make_unique<GameWindow>(std::move(game), events));
    if (!m_games.back()->Create(m_client, static_cast<int>(m_games.size()) - 1)) {
        if (m_current == m_games.back().get())
            m_current = nullptr;
        m_games.pop_back();
        error = path + ": cannot create the game's window";
        return false;
    }
    NotifyGamesList();
    return true;
}

bool MainFrame::CloseGame(const CString& name, std::string& error) {
    GameWindow* window = FindGame(name);
    if (!window) {
        error = "no game named " + Quoted(name) + " is open";
        return false;
    }
    Close(*window);
    return true;
}

bool MainFrame::ActivateGame(const CString& name, std::string& error) {
    GameWindow* window = FindGame(name);
    if (!window) {
        error = "no game named " + Quoted(name) + " is open";
        return false;
    }
    window->Activate();
    return true;
}

bool MainFrame::SelectPlanet(const CString& game, const CString& number, std::string& error) {
    GameWindow* window = FindGame(game);
    if (!window) {
        error = "no game named " + Quoted(game) + " is open";
        return false;
    }
    // A click on a row activates the game's window first.
    window->Activate();
    if (!window->SelectPlanet(number)) {
        error = "the game " + Quoted(game) + " has no planet number " + Quoted(number);
        return false;
    }
    return true;
}

bool MainFrame::RunModuleCommand(std::string& error) {
    if (!m_module.IsLoaded()) {
        error = "no module is loaded";
        return false;
    }
    if (m_moduleCommand.IsEmpty()) {
        error = "the module offers no menu command";
        return false;
    }
    if (!m_current) {
        error = m_games.empty() ? "no game is open" : "no game window is active";
        return false;
    }
    if (!m_current->SelectedPlanet()) {
        error = "no planet is selected in the game " + Quoted(m_current->GetGame().name);
        return false;
    }
    const Game& game = m_current->GetGame();
    CMapStringToString record = HostRecords::UserCommand(game.name, game.turn, m_moduleCommand);
    m_module.OnUserCommand(record);
    return true;
}

CMapStringToString MainFrame::About() const {
    CMapStringToString record;
    if (m_module.IsLoaded())
        m_module.OnAbout(record);
    return record;
}

GameWindow* MainFrame::FindGame(const CString& name) const {
    const auto found = std::find_if(m_games.begin(), m_games.end(),
                                    [&name](const auto& window) { return window->GetGame().name == name; });
    return found == m_games.end() ? nullptr : found->get();
}

void MainFrame::Close(GameWindow& window) {
    const auto found =
        std::find_if(m_games.begin(), m_games.end(), [&window](const auto& open) { return open.get() == &window; });
    if (found == m_games.end())
        return;
    // Out of the list before its window goes, so that the child MDI activates next finds a list
    // without it; the window goes with the object.
    std::unique_ptr<GameWindow> closing = std::move(*found);
    m_games.erase(found);
    if (m_current == closing.get())
        m_current = nullptr;
    closing.reset();
    NotifyGamesList();
    // MDI activates the next child as a window goes, but the module destroys its projection windows
    // directly, which activates nothing: the game on top carries on, as if the user had clicked it.
    if (!m_current)
        ActivateTopGame();
}

void MainFrame::ActivateTopGame() {
    for (HWND child = ::GetWindow(m_client, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        for (const auto& window : m_games)
            if (window->Handle() == child) {
                window->Activate();
                return;
            }
}

void MainFrame::OnCloseRequest(HWND gameWindow) {
    const auto found = std::find_if(m_games.begin(), m_games.end(),
                                    [gameWindow](const auto& open) { return open->Handle() == gameWindow; });
    if (found != m_games.end())
        Close(**found);
}

void MainFrame::NotifyGamesList() {
    if (!ModuleReady())
        return;
    std::vector<CString> names;
    for (const auto& window : m_games)
        names.push_back(window->GetGame().name);
    CMapStringToString record = HostRecords::GamesList(names);
    m_module.OnGamesListModified(record);
}

void MainFrame::NotifyPlanet(const CMapStringToString& planet) {
    if (!ModuleReady())
        return;
    CMapStringToString record = planet; // the module may change what it is given
    m_module.OnPlanetChanged(record);
}

void MainFrame::OnGameActivated(GameWindow& window) {
    if (m_closing)
        return;
    m_current = &window;
    if (!ModuleReady())
        return;
    CMapStringToString record = HostRecords::Activate(window.GetGame().name);
    m_module.OnActivate(record);
    // The selection the user sees is the module's current planet again.
    if (const CMapStringToString* planet = window.SelectedPlanet())
        NotifyPlanet(*planet);
}

void MainFrame::OnPlanetSelected(GameWindow&, const CMapStringToString& planet) { NotifyPlanet(planet); }

void MainFrame::OnGameCloseRequested(GameWindow& window) {
    ::PostMessageA(m_hwnd, kCloseGameMessage, 0, reinterpret_cast<LPARAM>(window.Handle()));
}
