#include "batch/roster.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "batch/batter_fields.h"
#include "batch/code_page.h"
#include "batch/field_text.h"
#include "batch/messages.h"
#include "batch/text_io.h"

namespace diz {
namespace {

constexpr int kColumnKinds = 12;

struct ColumnSpelling {
    std::string_view spelling;  // as rosterColumnOf compares it
    RosterColumn column;
};

// Lower case, without blanks, '_' or '-'; "->" as "→".
constexpr ColumnSpelling kSpellings[] = {
    {"name", RosterColumn::Name},
    {"player", RosterColumn::Name},
    {"名前", RosterColumn::Name},
    {"選手名", RosterColumn::Name},
    {"選手", RosterColumn::Name},
    {"氏名", RosterColumn::Name},
    {"ab", RosterColumn::AtBats},
    {"打数", RosterColumn::AtBats},
    {"h", RosterColumn::Hits},
    {"hits", RosterColumn::Hits},
    {"安打", RosterColumn::Hits},
    {"1b", RosterColumn::Singles},
    {"単打", RosterColumn::Singles},
    {"一塁打", RosterColumn::Singles},
    {"2b", RosterColumn::Doubles},
    {"二塁打", RosterColumn::Doubles},
    {"3b", RosterColumn::Triples},
    {"三塁打", RosterColumn::Triples},
    {"hr", RosterColumn::HomeRuns},
    {"本塁打", RosterColumn::HomeRuns},
    {"bb", RosterColumn::Walks},
    {"四球", RosterColumn::Walks},
    {"hbp", RosterColumn::HitByPitch},
    {"死球", RosterColumn::HitByPitch},
    {"1b1to3", RosterColumn::Rate1B1to3},
    {"一塁→三塁", RosterColumn::Rate1B1to3},
    {"単打一塁→三塁", RosterColumn::Rate1B1to3},
    {"1塁→3塁", RosterColumn::Rate1B1to3},
    {"1b2to4", RosterColumn::Rate1B2to4},
    {"二塁→本塁", RosterColumn::Rate1B2to4},
    {"単打二塁→本塁", RosterColumn::Rate1B2to4},
    {"2塁→本塁", RosterColumn::Rate1B2to4},
    {"2b1to4", RosterColumn::Rate2B1to4},
    {"一塁→本塁", RosterColumn::Rate2B1to4},
    {"二塁打一塁→本塁", RosterColumn::Rate2B1to4},
    {"1塁→本塁", RosterColumn::Rate2B1to4},
};

// How a missing required column is named in its message.
std::string_view columnTitle(RosterColumn column) {
    switch (column) {
        case RosterColumn::Name:
            return "名前 (name)";
        case RosterColumn::AtBats:
            return "打数 (AB)";
        case RosterColumn::Doubles:
            return "二塁打 (2B)";
        case RosterColumn::Triples:
            return "三塁打 (3B)";
        case RosterColumn::HomeRuns:
            return "本塁打 (HR)";
        case RosterColumn::Walks:
            return "四球 (BB)";
        default:
            return "";
    }
}

constexpr RosterColumn kRateColumns[3] = {RosterColumn::Rate1B1to3, RosterColumn::Rate1B2to4,
                                          RosterColumn::Rate2B1to4};

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// One CSV record: its fields, unquoted, and the line it starts on.
struct Record {
    std::vector<std::string> fields;
    int line = 0;
};

// Splits `text` (UTF-8, no byte-order mark) into records. A quoted field may
// not run over a line end: a name never needs one, and a stray quote would
// otherwise swallow the rest of the file into one cell.
bool splitRecords(std::string_view text, std::vector<Record>& records, RosterProblem& problem) {
    int line = 1;
    std::size_t at = 0;
    while (at < text.size()) {
        Record record;
        record.line = line;
        std::string field;
        int column = 1;
        bool lineEnded = false;
        while (!lineEnded) {
            field.clear();
            // Blanks before an opening quote belong to no field.
            std::size_t start = at;
            while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
            if (start < text.size() && text[start] == '"') {
                at = start + 1;
                bool closed = false;
                while (at < text.size()) {
                    const char c = text[at];
                    if (c == '"') {
                        if (at + 1 < text.size() && text[at + 1] == '"') {
                            field += '"';
                            at += 2;
                            continue;
                        }
                        ++at;
                        closed = true;
                        break;
                    }
                    if (c == '\n' || c == '\r') break;
                    field += c;
                    ++at;
                }
                if (!closed) {
                    problem = {line, column, std::string(msg::kRosterQuoteUnclosed)};
                    return false;
                }
                while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
                if (at < text.size() && text[at] != ',' && text[at] != '\n' && text[at] != '\r') {
                    problem = {line, column, std::string(msg::kRosterQuoteStray)};
                    return false;
                }
            } else {
                while (at < text.size() && text[at] != ',' && text[at] != '\n' &&
                       text[at] != '\r') {
                    if (text[at] == '"') {
                        problem = {line, column, std::string(msg::kRosterQuoteStray)};
                        return false;
                    }
                    field += text[at++];
                }
                field = std::string(trimBlanks(field));
            }
            if (field.find('\0') != std::string::npos) {
                problem = {line, column, std::string(msg::kBatterLineBinary)};
                return false;
            }
            record.fields.push_back(field);
            if (at < text.size() && text[at] == ',') {
                ++at;
                ++column;
                continue;
            }
            // CR LF, LF or a lone CR end the line, as spreadsheets write them.
            if (at < text.size() && text[at] == '\r') ++at;
            if (at < text.size() && text[at] == '\n') ++at;
            lineEnded = true;
        }
        ++line;
        records.push_back(std::move(record));
    }
    return true;
}

bool blank(const Record& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& f) { return f.empty(); });
}

