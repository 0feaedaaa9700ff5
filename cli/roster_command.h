// `diz-cli roster`: the nine rows of a batter file written as a roster CSV,
// and the reading of a roster that `lineup` shares.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "batch/roster.h"

namespace CLI {
class App;
}

namespace diz::cli {

struct RosterOptions {
    std::string batters;             // batter data file, required
    std::string output;              // the roster CSV, required
    std::vector<std::string> names;  // nine names for rows a..i; none: 打者A..打者I
    bool lenient = false;
};

// Exit status: kSuccess once written, kUsageError for a bad option or batter
// file, kRunFailed when the file can't be written.
void addRosterCommand(CLI::App& app);
int rosterCommand(const RosterOptions& options);

// Declares --rates on `sub`: three rates 0..1, comma separated, for the
// rates a roster has no column (or an empty cell) for; checked as parsed.
void addRatesOption(CLI::App& sub, std::string& rates);

// The rates of a --rates text that passed its check; the defaults when empty.
RunningRates ratesFrom(const std::string& text);

// Reads the roster at `path`; tells standard error why it is refused (file,
// line, column, reason), or, once read, which columns it ignored, which rates
// took their defaults and that it was read as code page 932.
std::optional<Roster> loadRoster(const std::string& path, const RunningRates& defaults);

// The nine players of the roster at `path` named in `players` (nine names,
// or one text of nine separated by commas), in that order, as the rows a..i
// of `table`, their names in `names`; false, after
// telling standard error why, for a refused roster, a name it does not hold,
// a name given twice or a count other than nine.
bool loadRosterLineup(const std::string& path, const std::vector<std::string>& players,
                      const RunningRates& defaults, BatterTable& table,
                      std::vector<std::string>& names);

}  // namespace diz::cli
