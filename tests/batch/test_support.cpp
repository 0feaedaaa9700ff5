#include "tests/batch/test_support.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace diz::test {

void RecordingWindow::clearLog() {
    calls.push_back("clear");
    log.clear();
}

void RecordingWindow::appendLog(std::string_view text) {
    calls.push_back("append:" + std::string(text));
    log += text;
}

void RecordingWindow::showModel() { calls.push_back("show"); }

void RecordingWindow::repaintNow() { calls.push_back("repaint"); }

void RecordingWindow::reportMessage(std::string_view text) {
    m_model.statusText = std::string(text);
    calls.push_back("report:" + std::string(text));
    reports.emplace_back(text);
    showModel();
}

ScratchDir::ScratchDir() {
    std::random_device seed;
    std::ostringstream name;
    name << "diz-test-" << std::hex << seed() << seed();
    m_dir = std::filesystem::temp_directory_path() / name.str();
    std::filesystem::create_directories(m_dir);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

void ScratchDir::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ScratchDir::read(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<RosterPlayer> madeUpRoster(int count, std::uint32_t seed, int spread) {
    std::uint32_t state = seed;
    const auto next = [&state](int range) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(2 * range + 1)) - range;
    };
    const auto vary = [&](int base) { return base + base * next(spread) / 100; };
    std::vector<RosterPlayer> players;
    for (int p = 0; p < count; ++p) {
        RosterPlayer player;
        player.name = std::string("Player ").append(std::to_string(p + 1));
        BatterEntry& b = player.batter;
        b.atBats = vary(480);
        b.singles = vary(95);
        b.doubles = vary(24);
        b.triples = std::max(0, vary(3));
        b.homeRuns = vary(16);
        b.walks = vary(50);
        b.rate1B1to3 = 0.27 + next(5) / 100.0;
        b.rate1B2to4 = 0.56 + next(5) / 100.0;
        b.rate2B1to4 = 0.38 + next(5) / 100.0;
        players.push_back(player);
    }
    return players;
}

}  // namespace diz::test
