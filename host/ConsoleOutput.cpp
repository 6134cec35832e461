// Finding somewhere to write script output and errors.
#include "ConsoleOutput.h"

#include <string>

namespace {

bool Usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

} // namespace

ConsoleOutput::ConsoleOutput() : m_out(::GetStdHandle(STD_OUTPUT_HANDLE)), m_err(::GetStdHandle(STD_ERROR_HANDLE)) {
    if (Usable(m_out) && Usable(m_err))
        return;
    // A window program started from a console without redirection inherits no handles.
    if (!::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    m_console.Reset(::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (!Usable(m_out))
        m_out = m_console.Get();
    if (!Usable(m_err))
        m_err = m_console.Get();
}

bool ConsoleOutput::CanWrite() const { return Usable(m_out); }

void ConsoleOutput::Write(HANDLE stream, std::string_view line) {
    if (!Usable(stream))
        return;
    const std::string text = std::string(line) + "\n";
    DWORD written = 0;
    ::WriteFile(stream, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
