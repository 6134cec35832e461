// Thrown when a window that is being opened is closed by someone else before the opening finished: a
// host that reacts to the window's creation or activation by closing it, or by discarding what it
// shows. The opening is abandoned as a refused one is, undoing what was made, but nothing failed, so
// nobody is told.
#pragma once

#include <exception>

class CWindowClosedException : public std::exception {
public:
    const char* what() const noexcept override { return "the window was closed while it was being opened"; }
};
