// The program's two dialogs as data, like a resource script: every control
// with its identifier, kind, position and size in dialog units and its
// caption, in creation order, which is also the tab order. The identifiers by
// which the windows bind their controls to the model and the entries of the
// main window's system menu are here too. Each front-end turns a template
// into its own controls and converts dialog units to pixels itself.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "batch/batter_fields.h"
#include "batch/orders.h"
#include "batch/window_model.h"
#include "diz/lineup.h"

namespace diz {

// Identifier of a control that is never looked up (labels, frames, the icon).
inline constexpr int kNoId = -1;

enum class ControlKind {
    Text,               // static text, left-aligned, takes no focus
    GroupBox,           // a frame with a caption over other controls
    Icon,               // the program icon, 32 x 32
    Edit,               // single-line edit with a border
    ReadOnlyEdit,       // single-line edit that can be focused and selected, not changed
    LogPane,            // multi-line, read-only, vertical scroll bar, wraps lines
    CheckBox,           // two-state
    PushButton,         // never the default button
    DefaultPushButton,  // pressed by Enter wherever the focus is
};

struct ControlItem {
    int id = kNoId;
    ControlKind kind = ControlKind::Text;
    int x = 0, y = 0, width = 0, height = 0;  // dialog units from the client area's top-left
    std::string_view caption;                 // UTF-8
};

struct DialogTemplate {
    int resourceId;
    std::string_view caption;  // UTF-8 window title
    int width, height;         // client area in dialog units
    std::span<const ControlItem> controls;
};

// Both dialogs are set in this font; a front-end that lacks it stands in the
// metric-compatible IPAPGothic.
inline constexpr std::string_view kDialogFontFace = "ＭＳ Ｐゴシック";
inline constexpr std::string_view kDialogFallbackFontFace = "IPAPGothic";
inline constexpr int kDialogFontPoints = 9;

// Main window "ball", dialog 102, 319 x 355 dialog units.
extern const DialogTemplate kMainDialogTemplate;
// About box, dialog 100, 235 x 55 dialog units.
extern const DialogTemplate kAboutDialogTemplate;

// The program icon's resource and the About entry's text (string 101).
inline constexpr int kProgramIconId = 128;
inline constexpr int kAboutMenuTextId = 101;

// The entries the main window adds to its system menu, after a separator:
// the About box, then the ranking window.
inline constexpr int kAboutCommand = 16;
inline constexpr std::string_view kAboutMenuText = "DIZ のﾊﾞｰｼﾞｮﾝ情報(&A)...";
inline constexpr int kRankingCommand = 32;
inline constexpr std::string_view kRankingMenuText = "打順ランキング(&R)...";
// The roster window's entry, below the ranking's (system-menu commands are
// multiples of 16).
inline constexpr int kRosterCommand = 48;
inline constexpr std::string_view kRosterMenuText = "選手名簿(&L)...";

namespace ids {

// The cell of batter row r (0..8) and field f (an index into kBatterFields):
// kGrid[r][f]. From "1B" rightwards a column's identifiers run on by one per
// row; the at-bats column jumps from 1001 to 1009.
using GridRow = std::array<int, kBatterFieldCount>;
inline constexpr std::array<GridRow, kLineupSize> kGrid{{
    {1000, 1016, 1034, 1043, 1052, 1061, 1070, 1079, 1088},
    {1001, 1017, 1035, 1044, 1053, 1062, 1071, 1080, 1089},
    {1009, 1018, 1036, 1045, 1054, 1063, 1072, 1081, 1090},
    {1010, 1019, 1037, 1046, 1055, 1064, 1073, 1082, 1091},
    {1011, 1020, 1038, 1047, 1056, 1065, 1074, 1083, 1092},
    {1012, 1021, 1039, 1048, 1057, 1066, 1075, 1084, 1093},
    {1013, 1022, 1040, 1049, 1058, 1067, 1076, 1085, 1094},
    {1014, 1023, 1041, 1050, 1059, 1068, 1077, 1086, 1095},
    {1015, 1024, 1042, 1051, 1060, 1069, 1078, 1087, 1096},
}};

inline constexpr int kGamesPerOrder = 1004;
// Lineup patterns 1 to 6.
inline constexpr std::array<int, kPatternCount> kPatterns{1031, 1026, 1028, 1033, 1029, 1030};
inline constexpr int kExpectedRuns = 1108;
inline constexpr int kStandardError = 1109;
inline constexpr int kInningRuns = 1110;
inline constexpr int kInningScoring = 1111;
inline constexpr int kLoad = 1008;
inline constexpr int kSave = 1025;
inline constexpr int kSimulate = 1006;
inline constexpr int kStatus = 1107;
inline constexpr int kLog = 1032;
// The About box's OK button.
inline constexpr int kAboutOk = 1;

}  // namespace ids

// The check boxes in the order a window reads them, and the report option
// each stands for.
struct ReportBox {
    int id;
    bool ReportOptions::*option;
};
inline constexpr std::array<ReportBox, 4> kReportBoxes{{
    {ids::kExpectedRuns, &ReportOptions::expectedRuns},
    {ids::kStandardError, &ReportOptions::standardError},
    {ids::kInningScoring, &ReportOptions::inningScoring},
    {ids::kInningRuns, &ReportOptions::inningRuns},
}};

}  // namespace diz
