#include "batch/orders.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <istream>
#include <numeric>
#include <system_error>

#include "batch/messages.h"

namespace diz {
namespace {

char charAt(std::string_view line, std::size_t i) { return i < line.size() ? line[i] : '\0'; }

std::array<BattingOrder, kLineupSize> sortedRotations(const BattingOrder& order) {
    std::array<BattingOrder, kLineupSize> rotations{};
    for (std::size_t k = 0; k < kLineupSize; ++k) {
        for (std::size_t i = 0; i < kLineupSize; ++i) {
            rotations[k][i] = order[(k + i) % kLineupSize];
        }
    }
    std::sort(rotations.begin(), rotations.end());
    return rotations;
}

BattingOrder firstOrdering() {
    BattingOrder order{};
    std::iota(order.begin(), order.end(), std::uint8_t{0});
    return order;
}

}  // namespace

bool patternAccepts(std::string_view pattern, std::string_view line) {
    // A C string ends at its first NUL; so does a pattern here.
    pattern = pattern.substr(0, pattern.find('\0'));
    if (pattern.size() < kLineupSize) return false;
    for (std::size_t i = 0; i < kLineupSize; ++i) {
        if (pattern[i] != '*' && pattern[i] != charAt(line, i)) return false;
    }
    return true;
}

std::optional<BattingOrder> mapOrder(std::string_view line) {
    BattingOrder order{};
    for (std::size_t i = 0; i < kLineupSize; ++i) {
        const char c = charAt(line, i);
        if (c < 'a' || c > 'i') return std::nullopt;
        order[i] = static_cast<std::uint8_t>(c - 'a');
    }
    return order;
}

std::optional<BattingOrder> selectOrder(std::string_view line, const Patterns& patterns) {
    const auto order = mapOrder(line);
    if (!order) return std::nullopt;
    for (const LineupPattern& pattern : patterns) {
        if (patternAccepts(pattern, line)) return order;
    }
    return std::nullopt;
}

OrderSelection::OrderSelection(OrderSource source, Patterns patterns, std::string orderFile,
                               bool anySequence)
    : m_source(source),
      m_patterns(std::move(patterns)),
      m_orderFile(std::move(orderFile)),
      m_rotationsTogether(anySequence && source != OrderSource::OrderFile) {}

OrderReader::OrderReader() = default;

OrderReader::OrderReader(std::istream& in, const Patterns& patterns)
    : m_patterns(patterns), m_pieces(std::in_place, in, kOrderLineMaxChars, true) {}

OrderReader::~OrderReader() = default;

bool OrderReader::open(const OrderSelection& selection, int* error) {
    m_pieces.reset();
    m_sets.clear();
    m_set = 0;
    m_rotation = kLineupSize;
    m_orderingsLeft = false;
    m_patterns.reset();
    if (selection.source() != OrderSource::EveryOrdering) m_patterns = selection.patterns();

    if (selection.readsOrderFile()) {
        const std::filesystem::path path = utf8Path(selection.orderFile());
        std::error_code status;
        if (std::filesystem::is_directory(path, status)) {
            // A folder opens as a stream on some systems and reads as empty.
            if (error != nullptr) *error = EISDIR;
            return false;
        }
        errno = 0;
        m_file.close();
        m_file.clear();
        m_file.open(path, std::ios::binary);
        if (!m_file.is_open()) {
            if (error != nullptr) *error = errno != 0 ? errno : ENOENT;
            return false;
        }
        m_pieces.emplace(m_file, kOrderLineMaxChars, true);
        if (m_pieces->utf16()) {
            m_pieces.reset();
            m_file.close();
            if (error != nullptr) *error = kUtf16OrderFile;
            return false;
        }
        return true;
    }

    m_ordering = firstOrdering();
    if (!selection.rotationsTogether()) {
        m_orderingsLeft = true;
        return true;
    }
    // Each set of rotations once, by its rotation that starts with batter a.
    // Without a filter that rotation is the set's first, and the sets come in
    // its order as they are made.
    BattingOrder order = m_ordering;
    if (!m_patterns) {
        m_sets.reserve(kRotationSets);
        do {
            m_sets.push_back(order);
        } while (std::next_permutation(order.begin() + 1, order.end()));
        return true;
    }
    // Otherwise keyed by its first selected rotation.
    std::vector<std::pair<BattingOrder, BattingOrder>> sets;
    do {
        for (const BattingOrder& rotation : sortedRotations(order)) {
            if (selects(rotation)) {
                sets.emplace_back(rotation, order);
                break;
            }
        }
    } while (std::next_permutation(order.begin() + 1, order.end()));
    std::sort(sets.begin(), sets.end());
    m_sets.reserve(sets.size());
    for (const auto& set : sets) m_sets.push_back(set.second);
    return true;
}

bool OrderReader::selects(const BattingOrder& order) const {
    if (!m_patterns) return true;
    const std::string line = orderText(order);
    return std::any_of(
        m_patterns->begin(), m_patterns->end(),
        [&line](const LineupPattern& pattern) { return patternAccepts(pattern, line); });
}

bool OrderReader::next(BattingOrder& out) {
    if (m_pieces) {
        while (m_pieces->next(m_piece)) {
            if (const auto order = selectOrder(m_piece, *m_patterns)) {
                out = *order;
                return true;
            }
        }
        return false;
    }
    while (m_orderingsLeft) {
        out = m_ordering;
        m_orderingsLeft = std::next_permutation(m_ordering.begin(), m_ordering.end());
        if (selects(out)) return true;
    }
    for (;;) {
        if (m_rotation == kLineupSize) {
            if (m_set == m_sets.size()) return false;
            m_rotations = sortedRotations(m_sets[m_set++]);
            m_rotation = 0;
        }
        out = m_rotations[static_cast<std::size_t>(m_rotation++)];
        if (selects(out)) return true;
    }
}

std::string orderFileMessage(const std::string& orderFile, int error, bool withFolder) {
    std::string text = messageWithName(
        error == kUtf16OrderFile ? msg::kOrderFileUtf16 : msg::kOrderOpenFailed, orderFile);
    if (withFolder) {
        std::error_code failed;
        const std::filesystem::path whole = std::filesystem::absolute(utf8Path(orderFile), failed);
        const std::u8string folder = whole.parent_path().u8string();
        text += msg::kOrderFolder;
        text.append(folder.begin(), folder.end());
    }
    return text;
}

std::optional<std::string> orderFileProblem(const OrderSelection& selection) {
    if (!selection.readsOrderFile()) return std::nullopt;
    std::error_code failed;
    const std::filesystem::file_status status =
        std::filesystem::status(utf8Path(selection.orderFile()), failed);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
        !std::filesystem::is_directory(status)) {
        return std::nullopt;
    }
    OrderReader reader;
    int error = 0;
    if (reader.open(selection, &error)) return std::nullopt;
    return orderFileMessage(selection.orderFile(), error, true);
}

std::optional<std::size_t> countSelectedOrders(const OrderSelection& selection,
                                               const std::atomic<bool>* cancel) {
    if (selection.source() == OrderSource::EveryOrdering) return std::size_t{kOrderings};
    std::error_code error;
    if (selection.readsOrderFile() &&
        !std::filesystem::is_regular_file(utf8Path(selection.orderFile()), error)) {
        return std::nullopt;
    }
    OrderReader orders;
    if (!orders.open(selection)) return std::nullopt;
    BattingOrder order;
    std::size_t count = 0;
    while (!(cancel != nullptr && cancel->load(std::memory_order_relaxed)) && orders.next(order)) {
        ++count;
    }
    return count;
}

}  // namespace diz
