// Finding message boxes as they are activated, reading them and pressing their default button.
#include "MessageBoxAnswerer.h"

#include "framework/Utf8.h"

#include <algorithm>

MessageBoxAnswerer* MessageBoxAnswerer::s_active = nullptr;

namespace {

bool IsDialogBox(HWND window) {
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770" && !(::GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
}

// The texts of the box's static controls (the icon has none), as the user reads them.
std::string BoxText(HWND box) {
    std::wstring text;
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        ::GetClassNameW(child, className, 16);
        if (lstrcmpiW(className, L"Static") != 0)
            continue;
        std::wstring part(static_cast<std::size_t>(::GetWindowTextLengthW(child)) + 1, L'\0');
        part.resize(static_cast<std::size_t>(::GetWindowTextW(child, part.data(), static_cast<int>(part.size()))));
        text += part;
    }
    return Utf8::FromWide(text);
}

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer(Reporter reporter) : m_reporter(std::move(reporter)) {
    s_active = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, &MessageBoxAnswerer::CbtHook, nullptr, ::GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
    s_active = nullptr;
}

std::string MessageBoxAnswerer::Line(const std::string& text) {
    std::string line = "message \"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // CR LF is one line break
        if (text[i] == '\r' || text[i] == '\n')
            line += "\\n";
        else
            line += text[i];
    }
    return line + '"';
}

LRESULT CALLBACK MessageBoxAnswerer::CbtHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    // A box is whole, texts and buttons, by the time it is first activated.
    if (code == HCBT_ACTIVATE && s_active && IsDialogBox(reinterpret_cast<HWND>(wParam))) {
        try {
            s_active->Answer(reinterpret_cast<HWND>(wParam));
        } catch (...) {
            // the box stays for whoever runs the script to see
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::Answer(HWND box) {
    // A box answered before is activated again as it goes; a handle that is gone may come back as a
    // new box.
    m_answered.erase(std::remove_if(m_answered.begin(), m_answered.end(), [](HWND done) { return !::IsWindow(done); }),
                     m_answered.end());
    if (std::find(m_answered.begin(), m_answered.end(), box) != m_answered.end())
        return;
    m_answered.push_back(box);
    m_reporter(BoxText(box));
    const LRESULT defaultId = ::SendMessageA(box, DM_GETDEFID, 0, 0);
    // The answer asked for when the box has that button (an OK-only box gets OK for any answer).
    const int defaultButton = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : IDOK;
    const int button = m_nextButton && ::GetDlgItem(box, m_nextButton) ? m_nextButton : defaultButton;
    m_nextButton = 0;
    ++m_count;
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
}
