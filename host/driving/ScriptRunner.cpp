// The script commands.
#include "ScriptRunner.h"

#include "ClipboardText.h"
#include "MessagePump.h"
#include "PlacementRegistry.h"
#include "ProjectionLayout.h"
#include "ProjectionWindows.h"
#include "ResourceCounts.h"
#include "Screenshot.h"
#include "ScriptLine.h"
#include "framework/Cp1251.h"
#include "framework/Utf8.h"

#include "contract/ModuleContract.h"
#include "framework/WindowText.h"

#include <fstream>
#include <iterator>

namespace {

// How many arguments the names ask for: at least the plain ones, at most all, [OPTIONAL] included.
std::pair<std::size_t, std::size_t> ArgumentCounts(const char* names) {
    std::vector<std::string> words;
    std::string ignored;
    ScriptLine::Split(names, words, ignored);
    std::size_t required = 0;
    for (const std::string& word : words)
        required += word.front() != '[';
    return {required, words.size()};
}

bool EndsWith(const std::string& text, const std::string& ending) {
    if (text.size() < ending.size())
        return false;
    for (std::size_t i = 0; i < ending.size(); ++i) {
        const char c = text[text.size() - ending.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != ending[i])
            return false;
    }
    return true;
}

// A whole decimal number of the script, or false with error naming the argument.
bool ParseNumber(const std::string& text, const char* name, int& value, std::string& error) {
    std::size_t end = 0;
    try {
        value = std::stoi(text, &end);
    } catch (const std::exception&) {
        end = 0;
    }
    if (end == 0 || end != text.size()) {
        error = std::string(name) + " must be a whole number, not '" + text + "'";
        return false;
    }
    return true;
}

// COLUMN and ROW, the third and fourth arguments of the commands that work a cell.
bool ParseCell(const std::vector<std::string>& arguments, int& column, int& row, std::string& error) {
    return ParseNumber(arguments[2], "COLUMN", column, error) && ParseNumber(arguments[3], "ROW", row, error);
}

// A window's title as UTF-8. The module's windows carry Windows-1251 bytes set through the ANSI
// functions, the host's own windows UTF-16 text.
std::string TitleOf(HWND window) {
    if (ProjectionWindows::IsProjection(window))
        return Cp1251::ToUtf8(WindowText(window));
    wchar_t title[256] = {};
    ::GetWindowTextW(window, title, static_cast<int>(std::size(title)));
    return Utf8::FromWide(title);
}

} // namespace

const ScriptRunner::Command ScriptRunner::kCommands[] = {
    {"open", "FILE", &ScriptRunner::Open},
    {"select", "GAME NUM", &ScriptRunner::Select},
    {"command", "", &ScriptRunner::ModuleCommand},
    {"activate", "GAME", &ScriptRunner::Activate},
    {"close", "GAME", &ScriptRunner::Close},
    {"about", "", &ScriptRunner::About},
    {"dump", "", &ScriptRunner::Dump},
    {"screenshot", "FILE", &ScriptRunner::Screenshot},
    {"quit", "", &ScriptRunner::Quit},
    {"wait", "", &ScriptRunner::Wait},
    {"type", "GAME NUM COLUMN ROW TEXT [KEY]", &ScriptRunner::Type},
    {"choose", "GAME NUM ROW ENTRY", &ScriptRunner::Choose},
    {"key", "GAME NUM KEY", &ScriptRunner::Key},
    {"grid", "GAME NUM", &ScriptRunner::Grid},
    {"registry", "", &ScriptRunner::Registry},
    {"setplacement", "NAME TYPE VALUE", &ScriptRunner::SetPlacement},
    {"removeplacement", "NAME", &ScriptRunner::RemovePlacement},
    {"maximize", "GAME NUM", &ScriptRunner::Maximize},
    {"closewindow", "GAME NUM WAY", &ScriptRunner::CloseWindow},
    {"move", "GAME NUM X Y CX CY", &ScriptRunner::Move},
    {"stats", "", &ScriptRunner::Stats},
    {"reload", "", &ScriptRunner::Reload},
    {"active", "", &ScriptRunner::Active},
    {"copy", "GAME NUM", &ScriptRunner::Copy},
    {"focus", "GAME NUM COLUMN ROW", &ScriptRunner::Focus},
    {"focused", "GAME NUM", &ScriptRunner::Focused},
    {"menu", "GAME NUM COLUMN ROW ITEM", &ScriptRunner::Menu},
    {"clipboard", "TEXT", &ScriptRunner::Clipboard},
    {"chart", "GAME NUM", &ScriptRunner::Chart},
    {"closechart", "GAME NUM", &ScriptRunner::CloseChart},
    {"layout", "GAME NUM", &ScriptRunner::Layout},
    {"plan", "GAME NUM GOAL ANSWER [ROW]", &ScriptRunner::Plan},
    {"sysmenu", "GAME NUM [ITEM]", &ScriptRunner::SystemMenu},
};

