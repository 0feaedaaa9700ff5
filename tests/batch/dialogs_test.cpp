// The two dialogs as data: what every front-end builds its windows from.
#include "batch/dialogs.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace diz {
namespace {

std::map<int, const ControlItem*> byId(const DialogTemplate& dialog) {
    std::map<int, const ControlItem*> items;
    for (const ControlItem& item : dialog.controls) {
        if (item.id == kNoId) continue;
        EXPECT_TRUE(items.emplace(item.id, &item).second) << item.id;
    }
    return items;
}

// Every control the windows bind has its one identifier, in the range the
// main window's controls take, and the kind its value needs.
TEST(Dialogs, EveryBoundIdentifierNamesOneControlOfItsKind) {
    const std::map<int, const ControlItem*> items = byId(kMainDialogTemplate);
    for (const auto& [id, item] : items) {
        EXPECT_TRUE(id >= 1000 && id <= 1111) << id;
    }
    const auto kindOf = [&items](int id) {
        const auto found = items.find(id);
        return found == items.end() ? std::optional<ControlKind>() : found->second->kind;
    };
    for (const ids::GridRow& row : ids::kGrid) {
        for (const int id : row) EXPECT_EQ(kindOf(id), ControlKind::Edit) << id;
    }
    for (const int id : ids::kPatterns) EXPECT_EQ(kindOf(id), ControlKind::Edit) << id;
    EXPECT_EQ(kindOf(ids::kGamesPerOrder), ControlKind::Edit);
    EXPECT_EQ(kindOf(ids::kStatus), ControlKind::ReadOnlyEdit);
    EXPECT_EQ(kindOf(ids::kLog), ControlKind::LogPane);
    for (const ReportBox& box : kReportBoxes) EXPECT_EQ(kindOf(box.id), ControlKind::CheckBox);
    for (const int id : {ids::kLoad, ids::kSave, ids::kSimulate}) {
        EXPECT_EQ(kindOf(id), ControlKind::PushButton) << id;
    }
    EXPECT_EQ(byId(kAboutDialogTemplate).at(ids::kAboutOk)->kind, ControlKind::DefaultPushButton);
}

// The template's order is the tab order: the grid row by row and each row
// from left to right, then the games, the patterns, the buttons, the log, the
// status line and the check boxes; labels and frames take no focus.
TEST(Dialogs, TheMainWindowsControlsComeInTabOrder) {
    std::vector<int> focusable;
    for (const ControlItem& item : kMainDialogTemplate.controls) {
        const bool takesFocus = item.kind != ControlKind::Text &&
                                item.kind != ControlKind::GroupBox &&
                                item.kind != ControlKind::Icon;
        EXPECT_EQ(takesFocus, item.id != kNoId) << item.caption;
        if (takesFocus) focusable.push_back(item.id);
    }
    std::vector<int> expected;
    for (const ids::GridRow& row : ids::kGrid)
        expected.insert(expected.end(), row.begin(), row.end());
    expected.insert(expected.end(), {1004, 1031, 1026, 1028, 1033, 1029, 1030, 1006, 1008, 1025,
                                     1032, 1107, 1108, 1109, 1110, 1111});
    EXPECT_EQ(focusable, expected);
}

TEST(Dialogs, EveryControlLiesInsideItsDialogAndNoTwoCellsOverlap) {
    for (const DialogTemplate* dialog : {&kMainDialogTemplate, &kAboutDialogTemplate}) {
        for (const ControlItem& item : dialog->controls) {
            EXPECT_TRUE(item.x >= 0 && item.y >= 0 && item.width > 0 && item.height > 0);
            EXPECT_LE(item.x + item.width, dialog->width) << item.caption;
            EXPECT_LE(item.y + item.height, dialog->height) << item.caption;
        }
    }
    // Each grid column's heading stands above its own cells.
    const std::map<int, const ControlItem*> items = byId(kMainDialogTemplate);
    std::map<std::string_view, const ControlItem*> headings;
    for (const ControlItem& item : kMainDialogTemplate.controls) {
        if (item.kind == ControlKind::Text) headings.emplace(item.caption, &item);
    }
    for (int f = 0; f < kBatterFieldCount; ++f) {
        const ControlItem& heading = *headings.at(kBatterFields[f].heading);
        const ControlItem& top = *items.at(ids::kGrid[0][f]);
        EXPECT_LT(heading.y + heading.height, top.y + 2) << heading.caption;
        EXPECT_TRUE(heading.x >= top.x && heading.x < top.x + top.width) << heading.caption;
        for (int r = 1; r < kLineupSize; ++r) {
            const ControlItem& above = *items.at(ids::kGrid[r - 1][f]);
            const ControlItem& cell = *items.at(ids::kGrid[r][f]);
            EXPECT_LE(above.y + above.height, cell.y);
            if (f > 0) {
                const ControlItem& left = *items.at(ids::kGrid[r][f - 1]);
                EXPECT_LE(left.x + left.width, cell.x);
            }
        }
    }
}

}  // namespace
}  // namespace diz
