// Script mode: runs host commands from a file, one a line, as a user would act in the window, and
// prints what the tests look at. A command is one table entry (name and arguments) and one member
// function.
#pragma once

#include "ConsoleOutput.h"
#include "MainFrame.h"
#include "MessageBoxAnswerer.h"
#include "ProjectionDriver.h"
#include "ProjectionWindows.h"

#include <memory>
#include <string>
#include <vector>

class ScriptRunner {
public:
    ScriptRunner(MainFrame& frame, const ConsoleOutput& console) : m_frame(frame), m_console(console) {}

    // Runs the script; returns 0, or 1 after printing a message naming the failing line (2 when the
    // script cannot be read).
    int Run(const std::string& path);

private:
    using Words = std::vector<std::string>;
    using Handler = bool (ScriptRunner::*)(const Words& arguments, std::string& error);
    struct Command {
        const char* name;
        // Their names, blank-separated: the command takes that many, less those in brackets, which may
        // be left out from the end.
        const char* arguments;
        Handler run;
    };
    static const Command kCommands[];

    // Runs one line; false with error set when it fails.
    bool RunLine(const std::string& line, std::string& error);

    bool Open(const Words& arguments, std::string& error);
    bool Select(const Words& arguments, std::string& error);
    bool ModuleCommand(const Words& arguments, std::string& error);
    bool Activate(const Words& arguments, std::string& error);
    bool Close(const Words& arguments, std::string& error);
    bool About(const Words& arguments, std::string& error);
    bool Dump(const Words& arguments, std::string& error);
    bool Screenshot(const Words& arguments, std::string& error);
    bool Quit(const Words& arguments, std::string& error);
    // Working a projection window through real input, and reading it back.
    bool Type(const Words& arguments, std::string& error);
    bool Choose(const Words& arguments, std::string& error);
    bool Key(const Words& arguments, std::string& error);
    bool Grid(const Words& arguments, std::string& error);
    bool Registry(const Words& arguments, std::string& error);
    bool SetPlacement(const Words& arguments, std::string& error);
    bool RemovePlacement(const Words& arguments, std::string& error);
    bool Maximize(const Words& arguments, std::string& error);
    bool CloseWindow(const Words& arguments, std::string& error);
    bool Move(const Words& arguments, std::string& error);
    bool Copy(const Words& arguments, std::string& error);
    bool Focus(const Words& arguments, std::string& error);
    bool Focused(const Words& arguments, std::string& error);
    bool Menu(const Words& arguments, std::string& error);
    bool Clipboard(const Words& arguments, std::string& error);
    bool Chart(const Words& arguments, std::string& error);
    bool CloseChart(const Words& arguments, std::string& error);
    // Picks Best plan for GOAL in the system menu, or in chooser ROW's context menu, and answers its
    // question; the question is printed as every message is.
    bool SystemMenu(const Words& arguments, std::string& error);
    bool Plan(const Words& arguments, std::string& error);
    bool Layout(const Words& arguments, std::string& error);
    ProjectionDriver Driver() const;
    // A long session's figures, the module restarted, and the MDI client's idea of the active child.
    bool Stats(const Words& arguments, std::string& error);
    bool Reload(const Words& arguments, std::string& error);
    bool Active(const Words& arguments, std::string& error);
    // Hands the window to the user, as a window session does, until the main window is closed.
    bool Wait(const Words& arguments, std::string& error);

    MainFrame& m_frame;
    const ConsoleOutput& m_console;
    ProjectionWindows m_projections; // noted after every command, for their creation order
    // While the script runs: the module's message boxes are printed and answered.
    std::unique_ptr<MessageBoxAnswerer> m_answerer;
    bool m_quit = false;
};
