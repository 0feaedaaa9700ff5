// DIZ.exe's resources as the system reads them: string 101, icon 128 in both
// sizes, the version and the manifest; and the pieces of the Win32 front-end
// that hold no window: the choosers' set-up, text at the boundary and the
// charts' scales.

// The SDK's headers need <windows.h> before them.
// clang-format off
#include <windows.h>
#include <commdlg.h>
// clang-format on

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "batch/dialogs.h"
#include "batch/messages.h"
#include "batch/ranking_inputs.h"
#include "tests/windows/win32_test_support.h"
#include "ui/win32/chart_axis.h"
#include "ui/win32/file_chooser.h"
#include "ui/win32/handles.h"
#include "ui/win32/wide_text.h"

namespace diz::win32 {
namespace {

#pragma pack(push, 2)
// An entry of an icon group resource (RT_GROUP_ICON), as the SDK documents it.
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

class ProgramResources : public ::testing::Test {
  protected:
    void SetUp() override {
        program.reset(LoadLibraryExW(toWide(DIZ_PROGRAM).c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(program) << DIZ_PROGRAM;
    }
    std::string_view resource(const wchar_t* type, const wchar_t* name) const {
        const HRSRC found = FindResourceW(program.get(), name, type);
        if (found == nullptr) return {};
        const HGLOBAL loaded = LoadResource(program.get(), found);
        return {static_cast<const char*>(LockResource(loaded)),
                SizeofResource(program.get(), found)};
    }
    UniqueModule program;
};

TEST_F(ProgramResources, String101IsTheAboutEntrysText) {
    wchar_t text[128] = {};
    ASSERT_GT(LoadStringW(program.get(), kAboutMenuTextId, text, 128), 0);
    EXPECT_EQ(toUtf8(text), kAboutMenuText);
}

TEST_F(ProgramResources, Icon128HoldsA16And32PixelImage) {
    const std::string_view group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(kProgramIconId));
    ASSERT_GE(group.size(), 6u);
    const auto* header = reinterpret_cast<const WORD*>(group.data());
    ASSERT_EQ(group.size(), 6 + header[2] * sizeof(IconGroupEntry));
    std::vector<int> sizes;
    const auto* entries = reinterpret_cast<const IconGroupEntry*>(group.data() + 6);
    for (WORD i = 0; i < header[2]; ++i) sizes.push_back(entries[i].width);
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 32}));
    for (const int size : {16, 32}) {
        const HANDLE icon =
            LoadImageW(program.get(), MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        if (icon) DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST_F(ProgramResources, TheVersionIs15AndTheManifestAsksForCommonControls6AndPerMonitorDpi) {
    const std::wstring path = toWide(DIZ_PROGRAM);
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(5, 1));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(5, 1));
    wchar_t* product = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\041104B0\\ProductVersion",
                               reinterpret_cast<void**>(&product), &length));
    EXPECT_EQ(std::wstring(product), L"1.5");

    const std::string_view manifest = resource(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string_view::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2"), std::string_view::npos);
    EXPECT_NE(manifest.find(">true/pm<"), std::string_view::npos);
}

TEST(ChooserSetup, NeverChangesTheCurrentFolderAndAsksAsRequested) {
    ChooserRequest open;
    open.initialName = "*.txt";
    open.fileMustExist = true;
    const ChooserSetup openSetup = chooserSetup(open);
    EXPECT_TRUE(openSetup.flags & OFN_NOCHANGEDIR);
    EXPECT_TRUE(openSetup.flags & OFN_FILEMUSTEXIST);
    EXPECT_FALSE(openSetup.flags & OFN_OVERWRITEPROMPT);
    // A wildcard initial name is the filter's pattern and leaves the name empty.
    EXPECT_EQ(openSetup.filter, std::wstring(L"全て(*.*)\0*.txt\0", 14));
    EXPECT_EQ(openSetup.initialName, L"");
    EXPECT_EQ(openSetup.defaultExtension, L"txt");

    const ChooserSetup save = chooserSetup(rankingCsvRequest());
    EXPECT_TRUE(save.flags & OFN_NOCHANGEDIR);
    EXPECT_TRUE(save.flags & OFN_OVERWRITEPROMPT);
    EXPECT_FALSE(save.flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(save.filter, std::wstring(L"全て(*.*)\0*.*\0", 12));
    EXPECT_EQ(save.initialName, L"ranking.csv");
    EXPECT_EQ(save.defaultExtension, L"csv");
}

TEST(WideText, RoundTripsUtf8AndTheLineEndsOfEditControls) {
    const std::string text = "打者A\tﾊﾞｰｼﾞｮﾝ 𝄞\n出力：";
    EXPECT_EQ(toUtf8(toWide(text)), text);
    EXPECT_EQ(toWide("ﾊﾞ").size(), 2u);
    EXPECT_EQ(withCrLf(L"a\nb\r\nc\n"), L"a\r\nb\r\nc\r\n");
    EXPECT_EQ(withoutCr(L"a\r\nb\rc\r\n"), L"a\nb\rc\n");
}

TEST(NiceScale, CoversTheRangeInStepsOfOneTwoOrFiveTimesAPowerOfTen) {
    for (const auto& [low, high] : std::vector<std::pair<double, double>>{
             {0.0, 1.0}, {0.0, 9871.35}, {0.0, 0.73}, {4.871, 5.0785}, {0.0, 0.0}, {3.0, 2.0}}) {
        SCOPED_TRACE(std::to_string(low) + " " + std::to_string(high));
        const AxisScale scale = niceScale(low, high);
        EXPECT_LE(scale.low, low);
        EXPECT_GE(scale.high, std::max(high, low + 1e-12));
        const double magnitude = std::pow(10.0, std::floor(std::log10(scale.step)));
        const double leading = scale.step / magnitude;
        EXPECT_TRUE(std::abs(leading - 1) < 1e-9 || std::abs(leading - 2) < 1e-9 ||
                    std::abs(leading - 5) < 1e-9)
            << scale.step;
        EXPECT_GE(scale.ticks(), 2);
        EXPECT_LE(scale.ticks(), 11);
        EXPECT_NEAR(std::remainder(scale.low, scale.step), 0.0, 1e-9 * scale.step);
    }
    EXPECT_EQ(niceScale(0.0, 1000.0).high, 1000.0);
}

}  // namespace
}  // namespace diz::win32