// Where each known column is, -1 where the header has none.
using ColumnPlaces = std::array<int, kColumnKinds>;

struct Cells {
    const Record& record;
    const std::vector<std::string>& headings;
    const ColumnPlaces& places;
    RosterProblem& problem;

    bool has(RosterColumn c) const { return places[static_cast<int>(c)] >= 0; }
    int place(RosterColumn c) const { return places[static_cast<int>(c)]; }
    const std::string& text(RosterColumn c) const {
        return record.fields[static_cast<std::size_t>(place(c))];
    }
    bool fail(RosterColumn c, std::string reason) const {
        problem = {record.line, place(c) + 1, std::move(reason)};
        return false;
    }

    // A count within [min, max]; absent columns read as zero.
    bool count(RosterColumn c, long long min, long long max, long long& out) const {
        out = 0;
        if (!has(c)) return true;
        const std::string& cell = text(c);
        const std::string& heading = headings[static_cast<std::size_t>(place(c))];
        const auto value = parseInteger(cell);
        if (!value) return fail(c, msg::rosterNotInteger(heading, cell));
        if (*value < min || *value > max) {
            return fail(c, msg::rosterOutOfRange(heading, *value, min, max));
        }
        out = *value;
        return true;
    }

    // A rate in 0..1; an empty cell or an absent column takes `fallback`.
    bool rate(RosterColumn c, double fallback, double& out, int& emptyCells) const {
        out = fallback;
        if (!has(c)) return true;
        const std::string& cell = text(c);
        if (cell.empty()) {
            ++emptyCells;
            return true;
        }
        const std::string& heading = headings[static_cast<std::size_t>(place(c))];
        const auto value = parseNumber(cell);
        if (!value) return fail(c, msg::rosterNotNumber(heading, cell));
        if (!(*value >= 0.0 && *value <= 1.0))
            return fail(c, msg::rosterRateOutOfRange(heading, cell));
        out = *value;
        return true;
    }
};

