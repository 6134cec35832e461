// The chart window of a projection: a tool window owned by the host's main window, not an MDI child, so
// the host's MDI bookkeeping never sees it. Its projection's view holds it: the chart opens beside the
// projection on request, follows every recalculation and the projection's hiding and showing, and goes
// with it. Escape or its close box close the chart alone. It is drawn from the chart layout with GDI
// into an off-screen bitmap, so a redraw never flickers.
#pragma once

#include "contract/ModuleContract.h"
#include "framework/CWnd.h"
#include "window/ScreenScale.h"

class CZentharoDoc;

class CZentharoChart : public CWnd {
public:
    static constexpr const char* kWindowClassName = ModuleContract::kChartClassName;
    // The chart's client area at 96 DPI; in proportion at other resolutions.
    static constexpr int kClientWidth = 480;
    static constexpr int kClientHeight = 600;

    CZentharoChart() = default;
    CZentharoChart(const CZentharoChart&) = delete;
    CZentharoChart& operator=(const CZentharoChart&) = delete;
    ~CZentharoChart() override { Close(); }

    // Opens the chart of the document beside the projection's frame, whole and active, at the
    // projection's scale, or brings the open one forward. False, with nothing made, when the window
    // system refuses the window.
    bool Open(HWND projectionFrame, const CZentharoDoc& document, ScreenScale scale);
    bool IsOpen() const { return m_hWnd != nullptr; }
    // Draws the document again, at once.
    void Refresh() noexcept;
    // While a plan is offered: draws the planned table, with the document as it stands dashed beside it,
    // until called again with nullptr. The planned table must outlive the call, or be taken back first.
    void ShowPlan(const CZentharoDoc* planned) noexcept;
    // Hides the open chart with its projection, or shows it again with it.
    void FollowProjection(bool shown) noexcept;
    void Close() noexcept;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static bool RegisterWindowClass();
    void OnPaint();
    void Paint(HDC dc, const RECT& client) const;
    void BringForward();

    const CZentharoDoc* m_document = nullptr;
    const CZentharoDoc* m_planned = nullptr; // a plan offered for the document, drawn over it
    ScreenScale m_scale;
};
