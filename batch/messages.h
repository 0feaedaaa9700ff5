// Every text the batch actions report, in one place. The window shows them in
// its status line and a message box; diz-cli prints them on standard error.
// A text ending in '：' is followed by at most 70 bytes of a file name (see
// messageWithName).
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

// A count of a batter file that the window would not take, for diz-cli:
// "打者A の 打数 0 は範囲外です (1..100000)". `row` is 1..9, `heading` the
// grid's column heading.
inline std::string batterOutOfRange(int row, std::string_view heading, int32_t value, int32_t min,
                                    int32_t max) {
    std::string text = "打者";
    text += static_cast<char>('A' + row - 1);
    text += " の ";
    text += heading;
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

// "打者C の HR" for row 3 (1..9) and a field's heading.
inline std::string batterField(int row, std::string_view heading) {
    std::string text = "打者";
    text += static_cast<char>('A' + row - 1);
    text += " の ";
    text += heading;
    return text;
}

// "打者C の HR がありません"
inline std::string batterFieldMissing(int row, std::string_view heading) {
    return batterField(row, heading) + " がありません";
}

// "打者C の HR「5.2e2」は整数ではありません"
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
    line += static_cast<char>('A' + row - 1);
    return line + " の行に余分な値があります「" + std::string(text) + "」";
}

// "打者データが 9 行ありません (3 行)"
inline std::string batterLinesMissing(int lines) {
    return "打者データが 9 行ありません (" + std::to_string(lines) + " 行)";
}

}  // namespace diz::msg