bool readPlayer(const Cells& cells, const RunningRates& defaults, RosterPlayer& player,
                int& emptyRateCells) {
    const std::string& name = cells.text(RosterColumn::Name);
    if (name.empty()) return cells.fail(RosterColumn::Name, std::string(msg::kRosterNameEmpty));
    if (name.size() > kRosterNameMaxBytes) {
        return cells.fail(RosterColumn::Name, msg::rosterNameTooLong(kRosterNameMaxBytes));
    }
    player.name = name;

    long long atBats = 0, hits = 0, singles = 0, doubles = 0, triples = 0, homeRuns = 0;
    long long walks = 0, hitByPitch = 0;
    // The hits are a sum of four counts, so they may run to four times one.
    if (!cells.count(RosterColumn::AtBats, kAtBatsMin, kAtBatsMax, atBats) ||
        !cells.count(RosterColumn::Hits, kCountMin, 4LL * kCountMax, hits) ||
        !cells.count(RosterColumn::Singles, kCountMin, kCountMax, singles) ||
        !cells.count(RosterColumn::Doubles, kCountMin, kCountMax, doubles) ||
        !cells.count(RosterColumn::Triples, kCountMin, kCountMax, triples) ||
        !cells.count(RosterColumn::HomeRuns, kCountMin, kCountMax, homeRuns) ||
        !cells.count(RosterColumn::Walks, kCountMin, kCountMax, walks) ||
        !cells.count(RosterColumn::HitByPitch, kCountMin, kCountMax, hitByPitch)) {
        return false;
    }
    const long long extraBases = doubles + triples + homeRuns;
    if (cells.has(RosterColumn::Singles)) {
        if (cells.has(RosterColumn::Hits) && hits != singles + extraBases) {
            return cells.fail(RosterColumn::Hits,
                              msg::rosterHitsMismatch(hits, singles + extraBases));
        }
    } else {
        if (hits < extraBases) {
            return cells.fail(RosterColumn::Hits, msg::rosterHitsBelowExtraBases(hits, extraBases));
        }
        singles = hits - extraBases;
        if (singles > kCountMax) {
            return cells.fail(RosterColumn::Hits,
                              msg::rosterOutOfRange("1B", singles, kCountMin, kCountMax));
        }
    }
    const long long allHits = singles + extraBases;
    if (allHits > atBats) {
        return cells.fail(
            cells.has(RosterColumn::Hits) ? RosterColumn::Hits : RosterColumn::Singles,
            msg::rosterHitsOverAtBats(allHits, atBats));
    }
    if (walks + hitByPitch > kCountMax) {
        return cells.fail(
            cells.has(RosterColumn::HitByPitch) ? RosterColumn::HitByPitch : RosterColumn::Walks,
            msg::rosterWalksOutOfRange(walks + hitByPitch, kCountMax));
    }

    BatterEntry& b = player.batter;
    b.atBats = static_cast<int32_t>(atBats);
    b.singles = static_cast<int32_t>(singles);
    b.doubles = static_cast<int32_t>(doubles);
    b.triples = static_cast<int32_t>(triples);
    b.homeRuns = static_cast<int32_t>(homeRuns);
    b.walks = static_cast<int32_t>(walks + hitByPitch);
    return cells.rate(RosterColumn::Rate1B1to3, defaults[0], b.rate1B1to3, emptyRateCells) &&
           cells.rate(RosterColumn::Rate1B2to4, defaults[1], b.rate1B2to4, emptyRateCells) &&
           cells.rate(RosterColumn::Rate2B1to4, defaults[2], b.rate2B1to4, emptyRateCells);
}

}  // namespace

