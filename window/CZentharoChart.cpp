// Opening the chart beside its projection, following it, and painting it.
#include "CZentharoChart.h"

#include "ChartPainter.h"
#include "ChartPlacement.h"
#include "framework/CWinApp.h"
#include "framework/ModuleInstance.h"
#include "framework/SelectedObject.h"
#include "framework/UniqueHandle.h"
#include "model/CZentharoDoc.h"

#include <string>

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

ScreenBox WindowBox(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The work area of the screen the projection is on.
ScreenBox WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT area{};
    if (::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        area = monitor.rcWork;
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return {area.left, area.top, area.right, area.bottom};
}

} // namespace

bool CZentharoChart::RegisterWindowClass() {
    WNDCLASSEXA chartClass{};
    chartClass.cbSize = sizeof chartClass;
    if (::GetClassInfoExA(ModuleInstance(), kWindowClassName, &chartClass))
        return true;
    chartClass.style = CS_HREDRAW | CS_VREDRAW;
    chartClass.lpfnWndProc = &CWnd::StandardWindowProc;
    chartClass.hInstance = ModuleInstance();
    chartClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    chartClass.lpszClassName = kWindowClassName;
    // No background brush: the painting covers the whole client area, from the off-screen bitmap.
    return AfxGetApp()->m_windowClasses.Register(chartClass);
}

bool CZentharoChart::Open(HWND projectionFrame, const CZentharoDoc& document, ScreenScale scale) {
    if (m_hWnd) {
        BringForward();
        return true;
    }
    if (!RegisterWindowClass())
        return false;
    const std::string title = std::string(ModuleContract::kChartTitlePrefix) + document.GetTitle().Bytes();
    RECT frame{0, 0, scale.Pixels(kClientWidth), scale.Pixels(kClientHeight)};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const ScreenBox placed = ChartPlacement::Beside(WindowBox(projectionFrame), WorkAreaOf(projectionFrame),
                                                    frame.right - frame.left, frame.bottom - frame.top);
    m_document = &document;
    m_scale = scale;
    // Made hidden and shown once whole; a window that fails while being made is gone again when the call
    // returns, and this object is left without one.
    const HWND owner = ::GetAncestor(projectionFrame, GA_ROOT);
    if (!::CreateWindowExA(kExStyle, kWindowClassName, title.c_str(), kStyle, placed.left, placed.top, placed.Width(),
                           placed.Height(), owner, nullptr, ModuleInstance(), this) ||
        !m_hWnd) {
        m_document = nullptr;
        return false;
    }
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::UpdateWindow(m_hWnd);
    return true;
}

void CZentharoChart::BringForward() {
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetActiveWindow(m_hWnd);
}

void CZentharoChart::Refresh() noexcept {
    if (!m_hWnd)
        return;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

void CZentharoChart::ShowPlan(const CZentharoDoc* planned) noexcept {
    m_planned = planned;
    Refresh();
}

void CZentharoChart::FollowProjection(bool shown) noexcept {
    if (m_hWnd)
        ::ShowWindow(m_hWnd, shown ? SW_SHOWNA : SW_HIDE);
}

void CZentharoChart::Close() noexcept {
    if (m_hWnd)
        ::DestroyWindow(m_hWnd); // its WM_NCDESTROY leaves this object without a window
    m_document = nullptr;
    m_planned = nullptr;
}

LRESULT CZentharoChart::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the painting covers everything
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            Close();
            return 0;
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// The area is validated whatever happens, or the window would be asked to paint again at once, forever.
void CZentharoChart::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    if (!dc)
        return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    try {
        Paint(dc, client);
    } catch (...) {
        // No memory for the layout: an empty chart rather than pieces of an old one.
        ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ::EndPaint(m_hWnd, &paint);
}

void CZentharoChart::Paint(HDC dc, const RECT& client) const {
    if (!m_document || client.right <= 0 || client.bottom <= 0)
        return;
    const double fontSize = ChartLayout::FontSizeAt(m_scale.Dpi());
    const ChartLayout chart = m_planned ? ChartLayout::Of(*m_planned, client.right, client.bottom, fontSize, m_document)
                                        : ChartLayout::Of(*m_document, client.right, client.bottom, fontSize);
    // Drawn off screen and copied in one go; without the memory for a bitmap, drawn straight on.
    const UniqueMemoryDc memory(::CreateCompatibleDC(dc));
    const UniqueBitmap bitmap(::CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (!memory || !bitmap) {
        ChartPainter(dc, chart).Draw();
        return;
    }
    const SelectedObject selected(memory.Get(), bitmap.Get());
    ChartPainter(memory.Get(), chart).Draw();
    ::BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}