int ScriptRunner::Run(const std::string& path) {
    std::ifstream script(path, std::ios::binary);
    if (!script) {
        m_console.Err("zentharo-host: cannot open the script '" + path + "'");
        return 2;
    }
    const ConsoleOutput& console = m_console;
    m_answerer = std::make_unique<MessageBoxAnswerer>(
        [&console](const std::string& text) { console.Out(MessageBoxAnswerer::Line(text)); });
    int number = 0;
    for (std::string line; !m_quit && std::getline(script, line);) {
        ++number;
        std::string error;
        if (!RunLine(line, error)) {
            m_console.Err(path + ":" + std::to_string(number) + ": " + error);
            return 1;
        }
        if (!MessagePump::RunUntilIdle(m_frame))
            break; // the main window went
        m_projections.Update(m_frame.MdiClient());
    }
    return 0;
}

bool ScriptRunner::RunLine(const std::string& line, std::string& error) {
    Words words;
    if (!ScriptLine::Split(line, words, error))
        return false;
    if (words.empty())
        return true;
    for (const Command& command : kCommands) {
        if (words[0] != command.name)
            continue;
        const Words arguments(words.begin() + 1, words.end());
        const auto [fewest, most] = ArgumentCounts(command.arguments);
        if (arguments.size() < fewest || arguments.size() > most) {
            error = std::string(command.name) + " takes " +
                    (*command.arguments ? std::string(command.arguments) : std::string("no arguments"));
            return false;
        }
        if ((this->*command.run)(arguments, error))
            return true;
        error = std::string(command.name) + ": " + error;
        return false;
    }
    error = "unknown command '" + words[0] + "'";
    return false;
}

bool ScriptRunner::Open(const Words& arguments, std::string& error) { return m_frame.OpenGame(arguments[0], error); }

bool ScriptRunner::Select(const Words& arguments, std::string& error) {
    return m_frame.SelectPlanet(CString(arguments[0]), CString(arguments[1]), error);
}

bool ScriptRunner::ModuleCommand(const Words&, std::string& error) { return m_frame.RunModuleCommand(error); }

bool ScriptRunner::Activate(const Words& arguments, std::string& error) {
    return m_frame.ActivateGame(CString(arguments[0]), error);
}

bool ScriptRunner::Close(const Words& arguments, std::string& error) {
    return m_frame.CloseGame(CString(arguments[0]), error);
}

bool ScriptRunner::About(const Words&, std::string&) {
    const CMapStringToString record = m_frame.About();
    for (const char* key : {"Name", "Author", "Version", "Date", "Description"}) {
        CString value;
        record.Lookup(key, value);
        m_console.Out(std::string(key) + ": " + Cp1251::ToUtf8(value.View()));
    }
    return true;
}

namespace {

std::string DumpLine(const std::string& title, bool visible, const RECT& r) {
    return "\"" + Cp1251::ToUtf8(title) + "\" " + (visible ? "visible" : "hidden") + " x=" + std::to_string(r.left) +
           " y=" + std::to_string(r.top) + " cx=" + std::to_string(r.right - r.left) +
           " cy=" + std::to_string(r.bottom - r.top);
}

} // namespace

