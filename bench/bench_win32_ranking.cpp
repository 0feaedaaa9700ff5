// The Win32 ranking window over all 362880 orderings of a batter file: the
// wall time from evaluate() to the filled list, the longest its thread's
// message loop went between two waits for messages (it waits at most 2 ms at
// a time and then handles everything waiting, paints included, as a 2 ms
// timer of another toolkit's loop would see it), the longest one message took
// (input waits no longer: the system hands it out before any paint or timer)
// and the process's peak memory. bench_win32_ranking.sh runs it beside
// diz-cli.exe exact --all.
//   bench_win32_ranking examples/batters.txt [RUNS [REPLICATES]]
// (REPLICATES: the 確からしさ seasons, 0 by default.)

// The SDK's headers need <windows.h> before them.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "batch/batter_data.h"
#include "batch/text_io.h"
#include "ui/win32/ranking_window.h"

namespace {

double peakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
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
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const int replicates = argc > 3 ? std::max(0, std::atoi(argv[3])) : 0;
    diz::BatterTable batters{};
    if (diz::readBatterFile(diz::utf8Path(argv[1]), batters) != diz::BatterFileRead::Read) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    diz::win32::RankingWindow window(GetModuleHandleW(nullptr), nullptr);
    diz::RankingInputs inputs;
    inputs.batters = batters;
    inputs.records = diz::buildRecords(batters);
    window.setInputs(inputs);
    window.setReplicates(static_cast<std::uint32_t>(replicates));
    bool finished = false;
    bool completed = false;
    window.setEvaluationFinished([&](bool done) {
        finished = true;
        completed = done;
    });
    window.show();
    // The window's first painting is over before anything is measured.
    MSG waiting;
    while (PeekMessageW(&waiting, nullptr, 0, 0, PM_REMOVE)) {
        if (window.translateMessage(waiting)) continue;
        TranslateMessage(&waiting);
        DispatchMessageW(&waiting);
    }
    const double baseline = peakMegabytes();

    using Clock = std::chrono::steady_clock;
    std::vector<double> seconds;
    std::vector<double> stalls;
    std::vector<double> longestMessages;
    for (int run = 0; run < runs; ++run) {
        finished = false;
        const auto start = Clock::now();
        window.evaluate();
        auto lastTurn = start;
        Clock::duration longest{};
        Clock::duration longestEnded{};
        Clock::duration longestMessage{};
        MSG message;
        while (!finished) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                const auto taken = Clock::now();
                if (!window.translateMessage(message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
                longestMessage = std::max(longestMessage, Clock::now() - taken);
            }
            const auto now = Clock::now();
            if (now - lastTurn > longest) {
                longest = now - lastTurn;
                longestEnded = now - start;
            }
            lastTurn = now;
        }
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        if (!completed || window.table().size() != static_cast<std::size_t>(diz::kOrderings)) {
            std::fprintf(stderr, "%s: run %d ended with %zu rows\n", argv[0], run + 1,
                         window.table().size());
            return 1;
        }
        seconds.push_back(elapsed);
        stalls.push_back(std::chrono::duration<double, std::milli>(longest).count());
        longestMessages.push_back(
            std::chrono::duration<double, std::milli>(longestMessage).count());
        std::printf(
            "run %d: %.3f s to the filled table, longest message %.1f ms, longest event-loop "
            "stall %.1f ms (ended at %.3f s)\n",
            run + 1, elapsed, longestMessages.back(), stalls.back(),
            std::chrono::duration<double>(longestEnded).count());
    }
    std::printf("ranking window, all 362880 orders: %.3f s wall (median of %d)\n", median(seconds),
                runs);
    std::printf("longest event-loop stall while evaluating: %.1f ms (median of %d; target < 50)\n",
                median(stalls), runs);
    std::printf("longest single message meanwhile: %.1f ms (median of %d)\n",
                median(longestMessages), runs);
    std::printf("peak resident memory: %.1f MB (%.1f MB before evaluating; target < 100)\n",
                peakMegabytes(), baseline);
    return 0;
}
