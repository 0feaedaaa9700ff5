// The progress line of diz-cli on a terminal: what it draws, how often, and
// that it clears itself.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "cli/console_observer.h"

namespace diz::cli {
namespace {

// What was written to `file` since the last call.
class Captured {
  public:
    Captured() : m_file(std::tmpfile()) {}
    ~Captured() { std::fclose(m_file); }
    std::FILE* file() const { return m_file; }
    std::string take() {
        std::fflush(m_file);
        const long end = std::ftell(m_file);
        std::string text(static_cast<std::size_t>(end - m_read), '\0');
        std::fseek(m_file, m_read, SEEK_SET);
        text.resize(std::fread(text.data(), 1, text.size(), m_file));
        m_read = end;
        return text;
    }

  private:
    std::FILE* m_file;
    long m_read = 0;
};

TEST(ProgressLine, DrawsTheCountAndTheTimeLeftAFewTimesASecondThenClears) {
    Captured out;
    ProgressLine line(10, 0, true, out.file());
    line.update(3);
    const std::string first = out.take();
    EXPECT_EQ(first.rfind("\r3/10 orders  ", 0), 0u) << first;
    EXPECT_NE(first.find(" orders/s  "), std::string::npos) << first;
    EXPECT_NE(first.find(" s left\033[K"), std::string::npos) << first;
    line.update(4);  // too soon after the last drawing
    EXPECT_EQ(out.take(), "");
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    line.update(2);  // a late count from another thread
    EXPECT_EQ(out.take(), "");
    line.update(5);
    EXPECT_EQ(out.take().rfind("\r5/10 orders  ", 0), 0u);
    line.hide();
    EXPECT_EQ(out.take(), "\r\033[K");
    line.hide();
    EXPECT_EQ(out.take(), "");
}

TEST(ProgressLine, CountsWhatItIsToldToCount) {
    Captured out;
    ProgressLine line(200, 0, true, out.file(), "replicates");
    line.update(3);
    const std::string text = out.take();
    EXPECT_EQ(text.rfind("\r3/200 replicates  ", 0), 0u) << text;
    EXPECT_NE(text.find(" replicates/s  "), std::string::npos) << text;
}

TEST(ProgressLine, CountsGamesWithoutATotalAndStaysSilentWhenDisabled) {
    Captured out;
    ProgressLine games(std::nullopt, 140, true, out.file());
    games.update(7);
    const std::string drawn = out.take();
    EXPECT_EQ(drawn.rfind("\r7 orders  ", 0), 0u) << drawn;
    EXPECT_NE(drawn.find(" games/s\033[K"), std::string::npos) << drawn;

    ProgressLine off(10, 140, false, out.file());
    off.update(1);
    off.hide();
    EXPECT_EQ(out.take(), "");
}

}  // namespace
}  // namespace diz::cli