std::optional<RosterColumn> rosterColumnOf(std::string_view heading) {
    std::string key;
    const std::string halfWidth = toHalfWidth(heading);
    for (std::size_t i = 0; i < halfWidth.size(); ++i) {
        const char c = halfWidth[i];
        if (c == ' ' || c == '\t' || c == '_') continue;
        if (c == '-') {
            if (i + 1 < halfWidth.size() && halfWidth[i + 1] == '>') {
                key += "→";
                ++i;
            }
            continue;
        }
        key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    for (const ColumnSpelling& s : kSpellings) {
        if (s.spelling == key) return s.column;
    }
    return std::nullopt;
}

std::string RosterProblem::text(std::string_view fileName) const {
    std::string out(fileName);
    out += ':';
    if (line > 0) {
        out += std::to_string(line);
        out += ':';
        if (column > 0) {
            out += std::to_string(column);
            out += ':';
        }
    }
    out += ' ';
    out += reason;
    return out;
}

std::optional<Roster> parseRoster(std::string_view bytes, const RunningRates& defaults,
                                  RosterProblem& problem) {
    Roster roster;
    std::string converted;
    bytes = withoutByteOrderMark(bytes);
    if (!isUtf8(bytes)) {
        auto text = cp932ToUtf8(bytes);
        if (!text) {
            problem = {0, 0, std::string(msg::kRosterNotText)};
            return std::nullopt;
        }
        converted = std::move(*text);
        bytes = converted;
        roster.codePage932 = true;
    }

    std::vector<Record> records;
    if (!splitRecords(bytes, records, problem)) return std::nullopt;
    auto header = std::find_if_not(records.begin(), records.end(), blank);
    if (header == records.end()) {
        problem = {0, 0, std::string(msg::kRosterNoHeader)};
        return std::nullopt;
    }

    ColumnPlaces places;
    places.fill(-1);
    const std::vector<std::string>& headings = header->fields;
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const int column = static_cast<int>(i) + 1;
        if (headings[i].empty()) {
            problem = {header->line, column, std::string(msg::kRosterHeadingEmpty)};
            return std::nullopt;
        }
        const auto kind = rosterColumnOf(headings[i]);
        if (!kind) {
            roster.ignoredColumns.push_back(headings[i]);
            continue;
        }
        int& place = places[static_cast<int>(*kind)];
        if (place >= 0) {
            problem = {header->line, column, msg::rosterColumnTwice(headings[i], place + 1)};
            return std::nullopt;
        }
        place = static_cast<int>(i);
    }
    for (const RosterColumn required :
         {RosterColumn::Name, RosterColumn::AtBats, RosterColumn::Doubles, RosterColumn::Triples,
          RosterColumn::HomeRuns, RosterColumn::Walks}) {
        if (places[static_cast<int>(required)] < 0) {
            problem = {header->line, 0, msg::rosterColumnMissing(columnTitle(required))};
            return std::nullopt;
        }
    }
    if (places[static_cast<int>(RosterColumn::Hits)] < 0 &&
        places[static_cast<int>(RosterColumn::Singles)] < 0) {
        problem = {header->line, 0, std::string(msg::kRosterHitsMissing)};
        return std::nullopt;
    }
    for (int r = 0; r < 3; ++r) {
        roster.rateDefaulted[static_cast<std::size_t>(r)] =
            places[static_cast<int>(kRateColumns[r])] < 0;
    }

    std::vector<int> nameLines;
    for (auto row = header + 1; row != records.end(); ++row) {
        if (blank(*row)) continue;
        if (row->fields.size() != headings.size()) {
            problem = {row->line, 0, msg::rosterCellCount(row->fields.size(), headings.size())};
            return std::nullopt;
        }
        if (roster.players.size() == static_cast<std::size_t>(kRosterMaxPlayers)) {
            problem = {row->line, 0, msg::rosterTooManyPlayers(kRosterMaxPlayers)};
            return std::nullopt;
        }
        const Cells cells{*row, headings, places, problem};
        RosterPlayer player;
        if (!readPlayer(cells, defaults, player, roster.emptyRateCells)) return std::nullopt;
        for (std::size_t p = 0; p < roster.players.size(); ++p) {
            if (roster.players[p].name == player.name) {
                cells.fail(RosterColumn::Name, msg::rosterNameRepeated(player.name, nameLines[p]));
                return std::nullopt;
            }
        }
        nameLines.push_back(row->line);
        roster.players.push_back(std::move(player));
    }
    if (roster.players.empty()) {
        problem = {0, 0, std::string(msg::kRosterNoPlayer)};
        return std::nullopt;
    }
    return roster;
}

std::optional<Roster> readRosterFile(const std::filesystem::path& path,
                                     const RunningRates& defaults, RosterProblem& problem) {
    std::string bytes;
    switch (readSmallFile(path, kRosterFileMaxBytes, bytes)) {
        case FileRead::Read:
            return parseRoster(bytes, defaults, problem);
        case FileRead::NotOpened:
            problem = {0, 0, std::string(msg::kRosterLoadFailed)};
            return std::nullopt;
        case FileRead::TooLarge:
            problem = {0, 0, msg::rosterTooLarge(kRosterFileMaxBytes)};
            return std::nullopt;
    }
    return std::nullopt;
}

std::string rosterLoadedText(const Roster& roster, const RunningRates& defaults) {
    std::string text = msg::rosterLoaded(roster.players.size());
    if (roster.codePage932) {
        text += '\n';
        text += msg::kRosterNoteCodePage;
    }
    if (!roster.ignoredColumns.empty()) {
        text += '\n';
        text += msg::kRosterNoteIgnored;
        for (std::size_t i = 0; i < roster.ignoredColumns.size(); ++i) {
            if (i > 0) text += "、";
            text += roster.ignoredColumns[i];
        }
    }
    for (std::size_t r = 0; r < 3; ++r) {
        if (!roster.rateDefaulted[r]) continue;
        text += '\n';
        text += msg::rosterNoteRateDefaulted(kBatterFields[kRateFieldIndices[r]].heading,
                                             formatNumber(defaults[r]));
    }
    if (roster.emptyRateCells > 0) {
        text += '\n';
        text += msg::rosterNoteEmptyRates(roster.emptyRateCells);
    }
    return text;
}

std::string_view rosterTableHeading(int column) {
    if (column == 0) return "名前";
    return kBatterFields[static_cast<std::size_t>(column - 1)].heading;
}

