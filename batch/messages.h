// Every text the batch actions report, in one place. The window shows them in
// its status line and a message box; diz-cli prints them on standard error.
// A text ending in '：' is followed by at most 70 bytes of a file name (see
// messageWithName).
#pragma once

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

}  // namespace diz::msg
