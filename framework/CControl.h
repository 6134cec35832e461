// A child control the module creates and owns: its window is destroyed with the object unless the
// parent's destruction took it first. The class of the control is the platform's own.
#pragma once

#include "Win32.h"

class CControl {
public:
    CControl() = default;
    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;
    ~CControl() { DestroyWindow(); }

    // The text is the control's first, given at creation: setting it afterwards costs a round of messages.
    BOOL Create(const char* windowClass, DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id,
                const char* text = "");
    void DestroyWindow();
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Hands the control a font. A redraw requested inside a hidden window shows nothing and costs a round
    // of messages per control: whoever hands fonts to many controls knows once whether they can be seen.
    void SetFont(HFONT font, bool redraw) {
        ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    }

protected:
    HWND m_hWnd = nullptr;
};

class CEdit : public CControl {
public:
    BOOL Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id, const char* text = "") {
        return CControl::Create("Edit", style, exStyle, rect, parent, id, text);
    }
};

class CComboBox : public CControl {
public:
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
        return CControl::Create("ComboBox", style, 0, rect, parent, id);
    }
    int AddString(const char* text) {
        return static_cast<int>(::SendMessageA(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int GetCurSel() const { return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0)); }
    int SetCurSel(int index) { return static_cast<int>(::SendMessageA(m_hWnd, CB_SETCURSEL, index, 0)); }
    bool GetDroppedState() const { return ::SendMessageA(m_hWnd, CB_GETDROPPEDSTATE, 0, 0) != 0; }
};
