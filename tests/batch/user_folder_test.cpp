// The folder a first start from the menu makes for the user.
#include "batch/user_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/batch/test_support.h"

namespace diz {
namespace {

namespace fs = std::filesystem;

TEST(UserFolder, AFirstStartMakesItWithTheExampleBattersAndEveryOrdering) {
    test::ScratchDir dir;
    const fs::path folder = dir.path("home/DIZ");
    const PreparedFolder prepared = prepareUserFolder(folder);
    EXPECT_TRUE(prepared.made);
    EXPECT_FALSE(prepared.problem);
    EXPECT_EQ(dir.read("home/DIZ/batters.txt"), exampleBatters());
    std::ifstream shipped(DIZ_EXAMPLES_DIR "/batters.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(shipped), {}), exampleBatters());
    const std::string orders = dir.read("home/DIZ/order.dat");
    EXPECT_EQ(orders.size(), std::size_t{362880} * 11);
    EXPECT_EQ(orders.substr(0, 22), "abcdefghi\r\nabcdefgih\r\n");
    EXPECT_EQ(orders.substr(orders.size() - 11), "ihgfedcba\r\n");
}

// A later start leaves what the user has there and puts back only what is
// missing.
TEST(UserFolder, ALaterStartKeepsTheUsersFiles) {
    test::ScratchDir dir;
    const fs::path folder = dir.path("DIZ");
    ASSERT_TRUE(prepareUserFolder(folder).made);
    dir.write("DIZ/batters.txt", "mine");
    fs::remove(folder / "order.dat");
    const PreparedFolder again = prepareUserFolder(folder);
    EXPECT_FALSE(again.made);
    EXPECT_FALSE(again.problem);
    EXPECT_EQ(dir.read("DIZ/batters.txt"), "mine");
    EXPECT_EQ(fs::file_size(folder / "order.dat"), std::uintmax_t{362880} * 11);
}

TEST(UserFolder, AFolderThatCantBeMadeIsTold) {
    test::ScratchDir dir;
    dir.write("file", "");
    const PreparedFolder prepared = prepareUserFolder(dir.path("file/DIZ"));
    ASSERT_TRUE(prepared.problem);
    EXPECT_EQ(prepared.problem->rfind(
                  "DIZ のフォルダーを用意できません：" + dir.path("file/DIZ").string(), 0),
              0u);
}

TEST(UserFolder, LiesInTheHomeFolder) {
    const char* before = std::getenv("HOME");
    const std::string saved = before != nullptr ? before : "";
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(userFolder(), fs::path("/home/someone/DIZ"));
    unsetenv("HOME");
    EXPECT_EQ(userFolder(), fs::path());
    if (before != nullptr) setenv("HOME", saved.c_str(), 1);
}

}  // namespace
}  // namespace diz
