#include "batch/dialogs.h"

#include <cstddef>

namespace diz {
namespace {

using enum ControlKind;

// Where a grid column's heading stands and where its cells are, left to
// right as kBatterFields lists the fields.
struct GridColumn {
    int headingX, headingY, headingWidth;
    int cellX, cellWidth;
};
constexpr std::array<GridColumn, kBatterFieldCount> kGridColumns{{
    {38, 2, 15, 33, 25},    // 打数
    {77, 2, 9, 72, 18},     // 1B
    {101, 2, 9, 96, 18},    // 2B
    {125, 2, 9, 120, 18},   // 3B
    {153, 3, 10, 149, 18},  // HR
    {180, 3, 10, 176, 18},  // BB
    {212, 3, 24, 209, 31},  // 1B 1to3
    {249, 3, 24, 246, 31},  // 1B 2to4
    {286, 3, 24, 283, 31},  // 2B 1to4
}};
constexpr int kHeadingHeight = 8;
// Row r's cells stand at 13 + 16 r, 12 high; its label does not follow that
// step exactly.
constexpr int kFirstCellY = 13;
constexpr int kRowStep = 16;
constexpr int kCellHeight = 12;
constexpr std::array<int, kLineupSize> kRowLabelY{15, 31, 48, 64, 80, 96, 111, 128, 144};
constexpr std::array<std::string_view, kLineupSize> kRowLabels{
    "打者A", "打者B", "打者C", "打者D", "打者E", "打者F", "打者G", "打者H", "打者I"};

// Below the grid: the games per order, the lineup patterns, the buttons, the
// log, the status line and the report options.
constexpr ControlItem kBelowGrid[] = {
    {kNoId, Text, 16, 190, 60, 8, "打線あたりの試行数"},
    {ids::kGamesPerOrder, Edit, 27, 200, 40, 12, ""},
    {kNoId, Text, 95, 162, 28, 8, "打線指定"},
    {ids::kPatterns[0], Edit, 91, 172, 35, 12, ""},
    {ids::kPatterns[1], Edit, 91, 184, 35, 12, ""},
    {ids::kPatterns[2], Edit, 91, 196, 35, 12, ""},
    {ids::kPatterns[3], Edit, 91, 208, 35, 12, ""},
    {ids::kPatterns[4], Edit, 91, 220, 35, 12, ""},
    {ids::kPatterns[5], Edit, 91, 232, 35, 12, ""},
    {ids::kSimulate, PushButton, 252, 208, 50, 38, "シミュレート！"},
    {ids::kLoad, PushButton, 245, 158, 29, 15, "Load"},
    {ids::kSave, PushButton, 279, 158, 29, 15, "Save"},
    {ids::kLog, LogPane, 0, 277, 318, 77, ""},
    {ids::kStatus, ReadOnlyEdit, 38, 252, 183, 12, ""},
    {kNoId, Text, 295, 267, 21, 8, "ver. 1.5"},
    {kNoId, GroupBox, 147, 171, 82, 68, "表示オプション"},
    {ids::kExpectedRuns, CheckBox, 153, 185, 50, 10, "得点期待値"},
    {ids::kStandardError, CheckBox, 153, 196, 43, 10, "標準誤差"},
    {ids::kInningRuns, CheckBox, 153, 212, 67, 10, "期待値(by inning)"},
    {ids::kInningScoring, CheckBox, 153, 222, 74, 10, "得点確率(by inning)"},
};

constexpr std::size_t kMainControlCount =
    kBatterFieldCount + kLineupSize * (1 + kBatterFieldCount) + std::size(kBelowGrid);

// In creation order, which is the tab order: the column headings; the grid
// row by row, each row's label and then its cells from left to right; then
// the controls below the grid.
constexpr std::array<ControlItem, kMainControlCount> mainControls() {
    std::array<ControlItem, kMainControlCount> items{};
    std::size_t n = 0;
    for (int f = 0; f < kBatterFieldCount; ++f) {
        const GridColumn& c = kGridColumns[f];
        items[n++] = {kNoId,
                      Text,
                      c.headingX,
                      c.headingY,
                      c.headingWidth,
                      kHeadingHeight,
                      kBatterFields[f].heading};
    }
    for (int row = 0; row < kLineupSize; ++row) {
        items[n++] = {kNoId, Text, 6, kRowLabelY[row], 19, 8, kRowLabels[row]};
        for (int f = 0; f < kBatterFieldCount; ++f) {
            const GridColumn& c = kGridColumns[f];
            items[n++] = {ids::kGrid[row][f], Edit,        c.cellX, kFirstCellY + kRowStep * row,
                          c.cellWidth,        kCellHeight, ""};
        }
    }
    for (const ControlItem& item : kBelowGrid) items[n++] = item;
    return items;
}

constexpr std::array<ControlItem, kMainControlCount> kMainControls = mainControls();

constexpr ControlItem kAboutControls[] = {
    {kNoId, Icon, 11, 17, 20, 20, ""},
    {kNoId, Text, 40, 10, 119, 8, "DIZ Version 1.0"},
    {ids::kAboutOk, DefaultPushButton, 178, 7, 50, 14, "OK"},
};

}  // namespace

const DialogTemplate kMainDialogTemplate{102, "ball", 319, 355, kMainControls};
const DialogTemplate kAboutDialogTemplate{100, "GUIのﾊﾞｰｼﾞｮﾝ情報", 235, 55, kAboutControls};

}  // namespace diz
