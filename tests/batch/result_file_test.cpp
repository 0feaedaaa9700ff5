// The result file: its lines replace the previous results only at the end
// and only when there are some, the lock holds across that replacement, and
// a pipe or a device is written as it is.
#include "batch/result_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "tests/batch/test_support.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace diz {
namespace {

namespace fs = std::filesystem;

std::size_t filesIn(const fs::path& dir) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(ResultFile, LinesReplaceThePreviousResultsOnlyAtTheEnd) {
    test::ScratchDir dir;
    dir.write("output.txt", "old");
    const std::string name = dir.path("output.txt").string();
    ResultFile file;
    ASSERT_EQ(file.open(name), ResultFile::Opened::Ok);
    EXPECT_TRUE(file.writeLine("abcdefghi 1.000000"));
    EXPECT_TRUE(file.writeLine("bacdefghi 2.000000"));
    EXPECT_EQ(dir.read("output.txt"), "old");
    EXPECT_EQ(filesIn(dir.path(".")), 2u);  // the lines wait beside it
    ASSERT_TRUE(file.close());
    EXPECT_EQ(file.linesWritten(), 2u);
    EXPECT_EQ(dir.read("output.txt"), "abcdefghi 1.000000\r\nbacdefghi 2.000000\r\n");
    EXPECT_EQ(filesIn(dir.path(".")), 1u);
}

// No line, or a run that ends by an exception (the destructor without
// close): the previous results stay, and nothing is left beside them; a
// result file the run made is taken away again.
TEST(ResultFile, ARunWithoutLinesKeepsThePreviousResults) {
    test::ScratchDir dir;
    dir.write("output.txt", "old");
    {
        ResultFile file;
        ASSERT_EQ(file.open(dir.path("output.txt").string()), ResultFile::Opened::Ok);
        EXPECT_TRUE(file.close());
        EXPECT_EQ(file.linesWritten(), 0u);
    }
    {
        ResultFile file;
        ASSERT_EQ(file.open(dir.path("output.txt").string()), ResultFile::Opened::Ok);
        EXPECT_TRUE(file.writeLine("abcdefghi 1.000000"));
    }
    EXPECT_EQ(dir.read("output.txt"), "old");
    {
        ResultFile file;
        ASSERT_EQ(file.open(dir.path("new.txt").string()), ResultFile::Opened::Ok);
        EXPECT_TRUE(fs::exists(dir.path("new.txt")));  // made, so that it can be locked
        EXPECT_TRUE(file.close());
    }
    EXPECT_EQ(filesIn(dir.path(".")), 1u);
}

#ifndef _WIN32
// The second run is refused while the first holds the file, also once the
// first has put its lines in place: the name then leads to the new file,
// which the first run still holds locked until it closes.
TEST(ResultFile, TheLockHoldsAcrossTheReplacement) {
    test::ScratchDir dir;
    dir.write("output.txt", "old");
    const std::string name = dir.path("output.txt").string();
    ResultFile first;
    ASSERT_EQ(first.open(name), ResultFile::Opened::Ok);
    ResultFile second;
    EXPECT_EQ(second.open(name), ResultFile::Opened::Busy);
    EXPECT_TRUE(first.writeLine("abcdefghi 1.000000"));
    ASSERT_TRUE(first.commit());
    EXPECT_EQ(dir.read("output.txt"), "abcdefghi 1.000000\r\n");
    EXPECT_EQ(second.open(name), ResultFile::Opened::Busy);
    ASSERT_TRUE(first.close());
    ResultFile third;
    EXPECT_EQ(third.open(name), ResultFile::Opened::Ok);
    EXPECT_TRUE(third.close());
    EXPECT_EQ(dir.read("output.txt"), "abcdefghi 1.000000\r\n");
}

TEST(ResultFile, ALinkStaysALinkAndTheFileKeepsItsPermissions) {
    test::ScratchDir dir;
    dir.write("real.txt", "old");
    fs::permissions(dir.path("real.txt"), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.txt", dir.path("link.txt"));
    ResultFile file;
    ASSERT_EQ(file.open(dir.path("link.txt").string()), ResultFile::Opened::Ok);
    EXPECT_TRUE(file.writeLine("abcdefghi"));
    ASSERT_TRUE(file.close());
    EXPECT_TRUE(fs::is_symlink(dir.path("link.txt")));
    EXPECT_EQ(dir.read("real.txt"), "abcdefghi\r\n");
    EXPECT_EQ(fs::status(dir.path("real.txt")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

// A pipe is written as it is, line by line, and stays a pipe; one that no
// one reads is refused at once when the caller must not wait (a window).
TEST(ResultFile, APipeIsWrittenIntoAndNeverReplaced) {
    test::ScratchDir dir;
    const fs::path pipe = dir.path("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    {
        ResultFile file;
        EXPECT_EQ(file.open(pipe.string(), false), ResultFile::Opened::Failed);
        EXPECT_EQ(file.errorNumber(), ENXIO);
    }
    std::string received;
    std::thread reader([&] {
        std::ifstream in(pipe, std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    });
    ResultFile file;
    ASSERT_EQ(file.open(pipe.string()), ResultFile::Opened::Ok);
    EXPECT_TRUE(file.direct());
    EXPECT_TRUE(file.writeLine("abcdefghi"));
    EXPECT_TRUE(file.close());
    reader.join();
    EXPECT_EQ(received, "abcdefghi\r\n");
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(filesIn(dir.path(".")), 1u);
}
#endif

}  // namespace
}  // namespace diz
