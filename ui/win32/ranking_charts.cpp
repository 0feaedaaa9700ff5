#include "ui/win32/ranking_charts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "batch/messages.h"
#include "ui/win32/chart_axis.h"
#include "ui/win32/wide_text.h"

namespace diz::win32 {
namespace {

constexpr wchar_t kChartClass[] = L"DizRankingChart";

constexpr COLORREF colourRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The best order and the selected one have one colour each in both charts,
// and differ without their colours as well (batch/ranking.h): the best
// order's bars solid and its mark a solid line, the selected order's bars
// hatched and its mark dashed.
constexpr COLORREF kBestColour = colourRef(ranking::kBestColour);
constexpr COLORREF kSelectedColour = colourRef(ranking::kSelectedColour);
constexpr COLORREF kAreaColour = colourRef(ranking::kSpreadColour);
constexpr COLORREF kAreaEdgeColour = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kGridColour = RGB(0xe0, 0xe0, 0xe0);
constexpr COLORREF kAxisColour = RGB(0x60, 0x60, 0x60);
constexpr COLORREF kTextColour = RGB(0x20, 0x20, 0x20);
constexpr int kSpacing = 4;  // pixels between a chart's parts

std::string orderLabel(std::string_view what, const RankingRows& rows, std::uint32_t row) {
    std::string label(what);
    label += ' ';
    label += rows.order(row);
    return label;
}

std::wstring formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return toWide(text);
}

SIZE textSize(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void drawText(HDC dc, const std::wstring& text, int x, int y) {
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void fillRect(HDC dc, const RECT& box, COLORREF colour) {
    const UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &box, brush.get());
}

// Diagonal lines in `colour` over white, inside an outline in `colour`.
void hatchRect(HDC dc, const RECT& box, COLORREF colour) {
    fillRect(dc, box, RGB(0xff, 0xff, 0xff));
    const UniqueBrush hatch(CreateHatchBrush(HS_BDIAGONAL, colour));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    FillRect(dc, &box, hatch.get());
    SetBkMode(dc, oldMode);
    const UniqueBrush edge(CreateSolidBrush(colour));
    FrameRect(dc, &box, edge.get());
}

void drawLine(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

UniquePen solidPen(COLORREF colour, int width) {
    return UniquePen(CreatePen(PS_SOLID, width, colour));
}

UniquePen dashedPen(COLORREF colour, int width) {
    LOGBRUSH brush{BS_SOLID, colour, 0};
    return UniquePen(ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT,
                                  static_cast<DWORD>(width), &brush, 0, nullptr));
}

// A value axis mapped onto a span of pixels.
struct Mapping {
    double low, high;
    int from, to;  // pixel of low and of high
    int at(double value) const {
        const double share = high > low ? (value - low) / (high - low) : 0.0;
        return from + static_cast<int>(std::lround(share * (to - from)));
    }
};

// The title at the top, the legend at the bottom and the room for the plot
// between them, with the value labels of the vertical axis at its left.
struct Frame {
    RECT plot;
    int legendTop;
};

// One legend entry: a swatch (a filled box, a line or a dashed line) and its name.
struct LegendEntry {
    enum class Swatch { Box, HatchedBox, Line, DashedLine } swatch;
    COLORREF colour;
    std::wstring name;
};

void drawLegend(HDC dc, const std::vector<LegendEntry>& entries, const RECT& area, int top) {
    const int swatch = 16;
    int width = 0;
    for (const LegendEntry& entry : entries) {
        width += swatch + kSpacing + textSize(dc, entry.name).cx + 3 * kSpacing;
    }
    int x = static_cast<int>(area.left) +
            std::max(0, static_cast<int>(area.right - area.left) - width) / 2;
    const int height = textSize(dc, L"0").cy;
    for (const LegendEntry& entry : entries) {
        const int middle = top + height / 2;
        if (entry.swatch == LegendEntry::Swatch::Box) {
            fillRect(dc, RECT{x, middle - 5, x + swatch, middle + 5}, entry.colour);
        } else if (entry.swatch == LegendEntry::Swatch::HatchedBox) {
            hatchRect(dc, RECT{x, middle - 5, x + swatch, middle + 5}, entry.colour);
        } else {
            const UniquePen pen = entry.swatch == LegendEntry::Swatch::Line
                                      ? solidPen(entry.colour, 2)
                                      : dashedPen(entry.colour, 2);
            const SelectedObject selected(dc, pen.get());
            drawLine(dc, x, middle, x + swatch, middle);
        }
        x += swatch + kSpacing;
        drawText(dc, entry.name, x, top);
        x += textSize(dc, entry.name).cx + 3 * kSpacing;
    }
}

}  // namespace

RankingCharts::RankingCharts(HINSTANCE instance, HWND parent, int spreadId, int inningsId)
    : m_parent(parent) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    if (!GetClassInfoExW(instance, kChartClass, &type)) {
        type.style = CS_HREDRAW | CS_VREDRAW;
        type.lpfnWndProc = chartProc;
        type.hInstance = instance;
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        type.lpszClassName = kChartClass;
        RegisterClassExW(&type);
    }
    const auto make = [&](int id) {
        return CreateWindowExW(WS_EX_CLIENTEDGE, kChartClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0,
                               0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               instance, this);
    };
    m_spreadWindow = make(spreadId);
    m_inningsWindow = make(inningsId);
    clear();
}

