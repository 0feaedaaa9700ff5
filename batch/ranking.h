// A ranking of evaluated orders: every order with its exact figures, kept
// compact, ranked by expected runs and sortable by any column, with the
// summary above the ranking window's table, the spread of its expected runs
// and the CSV file it saves. The windows only show what is computed here.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/atomic_save.h"
#include "batch/batter_table.h"
#include "batch/resample.h"
#include "batch/run_pipeline.h"
#include "diz/lineup.h"

namespace diz {

// The columns: rank, order, expected runs, gap to the best, standard
// deviation of a game's runs, then the nine innings' expected runs and the
// nine innings' chances of scoring; the CSV's own columns are these. After
// them, two a table shows once the ranking has been resampled: the share of
// the seasons in which the order is best and the 5 % to 95 % points of its
// gap to each season's best.
namespace ranking {
inline constexpr int kRank = 0;
inline constexpr int kOrder = 1;
inline constexpr int kMeanRuns = 2;
inline constexpr int kGap = 3;
inline constexpr int kDeviation = 4;
inline constexpr int kFirstInningRuns = 5;
inline constexpr int kFirstInningScoring = kFirstInningRuns + kInnings;
inline constexpr int kColumnCount = kFirstInningScoring + kInnings;
inline constexpr int kBestShare = kColumnCount;
inline constexpr int kGapRange = kColumnCount + 1;
inline constexpr int kTableColumnCount = kColumnCount + 2;
// The orders of the point ranking's top that a resampling reports whatever
// their share, as diz-cli exact --top does by default; the next
// resampling::kLookahead are followed ahead.
inline constexpr std::size_t kResampleShown = 10;
// The resampled seasons a ranking window draws unless told otherwise.
inline constexpr std::uint32_t kDefaultReplicates = 200;
// A season's games, for the summary's gap over a season.
inline constexpr int kSeasonGames = 143;
// Bins of the spread of expected runs.
inline constexpr int kHistogramBins = 40;
// Orders whose expected runs differ by less than this per game are
// practically tied: a season of games could not tell them apart.
inline constexpr double kPracticallyTiedRuns = 0.001;

// How both front-ends tell the best order and the selected one apart in the
// charts, in colour, in print and for colour-blind readers: colours of the
// Okabe-Ito set, far apart in lightness as well, the best order's bars solid
// and the selected order's hatched, the best order's mark a solid line and
// the selected order's dashed, and each named in the legend with its letters.
inline constexpr std::uint32_t kBestColour = 0x0072B2;      // dark blue, solid
inline constexpr std::uint32_t kSelectedColour = 0xE69F00;  // orange, hatched / dashed
inline constexpr std::uint32_t kSpreadColour = 0xBBBBBB;    // the histogram's fill

// A table's sort mark: ▲ for ascending, ▼ for descending, in every column
// (rank ascending is best first).
inline constexpr std::string_view kAscendingMark = "▲";
inline constexpr std::string_view kDescendingMark = "▼";
}  // namespace ranking

// The column's title, as the table heads it and the CSV's header holds it.
std::string rankingColumnTitle(int column);

// One order's figures as a ranking keeps them: the expected runs and the
// standard deviation as computed.
struct RankedFigures {
    double meanRuns = 0.0;
    double deviation = 0.0;
};
// An order's eighteen inning figures as the millionths their six decimals
// show (all a table and the CSV show of them): the expected runs of innings
// 1..9, then the chances of scoring in them.
using InningFigures = std::array<std::uint32_t, 2 * kInnings>;

// The evaluated orders in evaluation order, kept compact: each order's nine
// letters and its figures, side by side (362880 of them fit in 9 MB, 35 MB
// with their inning figures). The figures are those of an evaluation over
// one game, so that the standard error is the standard deviation of one
// game's runs.
//
// A ranking needs the expected runs and the deviation alone, and a window
// shows the inning figures of the few rows in view: rows can leave those to
// be worked out exactly when first asked for (deferInnings), one order at a
// time for a row shown and all at once for a sort by an inning or the CSV.
// They are then the figures the evaluation would have kept, to the bit. The
// rows, their deferred figures included, are used by one thread at a time.
struct RankingRows {
    RankingRows();
    ~RankingRows();
    RankingRows(RankingRows&&) noexcept;
    RankingRows& operator=(RankingRows&&) noexcept;

