// The two dialogs of the program as templates, and the identifiers by which
// the main window binds its controls to the model.
#pragma once

#include <array>
#include <cstdint>

#include "batch/batter_table.h"
#include "diz/lineup.h"
#include "ui/dialog_template.h"

namespace diz {

// Main window "ball", 319 x 355 dialog units.
extern const DialogTemplate kMainDialogTemplate;
// About box, 235 x 55 dialog units.
extern const DialogTemplate kAboutDialogTemplate;

// The About box's entry in the window's system menu: its command and text.
inline constexpr int kAboutCommand = 16;
inline constexpr const char* kAboutMenuText = "DIZ のﾊﾞｰｼﾞｮﾝ情報(&A)...";

namespace ids {

// One row of the batter grid, fields in the batter data file's order.
struct GridRow {
    int atBats, singles, doubles, triples, homeRuns, walks;
    int rate1B1to3, rate1B2to4, rate2B1to4;

    // The cell that shows `member` of the row's batter (see batch/batter_fields.h).
    constexpr int cell(int32_t BatterEntry::*member) const {
        if (member == &BatterEntry::atBats) return atBats;
        if (member == &BatterEntry::singles) return singles;
        if (member == &BatterEntry::doubles) return doubles;
        if (member == &BatterEntry::triples) return triples;
        if (member == &BatterEntry::homeRuns) return homeRuns;
        if (member == &BatterEntry::walks) return walks;
        return kNoId;
    }
    constexpr int cell(double BatterEntry::*member) const {
        if (member == &BatterEntry::rate1B1to3) return rate1B1to3;
        if (member == &BatterEntry::rate1B2to4) return rate1B2to4;
        if (member == &BatterEntry::rate2B1to4) return rate2B1to4;
        return kNoId;
    }
};

// Rows 1 to 9 (batters A to I). From "1B" rightwards a column's identifiers
// run on by one per row; the at-bats column jumps from 1001 to 1009.
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
inline constexpr std::array<int, 6> kPatterns{1031, 1026, 1028, 1033, 1029, 1030};
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
}  // namespace diz
