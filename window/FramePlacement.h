// Where a projection frame goes in the host's MDI client, and the rule that keeps its title bar within
// reach. Portable on purpose, free of the window system, so the rule is tested natively; the frame
// measures the client and its own edges and hands them in.
#pragma once

#include <optional>

// What the window system tells the frame about the place it opens in, all in pixels.
struct FrameLimits {
    int clientWidth = 0; // the MDI client's client area, which positions are relative to
    int clientHeight = 0;
    int titleBarHeight = 0; // from the frame's top edge to the bottom of its caption
    int minWidth = 0;       // the smallest frame the window system makes
    int minHeight = 0;
    int maxWidth = 0; // the largest frame a user can make; at least a maximised frame's size
    int maxHeight = 0;
    int captionTop = 0; // from the frame's top edge to the top of its caption: the border above it
    int gripLeft = 0;   // from the frame's left edge to where its caption can be dragged: border and icon
    int gripRight = 0;  // from where the caption can no longer be dragged to the right edge: buttons, border
};

// A frame's position and size in MDI-client coordinates; an absent value is the window system's default.
struct FramePlacement {
    std::optional<int> x;
    std::optional<int> y;
    std::optional<int> cx;
    std::optional<int> cy;

    // The part of the caption a mouse must find inside the client to drag the frame back: this many
    // pixels of its width (all of it when the caption is narrower), clear of the icon and the caption
    // buttons, and a third of its height.
    static constexpr int kGripWidth = 40;
    static constexpr int kGripHeightShare = 3;

    // This placement, made reachable:
    // - A width or height below zero or above the limit is no one's choice: it becomes the default.
    //   Zero stays zero (the frame's framework opens such a request at the default size).
    // - The window system takes a position from x alone: without x it places the frame itself and
    //   ignores y, so a y without x is dropped; with x, a default y would be taken as the literal value
    //   of the default, far above the client, so a missing y becomes the client's top edge.
    // - The caption must stay draggable: kGripWidth pixels of its draggable part and a third of its
    //   height inside the client.
    // A position that breaks this moves, keeping the size, to the nearest place where the whole frame
    // fits (the client's left or top edge when it does not fit at all, or when its size is the default
    // or zero: such a frame is judged as the smallest one). An axis of a client without area (its host
    // minimised, say) cannot judge a position and leaves it alone. Everything else stays as it is.
    FramePlacement Reachable(const FrameLimits& limits) const;
};
