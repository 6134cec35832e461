// A projection form's layout, described from outside.
#include "ProjectionLayout.h"

#include "contract/ModuleContract.h"
#include "framework/SelectedObject.h"
#include "framework/WindowDc.h"
#include "framework/WindowText.h"

namespace ProjectionLayout {

namespace {

std::string Box(const RECT& rect) {
    return "x=" + std::to_string(rect.left) + " y=" + std::to_string(rect.top) +
           " cx=" + std::to_string(rect.right - rect.left) + " cy=" + std::to_string(rect.bottom - rect.top);
}

// How far the form is scrolled along one of its bars.
int ScrollPosition(HWND form, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    return ::GetScrollInfo(form, bar, &info) ? info.nPos : 0;
}

// The form's extent along one bar: the range it scrolls over.
int ScrollExtent(HWND form, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    return ::GetScrollInfo(form, bar, &info) ? info.nMax - info.nMin + 1 : 0;
}

// A rectangle in screen coordinates taken to the form's, as if it were not scrolled.
RECT InForm(HWND form, RECT rect) {
    ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
    ::OffsetRect(&rect, ScrollPosition(form, SB_HORZ), ScrollPosition(form, SB_VERT));
    return rect;
}

RECT ControlRect(HWND form, HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    return InForm(form, rect);
}

int TextWidth(HWND control, const std::string& text) {
    SIZE extent{};
    if (const WindowDc dc(control); dc) {
        const SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
        ::GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    return extent.cx;
}

std::string Font(const char* name, HWND control) {
    LOGFONTA font{};
    const HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0));
    if (!handle || !::GetObjectA(handle, sizeof font, &font))
        return std::string("font ") + name + " none";
    return std::string("font ") + name + " height=" + std::to_string(font.lfHeight) +
           " width=" + std::to_string(font.lfWidth);
}

} // namespace

std::string Describe(HWND frame) {
    using namespace ModuleContract;
    const HWND form = ::GetWindow(frame, GW_CHILD);
    std::string lines = "form cx=" + std::to_string(ScrollExtent(form, SB_HORZ)) +
                        " cy=" + std::to_string(ScrollExtent(form, SB_VERT)) + "\n";
    for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[16];
        if (!::GetClassNameA(child, className, sizeof className) || lstrcmpiA(className, "Static") != 0)
            continue;
        const std::string text = WindowText(child);
        lines += "header \"" + text + "\" " + Box(ControlRect(form, child)) +
                 " text=" + std::to_string(TextWidth(child, text)) + "\n";
    }
    for (int column = 0; column < kCellColumns; ++column)
        for (int row : {0, kRows - 1})
            lines += "cell " + std::to_string(column) + " " + std::to_string(row) + " " +
                     Box(ControlRect(form, ::GetDlgItem(form, CellId(column, row)))) + "\n";
    for (int row : {0, kRows - 1}) {
        // The closed control, and how far its list reaches when dropped.
        const HWND chooser = ::GetDlgItem(form, ChooserId(row));
        RECT dropped{};
        ::SendMessageA(chooser, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        lines += "chooser " + std::to_string(row) + " " + Box(ControlRect(form, chooser)) +
                 " drop=" + std::to_string(dropped.bottom - dropped.top) + "\n";
    }
    lines += "close " + Box(ControlRect(form, ::GetDlgItem(form, kCloseCommandId))) + "\n";
    lines += Font("cell", ::GetDlgItem(form, CellId(0, 0))) + "\n";
    lines += Font("chooser", ::GetDlgItem(form, ChooserId(0)));
    return lines;
}

} // namespace ProjectionLayout
