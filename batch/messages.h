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
// Put before the normal-end message in the status line (not the box) after a
// Simulate, where the narrow line shows it first.
inline constexpr std::string_view kRankingHint =
    "打順の比較は右クリック (Alt+Space) →「打順ランキング」　";
inline constexpr std::string_view kOutputIsBatterFile = "出力と打者データが同じファイルです：";
inline constexpr std::string_view kOutputBusy = "出力は他の実行が使用中です：";
// Followed by the number of orders written, then a line with the result name.
inline constexpr std::string_view kInterrupted = "中断しました。書き込んだ打順：";
inline constexpr std::string_view kResultName = "\n出力：";
// After a failed write to a destination of the observer's own (standard
// output): followed by the number of orders the result file holds.
inline constexpr std::string_view kWrittenOrders = "書き込んだ打順：";
// Followed by the games per order.
inline constexpr std::string_view kNoMemoryForGames =
    "打線あたりの試行数に必要なメモリを確保できません：";
// No line of the order file was selected; followed by the order file's name.
inline constexpr std::string_view kNothingSelectedInOrderFile =
    "ORDERに打線指定に合う打順がありません：";
// No ordering of the nine batters was selected.
inline constexpr std::string_view kNothingSelected = "打線指定に合う打順がありません";
// After a run that wrote no line: a line with the result name, whose previous
// contents are kept.
inline constexpr std::string_view kResultKept = "\n出力は変更していません：";
// The user cancelled the result file chooser: the status line says so, no box.
inline constexpr std::string_view kSimulationCancelled = "シミュレートを取り消しました";
// An order file that begins with a UTF-16 byte-order mark; followed by its name.
inline constexpr std::string_view kOrderFileUtf16 =
    "ORDERが UTF-16 で書かれています (UTF-8 か ASCII で保存してください)：";
// After the order file's message: a line with the folder it was looked for in.
inline constexpr std::string_view kOrderFolder = "\n場所：";
// A run or an action that ran out of memory or could not start a thread; it
// stopped, and the previous results are kept.
inline constexpr std::string_view kOutOfMemory = "メモリが足りないため中止しました";
inline constexpr std::string_view kNoThread = "スレッドを作成できないため中止しました";

// Closing the main window with fields changed since they were last loaded,
// saved or simulated: a question with yes and no, no the default.
inline constexpr std::string_view kConfirmClose =
    "読み込み・保存・シミュレートの後に変えた値があります。\n閉じると失われます。閉じますか？";

// The file choosers of the Qt window: a typed name that leads to no file,
// and a file that exists already; each followed by the name.
inline constexpr std::string_view kFileNotFound = "ファイルが見つかりません：";
inline constexpr std::string_view kConfirmReplace =
    "次のファイルは既に存在します。置き換えますか？\n";

// The two answers of a question box.
inline constexpr std::string_view kYes = "はい";
inline constexpr std::string_view kNo = "いいえ";

// Loading and saving the batter file.
inline constexpr std::string_view kBattersLoadFailed = "打者データを読み込めません：";
inline constexpr std::string_view kBattersLoaded = "打者データを読み込みました...";
inline constexpr std::string_view kBattersSaveFailed = "打者データを保存できません：";
inline constexpr std::string_view kBattersSaved = "打者データを保存しました...";
// A file no line of which reads as a whole batter line; followed by its name.
inline constexpr std::string_view kBattersNoLine = "打者データとして読める行がありません：";
// A file larger than a batter file can be; followed by its name.
inline constexpr std::string_view kBattersTooLarge = "打者データにしては大きすぎるファイルです：";

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

// The names the validation messages give their fields, as the window's
// labels call them: a grid cell is batterField(row, heading).
inline constexpr std::string_view kGamesField = "打線あたりの試行数";
// "打線指定 2" for pattern index 1 (0..5).
inline std::string patternField(int index) { return "打線指定 " + std::to_string(index + 1); }

// A validation message with its field's name on a line of its own above it:
// "打者C の 2B\n整数を入力してください。"
inline std::string namedField(std::string_view name, std::string_view message) {
    std::string text(name);
    text += '\n';
    text += message;
    return text;
}

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