// The projections, then the charts of those that have one, in the same order (charts in screen
// coordinates: they are top-level windows).
bool ScriptRunner::Dump(const Words&, std::string&) {
    m_projections.Update(m_frame.MdiClient());
    const std::vector<ProjectionWindow> projections = m_projections.List();
    for (const ProjectionWindow& window : projections)
        m_console.Out(DumpLine(window.title, window.visible, window.rect));
    for (const ProjectionWindow& window : projections) {
        if (const HWND chart = ProjectionWindows::ChartOf(window.frame)) {
            RECT rect{};
            ::GetWindowRect(chart, &rect);
            m_console.Out(DumpLine(WindowText(chart), ::IsWindowVisible(chart) != FALSE, rect));
        }
    }
    return true;
}

bool ScriptRunner::Screenshot(const Words& arguments, std::string& error) {
    if (!EndsWith(arguments[0], ".bmp")) {
        error = "the picture is written as BMP: name the file *.bmp";
        return false;
    }
    return ::Screenshot::SaveBmp(m_frame.Handle(), arguments[0], error);
}

bool ScriptRunner::Quit(const Words&, std::string&) {
    m_quit = true;
    return true;
}

bool ScriptRunner::Wait(const Words&, std::string&) {
    m_answerer.reset(); // the user reads and answers them now
    m_frame.SetInteractive(true);
    MessagePump::Run(m_frame);
    m_quit = true; // the user closed the main window
    return true;
}

ProjectionDriver ScriptRunner::Driver() const {
    const MainFrame& frame = m_frame;
    return ProjectionDriver(m_frame.Handle(), m_frame.MdiClient(), [&frame] { MessagePump::RunUntilIdle(frame); });
}

bool ScriptRunner::Type(const Words& arguments, std::string& error) {
    int column = 0, row = 0;
    if (!ParseCell(arguments, column, row, error))
        return false;
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    const std::string key = arguments.size() > 5 ? arguments[5] : "Tab";
    return projection && driver.Type(projection, column, row, arguments[4], key, error);
}

bool ScriptRunner::Choose(const Words& arguments, std::string& error) {
    int row = 0;
    if (!ParseNumber(arguments[2], "ROW", row, error))
        return false;
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    return projection && driver.Choose(projection, row, arguments[3], error);
}

bool ScriptRunner::Key(const Words& arguments, std::string& error) {
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    std::string menu;
    if (!projection || !driver.Key(projection, arguments[2], menu, error))
        return false;
    if (!menu.empty())
        m_console.Out(menu);
    return true;
}

bool ScriptRunner::Grid(const Words& arguments, std::string& error) {
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    if (!projection)
        return false;
    m_console.Out(driver.Grid(projection));
    return true;
}

bool ScriptRunner::Registry(const Words&, std::string&) {
    m_console.Out(PlacementRegistry::Describe());
    return true;
}

bool ScriptRunner::SetPlacement(const Words& arguments, std::string& error) {
    return PlacementRegistry::Store(arguments[0], arguments[1], arguments[2], error);
}

bool ScriptRunner::RemovePlacement(const Words& arguments, std::string& error) {
    return PlacementRegistry::Remove(arguments[0], error);
}

bool ScriptRunner::Maximize(const Words& arguments, std::string& error) {
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    return projection && driver.Maximize(projection, error);
}

bool ScriptRunner::CloseWindow(const Words& arguments, std::string& error) {
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    return projection && driver.Close(projection, arguments[2], error);
}

bool ScriptRunner::Move(const Words& arguments, std::string& error) {
    int x = 0, y = 0, cx = 0, cy = 0;
    if (!ParseNumber(arguments[2], "X", x, error) || !ParseNumber(arguments[3], "Y", y, error) ||
        !ParseNumber(arguments[4], "CX", cx, error) || !ParseNumber(arguments[5], "CY", cy, error))
        return false;
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    return projection && driver.Move(projection, x, y, cx, cy, error);
}

bool ScriptRunner::Stats(const Words&, std::string&) {
    m_console.Out(ResourceCounts::Take().Describe());
    return true;
}

