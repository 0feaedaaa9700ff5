// Every text the batch actions report, in one place. The window shows them in
// its status line and a message box; diz-cli prints them on standard error.
// A text ending in '：' is followed by at most 70 bytes of a file name (see
// messageWithName).
#pragma once

#include <string_view>

namespace diz::msg {

// A run of the selected orders.
inline constexpr std::string_view kEngineMissing = "REDI_DORが開けません";
inline constexpr std::string_view kOutputIsOrderFile = "出力とORDERが同じファイルです：";
inline constexpr std::string_view kOutputOpenFailed = "出力が開けません：";
inline constexpr std::string_view kOrderOpenFailed = "ORDERが開けません：";
inline constexpr std::string_view kOutputWriteFailed = "出力に書き込めません：";
inline constexpr std::string_view kSimulating = "シミュレート中...";
inline constexpr std::string_view kNormalEnd = "正常に終了しました。\n出力：";
inline constexpr std::string_view kOutputIsBatterFile = "出力と打者データが同じファイルです：";
inline constexpr std::string_view kOutputBusy = "出力は他の実行が使用中です：";
// Followed by the number of orders written, then a line with the result name.
inline constexpr std::string_view kInterrupted = "中断しました。書き込んだ打順：";
inline constexpr std::string_view kResultName = "\n出力：";
// Followed by the games per order.
inline constexpr std::string_view kNoMemoryForGames =
    "打線あたりの試行数に必要なメモリを確保できません：";

// Loading and saving the batter file.
inline constexpr std::string_view kBattersLoadFailed = "打者データを読み込めません：";
inline constexpr std::string_view kBattersLoaded = "打者データを読み込みました...";
inline constexpr std::string_view kBattersSaveFailed = "打者データを保存できません：";
inline constexpr std::string_view kBattersSaved = "打者データを保存しました...";

}  // namespace diz::msg
