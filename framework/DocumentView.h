// What a document needs of the views attached to it. The window side implements it; the portable
// document core needs nothing else, so it builds and tests without any platform header.
#pragma once

class DocumentView {
public:
    // Destroys the frame that holds the view, and with it the view; the view detaches itself from
    // its document while it is destroyed.
    virtual void CloseFrame() = 0;

protected:
    ~DocumentView() = default;
};
