#include "batch/atomic_save.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <thread>

#include "batch/batter_data.h"
#include "tests/batch/test_support.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace diz {
namespace {

namespace fs = std::filesystem;

std::size_t filesIn(const fs::path& dir) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(SaveAtomically, WritesThroughALinkAndKeepsThePermissions) {
    test::ScratchDir dir;
    dir.write("real.txt", "old");
    fs::permissions(dir.path("real.txt"), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.txt", dir.path("link.txt"));
    ASSERT_EQ(saveAtomically(dir.path("link.txt"), "new"), SaveResult::Saved);
    EXPECT_TRUE(fs::is_symlink(dir.path("link.txt")));
    EXPECT_EQ(dir.read("real.txt"), "new");
    EXPECT_EQ(fs::status(dir.path("real.txt")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(filesIn(dir.path(".")), 2u);  // no temporary file left behind
}

TEST(SaveAtomically, ADeviceIsWrittenNeverReplaced) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    EXPECT_EQ(saveAtomically("/dev/full", "x"), SaveResult::NotWritten);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

#ifndef _WIN32
// A pipe is written into as it is, never waited for: one that no one reads
// fails at once, one with a reader takes the bytes, and both stay pipes.
TEST(SaveAtomically, APipeIsNeverWaitedForNorReplaced) {
    test::ScratchDir dir;
    const fs::path pipe = dir.path("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(saveAtomically(pipe, "nobody reads this"), SaveResult::NotCreated);
    EXPECT_TRUE(fs::is_fifo(pipe));
    std::string received;
    std::thread reader([&] {
        std::ifstream in(pipe, std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    });
    // The reader opens the pipe some time after it starts; until then a save
    // is refused, and once it has it the bytes go through.
    SaveResult saved = SaveResult::NotCreated;
    for (int i = 0; i < 500 && saved == SaveResult::NotCreated; ++i) {
        saved = saveAtomically(pipe, "read");
        if (saved == SaveResult::NotCreated)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    reader.join();
    EXPECT_EQ(saved, SaveResult::Saved);
    EXPECT_EQ(received, "read");
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(filesIn(dir.path(".")), 1u);
}

TEST(SaveAtomically, AFailedWriteLeavesTheOldFile) {
    test::ScratchDir dir;
    dir.write("b.txt", "the only copy");
    // A file size limit stands in for a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult saved = saveAtomically(dir.path("b.txt"), std::string(100, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(saved, SaveResult::NotWritten);
    EXPECT_EQ(dir.read("b.txt"), "the only copy");
    EXPECT_EQ(filesIn(dir.path(".")), 1u);
}
#endif

// A file made piece by piece is saved whole or not at all, and a folder that
// does not exist is told apart from a write that failed.
TEST(SaveAtomically, PiecesAreSavedWholeOrNotAtAll) {
    test::ScratchDir dir;
    dir.write("b.txt", "the only copy");
    const auto pieces = [](int failAt) {
        return [failAt](const ByteSink& write) {
            for (int i = 0; i < 3; ++i) {
                if (i == failAt || !write("piece ")) return false;
            }
            return true;
        };
    };
    EXPECT_EQ(saveAtomically(dir.path("b.txt"), pieces(2)), SaveResult::NotWritten);
    EXPECT_EQ(dir.read("b.txt"), "the only copy");
    EXPECT_EQ(filesIn(dir.path(".")), 1u);
    EXPECT_EQ(saveAtomically(dir.path("b.txt"), pieces(-1)), SaveResult::Saved);
    EXPECT_EQ(dir.read("b.txt"), "piece piece piece ");
    EXPECT_EQ(saveAtomically(dir.path("no/such/folder/b.txt"), pieces(-1)), SaveResult::NotCreated);
}

// Running out of memory while the bytes are made leaves the old file and no
// temporary one, and the exception reaches the caller's guard.
TEST(SaveAtomically, AnExceptionWhileMakingTheBytesLeavesTheOldFile) {
    test::ScratchDir dir;
    dir.write("b.txt", "the only copy");
    EXPECT_THROW(saveAtomically(dir.path("b.txt"),
                                [](const ByteSink& write) -> bool {
                                    write("piece ");
                                    throw std::bad_alloc();
                                }),
                 std::bad_alloc);
    EXPECT_EQ(dir.read("b.txt"), "the only copy");
    EXPECT_EQ(filesIn(dir.path(".")), 1u);
}

TEST(WriteBatterTable, ALineTooLongToReadBackIsRefused) {
    test::ScratchDir dir;
    dir.write("b.txt", "kept");
    BatterTable table{};
    table[4].rate1B2to4 = 1e250;  // prints in full, over 250 digits
    EXPECT_FALSE(writeBatterTable(dir.path("b.txt"), table));
    EXPECT_EQ(dir.read("b.txt"), "kept");
    table[4].rate1B2to4 = 1e200;  // the longest line that still fits
    EXPECT_TRUE(writeBatterTable(dir.path("b.txt"), table));
}

TEST(ReadBatterTable, AFolderIsNoBatterFile) {
    test::ScratchDir dir;
    BatterTable table{};
    EXPECT_EQ(readBatterFile(dir.path("."), table), BatterFileRead::NotOpened);
}

}  // namespace
}  // namespace diz
