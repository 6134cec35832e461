// Loading the module and resolving its entry points.
#include "PluginLibrary.h"

namespace {

template <typename Entry>
bool Resolve(HMODULE module, const char* name, Entry& entry, std::string& error) {
    entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    if (!entry && error.empty())
        error = std::string("the module has no entry point '") + name + "'";
    return entry != nullptr;
}

} // namespace

bool PluginLibrary::Load(const std::string& path) {
    Unload();
    m_path = path;
    m_error.clear();
    m_module = ::LoadLibraryA(path.c_str());
    if (!m_module) {
        m_error = "cannot load the module '" + path + "' (error " + std::to_string(::GetLastError()) + ")";
        return false;
    }
    bool complete = Resolve(m_module, "OnLoad", OnLoad, m_error);
    complete &= Resolve(m_module, "OnInitialize", OnInitialize, m_error);
    complete &= Resolve(m_module, "OnGamesListModified", OnGamesListModified, m_error);
    complete &= Resolve(m_module, "OnUserCommand", OnUserCommand, m_error);
    complete &= Resolve(m_module, "OnPlanetChanged", OnPlanetChanged, m_error);
    complete &= Resolve(m_module, "OnAbout", OnAbout, m_error);
    complete &= Resolve(m_module, "OnActivate", OnActivate, m_error);
    if (!complete) {
        const std::string error = m_error + " ('" + path + "')";
        Unload();
        m_error = error;
    }
    return complete;
}

void PluginLibrary::Unload() {
    const HMODULE module = m_module;
    m_module = nullptr;
    OnLoad = nullptr;
    OnInitialize = OnGamesListModified = OnUserCommand = OnPlanetChanged = OnAbout = OnActivate = nullptr;
    if (module)
        ::FreeLibrary(module);
}