// Counts that cannot be, told once a run in its log (see batterWarningLines):
// "# 警告：打者C の安打 (1B+2B+3B+HR) 450 が打数 400 を超えています (アウトになりにくい打者です)"
inline std::string hitsOverAtBats(int row, long long hits, long long atBats) {
    std::string text = "# 警告：打者";
    text += static_cast<char>('A' + row);
    text += " の安打 (1B+2B+3B+HR) ";
    text += std::to_string(hits);
    text += " が打数 ";
    text += std::to_string(atBats);
    text += " を超えています (アウトになりにくい打者です)";
    return text;
}

// "# 警告：打者A の 1B 1to3 1.5 は 0 から 1 の間にありません"
inline std::string rateOutOfRange(int row, std::string_view heading, std::string_view value) {
    std::string text = "# 警告：";
    text += batterField(row, heading);
    text += " ";
    text += value;
    text += " は 0 から 1 の間にありません";
    return text;
}

// A batter file diz-cli refuses to read (see batter_file_check.h); each
// reason follows the file's name and the line's number.
inline constexpr std::string_view kBatterLineBinary = "読めないバイト (NUL) があります";
inline constexpr std::string_view kBatterLineCrOnly =
    "行末が CR だけです (CR LF か LF で区切ってください)";
inline constexpr std::string_view kBatterLineAfterNinth = "打者I の後に余分な行があります";
// --lenient on a file no line of which reads whole.
inline constexpr std::string_view kBatterFileNoLine =
    "打者データとして読める行がありません (9 つの値が並ぶ行が 1 行もありません)";

// "打者データにしては大きすぎるファイルです (65536 バイトまで)"
inline std::string batterFileTooLarge(std::size_t maxBytes) {
    return "打者データにしては大きすぎるファイルです (" + std::to_string(maxBytes) + " バイトまで)";
}

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

// A roster file (batch/roster.h) that is refused; each reason follows the
// file's name, the line and the column.
inline constexpr std::string_view kRosterLoadFailed = "ロスターを読み込めません：";
inline constexpr std::string_view kRosterNotText =
    "UTF-8 でも CP932 (シフト JIS) でもないバイトがあります";
inline constexpr std::string_view kRosterNoHeader = "見出しの行がありません";
inline constexpr std::string_view kRosterHeadingEmpty = "列の見出しが空です";
inline constexpr std::string_view kRosterHitsMissing = "安打 (H) か単打 (1B) の列がありません";
inline constexpr std::string_view kRosterQuoteUnclosed = "引用符 (\") が閉じていません";
inline constexpr std::string_view kRosterQuoteStray =
    "引用符 (\") が値の途中にあります (値全体を \" で囲み、中の \" は 2 つ重ねてください)";
inline constexpr std::string_view kRosterNameEmpty = "名前が空です";
inline constexpr std::string_view kRosterNoPlayer = "選手の行がありません";

// "ロスターにしては大きすぎるファイルです (1048576 バイトまで)"
inline std::string rosterTooLarge(std::size_t maxBytes) {
    return "ロスターにしては大きすぎるファイルです (" + std::to_string(maxBytes) + " バイトまで)";
}

// "列「H」は 2 度目です (3 列目と同じ列です)"
inline std::string rosterColumnTwice(std::string_view heading, int firstColumn) {
    return "列「" + std::string(heading) + "」は 2 度目です (" + std::to_string(firstColumn) +
           " 列目と同じ列です)";
}

// "打数 (AB) の列がありません"
inline std::string rosterColumnMissing(std::string_view column) {
    return std::string(column) + " の列がありません";
}

// "値が 12 個あります (見出しは 10 列です)"
inline std::string rosterCellCount(std::size_t cells, std::size_t columns) {
    return "値が " + std::to_string(cells) + " 個あります (見出しは " + std::to_string(columns) +
           " 列です)";
}

// "打数「abc」は整数ではありません" (the heading as the file writes it)
inline std::string rosterNotInteger(std::string_view heading, std::string_view text) {
    return std::string(heading) + "「" + std::string(text) + "」は整数ではありません";
}

// "打数 0 は範囲外です (1..100000)"
inline std::string rosterOutOfRange(std::string_view heading, long long value, long long min,
                                    long long max) {
    return std::string(heading) + " " + std::to_string(value) + " は範囲外です (" +
           std::to_string(min) + ".." + std::to_string(max) + ")";
}

// "1B 1to3「x」は数ではありません"
inline std::string rosterNotNumber(std::string_view heading, std::string_view text) {
    return std::string(heading) + "「" + std::string(text) + "」は数ではありません";
}

