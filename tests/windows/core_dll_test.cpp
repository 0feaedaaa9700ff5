// core.dll as the programs load it (through the loader): the reference
// figures, a generator that starts at 1 on every load, also in threads that
// existed before the load, and no loading from the current directory.
#include <gtest/gtest.h>
#include <windows.h>

#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "batch/library_loader.h"
#include "diz/core.h"
#include "tests/engine/test_lineups.h"

namespace diz {
namespace {

struct Loaded {
    std::unique_ptr<SharedLibrary> library = SharedLibrary::open("core");
    TrialFunction trial =
        library ? reinterpret_cast<TrialFunction>(library->find("trial")) : nullptr;
};

const BatterRecord kReference = test::referenceBatter();

// Mean and standard error of `games` games of the reference lineup, as "%f %f".
std::string meanAndError(TrialFunction trial, std::uint32_t games) {
    double mean = -1, se = -1, runs[9], scoring[9];
    trial(test::nineOf(kReference).data(), games, &mean, &se, runs, scoring);
    char text[64];
    std::snprintf(text, sizeof text, "%f %f", mean, se);
    return text;
}

// A thread that runs the jobs handed to it, one at a time, until destroyed.
class Worker {
  public:
    Worker() : m_thread([this] { loop(); }) {}
    ~Worker() {
        run({});
        m_thread.join();
    }
    // Runs `job` on the worker and waits for it; an empty job ends the thread.
    void run(std::function<void()> job) {
        std::unique_lock lock(m_mutex);
        m_stop = !job;
        m_job = std::move(job);
        m_pending = true;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return !m_pending; });
    }

  private:
    void loop() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_pending; });
            if (m_stop) {
                m_pending = false;
                m_changed.notify_all();
                return;
            }
            m_job();
            m_pending = false;
            m_changed.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_job;
    bool m_pending = false;
    bool m_stop = false;
    std::thread m_thread;
};

TEST(CoreDll, ReferenceFiguresRunOnAcrossCallsAndRestartOnEveryLoad) {
    for (int load = 0; load < 2; ++load) {
        Loaded core;
        ASSERT_NE(core.trial, nullptr) << "load " << load;
        EXPECT_EQ(meanAndError(core.trial, 140), "6.107143 0.315209") << "load " << load;
        EXPECT_EQ(meanAndError(core.trial, 140), "6.164286 0.323345") << "load " << load;
    }
}

TEST(CoreDll, AThreadStartedBeforeTheLoadStartsAtOneOnEveryLoad) {
    Worker worker;  // exists before either load and outlives both
    for (int load = 0; load < 2; ++load) {
        Loaded core;
        ASSERT_NE(core.trial, nullptr);
        EXPECT_EQ(meanAndError(core.trial, 140), "6.107143 0.315209");  // the main thread
        std::string first, second;
        worker.run([&] {
            first = meanAndError(core.trial, 140);
            second = meanAndError(core.trial, 140);
        });
        EXPECT_EQ(first, "6.107143 0.315209") << "load " << load;
        EXPECT_EQ(second, "6.164286 0.323345") << "load " << load;
    }
    worker.run([] {});  // the worker carries on after the library is gone
}

TEST(CoreDll, ANewThreadStartsItsOwnSequence) {
    Loaded core;
    ASSERT_NE(core.trial, nullptr);
    EXPECT_EQ(meanAndError(core.trial, 140), "6.107143 0.315209");
    std::string onThread;
    std::thread([&] { onThread = meanAndError(core.trial, 140); }).join();
    EXPECT_EQ(onThread, "6.107143 0.315209");
    EXPECT_EQ(meanAndError(core.trial, 140), "6.164286 0.323345");
}

TEST(CoreDll, NeverLoadedFromTheCurrentDirectory) {
    char exe[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, exe, MAX_PATH), 0u);
    const auto dir = std::filesystem::temp_directory_path() /
                     ("diz-cwd-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(std::filesystem::path(exe).parent_path() / "core.dll",
                               dir / "cwdonly.dll",
                               std::filesystem::copy_options::overwrite_existing);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    const bool loadedByName = SharedLibrary::open("cwdonly") != nullptr;
    const bool loadedByPath = SharedLibrary::open(".\\cwdonly.dll") != nullptr;
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    EXPECT_FALSE(loadedByName);
    EXPECT_TRUE(loadedByPath);
}

}  // namespace
}  // namespace diz
