// Turning the layout's coordinates into GDI calls.
#include "ChartPainter.h"

#include <algorithm>

#include "framework/SelectedObject.h"

#include <cmath>
#include <vector>

namespace {

// Layout coordinates are rounded only here, when they become pixels.
int Pixel(double coordinate) { return static_cast<int>(std::lround(coordinate)); }

COLORREF ColorOf(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

HFONT CreateChartFont(double size, bool bold) {
    return ::CreateFontA(-Pixel(size), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

UINT AlignmentOf(ChartText::Anchor anchor) {
    switch (anchor) {
    case ChartText::Anchor::Middle:
        return TA_BASELINE | TA_CENTER;
    case ChartText::Anchor::End:
        return TA_BASELINE | TA_RIGHT;
    default:
        return TA_BASELINE | TA_LEFT;
    }
}

} // namespace

ChartPainter::ChartPainter(HDC dc, const ChartLayout& chart)
    : m_dc(dc), m_chart(chart), m_font(CreateChartFont(chart.fontSize, false)),
      m_boldFont(CreateChartFont(chart.fontSize, true)),
      m_gridPen(::CreatePen(PS_SOLID, 1, ColorOf(ChartLayout::kGridColor))),
      m_framePen(::CreatePen(PS_SOLID, 1, ColorOf(ChartLayout::kFrameColor))) {}

void ChartPainter::Draw() {
    const RECT all{0, 0, Pixel(m_chart.width), Pixel(m_chart.height)};
    const UniqueBrush background(::CreateSolidBrush(ColorOf(ChartLayout::kBackground)));
    ::FillRect(m_dc, &all, background ? background.Get() : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(m_dc, TRANSPARENT);
    ::SetTextColor(m_dc, ColorOf(ChartLayout::kTextColor));
    for (const ChartPanel& panel : m_chart.panels) {
        DrawGrid(panel);
        DrawText(panel.title);
        for (const ChartSeries& series : panel.series)
            DrawBefore(series);
        for (const ChartSeries& series : panel.series)
            DrawSeries(series);
        for (const ChartSeries& series : panel.series)
            DrawLegend(series);
    }
    for (const ChartTurn& turn : m_chart.turns)
        DrawText(turn.label);
}

void ChartPainter::DrawGrid(const ChartPanel& panel) {
    for (const ChartTurn& turn : m_chart.turns)
        DrawLine(turn.x, panel.plot.top, turn.x, panel.plot.bottom, m_gridPen.Get());
    for (const ChartTick& tick : panel.ticks)
        DrawLine(panel.plot.left, tick.y, panel.plot.right, tick.y, m_gridPen.Get());
    {
        const SelectedObject pen(m_dc, m_framePen.Get());
        const SelectedObject brush(m_dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(m_dc, Pixel(panel.plot.left), Pixel(panel.plot.top), Pixel(panel.plot.right) + 1,
                    Pixel(panel.plot.bottom) + 1);
    }
    for (const ChartTick& tick : panel.ticks)
        DrawText(tick.label);
}

// The table before a plan: the same colour, dashed, without dots, drawn under the plan's lines. A pen
// wider than a pixel is dashed only as a geometric pen with its own style; where the system has none,
// a plain dashed pen of one pixel.
void ChartPainter::DrawBefore(const ChartSeries& series) {
    if (series.beforeRuns.empty())
        return;
    const COLORREF color = ColorOf(series.color);
    const LOGBRUSH brush{BS_SOLID, color, 0};
    const DWORD dash = static_cast<DWORD>(std::max(1, Pixel(m_chart.dashLength)));
    const DWORD style[] = {dash, dash};
    UniquePen dashed(
        ::ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, Pixel(m_chart.lineWidth), &brush, 2, style));
    if (!dashed)
        dashed.Reset(::CreatePen(PS_DASH, 1, color));
    const SelectedObject pen(m_dc, dashed.Get());
    DrawRuns(series.beforeRuns, kNoDots);
}

void ChartPainter::DrawSeries(const ChartSeries& series) {
    const COLORREF color = ColorOf(series.color);
    const UniquePen line(::CreatePen(PS_SOLID, Pixel(m_chart.lineWidth), color));
    const UniqueBrush fill(::CreateSolidBrush(color));
    const SelectedObject pen(m_dc, line.Get());
    const SelectedObject brush(m_dc, fill.Get());
    // A dot on each point: a value standing alone between empty texts shows too.
    DrawRuns(series.runs, Pixel(m_chart.markerRadius));
}

// One line per run of consecutive turns with the pen selected, and unless kNoDots a dot on each point
// with the brush selected.
void ChartPainter::DrawRuns(const std::vector<ChartRun>& runs, int dotRadius) {
    std::vector<POINT> points;
    for (const ChartRun& run : runs) {
        points.clear();
        for (const ChartPoint& point : run)
            points.push_back({Pixel(point.x), Pixel(point.y)});
        if (points.size() > 1)
            ::Polyline(m_dc, points.data(), static_cast<int>(points.size()));
        if (dotRadius != kNoDots)
            for (const POINT& point : points)
                ::Ellipse(m_dc, point.x - dotRadius, point.y - dotRadius, point.x + dotRadius + 1,
                          point.y + dotRadius + 1);
    }
}

void ChartPainter::DrawLegend(const ChartSeries& series) {
    const UniquePen swatch(::CreatePen(PS_SOLID, Pixel(m_chart.lineWidth), ColorOf(series.color)));
    DrawLine(series.swatchLeft, series.swatchY, series.swatchRight, series.swatchY, swatch.Get());
    DrawText(series.legend);
}

void ChartPainter::DrawText(const ChartText& text) {
    const SelectedObject font(m_dc, text.bold ? m_boldFont.Get() : m_font.Get());
    ::SetTextAlign(m_dc, AlignmentOf(text.anchor));
    ::TextOutA(m_dc, Pixel(text.x), Pixel(text.baseline), text.text.data(), static_cast<int>(text.text.size()));
}

void ChartPainter::DrawLine(double x1, double y1, double x2, double y2, HPEN pen) {
    const SelectedObject selected(m_dc, pen);
    ::MoveToEx(m_dc, Pixel(x1), Pixel(y1), nullptr);
    ::LineTo(m_dc, Pixel(x2), Pixel(y2));
}
