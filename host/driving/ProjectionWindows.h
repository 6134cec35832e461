// The module's projection windows as the host sees them: MDI children of the module's frame class,
// told apart from the host's own windows by that class alone.
//
// They are listed in creation order. MDI's child ids cannot give that order: Wine renumbers children
// as they are hidden and shown, even giving two of them the same id. So the windows are noted as they
// first appear; those appearing together are ordered by id, which is still right for new windows.
#pragma once

#include "framework/Win32.h"

#include <string>
#include <vector>

struct ProjectionWindow {
    HWND frame;
    std::string title;
    bool visible;
    RECT rect; // the frame's rectangle in MDI-client coordinates
};

class ProjectionWindows {
public:
    static bool IsProjection(HWND window);
    // The chart window of a projection frame, or nullptr when it has none open: a top-level window of
    // this thread of the chart's class, titled after the projection.
    static HWND ChartOf(HWND frame);

    // Notes the projection windows that appeared in the MDI client since the last call and forgets
    // those that are gone.
    void Update(HWND mdiClient);
    // The windows noted, in creation order.
    std::vector<ProjectionWindow> List() const;

private:
    std::vector<HWND> m_frames;
};
