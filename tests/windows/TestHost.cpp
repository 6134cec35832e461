// The test host's windows and record helpers.
#include "TestHost.h"

#include "host/ProjectionDriver.h"
#include "model/GridColumns.h"
#include "model/ProductionChooser.h"

#include <algorithm>
#include <fstream>
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
    RegisterMainClass();
    mainWindow = ::CreateWindowExA(0, kMainClass, "Zentharo test host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                   1200, 900, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    CLIENTCREATESTRUCT client{nullptr, 50000};
    mdiClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                                  0, 1180, 850, mainWindow, nullptr, ::GetModuleHandleA(nullptr), &client);
    ::ShowWindow(mainWindow, SW_SHOW);
    if (!plugin.Load(ModulePath()))
        throw std::runtime_error(plugin.Error());
    Pump();
}

TestHost::~TestHost() {
    plugin.Unload();
    ::DestroyWindow(mainWindow);
    Pump();
}

std::string TestHost::ModulePath() {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + "Zentharo.dll";
}

CMapStringToString TestHost::LoadAndInitialize() {
    plugin.OnLoad();
    CMapStringToString record;
    record["MainFrame"] = std::to_string(reinterpret_cast<UINT_PTR>(mainWindow)).c_str();
    record["DataManager"] = "0";
    record["EventMask"] = "0";
    record["MainFramePtr"] = "0";
    plugin.OnInitialize(record);
    return record;
}

void TestHost::Select(const CMapStringToString& planet) {
    CMapStringToString record = planet;
    plugin.OnPlanetChanged(record);
}

void TestHost::Command(const char* game, const char* turn, const char* command) {
    CMapStringToString record;
    record["GameName"] = game;
    record["Turn"] = turn;
    record["Command"] = command;
    plugin.OnUserCommand(record);
    Pump();
}

void TestHost::Activate(const char* game) {
    CMapStringToString record;
    record["GameName"] = game;
    plugin.OnActivate(record);
    Pump();
}

void TestHost::GamesList(const std::vector<std::string>& games) {
    CMapStringToString record;
    for (std::size_t i = 0; i < games.size(); ++i)
        record[("Game." + std::to_string(i + 1)).c_str()] = games[i].c_str();
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
    ::RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT rect;
    ::GetWindowRect(mainWindow, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, previous);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride) * height, '\0');
    ::GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
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
    std::vector<HWND> present, appeared;
    for (HWND child = ::GetWindow(mdiClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[64] = {};
        ::GetClassNameA(child, className, sizeof className);
        if (std::string(className) != "ZentharoFrame")
            continue;
        present.push_back(child);
        if (std::find(m_seen.begin(), m_seen.end(), child) == m_seen.end())
            appeared.push_back(child);
    }
    m_seen.erase(std::remove_if(m_seen.begin(), m_seen.end(),
                                [&](HWND frame) { return std::find(present.begin(), present.end(), frame) == present.end(); }),
                 m_seen.end());
    // Windows that appeared together were numbered by MDI as they were made.
    std::sort(appeared.begin(), appeared.end(),
              [](HWND a, HWND b) { return ::GetWindowLongA(a, GWL_ID) < ::GetWindowLongA(b, GWL_ID); });
    m_seen.insert(m_seen.end(), appeared.begin(), appeared.end());

    std::vector<ProjectionWindow> windows;
    for (HWND frame : m_seen) {
        char title[256] = {};
        ::GetWindowTextA(frame, title, sizeof title);
        RECT rect;
        ::GetWindowRect(frame, &rect);
        ::MapWindowPoints(nullptr, mdiClient, reinterpret_cast<POINT*>(&rect), 2);
        windows.push_back({frame, title, ::IsWindowVisible(frame) != FALSE, rect});
    }
    return windows;
}

CMapStringToString Planet(const char* game, const char* num, const char* name,
                          std::vector<std::pair<const char*, const char*>> changes) {
    CMapStringToString record;
    const std::pair<const char*, const char*> pairs[] = {
        {"Name", name},      {"Num", num},       {"GameName", game},     {"Turn", "40"},
        {"Size", "1000"},    {"Resource", "2"},  {"Population", "800"},  {"COL", "10"},
        {"Industry", "400"}, {"CAP", "50"},      {"MAT", "30"},          {"Production", "Ship"},
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
    for (int row = 0; row < kProjectedTurns; ++row) {
        for (int column = 0; column < kGridColumnCount; ++column)
            grid += ShownCellText(document, column, row).Bytes() + '\t';
        grid += ProductionChooser::SelectedEntry(document.m_production[row].View());
        grid += row + 1 < kProjectedTurns ? "\n" : "";
    }
    return grid;
}

std::string ShownGrid(HWND frame) {
    return ProjectionDriver(nullptr, nullptr, [] {}).Grid(frame);
}
