// The ranking window's two charts, drawn with GDI: how the evaluated orders'
// expected runs are spread, with the best and the selected order marked, and
// the selected order's runs by inning beside the best order's.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "batch/ranking.h"
#include "diz/lineup.h"
#include "ui/win32/handles.h"

namespace diz::win32 {

// Two child windows of the ranking window, painted from what was last shown.
// Only the window's thread may call it.
class RankingCharts {
  public:
    // What the spread chart draws: the histogram's bins as steps filled down
    // to the axis, a line at the best and at the selected order, and once
    // resampled a bracket over the expected runs the best order's gap spans.
    struct Spread {
        RunsHistogram histogram;  // no bins: empty axes
        double bestRuns = 0.0;
        double selectedRuns = 0.0;
        std::string bestLabel;  // "最良 abcdefghi"; "最良" while empty
        std::string selectedLabel;
        std::optional<RankingTable::RunsRange> bestRange;
    };
    // What the innings chart draws: a bar of each inning's expected runs for
    // the selected order beside one for the best.
    struct Innings {
        bool shown = false;
        std::array<double, kInnings> selected{};
        std::array<double, kInnings> best{};
        std::string selectedLabel;
        std::string bestLabel;
    };

    // Creates both charts, empty, as children of `parent` with the given
    // identifiers, in the parent's font.
    RankingCharts(HINSTANCE instance, HWND parent, int spreadId, int inningsId);
    RankingCharts(const RankingCharts&) = delete;
    RankingCharts& operator=(const RankingCharts&) = delete;

    HWND spreadWindow() const { return m_spreadWindow; }
    HWND inningsWindow() const { return m_inningsWindow; }

    // Shows `histogram`, the bins of `rows` (runsHistogram), and marks the
    // best row; the selection starts at the best row.
    void showRows(const RankingRows& rows, std::uint32_t best, const RunsHistogram& histogram);
    // Marks row `selected` in the histogram and compares its innings with the
    // best row's. `rows` must be the ones last shown.
    void showSelected(const RankingRows& rows, std::uint32_t best, std::uint32_t selected);
    // Brackets the best order's range (RankingTable::bestRange) in the spread
    // chart; nothing without one. After showRows.
    void showBestRange(const std::optional<RankingTable::RunsRange>& range);
    // Empties both charts (while evaluating).
    void clear();

    const Spread& spread() const { return m_spread; }
    const Innings& innings() const { return m_innings; }

  private:
    static LRESULT CALLBACK chartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HWND window);
    void paintSpread(HDC dc, const RECT& area);
    void paintInnings(HDC dc, const RECT& area);
    void makeFonts(HDC dc);
    void repaint() const;

    HWND m_parent;
    HWND m_spreadWindow = nullptr;
    HWND m_inningsWindow = nullptr;
    Spread m_spread;
    Innings m_innings;
    UniqueFont m_titleFont;     // the parent's font, bold
    UniqueFont m_verticalFont;  // the parent's font, turned a quarter to the left
};

}  // namespace diz::win32
