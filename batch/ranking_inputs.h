// What a ranking window starts from and asks for, the same in every
// front-end: the main window's batters, patterns and order file, the orders
// of each of the window's three selections, and the file its CSV goes to.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "batch/batter_table.h"
#include "batch/orders.h"
#include "batch/window.h"

namespace diz {

struct WindowModel;
struct SimulationFiles;

// Read from the main window when it opens (or raises) the ranking window.
struct RankingInputs {
    BatterTable batters{};    // the counts, for the resampled seasons
    BatterRecords records{};  // buildRecords(batters)
    Patterns patterns{};
    std::string orderFile = "order.dat";  // Simulate's order file (UTF-8)
    // The rows' players' names when they came from a roster, else empty.
    std::array<std::string, kLineupSize> names{};
};

// An order's players by name in batting order, "1 青木  2 馬場  …  9 上田",
// when the inputs name them; empty otherwise.
std::string orderNames(std::string_view letters, const RankingInputs& inputs);
// What the ranking window says of its selected order's players:
// msg::kRankingOrderNames and orderNames(), or nothing without names.
std::string selectedOrderNames(std::string_view letters, const RankingInputs& inputs);

// The inputs of a main window's model (already read from its controls) and
// of the files its Simulate uses.
RankingInputs rankingInputs(const WindowModel& model, const SimulationFiles& files);

// The orders a ranking evaluates for `source`: every ordering, the orderings
// the patterns accept, or the order file's lines as Simulate reads them. A
// ranking takes them in any sequence, so the orderings come set by set,
// which the exact evaluation needs the least memory for.
OrderSelection rankingSelection(OrderSource source, const RankingInputs& inputs);

// What CSV保存 asks the file chooser: "ranking.csv" in the current folder,
// asking before replacing a file and before creating one.
ChooserRequest rankingCsvRequest();

}  // namespace diz
