// Times the projection window under Wine, each against its floor, as medians of repeated runs:
//   (a) one edit: a delivery typed into row 5, from the cell losing the focus until the grid is redrawn;
//   (b) its floor: writing just the cells that edit changed, once, and redrawing;
//   (c) opening a projection window until it is drawn;
//   (d) its floor: creating the 360 bare controls of a grid in a window, until drawn.
#include "tests/windows/TestHost.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

double Now() {
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

std::string Text(HWND window) {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

void Redraw(HWND window) { ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }
void DrawPending(HWND window) { ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

struct Edit {
    std::vector<std::pair<HWND, std::string>> before, after;
};

// (a) and (b): alternate a delivery of 500 and 250 colonists in row 5.
void TimeEdits(TestHost& host, int repetitions, double& edit, double& floor) {
    host.Select(Planet("Alpha", "17"));
    host.Command("Alpha");
    const HWND view = ::GetWindow(host.Projections().at(0).frame, GW_CHILD);
    const HWND cell = ::GetDlgItem(view, 5012 + 20 * 1 + 5), next = ::GetDlgItem(view, 5012 + 20 * 1 + 6);
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

    std::vector<double> edits, floors;
    std::vector<Edit> changes;
    for (int i = 0; i < repetitions; ++i) {
        ::SetFocus(cell);
        host.Pump();
        ::SetWindowTextA(cell, i % 2 ? "250" : "500");
        DrawPending(view);
        const auto before = texts();
        const double start = Now();
        ::SetFocus(next); // the cell loses the focus: the view stores, recalculates and refreshes
        DrawPending(view);
        edits.push_back(Now() - start);
        const auto after = texts();
        Edit change;
        for (std::size_t c = 0; c < controls.size(); ++c)
            if (before[c] != after[c] && controls[c] != cell) {
                change.before.emplace_back(controls[c], before[c]);
                change.after.emplace_back(controls[c], after[c]);
            }
        changes.push_back(change);
    }
    // The floor: the same changed cells written directly, once each, alternating as the edits did.
    for (int i = 0; i < repetitions; ++i) {
        const Edit& change = changes[static_cast<std::size_t>(i)];
        for (const auto& [control, text] : change.before)
            ::SetWindowTextA(control, text.c_str());
        DrawPending(view);
        const double start = Now();
        for (const auto& [control, text] : change.after)
            ::SetWindowTextA(control, text.c_str());
        DrawPending(view);
        floors.push_back(Now() - start);
    }
    std::printf("cells changed by one edit: %zu\n", changes.back().after.size());
    edit = Median(edits);
    floor = Median(floors);
    host.GamesList({});
}

// What moving the focus from one cell to the next costs by itself, in a grid of bare controls.
double TimeFocusMove(TestHost& host, int repetitions) {
    const HWND window = ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 200, host.mdiClient,
                                          nullptr, ::GetModuleHandleA(nullptr), nullptr);
    HWND cells[2];
    for (int row = 0; row < 2; ++row)
        cells[row] = ::CreateWindowExA(WS_EX_STATICEDGE, "Edit", "12.50", WS_CHILD | WS_VISIBLE | ES_CENTER, 63,
                                       30 + 21 * row, 47, 20, window, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    DrawPending(host.mainWindow);
    std::vector<double> samples;
    for (int i = 0; i < repetitions; ++i) {
        ::SetFocus(cells[i % 2]);
        DrawPending(window);
        const double start = Now();
        ::SetFocus(cells[(i + 1) % 2]);
        DrawPending(window);
        samples.push_back(Now() - start);
    }
    ::DestroyWindow(window);
    host.Pump();
    return Median(samples);
}

// (c): opening a projection window, drawn.
double TimeOpening(TestHost& host, int repetitions) {
    std::vector<double> samples;
    for (int i = 0; i < repetitions; ++i) {
        host.Select(Planet("Alpha", std::to_string(100 + i).c_str()));
        const double start = Now();
        host.Command("Alpha");
        DrawPending(host.mainWindow);
        samples.push_back(Now() - start);
        host.GamesList({});
    }
    return Median(samples);
}

// (d): 340 edit cells and 20 choosers created bare in a window of the same size, drawn.
double TimeBareControls(TestHost& host, int repetitions) {
    std::vector<double> samples;
    for (int i = 0; i < repetitions; ++i) {
        const double start = Now();
        const HWND window = ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 1020, 510, host.mdiClient,
                                              nullptr, ::GetModuleHandleA(nullptr), nullptr);
        for (int column = 0; column < 17; ++column)
            for (int row = 0; row < 20; ++row)
                ::CreateWindowExA(WS_EX_STATICEDGE, "Edit", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER,
                                  15 + 48 * column, 30 + 21 * row, 47, 20, window,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(5012 + 20 * column + row)),
                                  ::GetModuleHandleA(nullptr), nullptr);
        for (int row = 0; row < 20; ++row)
            ::CreateWindowExA(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_SORT | CBS_DROPDOWNLIST,
                              831, 30 + 21 * row, 85, 100, window,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(10000 + row)), ::GetModuleHandleA(nullptr), nullptr);
        DrawPending(host.mainWindow);
        samples.push_back(Now() - start);
        ::DestroyWindow(window);
        host.Pump();
    }
    return Median(samples);
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(3, std::atoi(argv[1])) : 31;
    TestHost host;
    host.LoadAndInitialize();
    double edit = 0, editFloor = 0;
    TimeEdits(host, repetitions, edit, editFloor);
    const double focusMove = TimeFocusMove(host, repetitions);
    const double opening = TimeOpening(host, std::max(3, repetitions / 3));
    const double openingFloor = TimeBareControls(host, std::max(3, repetitions / 3));
    std::printf("(a) one edit, focus lost to grid redrawn: %8.2f ms median\n", edit);
    std::printf("(b) floor, changed cells written once:    %8.2f ms median   ratio a/b %.2f\n", editFloor, edit / editFloor);
    std::printf("    of which moving the focus alone:      %8.2f ms median\n", focusMove);
    std::printf("(c) opening a projection window:          %8.2f ms median\n", opening);
    std::printf("(d) floor, 360 bare controls:             %8.2f ms median   ratio c/d %.2f\n", openingFloor,
                opening / openingFloor);
    return 0;
}
