// Lines for the standard output and error streams of a program that may have no console of its own:
// it writes to the handles it inherited, else to the console of the program that started it.
#pragma once

#include "framework/UniqueHandle.h"

#include <string_view>

class ConsoleOutput {
public:
    ConsoleOutput();

    void Out(std::string_view line) const { Write(m_out, line); }
    void Err(std::string_view line) const { Write(m_err, line); }
    // Whether Out reaches anything: false for a window program started without a console or redirection.
    bool CanWrite() const;

private:
    static void Write(HANDLE stream, std::string_view line);

    UniqueFile m_console; // the parent's console, when the program had to attach to it
    HANDLE m_out;
    HANDLE m_err;
};
