// Times the projection window under Wine, each figure against its floor:
//   (a) one edit: a delivery typed into row 5, from the cell losing the focus until the grid is redrawn;
//   (b) its floor: writing just the cells that edit changed, once, and redrawing;
//   (c) opening a projection window until it is drawn;
//   (d) its floor: creating the 360 bare controls of a grid in a window, until drawn;
//   (e) a fuller floor: the same controls made as the window shows them, with its fonts, texts,
//       chooser entries and selections, until drawn: what showing that content costs the platform,
//       without the frame, the form and its headers.
// The machine is shared and its load changes from second to second, so a figure and its floor are
// measured as interleaved pairs (a, b, a, b, ...) and compared pair by pair: the ratio printed is the
// median of the pairs' ratios, with the lowest and the highest. The whole set runs three times.
// Opening is also split into its steps (OpeningSteps), from a trace of the module's own window calls
// (ImportTrace) taken on a third opening in each pair; what the trace adds is measured the same way.
//
// Usage: GridTiming.exe [REPETITIONS] [MODULE.dll...]
// Modules are files in this program's folder, Zentharo.dll by default; with several, each round
// measures each of them, in turn, in an order that alternates from round to round.
#include "ImportTrace.h"
#include "Milliseconds.h"
#include "OpeningSteps.h"
#include "contract/ModuleContract.h"
#include "framework/WindowText.h"
#include "model/ProductionChooser.h"
#include "tests/windows/TestHost.h"
#include "window/GridFonts.h"
#include "window/GridLayout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 3;

// A measure and its floor, taken back to back.
struct Pairs {
    std::vector<double> measure, floor, ratio;
    void Add(double measured, double floorMeasured) {
        measure.push_back(measured);
        floor.push_back(floorMeasured);
        ratio.push_back(measured / floorMeasured);
    }
    void Append(const Pairs& other) {
        measure.insert(measure.end(), other.measure.begin(), other.measure.end());
        floor.insert(floor.end(), other.floor.begin(), other.floor.end());
        ratio.insert(ratio.end(), other.ratio.begin(), other.ratio.end());
    }
};

double Median(std::vector<double> samples) {
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

std::string Spread(const std::vector<double>& samples) {
    if (samples.empty())
        return "";
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    char text[64];
    std::snprintf(text, sizeof text, "[%.2f .. %.2f]", *low, *high);
    return text;
}

std::string Text(HWND window) { return WindowText(window); }

void Redraw(HWND window) { ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }
void DrawPending(HWND window) { ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

// What a projection window shows: the 340 cell texts, column by column, and each chooser's selection.
struct GridContent {
    std::vector<std::string> cells;
    std::vector<int> selections;
};

GridContent ShownContent(HWND view) {
    GridContent content;
    for (int cell = 0; cell < ModuleContract::kCellColumns * ModuleContract::kRows; ++cell)
        content.cells.push_back(Text(::GetDlgItem(view, ModuleContract::kFirstCellId + cell)));
    for (int row = 0; row < ModuleContract::kRows; ++row)
        content.selections.push_back(
            static_cast<int>(::SendDlgItemMessageA(view, ModuleContract::ChooserId(row), CB_GETCURSEL, 0, 0)));
    return content;
}

// (a) and (b): a delivery of 500 and 250 colonists in row 5 in turn, each followed by its floor: the
// cells that edit changed (the typed cell's reformatted text included) written back as they were,
// untimed, then written as the edit left them, timed.
Pairs TimeEdits(TestHost& host, int repetitions, std::size_t& cellsChanged, GridContent& opened) {
    host.Select(Planet("Alpha", "17"));
    host.Command("Alpha");
    const HWND view = ::GetWindow(host.Projections().at(0).frame, GW_CHILD);
    opened = ShownContent(view);
    const HWND cell = ::GetDlgItem(view, ModuleContract::CellId(1, 5)),
               next = ::GetDlgItem(view, ModuleContract::CellId(1, 6));
    Redraw(view);
    host.Pump();

    std::vector<HWND> controls;
    for (HWND child = ::GetWindow(view, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        controls.push_back(child);
    auto texts = [&] {
        std::vector<std::string> all;
        for (HWND control : controls)
            all.push_back(Text(control));
        return all;
    };

    Pairs pairs;
    for (int i = 0; i < repetitions; ++i) {
        ::SetFocus(cell);
        host.Pump();
        ::SetWindowTextA(cell, i % 2 ? "250" : "500");
        ::SendMessageA(cell, EM_SETMODIFY, TRUE, 0); // as typing leaves it: the cell is stored
        DrawPending(view);
        const auto before = texts();
        const double start = Milliseconds();
        ::SetFocus(next); // the cell loses the focus: the view stores, recalculates and refreshes
        DrawPending(view);
        const double edit = Milliseconds() - start;
        const auto after = texts();

        std::vector<std::size_t> changed;
        for (std::size_t c = 0; c < controls.size(); ++c)
            if (before[c] != after[c])
                changed.push_back(c);
        for (std::size_t c : changed)
            ::SetWindowTextA(controls[c], before[c].c_str());
        DrawPending(view);
        const double floorStart = Milliseconds();
        for (std::size_t c : changed)
            ::SetWindowTextA(controls[c], after[c].c_str());
        DrawPending(view);
        pairs.Add(edit, Milliseconds() - floorStart);
        cellsChanged = changed.size();
    }
    host.GamesList({});
    return pairs;
}

// A cell and a chooser of the floors, where and as the window makes them at the screen's scale.
HWND MakeCell(HWND window, ScreenScale scale, int column, int row, const char* text) {
    const GridLayout::Box cell = GridLayout::Cell(scale, column, row);
    return ::CreateWindowExA(WS_EX_STATICEDGE, "Edit", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER, cell.left,
                             cell.top, cell.Width(), cell.Height(), window,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ModuleContract::CellId(column, row))),
                             ::GetModuleHandleA(nullptr), nullptr);
}

HWND MakeChooser(HWND window, ScreenScale scale, int row) {
    const GridLayout::Box chooser = GridLayout::Chooser(scale, row);
    return ::CreateWindowExA(0, "ComboBox", "",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_SORT | CBS_DROPDOWNLIST,
                             chooser.left, chooser.top, chooser.Width(), chooser.Height(), window,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ModuleContract::ChooserId(row))),
                             ::GetModuleHandleA(nullptr), nullptr);
}