LRESULT CALLBACK RankingCharts::chartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<RankingCharts*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT:
            if (self == nullptr) break;
            self->paint(window);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RankingCharts::clear() {
    m_spread = Spread{};
    m_spread.bestLabel = msg::kChartBest;
    m_spread.selectedLabel = msg::kChartSelected;
    m_innings = Innings{};
    m_innings.bestLabel = msg::kChartBest;
    m_innings.selectedLabel = msg::kChartSelected;
    repaint();
}

void RankingCharts::showRows(const RankingRows& rows, std::uint32_t best,
                             const RunsHistogram& histogram) {
    clear();
    if (rows.size() == 0 || best >= rows.size() || histogram.counts.empty()) return;
    m_spread.histogram = histogram;
    m_spread.bestRuns = rows.figures[best].meanRuns;
    m_spread.bestLabel = orderLabel(msg::kChartBest, rows, best);
    m_innings.bestLabel = m_spread.bestLabel;
    for (int inning = 0; inning < kInnings; ++inning) {
        m_innings.best[static_cast<std::size_t>(inning)] = rows.inningRuns(best, inning);
    }
    showSelected(rows, best, best);
}

void RankingCharts::showBestRange(const std::optional<RankingTable::RunsRange>& range) {
    m_spread.bestRange = m_spread.histogram.counts.empty() ? std::nullopt : range;
    repaint();
}

void RankingCharts::showSelected(const RankingRows& rows, std::uint32_t best,
                                 std::uint32_t selected) {
    if (selected >= rows.size() || best >= rows.size() || m_spread.histogram.counts.empty()) {
        return;
    }
    m_spread.selectedRuns = rows.figures[selected].meanRuns;
    m_spread.selectedLabel = orderLabel(msg::kChartSelected, rows, selected);
    m_innings.shown = true;
    m_innings.selectedLabel = m_spread.selectedLabel;
    for (int inning = 0; inning < kInnings; ++inning) {
        m_innings.selected[static_cast<std::size_t>(inning)] = rows.inningRuns(selected, inning);
    }
    repaint();
}

void RankingCharts::repaint() const {
    for (const HWND window : {m_spreadWindow, m_inningsWindow}) {
        if (window != nullptr) InvalidateRect(window, nullptr, FALSE);
    }
}