// "1B 1to3「1.5」は 0 から 1 の間にありません"
inline std::string rosterRateOutOfRange(std::string_view heading, std::string_view text) {
    return std::string(heading) + "「" + std::string(text) + "」は 0 から 1 の間にありません";
}

// "四球と死球の計 100000 は範囲外です (0..99999)"
inline std::string rosterWalksOutOfRange(long long walks, long long max) {
    return "四球と死球の計 " + std::to_string(walks) + " は範囲外です (0.." + std::to_string(max) +
           ")";
}

// "安打 150 が打数 120 を超えています"
inline std::string rosterHitsOverAtBats(long long hits, long long atBats) {
    return "安打 " + std::to_string(hits) + " が打数 " + std::to_string(atBats) + " を超えています";
}

// "安打 20 が二塁打・三塁打・本塁打の計 25 より少ないです"
inline std::string rosterHitsBelowExtraBases(long long hits, long long extraBases) {
    return "安打 " + std::to_string(hits) + " が二塁打・三塁打・本塁打の計 " +
           std::to_string(extraBases) + " より少ないです";
}

// "安打 30 が単打・二塁打・三塁打・本塁打の計 28 と合いません"
inline std::string rosterHitsMismatch(long long hits, long long sum) {
    return "安打 " + std::to_string(hits) + " が単打・二塁打・三塁打・本塁打の計 " +
           std::to_string(sum) + " と合いません";
}

// "名前が長すぎます (64 バイトまで)"
inline std::string rosterNameTooLong(std::size_t maxBytes) {
    return "名前が長すぎます (" + std::to_string(maxBytes) + " バイトまで)";
}

// "名前「佐藤」は 3 行目にもあります"
inline std::string rosterNameRepeated(std::string_view name, int line) {
    return "名前「" + std::string(name) + "」は " + std::to_string(line) + " 行目にもあります";
}

// "名前「佐藤」はほかの選手にも付いています"
inline std::string rosterNameTaken(std::string_view name) {
    return "名前「" + std::string(name) + "」はほかの選手にも付いています";
}

// "選手が多すぎます (40 人まで)"
inline std::string rosterTooManyPlayers(int maxPlayers) {
    return "選手が多すぎます (" + std::to_string(maxPlayers) + " 人まで)";
}

// The folder of the user's own (batch/user_folder.h): followed by the folder.
inline constexpr std::string_view kUserFolderFailed = "DIZ のフォルダーを用意できません：";
// A first start has made it, with the example batters and every ordering.
inline constexpr std::string_view kUserFolderMade =
    "例の打者 batters.txt と全打順の order.dat を置いたフォルダーを作りました：";

// `DIZ --help`: what the program takes on its command line.
inline constexpr std::string_view kProgramHelp =
    "Usage: DIZ [--user-folder | --help | --version]\n"
    "The batting-order simulator's window (Japanese texts). It reads order.dat from\n"
    "the folder it starts in; Load and Save read and write batter files.\n"
    "\n"
    "  --user-folder  start in a folder of your own (~/DIZ), made on the first start\n"
    "                 with the example batters (batters.txt) and an order.dat of\n"
    "                 every ordering; the menu entry starts DIZ this way\n"
    "  --help         print this help and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "Which order is best: right-click the window (or Alt+Space) and choose\n"
    "打順ランキング (R) for every order ranked by its exact expected runs.\n"
    "See DIZ(1) and diz-cli(1).\n";

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
inline constexpr std::string_view kRankingRoster = "選手名簿(&L)...";
// Before the selected order's players, when the nine rows came from a roster.
inline constexpr std::string_view kRankingOrderNames = "選択した打順：";
// Its status line.
inline constexpr std::string_view kRankingEvaluating = "評価中...";
inline constexpr std::string_view kRankingSlowOrders =
    "評価中...（凡退しにくい打者がいるため時間がかかります）";
inline constexpr std::string_view kRankingCancelling = "中止しています...";
// Every order is evaluated; they are being ranked.
inline constexpr std::string_view kRankingSorting = "順位を付けています...";
inline constexpr std::string_view kRankingCancelled = "中止しました";
// Followed by the file's whole name.
inline constexpr std::string_view kRankingCsvSaved = "CSVを保存しました：";

// "362880 打順を評価しました"
inline std::string rankingEvaluated(std::size_t orders) {
    return std::to_string(orders) + " 打順を評価しました";
}

