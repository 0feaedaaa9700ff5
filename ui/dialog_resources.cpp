#include "ui/dialog_resources.h"

namespace diz {
namespace {

constexpr ControlKind kText = ControlKind::Text;
constexpr ControlKind kGroupBox = ControlKind::GroupBox;
constexpr ControlKind kIcon = ControlKind::Icon;
constexpr ControlKind kEdit = ControlKind::Edit;
constexpr ControlKind kReadOnlyEdit = ControlKind::ReadOnlyEdit;
constexpr ControlKind kLogPane = ControlKind::LogPane;
constexpr ControlKind kCheckBox = ControlKind::CheckBox;
constexpr ControlKind kPushButton = ControlKind::PushButton;
constexpr ControlKind kDefaultPushButton = ControlKind::DefaultPushButton;

// In creation order, which is the tab order: the grid row by row, each row
// from left to right; the games field; the patterns; the buttons; the log;
// the status line; the check boxes.
// Each entry: {id, kind, x, y, width, height, caption}.
constexpr ControlItem kMainControls[] = {
    // Column headings.
    {kNoId, kText, 38, 2, 15, 8, "打数"},
    {kNoId, kText, 77, 2, 9, 8, "1B"},
    {kNoId, kText, 101, 2, 9, 8, "2B"},
    {kNoId, kText, 125, 2, 9, 8, "3B"},
    {kNoId, kText, 153, 3, 10, 8, "HR"},
    {kNoId, kText, 180, 3, 10, 8, "BB"},
    {kNoId, kText, 212, 3, 24, 8, "1B 1to3"},
    {kNoId, kText, 249, 3, 24, 8, "1B 2to4"},
    {kNoId, kText, 286, 3, 24, 8, "2B 1to4"},
    // Batter A: label, then 打数 1B 2B 3B HR BB and the three rates.
    {kNoId, kText, 6, 15, 19, 8, "打者A"},
    {1000, kEdit, 33, 13, 25, 12, ""},
    {1016, kEdit, 72, 13, 18, 12, ""},
    {1034, kEdit, 96, 13, 18, 12, ""},
    {1043, kEdit, 120, 13, 18, 12, ""},
    {1052, kEdit, 149, 13, 18, 12, ""},
    {1061, kEdit, 176, 13, 18, 12, ""},
    {1070, kEdit, 209, 13, 31, 12, ""},
    {1079, kEdit, 246, 13, 31, 12, ""},
    {1088, kEdit, 283, 13, 31, 12, ""},
    // Batter B: label, then 打数 1B 2B 3B HR BB and the three rates.
    {kNoId, kText, 6, 31, 19, 8, "打者B"},
    {1001, kEdit, 33, 29, 25, 12, ""},
    {1017, kEdit, 72, 29, 18, 12, ""},
    {1035, kEdit, 96, 29, 18, 12, ""},
    {1044, kEdit, 120, 29, 18, 12, ""},
    {1053, kEdit, 149, 29, 18, 12, ""},
    {1062, kEdit, 176, 29, 18, 12, ""},
    {1071, kEdit, 209, 29, 31, 12, ""},
    {1080, kEdit, 246, 29, 31, 12, ""},
    {1089, kEdit, 283, 29, 31, 12, ""},
    // Batter C: label, then 打数 1B 2B 3B HR BB and the three rates.
    {kNoId, kText, 6, 48, 19, 8, "打者C"},
    {1009, kEdit, 33, 45, 25, 12, ""},
    {1018, kEdit, 72, 45, 18, 12, ""},
    {1036, kEdit, 96, 45, 18, 12, ""},
    {1045, kEdit, 120, 45, 18, 12, ""},
    {1054, kEdit, 149, 45, 18, 12, ""},
    {1063, kEdit, 176, 45, 18, 12, ""},
    {1072, kEdit, 209, 45, 31, 12, ""},
    {1081, kEdit, 246, 45, 31, 12, ""},
    {1090, kEdit, 283, 45, 31, 12, ""},
    // Batter D: label, then 打数 1B 2B 3B HR BB and the three rates.
    {kNoId, kText, 6, 64, 19, 8, "打者D"},
    {1010, kEdit, 33, 61, 25, 12, ""},
    {1019, kEdit, 72, 61, 18, 12, ""},
    {1037, kEdit, 96, 61, 18, 12, ""},
    {1046, kEdit, 120, 61, 18, 12, ""},
    {1055, kEdit, 149, 61, 18, 12, ""},
    {1064, kEdit, 176, 61, 18, 12, ""},
    {1073, kEdit, 209, 61, 31, 12, ""},
    {1082, kEdit, 246, 61, 31, 12, ""},
    {1091, kEdit, 283, 61, 31, 12, ""},
    // Batter E: label, then 打数 1B 2B 3B HR BB and the three rates.
    {kNoId, kText, 6, 80, 19, 8, "打者E"},
    {1011, kEdit, 33, 77, 25, 12, ""},
    {1020, kEdit, 72, 77, 18, 12, ""},
    {1038, kEdit, 96, 77, 18, 12, ""},
    {1047, kEdit, 120, 77, 18, 12, ""},
    {1056, kEdit, 149, 77, 18, 12, ""},
    {1065, kEdit, 176, 77, 18, 12, ""},
    {1074, kEdit, 209, 77, 31, 12, ""},
    {1083, kEdit, 246, 77, 31, 12, ""},
    {1092, kEdit, 283, 77, 31, 12, ""},
    // Batter F: label, then 打数 1B 2B 3B HR BB and the three rates.
    {kNoId, kText, 6, 96, 19, 8, "打者F"},
    {1012, kEdit, 33, 93, 25, 12, ""},
    {1021, kEdit, 72, 93, 18, 12, ""},
    {1039, kEdit, 96, 93, 18, 12, ""},
    {1048, kEdit, 120, 93, 18, 12, ""},
    {1057, kEdit, 149, 93, 18, 12, ""},
    {1066, kEdit, 176, 93, 18, 12, ""},
    {1075, kEdit, 209, 93, 31, 12, ""},
    {1084, kEdit, 246, 93, 31, 12, ""},
    {1093, kEdit, 283, 93, 31, 12, ""},
    // Batter G: label, then 打数 1B 2B 3B HR BB and the three rates.
    {kNoId, kText, 6, 111, 19, 8, "打者G"},
    {1013, kEdit, 33, 109, 25, 12, ""},
    {1022, kEdit, 72, 109, 18, 12, ""},
    {1040, kEdit, 96, 109, 18, 12, ""},
    {1049, kEdit, 120, 109, 18, 12, ""},
    {1058, kEdit, 149, 109, 18, 12, ""},
    {1067, kEdit, 176, 109, 18, 12, ""},
    {1076, kEdit, 209, 109, 31, 12, ""},
    {1085, kEdit, 246, 109, 31, 12, ""},
    {1094, kEdit, 283, 109, 31, 12, ""},
    // Batter H: label, then 打数 1B 2B 3B HR BB and the three rates.
    {kNoId, kText, 6, 128, 19, 8, "打者H"},
    {1014, kEdit, 33, 125, 25, 12, ""},
    {1023, kEdit, 72, 125, 18, 12, ""},
    {1041, kEdit, 96, 125, 18, 12, ""},
    {1050, kEdit, 120, 125, 18, 12, ""},
    {1059, kEdit, 149, 125, 18, 12, ""},
    {1068, kEdit, 176, 125, 18, 12, ""},
    {1077, kEdit, 209, 125, 31, 12, ""},
    {1086, kEdit, 246, 125, 31, 12, ""},
    {1095, kEdit, 283, 125, 31, 12, ""},
    // Batter I: label, then 打数 1B 2B 3B HR BB and the three rates.
    {kNoId, kText, 6, 144, 19, 8, "打者I"},
    {1015, kEdit, 33, 141, 25, 12, ""},
    {1024, kEdit, 72, 141, 18, 12, ""},
    {1042, kEdit, 96, 141, 18, 12, ""},
    {1051, kEdit, 120, 141, 18, 12, ""},
    {1060, kEdit, 149, 141, 18, 12, ""},
    {1069, kEdit, 176, 141, 18, 12, ""},
    {1078, kEdit, 209, 141, 31, 12, ""},
    {1087, kEdit, 246, 141, 31, 12, ""},
    {1096, kEdit, 283, 141, 31, 12, ""},
    // Games per order, the lineup patterns, the buttons, status and log.
    {kNoId, kText, 16, 190, 60, 8, "打線あたりの試行数"},
    {1004, kEdit, 27, 200, 40, 12, ""},
    {kNoId, kText, 95, 162, 28, 8, "打線指定"},
    {1031, kEdit, 91, 172, 35, 12, ""},
    {1026, kEdit, 91, 184, 35, 12, ""},
    {1028, kEdit, 91, 196, 35, 12, ""},
    {1033, kEdit, 91, 208, 35, 12, ""},
    {1029, kEdit, 91, 220, 35, 12, ""},
    {1030, kEdit, 91, 232, 35, 12, ""},
    {1006, kPushButton, 252, 208, 50, 38, "シミュレート！"},
    {1008, kPushButton, 245, 158, 29, 15, "Load"},
    {1025, kPushButton, 279, 158, 29, 15, "Save"},
    {1032, kLogPane, 0, 277, 318, 77, ""},
    {1107, kReadOnlyEdit, 38, 252, 183, 12, ""},
    {kNoId, kText, 295, 267, 21, 8, "ver. 1.5"},
    // Report options.
    {kNoId, kGroupBox, 147, 171, 82, 68, "表示オプション"},
    {1108, kCheckBox, 153, 185, 50, 10, "得点期待値"},
    {1109, kCheckBox, 153, 196, 43, 10, "標準誤差"},
    {1110, kCheckBox, 153, 212, 67, 10, "期待値(by inning)"},
    {1111, kCheckBox, 153, 222, 74, 10, "得点確率(by inning)"},
};

constexpr ControlItem kAboutControls[] = {
    {kNoId, kIcon, 11, 17, 20, 20, ""},
    {kNoId, kText, 40, 10, 119, 8, "DIZ Version 1.0"},
    {1, kDefaultPushButton, 178, 7, 50, 14, "OK"},
};

}  // namespace

const DialogTemplate kMainDialogTemplate{"ball", 319, 355, kMainControls};
const DialogTemplate kAboutDialogTemplate{"GUIのﾊﾞｰｼﾞｮﾝ情報", 235, 55, kAboutControls};

}  // namespace diz
