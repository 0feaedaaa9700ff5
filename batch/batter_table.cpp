#include "batch/batter_table.h"

#include <cstdint>

#include "batch/batter_fields.h"
#include "batch/field_text.h"
#include "batch/messages.h"
#include "batch/text_io.h"

namespace diz {
namespace {

// Counts come from files unchecked, so sums are taken in 64 bits where a
// 32-bit sum could overflow.
double ratio(int64_t numerator, int64_t denominator) {
    return static_cast<double>(numerator) / static_cast<double>(denominator);
}

// A statistic over zero at-bats (or zero plate appearances) has no value; the
// log shows "---" in its place rather than "inf" or "nan".
void appendStat(std::string& out, int64_t numerator, int64_t denominator) {
    if (denominator == 0) {
        out += "---";
    } else {
        appendFixed(out, ratio(numerator, denominator), 3);
    }
}

}  // namespace

BatterRecord toBatterRecord(const BatterEntry& entry, int row) {
    const int64_t plateAppearances = int64_t{entry.atBats} + entry.walks;
    BatterRecord record{};
    record.label = static_cast<char>('a' + row);
    record.pSingle = ratio(entry.singles, plateAppearances);
    record.pDouble = ratio(entry.doubles, plateAppearances);
    record.pTriple = ratio(entry.triples, plateAppearances);
    record.pHomeRun = ratio(entry.homeRuns, plateAppearances);
    record.pWalk = ratio(entry.walks, plateAppearances);
    record.rate1B1to3 = entry.rate1B1to3;
    record.rate1B2to4 = entry.rate1B2to4;
    record.rate2B1to4 = entry.rate2B1to4;
    return record;
}

std::string summaryLine(const BatterEntry& entry, int row) {
    const int64_t hits = int64_t{entry.singles} + entry.doubles + entry.triples + entry.homeRuns;
    const int64_t bases = int64_t{entry.singles} + 2 * int64_t{entry.doubles} +
                          3 * int64_t{entry.triples} + 4 * int64_t{entry.homeRuns};
    const int64_t plateAppearances = int64_t{entry.atBats} + entry.walks;

    std::string line = "# 打者";
    line += batterLetter(row);
    line += "\tAVE: ";
    appendStat(line, hits, entry.atBats);
    line += "   OBP: ";
    appendStat(line, hits + entry.walks, plateAppearances);
    line += "   SLG: ";
    appendStat(line, bases, entry.atBats);
    line += "   OPS: ";
    if (entry.atBats == 0 || plateAppearances == 0) {
        line += "---";
    } else {
        appendFixed(line, ratio(hits + entry.walks, plateAppearances) + ratio(bases, entry.atBats),
                    3);
    }
    line += '\n';
    return line;
}

std::string summaryLines(const BatterTable& table) {
    std::string lines;
    for (int row = 0; row < kLineupSize; ++row) lines += summaryLine(table[row], row);
    return lines;
}

std::string batterWarningLines(const BatterTable& table) {
    std::string lines;
    for (int row = 0; row < kLineupSize; ++row) {
        const BatterEntry& entry = table[row];
        const int64_t hits =
            int64_t{entry.singles} + entry.doubles + entry.triples + entry.homeRuns;
        if (hits > entry.atBats) {
            lines += msg::hitsOverAtBats(row, hits, entry.atBats);
            lines += '\n';
        }
        for (const int f : kRateFieldIndices) {
            const double rate = entry.*kBatterFields[f].rate;
            // Written so that a NaN is told as well.
            if (!(rate >= 0.0 && rate <= 1.0)) {
                lines += msg::rateOutOfRange(row, kBatterFields[f].heading, formatNumber(rate));
                lines += '\n';
            }
        }
    }
    return lines;
}

BatterRecords buildRecords(const BatterTable& table) {
    BatterRecords records{};
    for (int row = 0; row < kLineupSize; ++row) records[row] = toBatterRecord(table[row], row);
    return records;
}

}  // namespace diz
