// Every text the actions report and the windows show, in one place, in UTF-8.
// The windows show a run's outcome in their status line and a message box;
// diz-cli prints it on standard error. A text ending in '：' is followed by at
// most 70 bytes of a file name (see messageWithName).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
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

// A file chooser asking before it names a file that does not exist yet:
// "output.txt は存在しません。\nファイルを作成しますか?" for the file's name
// (without its folder).
inline std::string createPrompt(std::string_view fileName) {
    std::string text(fileName);
    text += " は存在しません。\nファイルを作成しますか?";
    return text;
}

// A value the user typed that the window does not take. The window shows
// these in a warning box and leaves the status line alone.
inline constexpr std::string_view kIntegerRequired = "整数を入力してください。";
inline constexpr std::string_view kNumberRequired = "数値を入力してください。";

// "1 から 100000 までの整数を入力してください。"
inline std::string integerRange(long long low, long long high) {
    std::string text = std::to_string(low);
    text += " から ";
    text += std::to_string(high);
    text += " までの整数を入力してください。";
    return text;
}

// "9 バイト以内で入力してください。"
inline std::string byteLimit(int maxBytes) {
    std::string text = std::to_string(maxBytes);
    text += " バイト以内で入力してください。";
    return text;
}

// "打者C の HR" for row 2 (rows 0..8) and a field's heading.
inline std::string batterField(int row, std::string_view heading) {
    std::string text = "打者";
    text += static_cast<char>('A' + row);
    text += " の ";
    text += heading;
    return text;
}

// A count of a batter file that the window would not take, for diz-cli:
// "打者A の 打数 0 は範囲外です (1..100000)". `row` is 0..8, `heading` the
// grid's column heading.
inline std::string batterOutOfRange(int row, std::string_view heading, int32_t value, int32_t min,
                                    int32_t max) {
    std::string text = batterField(row, heading);
    text += " ";
    text += std::to_string(value);
    text += " は範囲外です (";
    text += std::to_string(min);
    text += "..";
    text += std::to_string(max);
    text += ")";
    return text;
}

// A batter file diz-cli refuses to read (see batter_file_check.h); each
// reason follows the file's name and the line's number.
inline constexpr std::string_view kBatterLineBinary = "読めないバイト (NUL) があります";
inline constexpr std::string_view kBatterLineCrOnly =
    "行末が CR だけです (CR LF か LF で区切ってください)";
inline constexpr std::string_view kBatterLineAfterNinth = "打者I の後に余分な行があります";

// "行が長すぎます (253 文字まで)"
inline std::string batterLineTooLong(std::size_t maxChars) {
    return "行が長すぎます (" + std::to_string(maxChars) + " 文字まで)";
}

// "打者C の HR がありません"
inline std::string batterFieldMissing(int row, std::string_view heading) {
    return batterField(row, heading) + " がありません";
}

// "打者C の HR「5.2e2」は 32 ビットの整数ではありません"
inline std::string batterFieldNotInteger(int row, std::string_view heading, std::string_view text) {
    return batterField(row, heading) + "「" + std::string(text) +
           "」は 32 ビットの整数ではありません";
}

// "打者C の 1B 1to3「nan」は有限の数ではありません"
inline std::string batterFieldNotNumber(int row, std::string_view heading, std::string_view text) {
    return batterField(row, heading) + "「" + std::string(text) + "」は有限の数ではありません";
}

// "打者C の行に余分な値があります「x」"
inline std::string batterLineHasMore(int row, std::string_view text) {
    std::string line = "打者";
    line += static_cast<char>('A' + row);
    return line + " の行に余分な値があります「" + std::string(text) + "」";
}

// "打者データが 9 行ありません (3 行)"
inline std::string batterLinesMissing(int lines) {
    return "打者データが 9 行ありません (" + std::to_string(lines) + " 行)";
}

// The ranking window.
inline constexpr std::string_view kRankingTitle = "打順ランキング";
// Its three selections, in this order.
inline constexpr std::string_view kRankingEveryOrdering = "全打順";
inline constexpr std::string_view kRankingAcceptedOrderings = "打線指定に合う打順";
inline constexpr std::string_view kRankingOrderFile = "order.dat の打順";
inline constexpr std::string_view kRankingCancel = "中止";
inline constexpr std::string_view kRankingInningColumns = "イニング別を表示";
inline constexpr std::string_view kRankingSaveCsv = "CSV保存(&S)...";
inline constexpr std::string_view kRankingToPattern = "打線指定へ(&P)";
inline constexpr std::string_view kRankingClose = "閉じる";
// Its status line.
inline constexpr std::string_view kRankingEvaluating = "評価中...";
inline constexpr std::string_view kRankingSlowOrders =
    "評価中...（凡退しにくい打者がいるため時間がかかります）";
inline constexpr std::string_view kRankingCancelling = "中止しています...";
inline constexpr std::string_view kRankingCancelled = "中止しました";
// Followed by the file's whole name.
inline constexpr std::string_view kRankingCsvSaved = "CSVを保存しました：";

// "362880 打順を評価しました"
inline std::string rankingEvaluated(std::size_t orders) {
    return std::to_string(orders) + " 打順を評価しました";
}

// Its two charts: titles, axes and the marks' names.
inline constexpr std::string_view kChartSpread = "得点期待値の分布";
inline constexpr std::string_view kChartInnings = "イニング別の得点期待値";
inline constexpr std::string_view kChartRunsAxis = "得点期待値";
inline constexpr std::string_view kChartOrdersAxis = "打順数";
inline constexpr std::string_view kChartInningAxis = "イニング";
inline constexpr std::string_view kChartInningRunsAxis = "得点";
inline constexpr std::string_view kChartBest = "最良";
inline constexpr std::string_view kChartSelected = "選択";

}  // namespace diz::msg
