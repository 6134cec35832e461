// Splits the time of opening a projection window into its steps, from a trace of the module's own calls
// into the window system. Portable: the trace is taken under Wine, the splitting is tested natively.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

// What one traced call of the module was, as far as the steps are concerned.
enum class TracedCall {
    FrameCreated, // the MDI child made through the client
    FormCreated,  // the view's dialog, with the items of its template
    FontCreated,
    CellCreated,      // an edit cell of the grid
    ChooserCreated,   // a production chooser
    WindowCreated,    // any other window
    FontHanded,       // a font given to a cell or a chooser
    VisibilityAsked,  // whether a control can be seen, asked when handing it a font
    ChooserFilled,    // an entry added to a chooser's list
    ChooserSelection, // a chooser's selection read or set
    MessageSent,      // any other message the module sends
    HeadersWalked,    // the first child of a window asked for: the header layout begins with it
    CellTextRead,
    TextRead, // any other window's text read
    CellTextWritten,
    FrameTitled, // the frame's title set: the view is complete and the frame is shown next
    TextWritten, // any other window's text set
    WindowMoved,
    WindowShown,
    OtherCall,
};

struct TracedEvent {
    TracedCall call;
    double start, end; // milliseconds, on the same clock as the opening's own times
};

enum class OpeningStep { FrameAndView, Fonts, Cells, Choosers, Headers, Refresh, ShowAndActivate, FirstPaint };
constexpr std::size_t kOpeningStepCount = 8;

const char* OpeningStepName(OpeningStep step);

// What a step asked of the window system, by the module's own calls.
struct StepCalls {
    int windowsCreated = 0;
    int textsWritten = 0;
    int textsRead = 0;
    int messagesSent = 0;
};

struct OpeningSteps {
    std::array<double, kOpeningStepCount> ms{};
    std::array<StepCalls, kOpeningStepCount> calls{};
    double TotalMs() const;
};

// Each step runs from its first marking call to the next step's (ordered by time, so steps may come in
// any order; a step without its marking call takes no time):
//   frame and view      the module is asked to open (begin)
//   fonts               the first font made; every font handed to a control, with the visibility check
//                       made for it, counts here too, wherever it happens
//   cells, choosers     the first edit cell, the first chooser created
//   headers             the first child of a window asked for (the walk over the form's headers)
//   refresh             the first cell text read or written, or chooser selection, after the headers
//                       begin (or, without headers, anywhere)
//   show and activate   the frame's title set, or a window shown once the cells exist (showing the view
//                       earlier belongs to the frame and view)
//   first paint         the module returns (returned) until the window is drawn (drawn)
OpeningSteps SplitOpening(const std::vector<TracedEvent>& trace, double begin, double returned, double drawn);
