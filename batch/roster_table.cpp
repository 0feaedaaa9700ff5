#include "batch/roster_table.h"

#include <algorithm>
#include <cstring>

#include "batch/messages.h"
#include "batch/text_io.h"
#include "batch/window_model.h"

namespace diz {

ChooserRequest rosterFileRequest(ChooserRequest::Kind kind) {
    ChooserRequest request;
    request.kind = kind;
    request.defaultExtension = "csv";
    if (kind == ChooserRequest::Kind::Open) {
        request.initialName = "*.csv";
        request.fileMustExist = true;
    } else {
        request.initialName = "roster.csv";
        request.overwritePrompt = true;
        request.createPrompt = true;
    }
    return request;
}

bool RosterTable::load(std::string_view path, const RunningRates& defaults, std::string& text) {
    RosterProblem problem;
    std::optional<Roster> roster = readRosterFile(utf8Path(path), defaults, problem);
    if (!roster) {
        // A file that can't be read at all is named after the reason.
        text = problem.line == 0 && problem.reason == msg::kRosterLoadFailed
                   ? messageWithName(problem.reason, path)
                   : std::string(msg::kRosterLoadFailed) + '\n' + problem.text(path);
        return false;
    }
    text = rosterLoadedText(*roster, defaults);
    m_players = std::move(roster->players);
    resetView();
    return true;
}

void RosterTable::fromRows(const WindowModel& model) {
    const bool named = std::none_of(model.batterNames.begin(), model.batterNames.end(),
                                    [](const std::string& name) { return name.empty(); });
    const std::vector<std::string> names =
        named ? std::vector<std::string>(model.batterNames.begin(), model.batterNames.end())
              : defaultBatterNames();
    m_players = rosterFromBatters(model.batters, names);
    resetView();
}

SaveResult RosterTable::save(std::string_view path) const {
    return saveAtomically(utf8Path(path), formatRoster(m_players));
}

void RosterTable::resetView() {
    m_marks.assign(m_players.size(), PlayerMark{});
    m_view.resize(m_players.size());
    for (std::size_t i = 0; i < m_view.size(); ++i) m_view[i] = static_cast<std::uint32_t>(i);
    m_sortColumn = -1;
    m_ascending = true;
    m_found = {};
}

std::string_view RosterTable::heading(int column) {
    if (column == rosterTable::kRole) return msg::kRosterRoleHeading;
    if (column == rosterTable::kSlot) return msg::kRosterSlotHeading;
    return rosterTableHeading(column);
}

std::string RosterTable::cell(std::size_t viewRow, int column) const {
    const std::size_t p = m_view[viewRow];
    if (column == rosterTable::kRole) {
        return std::string(kRoleTexts[static_cast<int>(m_marks[p].role)]);
    }
    if (column == rosterTable::kSlot) return slotText(m_marks[p].slot);
    return rosterCellText(m_players[p], column);
}

std::optional<std::string> RosterTable::setCell(std::size_t viewRow, int column,
                                                std::string_view text) {
    const std::size_t p = m_view[viewRow];
    const RosterPlayer before = m_players[p];
    auto problem = setRosterCell(m_players, p, column, text);
    // Lineups found before an edit may no longer be the best.
    if (!problem && (m_players[p].name != before.name ||
                     std::memcmp(&m_players[p].batter, &before.batter, sizeof before.batter))) {
        m_found = {};
    }
    return problem;
}

void RosterTable::setRole(std::size_t viewRow, PlayerRole role) {
    m_marks[m_view[viewRow]].role = role;
}

void RosterTable::setSlot(std::size_t viewRow, int slot) { m_marks[m_view[viewRow]].slot = slot; }

void RosterTable::sort(int column, bool ascending) {
    if (column < kRosterTableColumns) {
        m_view = sortRoster(m_players, column, ascending);
    } else {
        const auto key = [&](std::uint32_t p) {
            return column == rosterTable::kRole ? static_cast<int>(m_marks[p].role)
                                                : m_marks[p].slot;
        };
        for (std::size_t i = 0; i < m_view.size(); ++i) m_view[i] = static_cast<std::uint32_t>(i);
        std::stable_sort(m_view.begin(), m_view.end(), [&](std::uint32_t a, std::uint32_t b) {
            return ascending ? key(a) < key(b) : key(b) < key(a);
        });
    }
    m_sortColumn = column;
    m_ascending = ascending;
}

std::unique_ptr<LineupRun> RosterTable::startSearch(std::string& reason) {
    if (m_players.empty()) {
        reason = msg::kRosterEmpty;
        return nullptr;
    }
    LineupConstraints constraints;
    if (auto problem = markedConstraints(m_players, m_marks, constraints)) {
        reason = std::move(*problem);
        return nullptr;
    }
    std::unique_ptr<LineupRun> run =
        LineupRun::start(m_players, constraints, kRosterLineups, reason);
    if (run) m_found = {};
    return run;
}

std::vector<std::string> RosterTable::foundRows() const {
    std::vector<std::string> rows;
    const std::vector<Lineup>& best = m_found.search.best;
    for (std::size_t i = 0; i < best.size(); ++i) {
        rows.push_back(lineupRowText(m_players, best[i], i + 1, best.front().meanRuns));
    }
    return rows;
}

}  // namespace diz
