// The test host's windows and record helpers.
#include "TestHost.h"

#include "host/HostRecords.h"
#include "host/driving/ProjectionDriver.h"
#include "host/driving/Screenshot.h"
#include "model/GridColumns.h"
#include "model/ProductionChooser.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

constexpr const char* kMainClass = "ZentharoTestHost";

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND client = ::FindWindowExA(hwnd, nullptr, "MDICLIENT", nullptr);
    return ::DefFrameProcA(hwnd, client, message, wParam, lParam);
}

void RegisterMainClass() {
    WNDCLASSA mainClass{};
    mainClass.lpfnWndProc = &MainWindowProc;
    mainClass.hInstance = ::GetModuleHandleA(nullptr);
    mainClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    mainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    mainClass.lpszClassName = kMainClass;
    ::RegisterClassA(&mainClass); // fails harmlessly when already registered
}

} // namespace

TestHost::TestHost() {
    if (const char* library = std::getenv("ZENTHARO_PRELOAD")) {
        preloaded = ::LoadLibraryA(library);
        if (!preloaded)
            throw std::runtime_error(std::string("cannot load ") + library);
    }
    RegisterMainClass();
    mainWindow = ::CreateWindowExA(0, kMainClass, "Zentharo test host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                   1200, 900, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    CLIENTCREATESTRUCT client{nullptr, 50000};
    mdiClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                                  1180, 850, mainWindow, nullptr, ::GetModuleHandleA(nullptr), &client);
    ::ShowWindow(mainWindow, SW_SHOW);
    if (!plugin.Load(ModulePath()))
        throw std::runtime_error(plugin.Error());
    Pump();
}

TestHost::~TestHost() {
    plugin.Unload();
    ::DestroyWindow(mainWindow);
    Pump();
    if (preloaded)
        ::FreeLibrary(preloaded);
}

std::string TestHost::ModulePath() {
    if (const char* module = std::getenv("ZENTHARO_MODULE"))
        return module;
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + "Zentharo.dll";
}

CMapStringToString TestHost::LoadAndInitialize() {
    plugin.OnLoad();
    CMapStringToString record = HostRecords::Initialize(reinterpret_cast<std::uintptr_t>(mainWindow), 0, 0, 0);
    plugin.OnInitialize(record);
    return record;
}

void TestHost::Select(const CMapStringToString& planet) {
    CMapStringToString record = planet;
    plugin.OnPlanetChanged(record);
}

void TestHost::Command(const char* game, const char* turn, const char* command) {
    CMapStringToString record = HostRecords::UserCommand(game, turn, command);
    plugin.OnUserCommand(record);
    Pump();
}

void TestHost::Activate(const char* game) {
    CMapStringToString record = HostRecords::Activate(game);
    plugin.OnActivate(record);
    Pump();
}

void TestHost::GamesList(const std::vector<std::string>& games) {
    CMapStringToString record = HostRecords::GamesList(std::vector<CString>(games.begin(), games.end()));
    plugin.OnGamesListModified(record);
    Pump();
}

void TestHost::Pump() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!::TranslateMDISysAccel(mdiClient, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
}

bool TestHost::SaveScreenshot(const std::string& path) const {
    std::string error;
    return Screenshot::SaveBmp(mainWindow, path, error);
}

void TestHost::Settle() {
    for (int quietRounds = 0, round = 0; quietRounds < 3 && round < 200; ++round) {
        MSG message;
        const bool waiting = ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
        Pump();
        quietRounds = waiting ? 0 : quietRounds + 1;
        ::Sleep(5);
    }
}

std::vector<ProjectionWindow> TestHost::Projections() const {
    m_projections.Update(mdiClient);
    return m_projections.List();
}

CMapStringToString Planet(const char* game, const char* num, const char* name,
                          std::vector<std::pair<const char*, const char*>> changes) {
    CMapStringToString record;
    const std::pair<const char*, const char*> pairs[] = {
        {"Name", name},      {"Num", num},      {"GameName", game},    {"Turn", "40"},
        {"Size", "1000"},    {"Resource", "2"}, {"Population", "800"}, {"COL", "10"},
        {"Industry", "400"}, {"CAP", "50"},     {"MAT", "30"},         {"Production", "Ship"},
    };
    for (const auto& [key, value] : pairs)
        record[key] = value;
    for (const auto& [key, value] : changes) {
        if (value)
            record[key] = value;
        else
            record.RemoveKey(key);
    }
    return record;
}

std::string ExpectedGrid(const CMapStringToString& planet, const std::vector<GridEdit>& edits) {
    CZentharoDoc document(planet);
    document.m_bAutoDelete = false;
    document.Recalculate(0);
    for (const GridEdit& edit : edits)
        document.SetInput(edit.column, edit.row, edit.text);
    std::string grid;
    for (int row = 0; row < ModuleContract::kRows; ++row) {
        for (int column = 0; column < ModuleContract::kCellColumns; ++column)
            grid += ShownCellText(document, column, row).Bytes() + '\t';
        grid += ProductionChooser::SelectedEntry(document.m_production[row].View());
        grid += row + 1 < ModuleContract::kRows ? "\n" : "";
    }
    return grid;
}

std::string ShownGrid(HWND frame) {
    return ProjectionDriver(nullptr, nullptr, [] {}).Grid(frame);
}

void PutClipboardText(HWND owner, const std::string& text) {
    if (!::OpenClipboard(owner))
        throw std::runtime_error("the clipboard cannot be opened");
    ::EmptyClipboard();
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
}
