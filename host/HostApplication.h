// The demo host as a program: reads its command line, loads the module, opens the main window and the
// games, then runs the window session's message loop or a script.
#pragma once

#include "ConsoleOutput.h"
#include "HostOptions.h"
#include "MainFrame.h"
#include "PluginLibrary.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class HostApplication {
public:
    static constexpr int kExitScriptFailed = 1;
    static constexpr int kExitCannotStart = 2;

    HostApplication() = default;
    HostApplication(const HostApplication&) = delete;
    HostApplication& operator=(const HostApplication&) = delete;

    // The arguments after the program name; returns the exit code.
    int Run(const std::vector<std::string>& arguments);

private:
    bool Start(const HostOptions& options);
    bool OpenGames(const std::vector<std::string>& paths);
    // A window session shows the message in a box, a script prints it on the error stream.
    void Report(const std::string& message) const;
    static std::string ModuleBesideProgram();

    bool m_script = false;
    std::optional<ConsoleOutput> m_console; // script mode only: a window session writes nowhere
    PluginLibrary m_module;                 // outlives the frame: the module's windows go before its code
    std::unique_ptr<MainFrame> m_frame;
};
