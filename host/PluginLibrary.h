// A plug-in module loaded the way a host must load it: by file, its seven entry points resolved by
// their plain names. Errors say which file or entry point is missing.
#pragma once

#include "framework/CMapStringToString.h"

#include <windows.h>

#include <string>

class PluginLibrary {
public:
    using LoadEntry = void (*)();
    using RecordEntry = void (*)(CMapStringToString&);

    PluginLibrary() = default;
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;
    ~PluginLibrary() { Unload(); }

    // Loads the module and resolves every entry point. On failure nothing stays loaded and
    // Error() says what is missing.
    bool Load(const std::string& path);
    // Frees the module. The entry points are cleared first: whatever runs while the module unloads
    // (its windows closing) finds it gone already.
    void Unload();
    bool IsLoaded() const { return m_module != nullptr; }
    // The file last asked for, loaded or not.
    const std::string& Path() const { return m_path; }
    const std::string& Error() const { return m_error; }

    LoadEntry OnLoad = nullptr;
    RecordEntry OnInitialize = nullptr;
    RecordEntry OnGamesListModified = nullptr;
    RecordEntry OnUserCommand = nullptr;
    RecordEntry OnPlanetChanged = nullptr;
    RecordEntry OnAbout = nullptr;
    RecordEntry OnActivate = nullptr;

private:
    HMODULE m_module = nullptr;
    std::string m_path;
    std::string m_error;
};
