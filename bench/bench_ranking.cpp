// The ranking window over all 362880 orderings of a batter file: the wall
// time from evaluate() to the filled table, the longest the window's event
// loop went without running (a 2 ms timer records the largest gap between its
// ticks) and the process's peak resident memory. With REPLICATES, the table
// is filled once that many seasons are resampled after the ranking (確からしさ;
// 0, the default, resamples none). bench_ranking.sh runs it beside diz-cli
// exact --all.
//   QT_QPA_PLATFORM=offscreen bench_ranking examples/batters.txt [RUNS [REPLICATES]]
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "batch/batter_data.h"
#include "ui/qt/ranking_model.h"
#include "ui/qt/ranking_window.h"

namespace {

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s BATTERS [RUNS [REPLICATES]]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const int replicates = argc > 3 ? std::max(0, std::atoi(argv[3])) : 0;
    diz::BatterTable batters{};
    if (diz::readBatterFile(diz::utf8Path(argv[1]), batters) != diz::BatterFileRead::Read) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    diz::RankingInputs inputs;
    inputs.batters = batters;
    inputs.records = diz::buildRecords(batters);

    diz::RankingWindow window;
    window.setInputs(inputs);
    window.replicatesField()->setValue(replicates);
    window.show();
    QApplication::processEvents();
    const double baseline = peakMegabytes();

    std::vector<double> seconds;
    std::vector<double> stalls;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer sinceTick;
        QElapsedTimer wall;
        qint64 longest = 0;
        qint64 longestEnded = 0;  // when the longest stall ended, from the start
        QTimer ticker;
        ticker.setInterval(2);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            if (sinceTick.nsecsElapsed() > longest) {
                longest = sinceTick.nsecsElapsed();
                longestEnded = wall.nsecsElapsed();
            }
            sinceTick.restart();
        });
        QEventLoop loop;
        bool completed = false;
        const auto connection =
            QObject::connect(&window, &diz::RankingWindow::evaluationFinished, [&](bool done) {
                completed = done;
                loop.quit();
            });
        wall.start();
        sinceTick.start();
        ticker.start();
        window.evaluate();
        loop.exec();
        const double elapsed = static_cast<double>(wall.nsecsElapsed()) / 1e9;
        ticker.stop();
        QObject::disconnect(connection);
        // The step that finishes is part of the stall too.
        if (sinceTick.nsecsElapsed() > longest) {
            longest = sinceTick.nsecsElapsed();
            longestEnded = wall.nsecsElapsed();
        }
        if (!completed || window.model().rowCount() != diz::kOrderings) {
            std::fprintf(stderr, "%s: run %d ended with %d rows\n", argv[0], run + 1,
                         window.model().rowCount());
            return 1;
        }
        seconds.push_back(elapsed);
        stalls.push_back(static_cast<double>(longest) / 1e6);
        std::printf(
            "run %d: %.3f s to the filled table, longest event-loop stall (ended at %.3f s) %.1f "
            "ms\n",
            run + 1, elapsed, static_cast<double>(longestEnded) / 1e9, stalls.back());
    }
    std::printf(
        "ranking window, all 362880 orders, %d resampled seasons: %.3f s wall (median of "
        "%d)\n",
        replicates, median(seconds), runs);
    std::printf("longest event-loop stall while evaluating: %.1f ms (median of %d; target < 50)\n",
                median(stalls), runs);
    std::printf("peak resident memory: %.1f MB (%.1f MB before evaluating; target < 100)\n",
                peakMegabytes(), baseline);
    return 0;
}
