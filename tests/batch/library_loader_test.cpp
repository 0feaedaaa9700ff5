#include "batch/library_loader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/batch/test_support.h"

namespace diz {
namespace {

// The engine library built beside this test program.
std::filesystem::path builtEngine() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / libraryFileName("core");
}

TEST(SharedLibrary, LoadsTheEngineByItsBareNameAndFindsTrial) {
    const auto library = SharedLibrary::open("core");
    ASSERT_NE(library, nullptr);
    EXPECT_NE(library->find("trial"), nullptr);
    EXPECT_EQ(library->find("no_such_export"), nullptr);
}

TEST(SharedLibrary, NeverLoadsFromTheCurrentDirectory) {
    if (!std::filesystem::exists("/proc/self/exe")) GTEST_SKIP() << "needs /proc";
    test::ScratchDir dir;
    const std::string copy = libraryFileName("cwdonly");
    std::filesystem::copy_file(builtEngine(), dir.path(copy));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path(""));
    const bool loadedByName = SharedLibrary::open("cwdonly") != nullptr;
    const bool loadedByPath = SharedLibrary::open("./" + copy) != nullptr;
    std::filesystem::current_path(previous);
    EXPECT_FALSE(loadedByName);
    EXPECT_TRUE(loadedByPath);
}

}  // namespace
}  // namespace diz
