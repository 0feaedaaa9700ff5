// ranking_csv.exe BATTERS OUT.csv: the CSV the ranking windows save for every
// ordering of a batter file, as the application core writes it for a table in
// its first sort (best first), made without any window. The keyboard test of
// the ranking window compares the window's file with it.
#include <condition_variable>
#include <cstdio>
#include <mutex>

#include "batch/batter_data.h"
#include "batch/ranking.h"
#include "batch/ranking_inputs.h"
#include "batch/ranking_run.h"
#include "batch/text_io.h"

namespace {

// Waits for the run's end.
class EndOfRun final : public diz::RunObserver {
  public:
    void finished(diz::RunOutcome, std::string_view, std::string_view) override {
        const std::lock_guard lock(m_mutex);
        m_ended = true;
        m_changed.notify_all();
    }
    void wait() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_ended; });
    }

  private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_ended = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ranking_csv BATTERS OUT.csv\n");
        return 2;
    }
    diz::BatterTable batters{};
    if (diz::readBatterFile(diz::utf8Path(argv[1]), batters) != diz::BatterFileRead::Read) {
        std::fprintf(stderr, "ranking_csv: cannot read %s\n", argv[1]);
        return 1;
    }
    diz::RankingInputs inputs;
    inputs.records = diz::buildRecords(batters);
    EndOfRun end;
    std::string failure;
    auto run = diz::RankingRun::start(
        diz::rankingSelection(diz::OrderSource::EveryOrdering, inputs), inputs.records, {}, end,
        [] { return diz::RankingRows(); }, failure);
    if (!run) {
        std::fprintf(stderr, "ranking_csv: %s\n", failure.c_str());
        return 1;
    }
    end.wait();
    run->wait();
    diz::RankingRun::Result result = run->takeResult();
    if (result.outcome != diz::RunOutcome::NormalEnd) return 1;
    diz::RankingTable table;
    table.setRows(std::move(result.rows), std::move(result.bestFirst));
    return table.saveCsv(diz::utf8Path(argv[2])) == diz::SaveResult::Saved ? 0 : 1;
}
