// Thrown when the window system refuses a window, font or other resource an operation needs. The
// operation is abandoned: whatever it had made is undone on the way out, and the door the call came
// in by tells the user.
#pragma once

#include <exception>

class CResourceException : public std::exception {
public:
    const char* what() const noexcept override { return "the window system refused a resource"; }
};

[[noreturn]] inline void AfxThrowResourceException() { throw CResourceException(); }
