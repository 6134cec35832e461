// A minimal host for the module's tests: a main window with an MDI client, the module loaded through
// its exports, and helpers to call them with records and look at the projection windows.
#pragma once

#include "contract/ModuleContract.h"
#include "host/PluginLibrary.h"
#include "host/driving/ProjectionWindows.h"
#include "model/CZentharoDoc.h"

#include <string>
#include <utility>
#include <vector>

class TestHost {
public:
    TestHost();
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    // The module next to this program, or the one ZENTHARO_MODULE names.
    static std::string ModulePath();

    // OnLoad, then OnInitialize with the main window's handle; returns the record as the module left it.
    CMapStringToString LoadAndInitialize();
    void Select(const CMapStringToString& planet);
    // Asks for a projection of the selected planet, as the host's menu command does.
    void Command(const char* game, const char* turn = "40", const char* command = ModuleContract::kMenuCommand);
    void Activate(const char* game);
    void GamesList(const std::vector<std::string>& games);

    // Dispatches every message waiting on this thread.
    void Pump();
    // Pumps until the input just sent has been processed and nothing more arrives.
    void Settle();
    // Writes what the main window shows on the screen as a 24-bit BMP.
    bool SaveScreenshot(const std::string& path) const;
    // The projection frames in the MDI client, in creation order.
    std::vector<ProjectionWindow> Projections() const;

    // A library ZENTHARO_PRELOAD names, loaded before the module and held for the host's life: what
    // another plug-in or the host's own runtime would have put in the process first.
    HMODULE preloaded = nullptr;
    PluginLibrary plugin;
    HWND mainWindow = nullptr;
    HWND mdiClient = nullptr;

private:
    mutable ProjectionWindows m_projections;
};

// An input typed into a projection: the document column, the row and the text as typed.
struct GridEdit {
    ProjectionColumn CZentharoDoc::*column;
    int row;
    const char* text;
};

// The rows a projection of the planet shows after the edits, worked out by the portable model, in the
// form ProjectionDriver::Grid reads them from the window.
std::string ExpectedGrid(const CMapStringToString& planet, const std::vector<GridEdit>& edits = {});
// The rows the projection window shows.
std::string ShownGrid(HWND frame);

// Puts text on the clipboard as CF_TEXT alone, as a program of the test's own (its calls are never the
// module's, whose imports a test may swap).
void PutClipboardText(HWND owner, const std::string& text);

// A planet record with the keys the module reads.
CMapStringToString Planet(const char* game, const char* num, const char* name = "Terra",
                          std::vector<std::pair<const char*, const char*>> changes = {});
