// Draws a chart's layout with GDI: what the layout computes, rounded to pixels, and nothing of its own.
#pragma once

#include "framework/UniqueHandle.h"
#include "model/ChartLayout.h"

#include <vector>

class ChartPainter {
public:
    // Fonts for the layout's font size; a font the system refuses leaves the device context's own.
    ChartPainter(HDC dc, const ChartLayout& chart);

    // The whole chart over the layout's area, background included.
    void Draw();

private:
    void DrawGrid(const ChartPanel& panel);
    void DrawBefore(const ChartSeries& series);
    void DrawSeries(const ChartSeries& series);
    static constexpr int kNoDots = -1;
    void DrawRuns(const std::vector<ChartRun>& runs, int dotRadius);
    void DrawLegend(const ChartSeries& series);
    void DrawText(const ChartText& text);
    void DrawLine(double x1, double y1, double x2, double y2, HPEN pen);

    HDC m_dc;
    const ChartLayout& m_chart;
    UniqueGdiFont m_font;
    UniqueGdiFont m_boldFont;
    UniquePen m_gridPen;
    UniquePen m_framePen;
};