    std::vector<std::array<char, kLineupSize>> orders;
    std::vector<RankedFigures> figures;

    std::size_t size() const { return orders.size(); }
    void reserve(std::size_t count);
    // Appends the order with the expected runs, the standard error as the
    // deviation and, unless deferred, the inning figures of `result`.
    void append(const BattingOrder& order, const TrialResult& result);
    // The rows appended from now on leave their inning figures to be worked
    // out from `records`, the batters they were evaluated with. Only before
    // the first row.
    void deferInnings(const BatterRecords& records);
    std::string_view order(std::size_t row) const {
        return {orders[row].data(), orders[row].size()};
    }
    // Row `row`'s inning figures, worked out first when deferred.
    const InningFigures& innings(std::size_t row) const;
    // Works out the inning figures of every deferred row at once.
    void completeInnings() const;
    // Inning 0..8's expected runs, to six decimals.
    double inningRuns(std::size_t row, int inning) const;

  private:
    struct Deferred;
    std::vector<InningFigures> m_innings;  // of every row, unless deferred
    std::unique_ptr<Deferred> m_deferred;
};

// `value` rounded to six decimals exactly as appendFixed rounds it, counted
// in millionths. Values from 0 up to 4294.967295 are kept; below that 0,
// above it the largest. An inning's figures always fit: at most four runs
// score in a plate appearance and the engine ends an inning after 1000.
std::uint32_t toMillionths(double value);
// Appends `millionths` as a number with six decimals.
void appendMillionths(std::string& out, std::uint32_t millionths);

enum class SortDirection { Ascending, Descending };

// The rows' indices sorted by `column` (below kColumnCount). Every column
// sorts by its value, ties by the order's text and then by evaluation order,
// in both directions: for expected runs and the gap, descending puts the best
// first; rank ascending equals expected runs descending.
std::vector<std::uint32_t> sortRows(const RankingRows& rows, int column, SortDirection direction);
// The rows' indices sorted by `keys` (one per row), ties as above; rows whose
// key is NaN (an empty cell) come last in both directions, in `fallback`'s
// order (a permutation of the rows).
std::vector<std::uint32_t> sortRows(const RankingRows& rows, std::span<const double> keys,
                                    SortDirection direction,
                                    std::span<const std::uint32_t> fallback);

// The rank of each row, 1 for the best, from the rows best first.
std::vector<std::uint32_t> ranksOf(const std::vector<std::uint32_t>& bestFirst);

// How the rows' expected runs spread: counts[i] orders lie from
// from + i * width up to the next bin (the highest in the last). A single
// value gets a narrow bin of its own.
struct RunsHistogram {
    double from = 0.0;
    double width = 0.0;
    std::vector<int> counts;
};
RunsHistogram runsHistogram(const RankingRows& rows, int bins = ranking::kHistogramBins);

// What a window says after saving a ranking's CSV as `name`: that it was
// saved, or why not.
std::string csvSaveMessage(SaveResult result, std::string_view name);

// The rows ranked, and shown in one sort at a time.
class RankingTable {
  public:
    // Takes over `rows`, shown best first. `bestFirst` must be
    // sortRows(rows, kMeanRuns, Descending) and `ranks` ranksOf(bestFirst)
    // when given; they are computed here otherwise (a worker thread can do
    // them ahead). Any resampling goes.
    void setRows(RankingRows rows, std::vector<std::uint32_t> bestFirst = {},
                 std::vector<std::uint32_t> ranks = {});
    // The resampling of these rows (their places in the selection are their
    // rows): once it has a replicate, the table's two resampled columns show
    // it for the orders it names, the CSV carries its four columns and the
    // summary its line. Call after setRows.
    void setResampled(ResampleSummary summary);
    // Empties the table and hands its rows over (the caller may free them on
    // another thread: giving back the megabytes of every ordering's rows takes
    // tens of milliseconds).
    RankingRows takeRows();