bool ScriptRunner::Reload(const Words&, std::string& error) { return m_frame.ReloadModule(error); }

bool ScriptRunner::Active(const Words&, std::string&) {
    const HWND active = reinterpret_cast<HWND>(::SendMessageA(m_frame.MdiClient(), WM_MDIGETACTIVE, 0, 0));
    if (!active)
        m_console.Out("active none");
    else if (!::IsWindow(active))
        m_console.Out("active dead");
    else
        m_console.Out("active \"" + TitleOf(active) + "\"");
    return true;
}

bool ScriptRunner::Chart(const Words& arguments, std::string& error) {
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    return projection && driver.Chart(projection, error);
}

bool ScriptRunner::CloseChart(const Words& arguments, std::string& error) {
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    return projection && driver.CloseChart(projection, error);
}

bool ScriptRunner::Copy(const Words& arguments, std::string& error) {
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    std::string text;
    if (!projection || !driver.Copy(projection, text, error))
        return false;
    if (!text.empty() && text.back() == '\n')
        text.pop_back(); // the copy's last line break; Out ends the line itself
    m_console.Out(text);
    return true;
}

bool ScriptRunner::Focus(const Words& arguments, std::string& error) {
    int column = 0, row = 0;
    if (!ParseCell(arguments, column, row, error))
        return false;
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    return projection && driver.Focus(projection, column, row, error);
}

bool ScriptRunner::Focused(const Words& arguments, std::string& error) {
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    if (!projection)
        return false;
    m_console.Out(driver.Focused(projection));
    return true;
}

bool ScriptRunner::Menu(const Words& arguments, std::string& error) {
    int column = 0, row = 0;
    if (!ParseCell(arguments, column, row, error))
        return false;
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    return projection && driver.PickFromMenu(projection, column, row, arguments[4], error);
}

// Without ITEM the menu's items are printed and it is closed; with ITEM that item is picked.
bool ScriptRunner::SystemMenu(const Words& arguments, std::string& error) {
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    std::string menu;
    if (!projection)
        return false;
    const bool listing = arguments.size() < 3;
    if (!driver.PickFromSystemMenu(projection, listing ? "" : arguments[2], menu, error))
        return false;
    if (listing)
        m_console.Out(menu);
    return true;
}

bool ScriptRunner::Clipboard(const Words& arguments, std::string& error) {
    return ClipboardText::Write(m_frame.Handle(), ScriptLine::Unescape(arguments[0]), error);
}

bool ScriptRunner::Layout(const Words& arguments, std::string& error) {
    const HWND projection = Driver().Find(arguments[0], arguments[1], error);
    if (!projection)
        return false;
    m_console.Out(ProjectionLayout::Describe(projection));
    return true;
}

bool ScriptRunner::Plan(const Words& arguments, std::string& error) {
    const bool shipMass = arguments[2] == "ships";
    if (!shipMass && arguments[2] != "production") {
        error = "GOAL must be ships or production";
        return false;
    }
    if (arguments[3] != "yes" && arguments[3] != "no") {
        error = "ANSWER must be yes or no";
        return false;
    }
    int row = 0;
    if (arguments.size() > 4 && !ParseNumber(arguments[4], "ROW", row, error))
        return false;
    const ProjectionDriver driver = Driver();
    const HWND projection = driver.Find(arguments[0], arguments[1], error);
    if (!projection)
        return false;
    const std::string item = shipMass ? ModuleContract::kPlanShipsItem : ModuleContract::kPlanProductionItem;
    const int answered = m_answerer->Answered();
    m_answerer->AnswerNextWith(arguments[3] == "yes" ? IDYES : IDNO); // the box reports itself as it comes
    const bool picked = arguments.size() > 4
                            ? driver.PickFromMenu(projection, ModuleContract::kCellColumns, row, item, error)
                            : driver.PickFromSystemMenu(projection, item, error);
    m_answerer->AnswerNextWith(0);
    if (picked && m_answerer->Answered() == answered)
        error = "no question came";
    return picked && error.empty();
}
