// Tests of the built shared library, loaded by path the way the program loads
// it by name: fresh loads, reference figures, reproducibility, threads.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "diz/core.h"
#include "tests/engine/test_lineups.h"

namespace diz {
namespace {

// One load of libcore.so, released when it goes out of scope.
class LoadedCore {
  public:
    LoadedCore() : m_handle(dlopen(DIZ_CORE_PATH, RTLD_NOW | RTLD_LOCAL)) {
        if (m_handle == nullptr)
            ADD_FAILURE() << "cannot load " << DIZ_CORE_PATH << ": " << dlerror();
        if (m_handle != nullptr)
            m_trial = reinterpret_cast<TrialFunction>(dlsym(m_handle, "trial"));
        if (m_handle != nullptr && m_trial == nullptr) ADD_FAILURE() << "no trial export";
    }
    ~LoadedCore() {
        if (m_handle != nullptr) dlclose(m_handle);
    }
    LoadedCore(const LoadedCore&) = delete;
    LoadedCore& operator=(const LoadedCore&) = delete;
    TrialFunction trial() const { return m_trial; }

  private:
    void* m_handle;
    TrialFunction m_trial = nullptr;
};

struct Figures {
    double mean = -1, se = -1, runs[9] = {}, scoring[9] = {};

    // All twenty figures as "%f" prints them.
    std::string printed() const {
        std::string s;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%f %f", mean, se);
        s += buf;
        for (double v : runs) {
            std::snprintf(buf, sizeof buf, " %f", v);
            s += buf;
        }
        for (double v : scoring) {
            std::snprintf(buf, sizeof buf, " %f", v);
            s += buf;
        }
        return s;
    }
};

Figures call(TrialFunction trial, const test::LineupPointers& lineup, std::uint32_t games) {
    Figures f;
    trial(lineup.data(), games, &f.mean, &f.se, f.runs, f.scoring);
    return f;
}

const BatterRecord kReference = test::referenceBatter();

TEST(CoreLibrary, OneGameReferenceFiguresFromAFreshLoad) {
    LoadedCore core;
    ASSERT_NE(core.trial(), nullptr);
    const auto lineup = test::nineOf(kReference);
    EXPECT_EQ(call(core.trial(), lineup, 1).printed(),
              "4.000000 0.000000"
              " 0.000000 0.000000 0.000000 3.000000 0.000000 0.000000 0.000000 0.000000 1.000000"
              " 0.000000 0.000000 0.000000 1.000000 0.000000 0.000000 0.000000 0.000000 1.000000");
    EXPECT_EQ(call(core.trial(), lineup, 1).printed(),
              "5.000000 0.000000"
              " 0.000000 5.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000"
              " 0.000000 1.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000");
}

TEST(CoreLibrary, HundredFortyGamesReferenceFiguresFromAFreshLoad) {
    LoadedCore core;
    ASSERT_NE(core.trial(), nullptr);
    const auto lineup = test::nineOf(kReference);
    EXPECT_EQ(call(core.trial(), lineup, 140).printed(),
              "6.107143 0.315209"
              " 0.721429 0.614286 0.778571 0.807143 0.514286 0.621429 0.735714 0.678571 0.635714"
              " 0.335714 0.314286 0.321429 0.350000 0.314286 0.285714 0.335714 0.300000 0.278571");
    const Figures second = call(core.trial(), lineup, 140);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%f %f", second.mean, second.se);
    EXPECT_STREQ(buf, "6.164286 0.323345");
}

TEST(CoreLibrary, ReloadRepeatsAndCallsWithinALoadRunOn) {
    const auto lineup = test::nineOf(kReference);
    std::vector<std::string> firstLoad, secondLoad;
    for (auto* results : {&firstLoad, &secondLoad}) {
        LoadedCore core;
        ASSERT_NE(core.trial(), nullptr);
        for (int i = 0; i < 3; ++i) results->push_back(call(core.trial(), lineup, 500).printed());
    }
    EXPECT_EQ(firstLoad, secondLoad);
    EXPECT_NE(firstLoad[0], firstLoad[1]);
}

TEST(CoreLibrary, EachThreadStartsItsOwnSequence) {
    LoadedCore core;
    ASSERT_NE(core.trial(), nullptr);
    const auto lineup = test::nineOf(kReference);
    const std::string onMain = call(core.trial(), lineup, 140).printed();
    std::string onThread;
    std::thread([&] { onThread = call(core.trial(), lineup, 140).printed(); }).join();
    EXPECT_EQ(onThread, onMain);
}

TEST(CoreLibrary, RepeatedBatterBehavesLikeNineCopies) {
    std::array<BatterRecord, 9> copies;
    copies.fill(kReference);
    std::string shared, separate;
    {
        LoadedCore core;
        ASSERT_NE(core.trial(), nullptr);
        shared = call(core.trial(), test::nineOf(kReference), 300).printed();
    }
    {
        LoadedCore core;
        ASSERT_NE(core.trial(), nullptr);
        separate = call(core.trial(), test::pointersTo(copies), 300).printed();
    }
    EXPECT_EQ(shared, separate);
}

TEST(CoreLibrary, DegenerateLineupsGiveBoundedFigures) {
    LoadedCore core;
    ASSERT_NE(core.trial(), nullptr);
    const Figures none = call(core.trial(), test::nineOf(test::allOutBatter()), 1000);
    const Figures zeros{0, 0, {}, {}};
    EXPECT_EQ(none.printed(), zeros.printed());

    // Nobody can make an out: every inning ends at the plate-appearance cap.
    const BatterRecord slugger{'a', 0.5, 0.2, 0.1, 0.1, 0.1, 0.3, 0.6, 0.4};
    const Figures all = call(core.trial(), test::nineOf(slugger), 20);
    EXPECT_TRUE(std::isfinite(all.mean));
    EXPECT_TRUE(std::isfinite(all.se));
    EXPECT_GT(all.mean, 9 * 900.0);
    EXPECT_LT(all.mean, 9 * 4000.0);
}

TEST(CoreLibrary, PerInningFiguresAreConsistent) {
    LoadedCore core;
    ASSERT_NE(core.trial(), nullptr);
    const Figures f = call(core.trial(), test::nineOf(kReference), 2000);
    double sum = 0;
    for (int k = 0; k < 9; ++k) {
        sum += f.runs[k];
        EXPECT_GE(f.scoring[k], 0.0);
        EXPECT_LE(f.scoring[k], 1.0);
        EXPECT_LE(f.scoring[k], f.runs[k]);
    }
    EXPECT_NEAR(sum, f.mean, 1e-9);
}

}  // namespace
}  // namespace diz
