// SendInput sequences for keys, text and clicks.
#include "RealInput.h"

#include <iterator>
#include <utility>
#include <vector>

namespace RealInput {
namespace {

INPUT KeyEvent(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(virtualKey, 0 /* MAPVK_VK_TO_VSC */));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void Send(std::vector<INPUT>& inputs) { ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

void ClickButton(POINT screenPoint, DWORD down, DWORD up) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs(3);
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>((screenPoint.x * 65535LL + width / 2) / (width - 1));
        input.mi.dy = static_cast<LONG>((screenPoint.y * 65535LL + height / 2) / (height - 1));
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = down | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = up | MOUSEEVENTF_ABSOLUTE;
    Send(inputs);
}

} // namespace

void PressKey(WORD virtualKey, bool shift, bool control, bool alt) {
    const std::pair<bool, WORD> modifiers[] = {{control, VK_CONTROL}, {shift, VK_SHIFT}, {alt, VK_MENU}};
    std::vector<INPUT> inputs;
    for (const auto& [held, key] : modifiers)
        if (held)
            inputs.push_back(KeyEvent(key, false));
    inputs.push_back(KeyEvent(virtualKey, false));
    inputs.push_back(KeyEvent(virtualKey, true));
    for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier)
        if (modifier->first)
            inputs.push_back(KeyEvent(modifier->second, true));
    Send(inputs);
}

void TypeText(const std::string& text) {
    for (char c : text) {
        const SHORT scan = ::VkKeyScanA(c);
        if (scan == -1)
            continue; // no key types it on this layout
        PressKey(LOBYTE(scan), (HIBYTE(scan) & 1) != 0, (HIBYTE(scan) & 2) != 0);
    }
}

void Click(HWND window, POINT clientPoint) {
    ::ClientToScreen(window, &clientPoint);
    ClickButton(clientPoint, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void RightClick(HWND window, POINT clientPoint) {
    ::ClientToScreen(window, &clientPoint);
    ClickButton(clientPoint, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void ClickAt(POINT screenPoint) { ClickButton(screenPoint, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

void Focus(HWND topLevel, HWND target) {
    ::SetForegroundWindow(topLevel);
    ::SetActiveWindow(topLevel);
    ::SetFocus(target);
}

} // namespace RealInput
