// The smallest host of the module, built as MinGW builds a program by default: with the compiler's
// shared runtime (libgcc_s_dw2-1.dll, libstdc++-6.dll), which is then in the process before the
// module. It loads the module, calls it and unloads it, again and again, and says how that went.
#include "framework/CMapStringToString.h"

#include <windows.h>

#include <cstdio>

namespace {

using NoRecord = void (*)();
using WithRecord = void (*)(CMapStringToString&);

template <typename Entry>
Entry Resolve(HMODULE module, const char* name) {
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// One load: every entry point that needs no window, and what the module answers.
bool LoadCallAndUnload(const char* path) {
    const HMODULE module = ::LoadLibraryA(path);
    if (!module) {
        std::printf("plain host: cannot load %s (error %lu)\n", path, ::GetLastError());
        return false;
    }
    const auto onLoad = Resolve<NoRecord>(module, "OnLoad");
    const auto onInitialize = Resolve<WithRecord>(module, "OnInitialize");
    const auto onAbout = Resolve<WithRecord>(module, "OnAbout");
    const auto onPlanetChanged = Resolve<WithRecord>(module, "OnPlanetChanged");
    bool answered = onLoad && onInitialize && onAbout && onPlanetChanged;
    if (answered) {
        onLoad();
        CMapStringToString initialize;
        initialize["MainFrame"] = "0";
        onInitialize(initialize);
        CMapStringToString about;
        onAbout(about);
        CMapStringToString planet;
        planet["Name"] = "Terra";
        planet["Num"] = "17";
        onPlanetChanged(planet);
        CString menuItem, name;
        answered = initialize.Lookup("MenuItem", menuItem) && menuItem == "Zentharo" && about.Lookup("Name", name);
    }
    ::FreeLibrary(module);
    if (!answered)
        std::printf("plain host: the module did not answer\n");
    return answered;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: PlainHost MODULE\n");
        return 2;
    }
    constexpr int kLoads = 20;
    for (int load = 0; load < kLoads; ++load)
        if (!LoadCallAndUnload(argv[1]))
            return 1;
    std::printf("plain host: %d loads, every call answered\n", kLoads);
    return 0;
}
