// Form views: a modeless child dialog, subclassed so it is one of our windows, with scrolling.
#include "CFormView.h"

#include "ModuleInstance.h"

#include <algorithm>

INT_PTR CALLBACK CFormView::DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept {
    // The subclass handles everything; the form takes no focus at creation, the frame hands it on later.
    return FALSE;
}

BOOL CFormView::Create(HWND frame, UINT id, CDocument* document) {
    const HWND dialog =
        ::CreateDialogParamA(ModuleInstance(), MAKEINTRESOURCEA(m_nIDTemplate), frame, &CFormView::DialogProc, 0);
    if (!dialog)
        return FALSE;
    ::SetWindowLongPtrA(dialog, GWLP_ID, static_cast<LONG_PTR>(id));
    RECT form;
    ::GetWindowRect(dialog, &form);
    m_totalSize = {form.right - form.left, form.bottom - form.top};
    SubclassWindow(dialog);
    AttachDocument(document);
    return TRUE;
}

BOOL CFormView::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Buttons are commands, and so is a command from a menu or key (no control): they travel the
    // view's route to the document.
    if (!lParam || HIWORD(wParam) == BN_CLICKED)
        return OnCmdMsg(LOWORD(wParam));
    return FALSE;
}

void CFormView::ScrollToShow(HWND child) {
    RECT client, rect;
    ::GetClientRect(m_hWnd, &client);
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    // Within the view where it fits; its top left corner first where it does not.
    auto shift = [](LONG low, LONG high, LONG size) -> LONG {
        if (high > size)
            return std::min(low, high - size);
        return low < 0 ? low : 0;
    };
    const LONG dx = shift(rect.left, rect.right, client.right), dy = shift(rect.top, rect.bottom, client.bottom);
    if (dx == 0 && dy == 0)
        return;
    const POINT limit = {std::max<LONG>(0, m_totalSize.cx - client.right),
                         std::max<LONG>(0, m_totalSize.cy - client.bottom)};
    ScrollTo({std::clamp<LONG>(m_scroll.x + dx, 0, limit.x), std::clamp<LONG>(m_scroll.y + dy, 0, limit.y)});
}

void CFormView::OnSize(UINT, int, int) { UpdateScrollBars(); }

void CFormView::SetScrollSizes(SIZE total) {
    m_totalSize = total;
    UpdateScrollBars();
}

void CFormView::UpdateScrollBars() {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const POINT limit = {std::max<LONG>(0, m_totalSize.cx - client.right),
                         std::max<LONG>(0, m_totalSize.cy - client.bottom)};
    ScrollTo({std::min(m_scroll.x, limit.x), std::min(m_scroll.y, limit.y)});
    const SIZE page = {client.right, client.bottom};
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_PAGE | SIF_POS | SIF_RANGE;
        info.nMax = (bar == SB_HORZ ? m_totalSize.cx : m_totalSize.cy) - 1;
        info.nPage = static_cast<UINT>(std::max<LONG>(0, bar == SB_HORZ ? page.cx : page.cy));
        info.nPos = bar == SB_HORZ ? m_scroll.x : m_scroll.y;
        ::SetScrollInfo(m_hWnd, bar, &info, TRUE);
    }
}

void CFormView::ScrollTo(POINT position) {
    const int dx = m_scroll.x - position.x, dy = m_scroll.y - position.y;
    if (dx == 0 && dy == 0)
        return;
    m_scroll = position;
    ::ScrollWindowEx(m_hWnd, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    ::SetScrollPos(m_hWnd, SB_HORZ, m_scroll.x, TRUE);
    ::SetScrollPos(m_hWnd, SB_VERT, m_scroll.y, TRUE);
}

BOOL CFormView::OnScroll(int bar, UINT code) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, bar, &info);
    const int line = 20, page = std::max<int>(line, static_cast<int>(info.nPage) - line);
    int position = info.nPos;
    switch (code) {
    case SB_LINEUP:
        position -= line;
        break;
    case SB_LINEDOWN:
        position += line;
        break;
    case SB_PAGEUP:
        position -= page;
        break;
    case SB_PAGEDOWN:
        position += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = info.nMin;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return TRUE;
    }
    const int limit = std::max(0, info.nMax + 1 - static_cast<int>(info.nPage));
    position = std::clamp(position, 0, limit);
    ScrollTo(bar == SB_HORZ ? POINT{position, m_scroll.y} : POINT{m_scroll.x, position});
    return TRUE;
}

BOOL CFormView::OnMouseWheel(int delta) {
    const UINT code = delta > 0 ? SB_LINEUP : SB_LINEDOWN;
    for (int notches = std::max(1, std::abs(delta) / WHEEL_DELTA); notches > 0; --notches)
        OnScroll(SB_VERT, code);
    return TRUE;
}