// A window of the form's size for the floors' controls.
HWND MakeFormWindow(TestHost& host, ScreenScale scale) {
    const GridLayout::Extent form = GridLayout::Form(scale);
    return ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, form.cx, form.cy, host.mdiClient, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

// What moving the focus from one cell to the next costs by itself, in a grid of bare controls.
double TimeFocusMove(TestHost& host, int repetitions) {
    const HWND window = ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 200, host.mdiClient,
                                          nullptr, ::GetModuleHandleA(nullptr), nullptr);
    HWND cells[2];
    for (int row = 0; row < 2; ++row)
        cells[row] = MakeCell(window, ScreenScale::Of(window), 1, row, "12.50");
    DrawPending(host.mainWindow);
    std::vector<double> samples;
    for (int i = 0; i < repetitions; ++i) {
        ::SetFocus(cells[i % 2]);
        DrawPending(window);
        const double start = Milliseconds();
        ::SetFocus(cells[(i + 1) % 2]);
        DrawPending(window);
        samples.push_back(Milliseconds() - start);
    }
    ::DestroyWindow(window);
    host.Pump();
    return Median(samples);
}

HMODULE ModuleOf(const PluginLibrary& plugin) {
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(plugin.OnUserCommand), &module);
    return module;
}

// (c): opening a projection window of a planet, drawn, then closing it untimed. With steps, the
// opening is traced and split.
double TimeOpening(TestHost& host, int planet, OpeningSteps* steps, double* messageLoop = nullptr) {
    host.Select(Planet("Alpha", std::to_string(planet).c_str()));
    CMapStringToString command;
    command["GameName"] = "Alpha";
    command["Turn"] = "40";
    command["Command"] = ModuleContract::kMenuCommand;
    double start = 0, returned = 0, drawn = 0;
    {
        std::optional<ImportTrace> trace;
        if (steps) {
            trace.emplace(ModuleOf(host.plugin));
            if (!trace->Complete())
                std::printf("warning: the trace found only some of the module's window calls\n");
        }
        start = Milliseconds();
        host.plugin.OnUserCommand(command); // as TestHost::Command, with the module's return timed
        returned = Milliseconds();
        host.Pump();
        if (messageLoop)
            *messageLoop = Milliseconds() - returned;
        DrawPending(host.mainWindow);
        drawn = Milliseconds();
        if (steps)
            *steps = SplitOpening(trace->Events(), start, returned, drawn);
    }
    host.GamesList({});
    return drawn - start;
}

// (d): 340 edit cells and 20 choosers created bare in a window of the same size, drawn.
double TimeBareControls(TestHost& host, double& drawing) {
    const ScreenScale scale = ScreenScale::Of(host.mdiClient);
    const double start = Milliseconds();
    const HWND window = MakeFormWindow(host, scale);
    for (int column = 0; column < ModuleContract::kCellColumns; ++column)
        for (int row = 0; row < ModuleContract::kRows; ++row)
            MakeCell(window, scale, column, row, "");
    for (int row = 0; row < ModuleContract::kRows; ++row)
        MakeChooser(window, scale, row);
    const double created = Milliseconds();
    DrawPending(host.mainWindow);
    const double elapsed = Milliseconds() - start;
    drawing = elapsed - (created - start);
    ::DestroyWindow(window);
    host.Pump();
    return elapsed;
}