std::string rosterCellText(const RosterPlayer& player, int column) {
    if (column == 0) return player.name;
    const BatterField& field = kBatterFields[static_cast<std::size_t>(column - 1)];
    if (field.isCount()) return std::to_string(player.batter.*field.count);
    return formatNumber(player.batter.*field.rate);
}

std::optional<std::string> setRosterCell(std::vector<RosterPlayer>& players, std::size_t row,
                                         int column, std::string_view text) {
    RosterPlayer& player = players[row];
    const std::string_view typed = trimBlanks(text);
    if (column == 0) {
        if (typed.empty()) return std::string(msg::kRosterNameEmpty);
        if (typed.size() > kRosterNameMaxBytes) return msg::rosterNameTooLong(kRosterNameMaxBytes);
        for (std::size_t p = 0; p < players.size(); ++p) {
            if (p != row && players[p].name == typed) {
                return msg::rosterNameTaken(typed);
            }
        }
        player.name = std::string(typed);
        return std::nullopt;
    }
    const BatterField& field = kBatterFields[static_cast<std::size_t>(column - 1)];
    if (!field.isCount()) {
        const std::optional<double> rate = parseNumber(typed);
        if (!rate) return msg::rosterNotNumber(field.heading, typed);
        if (!(*rate >= 0.0 && *rate <= 1.0)) return msg::rosterRateOutOfRange(field.heading, typed);
        player.batter.*field.rate = *rate;
        return std::nullopt;
    }
    const std::optional<long long> count = parseInteger(typed);
    if (!count) return msg::rosterNotInteger(field.heading, typed);
    if (!field.contains(*count)) {
        return msg::rosterOutOfRange(field.heading, *count, field.min, field.max);
    }
    BatterEntry changed = player.batter;
    changed.*field.count = static_cast<int32_t>(*count);
    const long long hits = static_cast<long long>(changed.singles) + changed.doubles +
                           changed.triples + changed.homeRuns;
    if (hits > changed.atBats) return msg::rosterHitsOverAtBats(hits, changed.atBats);
    player.batter = changed;
    return std::nullopt;
}

std::vector<std::uint32_t> sortRoster(std::span<const RosterPlayer> players, int column,
                                      bool ascending) {
    std::vector<std::uint32_t> view(players.size());
    for (std::size_t i = 0; i < view.size(); ++i) view[i] = static_cast<std::uint32_t>(i);
    const auto value = [&](std::uint32_t p) {
        const BatterField& field = kBatterFields[static_cast<std::size_t>(column - 1)];
        const BatterEntry& b = players[p].batter;
        return field.isCount() ? static_cast<double>(b.*field.count) : b.*field.rate;
    };
    std::stable_sort(view.begin(), view.end(), [&](std::uint32_t a, std::uint32_t b) {
        if (column == 0) {
            return ascending ? players[a].name < players[b].name
                             : players[b].name < players[a].name;
        }
        return ascending ? value(a) < value(b) : value(b) < value(a);
    });
    return view;
}

std::string csvField(std::string_view text) {
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' ' ||
                                           text.front() == '\t' || text.back() == '\t'));
    if (!quoted) return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string formatRoster(std::span<const RosterPlayer> players) {
    std::string out = "\xEF\xBB\xBF";
    out += "name";
    for (const BatterField& field : kBatterFields) {
        out += ',';
        // The grid heads the at-bats in Japanese; the file's header is English.
        out += field.count == &BatterEntry::atBats ? std::string_view("AB") : field.heading;
    }
    out += "\r\n";
    for (const RosterPlayer& player : players) {
        out += csvField(player.name);
        for (const BatterField& field : kBatterFields) {
            out += ',';
            if (field.isCount()) {
                out += std::to_string(player.batter.*field.count);
            } else {
                out += formatNumber(player.batter.*field.rate);
            }
        }
        out += "\r\n";
    }
    return out;
}

std::vector<RosterPlayer> rosterFromBatters(const BatterTable& table,
                                            std::span<const std::string> names) {
    std::vector<RosterPlayer> players;
    for (int row = 0; row < kLineupSize; ++row) {
        players.push_back(
            {names[static_cast<std::size_t>(row)], table[static_cast<std::size_t>(row)]});
    }
    return players;
}

std::vector<std::string> defaultBatterNames() {
    std::vector<std::string> names;
    for (int row = 0; row < kLineupSize; ++row) {
        std::string name = "打者";
        name += batterLetter(row);
        names.push_back(name);
    }
    return names;
}

}  // namespace diz