// How sure its best order is (確からしさ): seasons drawn anew from the
// batters' counts after the ranking. The option's label, mnemonic K, and what
// follows its field.
inline constexpr std::string_view kRankingReplicates = "確からしさ(&K)";
inline constexpr std::string_view kRankingReplicatesUnit = "回（0：なし）";
// The status while the seasons are evaluated, then while they are evaluated
// again for orders found best that were not followed.
inline constexpr std::string_view kRankingResampling = "確からしさを調べています...";
inline constexpr std::string_view kRankingResamplingAgain =
    "確からしさを調べています...（最良になった打順をもう一度）";
// The table's two columns of it.
inline constexpr std::string_view kRankingBestShareColumn = "最善の割合";
inline constexpr std::string_view kRankingGapRangeColumn = "差の範囲 (5–95 %)";
// The summary's line: "確からしさ：リサンプリング 200 回で最良 abcdefghi が
// 最良 31.5%、最良になった打順 12 通り、この打順の損失の期待値 0.004321
// 点/試合（143 試合で 0.62 点）", after a stop "リサンプリング 57 回（200 回の
// うち、中止）で…".
inline constexpr std::string_view kSureHeading = "確からしさ：リサンプリング ";
inline constexpr std::string_view kSureStopped = " 回のうち、中止）";
inline constexpr std::string_view kSureBest = "で最良 ";
inline constexpr std::string_view kSureShare = " が最良 ";
inline constexpr std::string_view kSureDistinct = "%、最良になった打順 ";
inline constexpr std::string_view kSureCost = " 通り、この打順の損失の期待値 ";
inline constexpr std::string_view kSureEnd = " 点）";

