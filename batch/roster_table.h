// What the roster window shows and edits, the same in every front-end: the
// players with their marks in one sort at a time, the lineups the last
// search found, and the files the window reads and writes. The windows only
// draw it and pass the user's input on.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/atomic_save.h"
#include "batch/lineup_run.h"
#include "batch/roster.h"
#include "batch/window.h"

namespace diz {

struct WindowModel;

// The table's columns: the name, the batter row's nine fields, then the
// marks.
namespace rosterTable {
inline constexpr int kRole = kRosterTableColumns;
inline constexpr int kSlot = kRosterTableColumns + 1;
inline constexpr int kColumnCount = kRosterTableColumns + 2;
}  // namespace rosterTable

// The lineups the roster window lists.
inline constexpr std::size_t kRosterLineups = 10;

// What 名簿を読み込む asks for ("*.csv", the file must exist) and 名簿を保存
// ("roster.csv", asking before replacing a file and before creating one).
ChooserRequest rosterFileRequest(ChooserRequest::Kind kind);

class RosterTable {
  public:
    std::size_t size() const { return m_players.size(); }
    const std::vector<RosterPlayer>& players() const { return m_players; }
    const std::vector<PlayerMark>& marks() const { return m_marks; }
    // The player shown at place `viewRow` of the current sort.
    std::size_t playerAt(std::size_t viewRow) const { return m_view[viewRow]; }

    // Reads the roster at `path` (UTF-8) with `defaults` for missing rates;
    // on success the players replace the table's (marks cleared, roster
    // order) and the text says what was read (rosterLoadedText), otherwise
    // the table stays and the text says why (file, line, column, reason).
    bool load(std::string_view path, const RunningRates& defaults, std::string& text);
    // The main window's nine rows as players, named as the rows were named
    // when a lineup was put into them, else 打者A .. 打者I.
    void fromRows(const WindowModel& model);
    // Saves the players as a roster CSV (formatRoster).
    SaveResult save(std::string_view path) const;

    // Column titles and cell texts as the table shows them; the mark columns
    // show kRoleTexts and slotText.
    static std::string_view heading(int column);
    std::string cell(std::size_t viewRow, int column) const;
    // Puts typed text into a player's cell (setRosterCell), or says why not.
    std::optional<std::string> setCell(std::size_t viewRow, int column, std::string_view text);
    void setRole(std::size_t viewRow, PlayerRole role);
    void setSlot(std::size_t viewRow, int slot);

    int sortColumn() const { return m_sortColumn; }
    bool ascending() const { return m_ascending; }
    // Sorts by a player column (the mark columns sort by role and by slot).
    void sort(int column, bool ascending);

    // Starts the search of the kRosterLineups best lineups of the players
    // under their marks, forgetting the lineups found before; nothing, and
    // the reason (Japanese), for an empty table, marks no lineup can meet
    // (markedConstraints) or a thread that can't be started.
    std::unique_ptr<LineupRun> startSearch(std::string& reason);
    // The search's result, best first, and its message.
    void setFound(LineupRun::Result result) { m_found = std::move(result); }
    const LineupRun::Result& found() const { return m_found; }
    // The found lineups' rows (lineupRowText).
    std::vector<std::string> foundRows() const;

  private:
    void resetView();

    std::vector<RosterPlayer> m_players;
    std::vector<PlayerMark> m_marks;
    std::vector<std::uint32_t> m_view;
    int m_sortColumn = -1;  // roster order
    bool m_ascending = true;
    LineupRun::Result m_found;
};

}  // namespace diz
