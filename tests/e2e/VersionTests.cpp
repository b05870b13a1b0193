// Every program of the layout says, in its version resource, the version its
// template beside it names: that text also names each user's settings folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/PowerClass.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

TEST(Versions, EveryProgramCarriesTheVersionOfItsTemplate) {
    int programs = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(SuiteDir())) {
        if (entry.path().extension() != L".exe") continue;
        const std::wstring exe = entry.path().wstring();
        SCOPED_TRACE(Narrow(exe));
        ++programs;
        PowerClass templateStore;
        templateStore.ConfigPath = entry.path().parent_path().wstring() + L"\\config.ini";
        const std::wstring version = templateStore.ReadConfigValue(L"Version");
        ASSERT_FALSE(version.empty());

        EXPECT_EQ(VersionText(exe, L"ProductVersion"), version);
        EXPECT_EQ(VersionText(exe, L"FileVersion"), version);
        EXPECT_EQ(VersionText(exe, L"CompanyName"), L"Quorvexsoft");
        EXPECT_EQ(VersionText(exe, L"OriginalFilename"), entry.path().filename().wstring());
        EXPECT_NE(VersionText(exe, L"FileDescription"), L"");
        EXPECT_NE(VersionText(exe, L"ProductName"), L"");
        // "7.0" as numbers: 7 and 0 in the high and low word of the most significant half.
        const VS_FIXEDFILEINFO fixed = FixedVersion(exe);
        EXPECT_EQ(std::to_wstring(HIWORD(fixed.dwProductVersionMS)) + L"." + std::to_wstring(LOWORD(fixed.dwProductVersionMS)),
                  version);
        EXPECT_EQ(fixed.dwFileVersionMS, fixed.dwProductVersionMS);
    }
    EXPECT_GT(programs, 0);
}