// (e): the controls of (d) made with what the window shows, in the cheapest order known: each cell
// with its text, each chooser with its entries, then the fonts, then the selections.
double TimeContentControls(TestHost& host, const GridContent& content) {
    const ScreenScale scale = ScreenScale::Of(host.mdiClient);
    const double start = Milliseconds();
    const LOGFONTA cellRequest = GridFonts::CellRequest(scale), chooserRequest = GridFonts::ChooserRequest(scale);
    const HFONT cellFont = ::CreateFontIndirectA(&cellRequest), chooserFont = ::CreateFontIndirectA(&chooserRequest);
    const HWND window = MakeFormWindow(host, scale);
    std::vector<HWND> cells, choosers;
    for (int column = 0; column < ModuleContract::kCellColumns; ++column)
        for (int row = 0; row < ModuleContract::kRows; ++row)
            cells.push_back(
                MakeCell(window, scale, column, row, content.cells[ModuleContract::kRows * column + row].c_str()));
    for (int row = 0; row < ModuleContract::kRows; ++row) {
        const HWND chooser = MakeChooser(window, scale, row);
        for (const char* entry : ProductionChooser::kEntriesAdded)
            ::SendMessageA(chooser, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        choosers.push_back(chooser);
    }
    for (HWND cell : cells)
        ::SendMessageA(cell, WM_SETFONT, reinterpret_cast<WPARAM>(cellFont), FALSE);
    for (HWND chooser : choosers)
        ::SendMessageA(chooser, WM_SETFONT, reinterpret_cast<WPARAM>(chooserFont), FALSE);
    for (std::size_t row = 0; row < choosers.size(); ++row)
        ::SendMessageA(choosers[row], CB_SETCURSEL, static_cast<WPARAM>(content.selections[row]), 0);
    DrawPending(host.mainWindow);
    const double elapsed = Milliseconds() - start;
    ::DestroyWindow(window);
    ::DeleteObject(cellFont);
    ::DeleteObject(chooserFont);
    host.Pump();
    return elapsed;
}

// Everything measured of one module in one round, or pooled over rounds.
struct Figures {
    Pairs edits, openings;
    Pairs contentOpenings; // (c) against (e), from the same openings
    std::vector<double> focusMoves;
    std::vector<double> traceRatios;   // a traced opening against the plain one before it
    std::vector<double> messageLoops;  // of the first paint, the host's message loop after the module returns
    std::vector<double> floorDrawings; // of the floor, the drawing after the controls exist
    std::vector<OpeningSteps> steps;
    std::size_t cellsChanged = 0;

    void Append(const Figures& other) {
        edits.Append(other.edits);
        openings.Append(other.openings);
        contentOpenings.Append(other.contentOpenings);
        focusMoves.insert(focusMoves.end(), other.focusMoves.begin(), other.focusMoves.end());
        traceRatios.insert(traceRatios.end(), other.traceRatios.begin(), other.traceRatios.end());
        messageLoops.insert(messageLoops.end(), other.messageLoops.begin(), other.messageLoops.end());
        floorDrawings.insert(floorDrawings.end(), other.floorDrawings.begin(), other.floorDrawings.end());
        steps.insert(steps.end(), other.steps.begin(), other.steps.end());
        cellsChanged = other.cellsChanged;
    }
};

// One round for one module: the edit pairs, then the opening pairs, each followed by a traced opening.
Figures MeasureModule(const std::string& path, int repetitions) {
    TestHost host;
    if (path != TestHost::ModulePath() && !host.plugin.Load(path)) {
        std::printf("%s\n", host.plugin.Error().c_str());
        std::exit(2);
    }
    host.LoadAndInitialize();
    Figures figures;
    GridContent content;
    figures.edits = TimeEdits(host, repetitions, figures.cellsChanged, content);
    figures.focusMoves.push_back(TimeFocusMove(host, repetitions));
    const int openings = std::max(3, repetitions / 3);
    for (int i = 0; i < openings; ++i) {
        double messageLoop = 0, floorDrawing = 0;
        const double opening = TimeOpening(host, 100 + i, nullptr, &messageLoop);
        figures.openings.Add(opening, TimeBareControls(host, floorDrawing));
        figures.contentOpenings.Add(opening, TimeContentControls(host, content));
        figures.messageLoops.push_back(messageLoop);
        figures.floorDrawings.push_back(floorDrawing);
        OpeningSteps steps;
        figures.traceRatios.push_back(TimeOpening(host, 200 + i, &steps) / opening);
        figures.steps.push_back(steps);
    }
    return figures;
}

void PrintSteps(const Figures& figures) {
    std::printf("    opening by step, traced (%zu openings; the trace adds x%.2f %s):\n", figures.steps.size(),
                Median(figures.traceRatios), Spread(figures.traceRatios).c_str());
    std::printf("      %-33s %9s %7s   %s\n", "step", "ms", "share", "windows created, texts written/read, messages");
    for (std::size_t step = 0; step < kOpeningStepCount; ++step) {
        std::vector<double> ms, shares;
        for (const OpeningSteps& steps : figures.steps) {
            ms.push_back(steps.ms[step]);
            shares.push_back(100.0 * steps.ms[step] / steps.TotalMs());
        }
        const StepCalls& calls = figures.steps.back().calls[step];
        std::printf("      %-33s %9.2f %6.1f%%   %d, %d/%d, %d\n", OpeningStepName(static_cast<OpeningStep>(step)),
                    Median(ms), Median(shares), calls.windowsCreated, calls.textsWritten, calls.textsRead,
                    calls.messagesSent);
    }
}

void PrintRound(int round, const std::string& module, const Figures& figures) {
    std::printf("round %d of %d, %s\n", round, kRounds, module.c_str());
    std::printf("    (a)/(b) one edit / its floor:   %8.2f / %8.2f ms   pair ratio %.2f %s of %zu\n",
                Median(figures.edits.measure), Median(figures.edits.floor), Median(figures.edits.ratio),
                Spread(figures.edits.ratio).c_str(), figures.edits.ratio.size());
    std::printf("    (c)/(d) opening / its floor:    %8.2f / %8.2f ms   pair ratio %.2f %s of %zu\n",
                Median(figures.openings.measure), Median(figures.openings.floor), Median(figures.openings.ratio),
                Spread(figures.openings.ratio).c_str(), figures.openings.ratio.size());
    std::printf("    opening: the host's message loop %.2f ms; floor: drawing %.2f ms\n", Median(figures.messageLoops),
                Median(figures.floorDrawings));
    std::printf("    (c)/(e) opening / fuller floor: %8.2f / %8.2f ms   pair ratio %.2f %s of %zu\n",
                Median(figures.contentOpenings.measure), Median(figures.contentOpenings.floor),
                Median(figures.contentOpenings.ratio), Spread(figures.contentOpenings.ratio).c_str(),
                figures.contentOpenings.ratio.size());
    PrintSteps(figures);
    std::fflush(stdout);
}

void PrintSummary(const std::string& module, const Figures& all) {
    std::printf("%s, all %d rounds (medians; ratios are medians of the pairs' ratios, [lowest .. highest]):\n",
                module.c_str(), kRounds);
    std::printf("cells changed by one edit: %zu\n", all.cellsChanged);
    std::printf("(a) one edit, focus lost to grid redrawn: %8.2f ms median\n", Median(all.edits.measure));
    std::printf("(b) floor, changed cells written once:    %8.2f ms median   ratio a/b %.2f %s\n",
                Median(all.edits.floor), Median(all.edits.ratio), Spread(all.edits.ratio).c_str());
    std::printf("    of which moving the focus alone:      %8.2f ms median\n", Median(all.focusMoves));
    std::printf("(c) opening a projection window:          %8.2f ms median\n", Median(all.openings.measure));
    std::printf("(d) floor, 360 bare controls:             %8.2f ms median   ratio c/d %.2f %s\n",
                Median(all.openings.floor), Median(all.openings.ratio), Spread(all.openings.ratio).c_str());
    std::printf("(e) fuller floor, with fonts and texts:   %8.2f ms median   ratio c/e %.2f %s\n",
                Median(all.contentOpenings.floor), Median(all.contentOpenings.ratio),
                Spread(all.contentOpenings.ratio).c_str());
    std::printf("    of (c), the host's message loop after the module returns: %8.2f ms median\n",
                Median(all.messageLoops));
    std::printf("    of (d), drawing the controls once they exist:             %8.2f ms median\n",
                Median(all.floorDrawings));
    PrintSteps(all);
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(3, std::atoi(argv[1])) : 31;
    std::vector<std::string> modules;
    for (int i = 2; i < argc; ++i)
        modules.push_back(argv[i]);
    if (modules.empty())
        modules.push_back("Zentharo.dll");
    const std::string defaultPath = TestHost::ModulePath();
    const std::string folder = defaultPath.substr(0, defaultPath.find_last_of("\\/") + 1);

    std::vector<Figures> all(modules.size());
    for (int round = 1; round <= kRounds; ++round) {
        for (std::size_t k = 0; k < modules.size(); ++k) {
            const std::size_t m = round % 2 ? k : modules.size() - 1 - k;
            const Figures figures = MeasureModule(folder + modules[m], repetitions);
            PrintRound(round, modules[m], figures);
            all[m].Append(figures);
        }
    }
    for (std::size_t m = 0; m < modules.size(); ++m)
        PrintSummary(modules[m], all[m]);
    return 0;
}
