// Following the projection windows in the host's MDI client.
#include "ProjectionWindows.h"

#include "contract/ModuleContract.h"
#include "framework/WindowText.h"

#include <algorithm>

bool ProjectionWindows::IsProjection(HWND window) {
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    return std::string(className) == ModuleContract::kFrameClassName;
}

namespace {

struct ChartSearch {
    std::string title;
    HWND found = nullptr;
};

BOOL CALLBACK FindChart(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<ChartSearch*>(lParam);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) != ModuleContract::kChartClassName || WindowText(window) != search.title)
        return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

HWND ProjectionWindows::ChartOf(HWND frame) {
    ChartSearch search{ModuleContract::kChartTitlePrefix + WindowText(frame)};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindChart, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ProjectionWindows::Update(HWND mdiClient) {
    std::vector<HWND> present;
    for (HWND child = ::GetWindow(mdiClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (IsProjection(child))
            present.push_back(child);
    const auto isPresent = [&present](HWND frame) {
        return std::find(present.begin(), present.end(), frame) != present.end();
    };
    m_frames.erase(std::remove_if(m_frames.begin(), m_frames.end(), [&](HWND frame) { return !isPresent(frame); }),
                   m_frames.end());
    std::vector<HWND> appeared;
    for (HWND frame : present)
        if (std::find(m_frames.begin(), m_frames.end(), frame) == m_frames.end())
            appeared.push_back(frame);
    std::stable_sort(appeared.begin(), appeared.end(),
                     [](HWND a, HWND b) { return ::GetWindowLongA(a, GWL_ID) < ::GetWindowLongA(b, GWL_ID); });
    m_frames.insert(m_frames.end(), appeared.begin(), appeared.end());
}

std::vector<ProjectionWindow> ProjectionWindows::List() const {
    std::vector<ProjectionWindow> windows;
    for (HWND frame : m_frames) {
        RECT rect{};
        ::GetWindowRect(frame, &rect);
        ::MapWindowPoints(nullptr, ::GetParent(frame), reinterpret_cast<POINT*>(&rect), 2);
        windows.push_back({frame, WindowText(frame), ::IsWindowVisible(frame) != FALSE, rect});
    }
    return windows;
}