void RankingCharts::makeFonts(HDC dc) {
    if (m_titleFont) return;
    LOGFONTW font{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    m_titleFont.reset(CreateFontIndirectW(&font));
    font.lfWeight = FW_NORMAL;
    font.lfEscapement = 900;
    font.lfOrientation = 900;
    m_verticalFont.reset(CreateFontIndirectW(&font));
}

void RankingCharts::paint(HWND window) {
    PAINTSTRUCT painting{};
    const HDC target = BeginPaint(window, &painting);
    RECT area{};
    GetClientRect(window, &area);
    // Drawn off screen and copied in one step, so that nothing flickers.
    const UniqueMemoryDc dc(CreateCompatibleDC(target));
    const UniqueBitmap bitmap(
        CreateCompatibleBitmap(target, std::max(1L, area.right), std::max(1L, area.bottom)));
    {
        const SelectedObject selectedBitmap(dc.get(), bitmap.get());
        const SelectedObject selectedFont(
            dc.get(), reinterpret_cast<HFONT>(SendMessageW(m_parent, WM_GETFONT, 0, 0)));
        makeFonts(dc.get());
        fillRect(dc.get(), area, RGB(0xff, 0xff, 0xff));
        SetBkMode(dc.get(), TRANSPARENT);
        SetTextColor(dc.get(), kTextColour);
        if (window == m_spreadWindow) {
            paintSpread(dc.get(), area);
        } else {
            paintInnings(dc.get(), area);
        }
        BitBlt(target, 0, 0, area.right, area.bottom, dc.get(), 0, 0, SRCCOPY);
    }
    EndPaint(window, &painting);
}

namespace {

// Lays out a chart: the title, the axis titles, the value labels of the
// vertical axis as wide as `widestLabel`, a row of labels under the plot,
// and the legend.
Frame layOut(HDC dc, HFONT titleFont, const RECT& area, const std::wstring& title,
             const std::wstring& widestLabel) {
    const int lineHeight = textSize(dc, L"0").cy;
    {
        const SelectedObject bold(dc, titleFont);
        const SIZE size = textSize(dc, title);
        drawText(dc, title, (area.left + area.right - size.cx) / 2, area.top + kSpacing);
    }
    Frame frame{};
    frame.plot.top = area.top + kSpacing + lineHeight + 2 * kSpacing;
    frame.plot.left =
        area.left + kSpacing + lineHeight + kSpacing + textSize(dc, widestLabel).cx + kSpacing;
    frame.plot.right = area.right - 3 * kSpacing;
    frame.legendTop = area.bottom - kSpacing - lineHeight;
    // Under the plot: the tick labels and the axis title.
    frame.plot.bottom = frame.legendTop - kSpacing - 2 * lineHeight - 2 * kSpacing;
    if (frame.plot.bottom <= frame.plot.top) frame.plot.bottom = frame.plot.top + 1;
    if (frame.plot.right <= frame.plot.left) frame.plot.right = frame.plot.left + 1;
    return frame;
}

// The horizontal grid lines and value labels of the vertical axis, and its
// title turned upright at the left edge.
void drawValueAxis(HDC dc, HFONT verticalFont, const RECT& area, const Frame& frame,
                   const AxisScale& scale, const Mapping& y, const char* format,
                   const std::wstring& title) {
    const UniquePen grid = solidPen(kGridColour, 1);
    const int lineHeight = textSize(dc, L"0").cy;
    for (int tick = 0; tick < scale.ticks(); ++tick) {
        const double value = scale.low + tick * scale.step;
        const int at = y.at(value);
        {
            const SelectedObject pen(dc, grid.get());
            drawLine(dc, frame.plot.left, at, frame.plot.right, at);
        }
        const std::wstring label = formatted(format, value);
        drawText(dc, label, frame.plot.left - kSpacing - textSize(dc, label).cx,
                 at - lineHeight / 2);
    }
    const SelectedObject upright(dc, verticalFont);
    const SIZE size = textSize(dc, title);
    drawText(dc, title, area.left + kSpacing, (frame.plot.top + frame.plot.bottom + size.cx) / 2);
}

void drawAxisTitle(HDC dc, const Frame& frame, const std::wstring& title) {
    const int lineHeight = textSize(dc, L"0").cy;
    const SIZE size = textSize(dc, title);
    drawText(dc, title, (frame.plot.left + frame.plot.right - size.cx) / 2,
             frame.plot.bottom + kSpacing + lineHeight + kSpacing);
}

void drawPlotEdges(HDC dc, const Frame& frame) {
    const UniquePen axis = solidPen(kAxisColour, 1);
    const SelectedObject pen(dc, axis.get());
    drawLine(dc, frame.plot.left, frame.plot.top, frame.plot.left, frame.plot.bottom);
    drawLine(dc, frame.plot.left, frame.plot.bottom, frame.plot.right, frame.plot.bottom);
}

}  // namespace

void RankingCharts::paintSpread(HDC dc, const RECT& area) {
    const RunsHistogram& histogram = m_spread.histogram;
    const bool empty = histogram.counts.empty();
    // The runs axis spans the bins exactly; the count axis gets round numbers.
    // The best order's range may reach below the lowest bin.
    const double from = empty
                            ? 0.0
                            : std::min(histogram.from, m_spread.bestRange ? m_spread.bestRange->low
                                                                          : histogram.from);
    const double to =
        empty ? 1.0
              : histogram.from + histogram.width * static_cast<double>(histogram.counts.size());
    const int highest =
        empty ? 0 : *std::max_element(histogram.counts.begin(), histogram.counts.end());
    const AxisScale counts = niceScale(0.0, empty ? 1.0 : highest * 1.05);

    const Frame frame = layOut(dc, m_titleFont.get(), area, toWide(msg::kChartSpread),
                               formatted("%.0f", counts.high));
    const Mapping x{from, to, frame.plot.left, frame.plot.right};
    const Mapping y{counts.low, counts.high, frame.plot.bottom, frame.plot.top};
    drawValueAxis(dc, m_verticalFont.get(), area, frame, counts, y, "%.0f",
                  toWide(msg::kChartOrdersAxis));
    // Five runs labels spread evenly across the bins.
    constexpr int kRunsTicks = 5;
    for (int tick = 0; tick < kRunsTicks; ++tick) {
        const double value = from + (to - from) * tick / (kRunsTicks - 1);
        const std::wstring label = formatted("%.3f", value);
        const int at = x.at(value);
        const int width = textSize(dc, label).cx;
        const int left = std::clamp(at - width / 2, static_cast<int>(area.left),
                                    static_cast<int>(area.right) - width);
        drawText(dc, label, left, frame.plot.bottom + kSpacing);
    }
    drawAxisTitle(dc, frame, toWide(msg::kChartRunsAxis));

    if (!empty) {
        // The outline of the bars as steps, filled down to the axis.
        std::vector<POINT> steps;
        steps.reserve(2 * histogram.counts.size() + 2);
        steps.push_back({x.at(from), y.at(0.0)});
        double left = from;
        for (const int count : histogram.counts) {
            steps.push_back({x.at(left), y.at(count)});
            steps.push_back({x.at(left + histogram.width), y.at(count)});
            left += histogram.width;
        }
        steps.push_back({x.at(to), y.at(0.0)});
        const UniqueBrush fill(CreateSolidBrush(kAreaColour));
        const UniquePen edge = solidPen(kAreaEdgeColour, 1);
        const SelectedObject brush(dc, fill.get());
        const SelectedObject pen(dc, edge.get());
        Polygon(dc, steps.data(), static_cast<int>(steps.size()));
    }
    drawPlotEdges(dc, frame);
    if (!empty) {
        const UniquePen best = solidPen(kBestColour, 2);
        const UniquePen selected = dashedPen(kSelectedColour, 2);
        for (const auto& [runs, pen] : {std::pair{m_spread.bestRuns, best.get()},
                                        std::pair{m_spread.selectedRuns, selected.get()}}) {
            const SelectedObject chosen(dc, pen);
            drawLine(dc, x.at(runs), y.at(0.0), x.at(runs), y.at(counts.high));
        }
    }
    std::vector<LegendEntry> legend{
        {LegendEntry::Swatch::Box, kAreaColour, toWide(msg::kChartOrdersAxis)},
        {LegendEntry::Swatch::Line, kBestColour, toWide(m_spread.bestLabel)},
        {LegendEntry::Swatch::DashedLine, kSelectedColour, toWide(m_spread.selectedLabel)}};
    if (!empty && m_spread.bestRange) {
        // A bracket near the top, its ends turned down, thinner than the mark.
        const UniquePen bracket = solidPen(kBestColour, 1);
        const SelectedObject pen(dc, bracket.get());
        const int top = y.at(counts.high * 0.92);
        const int ends = y.at(counts.high * 0.87);
        const int low = x.at(m_spread.bestRange->low);
        const int high = x.at(m_spread.bestRange->high);
        const POINT shape[] = {{low, ends}, {low, top}, {high, top}, {high, ends}};
        Polyline(dc, shape, 4);
        legend.push_back({LegendEntry::Swatch::Line, kBestColour, toWide(msg::kChartBestRange)});
    }
    drawLegend(dc, legend, area, frame.legendTop);
}

void RankingCharts::paintInnings(HDC dc, const RECT& area) {
    double highest = 0.0;
    if (m_innings.shown) {
        for (int inning = 0; inning < kInnings; ++inning) {
            const auto i = static_cast<std::size_t>(inning);
            highest = std::max({highest, m_innings.selected[i], m_innings.best[i]});
        }
    }
    const AxisScale runs = niceScale(0.0, highest > 0.0 ? highest * 1.1 : 1.0);
    const Frame frame = layOut(dc, m_titleFont.get(), area, toWide(msg::kChartInnings),
                               formatted("%.2f", runs.high));
    const Mapping y{runs.low, runs.high, frame.plot.bottom, frame.plot.top};
    drawValueAxis(dc, m_verticalFont.get(), area, frame, runs, y, "%.2f",
                  toWide(msg::kChartInningRunsAxis));

    // Nine bands, one per inning: the selected order's bar, then the best's.
    const int plotWidth = frame.plot.right - frame.plot.left;
    for (int inning = 0; inning < kInnings; ++inning) {
        const int left = frame.plot.left + plotWidth * inning / kInnings;
        const int right = frame.plot.left + plotWidth * (inning + 1) / kInnings;
        const std::wstring label = std::to_wstring(inning + 1);
        drawText(dc, label, (left + right - textSize(dc, label).cx) / 2,
                 frame.plot.bottom + kSpacing);
        if (!m_innings.shown) continue;
        const int bar = std::max(1, (right - left) * 3 / 10);
        const int middle = (left + right) / 2;
        const auto i = static_cast<std::size_t>(inning);
        hatchRect(dc, RECT{middle - bar, y.at(m_innings.selected[i]), middle, frame.plot.bottom},
                  kSelectedColour);
        fillRect(dc, RECT{middle, y.at(m_innings.best[i]), middle + bar, frame.plot.bottom},
                 kBestColour);
    }
    drawAxisTitle(dc, frame, toWide(msg::kChartInningAxis));
    drawPlotEdges(dc, frame);
    drawLegend(dc,
               {{LegendEntry::Swatch::HatchedBox, kSelectedColour, toWide(m_innings.selectedLabel)},
                {LegendEntry::Swatch::Box, kBestColour, toWide(m_innings.bestLabel)}},
               area, frame.legendTop);
}

}  // namespace diz::win32
