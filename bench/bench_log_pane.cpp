// What the window's log pane costs per result line while a run appends to it
// with the event loop blocked: the pane shown offscreen at its real size,
// lines as a run writes them (nine letters and two figures).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>
#include <vector>

#include "ui/qt/log_pane.h"
#include "ui/qt/main_dialog.h"

namespace {

std::vector<std::string> resultLines(int count) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        lines.push_back(
            QStringLiteral("abcdefghi %1 0.315209\n").arg(6.0 + i * 1e-6, 0, 'f', 6).toStdString());
    }
    return lines;
}

constexpr int kAllOrders = diz::kOrderings;

// A run's stream of result lines through the shown window's appendLog. The
// pane takes its waiting text in once per repaint interval; at the engine's
// pace (about 50 us per 140-game order) that is about 1000 lines a time, so
// the sweep gives that many lines between updates and the extremes around it.
void BM_LogPaneRun(benchmark::State& state) {
    const auto lines = resultLines(kAllOrders);
    const auto linesPerUpdate = static_cast<std::size_t>(state.range(0));
    diz::MainDialog dialog;
    dialog.show();
    QApplication::processEvents();
    auto* pane = static_cast<diz::LogPane*>(dialog.control(1032));
    for (auto _ : state) {
        dialog.clearLog();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            dialog.appendLog(lines[i]);
            if ((i + 1) % linesPerUpdate == 0) pane->flush();
        }
        pane->flush();
        benchmark::DoNotOptimize(pane->blockCount());
    }
    state.SetItemsProcessed(state.iterations() * kAllOrders);
}
BENCHMARK(BM_LogPaneRun)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