    // True once a resampling with at least one replicate was set.
    bool resampled() const { return m_resampled.replicates > 0; }
    const ResampleSummary& resampling() const { return m_resampled; }
    // Row `row`'s figures of the resampling, or null when it names none.
    const ResampledOrder* resampledOf(std::uint32_t row) const;
    // The expected runs the best order's gap spans, its own less the 5 % and
    // 95 % points of its shortfall: what both charts bracket. Only when
    // resampled with the best order's gap known.
    struct RunsRange {
        double low = 0.0;
        double high = 0.0;
    };
    std::optional<RunsRange> bestRange() const;

    std::size_t size() const { return m_bestFirst.size(); }
    bool empty() const { return m_bestFirst.empty(); }
    const RankingRows& rows() const { return m_rows; }
    // The row of rows() shown at place `viewRow` of the current sort.
    std::uint32_t rowAt(std::size_t viewRow) const { return view()[viewRow]; }
    // The place of every row in the current sort: viewPlaces()[rowAt(i)] == i.
    std::vector<std::uint32_t> viewPlaces() const;
    // The rows of the best and the worst order (rank 1 and last); only when
    // the table is not empty.
    std::uint32_t bestRow() const { return m_bestFirst.front(); }
    std::uint32_t worstRow() const { return m_bestFirst.back(); }
    // Rank of row `row`: 1 for the best.
    std::uint32_t rankOf(std::uint32_t row) const { return m_rank[row]; }

    int sortColumn() const { return m_sortColumn; }
    SortDirection sortDirection() const { return m_direction; }
    void sort(int column, SortDirection direction);

    // The text of a cell as the table shows it and the CSV holds it: the rank
    // as an integer, the order's letters, every figure with six decimals.
    // The resampled columns (the table's only) show the share as a percentage
    // with one decimal and the gap's points with four, "-0.0123 〜 0.0000";
    // empty for a row the resampling does not name, or whose gap it does not
    // know.
    void appendCell(std::string& out, std::uint32_t row, int column) const;
    // One CSV line of every column of the row at `viewRow`, then, once
    // resampled, the four resampled columns as diz-cli exact --resample
    // writes them (the share of the seasons best from 0 to 1, the median rank
    // and the gap's 5 % and 95 % points, six decimals; empty where not
    // known), CR LF ended.
    void appendCsvLine(std::string& out, std::size_t viewRow) const;
    // The CSV file of the table in its current sort: UTF-8 with a byte-order
    // mark, a header of the column titles, a line per row, CR LF, once
    // resampled with msg::kResampleCsvColumns last. Saved atomically (see
    // saveAtomically) a megabyte at a time.
    SaveResult saveCsv(const std::filesystem::path& path) const;

    // "最良 abcdefghi 5.078538 点　最悪 … 点　差 0.206452 点/試合（143 試合で
    // 29.52 点）": the best and the worst order and their gap per game and per
    // season; then, with two orders or more, a second line with the gap
    // between the best and the runner-up, which says when it is below
    // kPracticallyTiedRuns: "最良と 2 位 acbdefghi の差 0.000216 点/試合
    // （0.001 点未満：実質的に同点です）". Once resampled, a line more on how
    // sure the best is (see msg::resampleSummaryLine). Empty for an empty
    // table.
    std::string summary() const;

  private:
    void appendRunnerUp(std::string& text) const;
    void appendSureness(std::string& text) const;

    RankingRows m_rows;
    std::vector<std::uint32_t> m_bestFirst;  // rows by rank
    std::vector<std::uint32_t> m_rank;       // rank of each row, 1 = best
    // The rows in the current sort, unless that is best first (the sort a
    // ranking is shown in needs no copy of the 362880 rows).
    std::vector<std::uint32_t> m_view;
    bool m_viewBestFirst = true;
    const std::vector<std::uint32_t>& view() const {
        return m_viewBestFirst ? m_bestFirst : m_view;
    }
    ResampleSummary m_resampled;
    // Place in m_resampled.orders of each row it names, kNotResampled for the others.
    std::vector<std::uint32_t> m_resampledPlace;
    static constexpr std::uint32_t kNotResampled = 0xFFFFFFFF;
    int m_sortColumn = ranking::kMeanRuns;
    SortDirection m_direction = SortDirection::Descending;
};

}  // namespace diz
