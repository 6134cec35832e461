// Writing the chart's layout as SVG elements.
#include "ChartSvg.h"

#include "framework/Utf8.h"
#include "model/ChartLayout.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ChartSvg {
namespace {

// A coordinate with two decimals, an exact tie rounded away from zero: the same text on every platform.
std::string Number(double value) {
    const long long hundredths = std::llround(value * 100);
    const long long whole = (hundredths < 0 ? -hundredths : hundredths) / 100;
    const int decimals = static_cast<int>((hundredths < 0 ? -hundredths : hundredths) % 100);
    return std::string(hundredths < 0 ? "-" : "") + std::to_string(whole) + (decimals < 10 ? ".0" : ".") +
           std::to_string(decimals);
}

std::string Colour(std::uint32_t rgb) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4)
        text += kDigits[(rgb >> shift) & 0xF];
    return text;
}

// Text for an attribute or element: markup characters escaped, and bytes that are no well-formed UTF-8
// or no character XML allows (a record may hold Windows-1251 text or control bytes) replaced by U+FFFD.
std::string Escaped(std::string_view text) {
    static const char kReplacement[] = "\xEF\xBF\xBD";
    std::string escaped;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const std::size_t length = Utf8::SequenceLength(text.substr(i));
        const bool control = static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
        if (length == 0 || control) {
            escaped += kReplacement;
            ++i;
            continue;
        }
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped.append(text.substr(i, length));
        }
        i += length;
    }
    return escaped;
}

const char* AnchorName(ChartText::Anchor anchor) {
    switch (anchor) {
    case ChartText::Anchor::Middle:
        return "middle";
    case ChartText::Anchor::End:
        return "end";
    default:
        return "start";
    }
}

void WriteText(const ChartText& text, std::ostream& out, const char* extra = "") {
    out << "<text x=\"" << Number(text.x) << "\" y=\"" << Number(text.baseline) << "\"";
    if (text.anchor != ChartText::Anchor::Start)
        out << " text-anchor=\"" << AnchorName(text.anchor) << "\"";
    if (text.bold)
        out << " font-weight=\"bold\"";
    out << extra << ">" << Escaped(text.text) << "</text>\n";
}

void WriteLine(double x1, double y1, double x2, double y2, std::ostream& out, const std::string& extra = "") {
    out << "<line x1=\"" << Number(x1) << "\" y1=\"" << Number(y1) << "\" x2=\"" << Number(x2) << "\" y2=\""
        << Number(y2) << "\"" << extra << "/>\n";
}

void WriteGrid(const ChartLayout& chart, const ChartPanel& panel, std::ostream& out) {
    out << "<g class=\"grid\" stroke=\"" << Colour(ChartLayout::kGridColor) << "\" stroke-width=\"1\">\n";
    for (const ChartTurn& turn : chart.turns)
        WriteLine(turn.x, panel.plot.top, turn.x, panel.plot.bottom, out,
                  " data-turn=\"" + Escaped(turn.label.text) + "\"");
    for (const ChartTick& tick : panel.ticks)
        WriteLine(panel.plot.left, tick.y, panel.plot.right, tick.y, out, " data-tick=\"" + tick.text + "\"");
    out << "</g>\n";
    out << "<rect class=\"plot\" x=\"" << Number(panel.plot.left) << "\" y=\"" << Number(panel.plot.top)
        << "\" width=\"" << Number(panel.plot.Width()) << "\" height=\"" << Number(panel.plot.Height())
        << "\" fill=\"none\" stroke=\"" << Colour(ChartLayout::kFrameColor) << "\"/>\n";
    out << "<g class=\"ticks\">\n";
    for (const ChartTick& tick : panel.ticks)
        WriteText(tick.label, out);
    out << "</g>\n";
}

void WriteRuns(const ChartLayout& chart, const ChartSeries& series, const std::vector<ChartRun>& runs,
               const std::string& extra, std::ostream& out) {
    for (const ChartRun& run : runs) {
        out << "<polyline data-series=\"" << Escaped(series.column) << "\"" << extra << " points=\"";
        for (std::size_t i = 0; i < run.size(); ++i)
            out << (i ? " " : "") << Number(run[i].x) << "," << Number(run[i].y);
        out << "\" fill=\"none\" stroke=\"" << Colour(series.color) << "\" stroke-width=\"" << Number(chart.lineWidth)
            << "\" stroke-linejoin=\"round\"/>\n";
    }
}

// The table before a plan first, dashed and without dots, so that the plan's lines lie over it; then one
// line per run of consecutive turns, then a dot on each point: a value standing alone between empty
// texts shows too.
void WriteSeries(const ChartLayout& chart, const ChartSeries& series, std::ostream& out) {
    const std::string dashes = Number(chart.dashLength);
    WriteRuns(chart, series, series.beforeRuns, " data-before=\"\" stroke-dasharray=\"" + dashes + " " + dashes + "\"",
              out);
    WriteRuns(chart, series, series.runs, "", out);
    out << "<g class=\"dots\" fill=\"" << Colour(series.color) << "\">\n";
    for (const ChartRun& run : series.runs)
        for (const ChartPoint& point : run)
            out << "<circle cx=\"" << Number(point.x) << "\" cy=\"" << Number(point.y) << "\" r=\""
                << Number(chart.markerRadius) << "\"/>\n";
    out << "</g>\n";
}

void WriteLegend(const ChartLayout& chart, const ChartSeries& series, std::ostream& out) {
    out << "<g class=\"legend\">\n";
    WriteLine(series.swatchLeft, series.swatchY, series.swatchRight, series.swatchY, out,
              " stroke=\"" + Colour(series.color) + "\" stroke-width=\"" + Number(chart.lineWidth) + "\"");
    WriteText(series.legend, out);
    out << "</g>\n";
}

} // namespace

void Write(const CZentharoDoc& document, std::ostream& out, const CZentharoDoc* before) {
    const ChartLayout chart = ChartLayout::Of(document, kWidth, kHeight, kFontSize, before);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Number(chart.width) << "\" height=\""
        << Number(chart.height) << "\" viewBox=\"0 0 " << Number(chart.width) << " " << Number(chart.height)
        << "\" font-family=\"Arial, 'Liberation Sans', Helvetica, sans-serif\" font-size=\"" << Number(chart.fontSize)
        << "\" fill=\"" << Colour(ChartLayout::kTextColor) << "\">\n";
    out << "<title>" << Escaped(std::string(ChartLayout::kTitlePrefix) + document.GetTitle().Bytes()) << "</title>\n";
    out << "<rect width=\"" << Number(chart.width) << "\" height=\"" << Number(chart.height) << "\" fill=\""
        << Colour(ChartLayout::kBackground) << "\"/>\n";
    for (const ChartPanel& panel : chart.panels) {
        out << "<g data-panel=\"" << Escaped(panel.name) << "\">\n";
        WriteGrid(chart, panel, out);
        WriteText(panel.title, out);
        for (const ChartSeries& series : panel.series)
            WriteSeries(chart, series, out);
        for (const ChartSeries& series : panel.series)
            WriteLegend(chart, series, out);
        out << "</g>\n";
    }
    out << "<g class=\"turns\">\n";
    for (const ChartTurn& turn : chart.turns)
        WriteText(turn.label, out);
    out << "</g>\n</svg>\n";
}

} // namespace ChartSvg
