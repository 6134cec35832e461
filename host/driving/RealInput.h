// Keyboard and mouse input the way a user gives it: through the system's input queue (SendInput),
// so focus changes and notifications come from the platform, never from messages we fake.
#pragma once

#include <windows.h>

#include <string>

namespace RealInput {

// Presses and releases a virtual key, with Shift, Control or Alt held if asked.
void PressKey(WORD virtualKey, bool shift = false, bool control = false, bool alt = false);
// Types text character by character, with Shift where the keyboard layout needs it.
void TypeText(const std::string& text);
// Moves the pointer to a point of a window's client area and clicks the left button there.
void Click(HWND window, POINT clientPoint);
// The same with the right button.
void RightClick(HWND window, POINT clientPoint);
// Moves the pointer to a point of the screen and clicks the left button there.
void ClickAt(POINT screenPoint);
// Makes the window foreground and gives the keyboard focus to target (which may be a child of it).
void Focus(HWND topLevel, HWND target);

} // namespace RealInput