// "362880 打順を評価しました（確からしさは 200 回のうち 57 回で中止）": the
// ranking, after a stop while it was being resampled.
inline std::string rankingResampleStopped(std::size_t orders, std::uint32_t done,
                                          std::uint32_t requested) {
    return rankingEvaluated(orders) + "（確からしさは " + std::to_string(requested) + " 回のうち " +
           std::to_string(done) + " 回で中止）";
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
// The best order's gap to each resampled season's best, 5 % to 95 %.
inline constexpr std::string_view kChartBestRange = "最良の差の範囲 (5–95 %)";

// The resampled seasons' report (diz-cli exact --resample):
// "リサンプリング 200 回（シード 1）：最良になった打順 12 通り", after a stop
// "リサンプリング 57 回（200 回のうち、中断）（シード 1）：…"; then a line
// for the point ranking's best and one for abcdefghi, "点推定の最良
// abcdefghi：最良の割合 0.315000、損失の期待値 0.004321 点/試合（143 試合で
// 0.62 点）", and the table under its column heads.
inline constexpr std::string_view kResampleHeading = "リサンプリング ";
inline constexpr std::string_view kResampleTimes = " 回";
inline constexpr std::string_view kResampleOf = "（";
inline constexpr std::string_view kResampleStopped = " 回のうち、中断）";
inline constexpr std::string_view kResampleSeed = "（シード ";
inline constexpr std::string_view kResampleDistinct = "）：最良になった打順 ";
inline constexpr std::string_view kResampleDistinctEnd = " 通り\n";
inline constexpr std::string_view kResamplePointBest = "点推定の最良 ";
inline constexpr std::string_view kResampleEntered = "入力順 ";
inline constexpr std::string_view kResampleShare = "：最良の割合 ";
inline constexpr std::string_view kResampleCost = "、損失の期待値 ";
inline constexpr std::string_view kResampleRunsPerGame = " 点/試合（";
inline constexpr std::string_view kResampleSeasonGames = " 試合で ";
inline constexpr std::string_view kResampleRunsEnd = " 点）\n";
inline constexpr std::string_view kResampleColumns =
    "順位 打順 得点期待値 最善の割合 順位中央値 差の5%点 差の95%点\n";
// diz-cli exact --csv naming the result file; followed by the name.
inline constexpr std::string_view kCsvIsOutput = "CSVと出力が同じファイルです：";
// The CSV's columns after the ranking's own.
inline constexpr std::string_view kResampleCsvColumns = "最善の割合,順位中央値,差の5%点,差の95%点";

// The roster window (選手名簿).
inline constexpr std::string_view kRosterTitle = "選手名簿";
inline constexpr std::string_view kRosterImport = "名簿を読み込む(&O)...";
inline constexpr std::string_view kRosterExport = "名簿を保存(&S)...";
inline constexpr std::string_view kRosterFromRows = "9 人の打者から作る(&N)";
inline constexpr std::string_view kRosterDefaultRates =
    "率の列がない名簿の率 (一塁→三塁、二塁→本塁、一塁→本塁)：";
inline constexpr std::string_view kRosterRoleHeading = "出場";
inline constexpr std::string_view kRosterSlotHeading = "打順固定";
inline constexpr std::string_view kRosterSearch = "最適な打線を探す(&F)";
inline constexpr std::string_view kRosterPut = "打線に入れる(&P)";
inline constexpr std::string_view kRosterLineups =
    "見つかった打線 (順位  得点期待値  最良との差  打順)";
inline constexpr std::string_view kRosterEmpty = "名簿を読み込むか、9 人の打者から作ってください";
inline constexpr std::string_view kRosterBadRate = "率は 0 から 1 の数で入れてください：";
inline constexpr std::string_view kRosterSaved = "名簿を保存しました：";
inline constexpr std::string_view kRosterPutDone =
    "打線を打者の欄に入れ、打順パターン 1 を abcdefghi にしました";
// "名簿を読み込みました：13 人", each note on a line of its own after it.
inline std::string rosterLoaded(std::size_t players) {
    return "名簿を読み込みました：" + std::to_string(players) + " 人";
}
inline constexpr std::string_view kRosterNoteCodePage =
    "UTF-8 ではないため CP932 (シフト JIS) として読みました";
inline constexpr std::string_view kRosterNoteIgnored = "使わなかった列：";
// "1B 1to3 の列がないため、全員 0.27 にしました"
inline std::string rosterNoteRateDefaulted(std::string_view rate, std::string_view value) {
    return std::string(rate) + " の列がないため、全員 " + std::string(value) + " にしました";
}
// "空の率 3 か所を既定の値にしました"
inline std::string rosterNoteEmptyRates(int cells) {
    return "空の率 " + std::to_string(cells) + " か所を既定の値にしました";
}

// The roster window's search of the best lineups (batch/lineup_run.h).
inline constexpr std::string_view kLineupSearching = "最適な打線を探しています… ";
inline constexpr std::string_view kLineupOrders = " 打順";
inline constexpr std::string_view kLineupStopped = "中止しました。それまでに見つけた最良の打線です";
inline constexpr std::string_view kLineupNoneFound = "打線が見つかりませんでした";

// "9 人の選び方 715 通りを調べ、有望な 16 通りは全打順を評価しました
// (645120 打順)", or with every choice ranked "9 人の選び方 10 通りの全打順を評
// 価しました (3628800 打順)"
inline std::string lineupSearched(std::uint64_t choices, std::uint64_t ranked,
                                  std::uint64_t orders) {
    std::string text = "9 人の選び方 " + std::to_string(choices) + " 通り";
    if (ranked == choices) {
        text += "の全打順を評価しました";
    } else {
        text += "を調べ、有望な " + std::to_string(ranked) + " 通りは全打順を評価しました";
    }
    return text + " (" + std::to_string(orders) + " 打順)";
}

// The marks of the roster table that no lineup can meet.
// "「佐藤」は出場しないのに打順 9 に固定されています"
inline std::string markBenchedInSlot(std::string_view name, int slot) {
    return "「" + std::string(name) + "」は出場しないのに打順 " + std::to_string(slot) +
           " に固定されています";
}
// "打順 9 に「佐藤」と「鈴木」が固定されています"
inline std::string markSlotTwice(int slot, std::string_view first, std::string_view second) {
    return "打順 " + std::to_string(slot) + " に「" + std::string(first) + "」と「" +
           std::string(second) + "」が固定されています";
}
// "必ず出場の選手が 9 人を超えています (10 人)"
inline std::string markTooManyPlay(std::size_t players) {
    return "必ず出場の選手が 9 人を超えています (" + std::to_string(players) + " 人)";
}
// "出場できる選手が 9 人に足りません (8 人)"
inline std::string markTooFewFree(std::size_t players) {
    return "出場できる選手が 9 人に足りません (" + std::to_string(players) + " 人)";
}
// "9 人の選び方が 38760 通りあり、多すぎます (20000 通りまで)。必ず出場か出場
// しないを指定してください"
inline std::string markTooManyChoices(std::uint64_t choices, std::uint64_t max) {
    return "9 人の選び方が " + std::to_string(choices) + " 通りあり、多すぎます (" +
           std::to_string(max) + " 通りまで)。必ず出場か出場しないを指定してください";
}

}  // namespace diz::msg
