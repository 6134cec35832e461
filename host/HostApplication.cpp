// Starting the host and choosing between a window session and a script.
#include "HostApplication.h"

#include "MessagePump.h"
#include "ScriptRunner.h"
#include "ZentharoVersion.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr const char* kProgram = "zentharo-host";

} // namespace

int HostApplication::Run(const std::vector<std::string>& arguments) {
    m_script = std::find(arguments.begin(), arguments.end(), "--script") != arguments.end();
    if (m_script)
        m_console.emplace();
    HostOptions options;
    std::string error;
    if (!HostOptions::Parse(arguments, options, error)) {
        Report(error + "\n" + HostOptions::kUsage);
        return kExitCannotStart;
    }
    if (options.help) {
        if (m_script)
            m_console->Out(HostOptions::kUsage);
        else
            ::MessageBoxA(nullptr, HostOptions::kUsage, kProgram, MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (options.version) {
        // Printed wherever the program's output goes, script mode or not: it is asked for by scripts.
        const std::string version = std::string(kProgram) + " " + ZENTHARO_VERSION;
        const ConsoleOutput console;
        if (console.CanWrite())
            console.Out(version);
        else
            ::MessageBoxA(nullptr, version.c_str(), kProgram, MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (!Start(options))
        return kExitCannotStart;
    if (!OpenGames(options.gameFiles) && m_script)
        return kExitScriptFailed;
    if (m_script) {
        MessagePump::RunUntilIdle(*m_frame);
        const int code = ScriptRunner(*m_frame, *m_console).Run(options.scriptPath);
        m_frame.reset();
        return code;
    }
    return MessagePump::Run(*m_frame);
}

bool HostApplication::Start(const HostOptions& options) {
    if (!m_module.Load(options.modulePath.empty() ? ModuleBesideProgram() : options.modulePath)) {
        Report(m_module.Error());
        return false;
    }
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    m_frame = std::make_unique<MainFrame>(m_module, !m_script);
    if (!m_frame->Create(::GetModuleHandleA(nullptr))) {
        Report("cannot create the main window");
        return false;
    }
    m_frame->ConnectModule();
    return true;
}

bool HostApplication::OpenGames(const std::vector<std::string>& paths) {
    bool allOpen = true;
    for (const std::string& path : paths) {
        std::string error;
        if (!m_frame->OpenGame(path, error)) {
            Report(error);
            allOpen = false;
        }
    }
    return allOpen;
}

void HostApplication::Report(const std::string& message) const {
    if (m_script)
        m_console->Err(std::string(kProgram) + ": " + message);
    else
        ::MessageBoxA(m_frame ? m_frame->Handle() : nullptr, message.c_str(), kProgram, MB_OK | MB_ICONERROR);
}

std::string HostApplication::ModuleBesideProgram() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path, length);
    return program.substr(0, program.find_last_of("\\/") + 1) + "Zentharo.dll";
}
