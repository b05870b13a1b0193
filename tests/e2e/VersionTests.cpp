// Every program of the layout says, in its version resource, the version its
// template beside it names: that text also names each user's settings folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/PowerClass.h"
#include "tests/support/TestSupport.h"

namespace {

struct VersionInfo {
    std::vector<BYTE> block;
    std::wstring Text(const wchar_t* name) const {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return L"";
        return static_cast<const wchar_t*>(value);
    }
    VS_FIXEDFILEINFO Fixed() const {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) return {};
        return *static_cast<const VS_FIXEDFILEINFO*>(value);
    }
};

VersionInfo ReadVersionInfo(const std::wstring& exe) {
    VersionInfo info;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    if (size == 0) return info;
    info.block.resize(size);
    if (!GetFileVersionInfoW(exe.c_str(), 0, size, info.block.data())) info.block.clear();
    return info;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

}  // namespace

TEST(Versions, EveryProgramCarriesTheVersionOfItsTemplate) {
    int programs = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(testing_support::SuiteDir())) {
        if (entry.path().extension() != L".exe") continue;
        const std::wstring exe = entry.path().wstring();
        SCOPED_TRACE(Narrow(exe));
        ++programs;
        PowerClass templateStore;
        templateStore.ConfigPath = entry.path().parent_path().wstring() + L"\\config.ini";
        const std::wstring version = templateStore.ReadConfigValue(L"Version");
        ASSERT_FALSE(version.empty());

        const VersionInfo info = ReadVersionInfo(exe);
        ASSERT_FALSE(info.block.empty()) << "no version resource";
        EXPECT_EQ(info.Text(L"ProductVersion"), version);
        EXPECT_EQ(info.Text(L"FileVersion"), version);
        EXPECT_EQ(info.Text(L"CompanyName"), L"Quorvexsoft");
        EXPECT_EQ(info.Text(L"OriginalFilename"), entry.path().filename().wstring());
        EXPECT_NE(info.Text(L"FileDescription"), L"");
        EXPECT_NE(info.Text(L"ProductName"), L"");
        // "7.0" as numbers: 7 and 0 in the high and low word of the most significant half.
        const VS_FIXEDFILEINFO fixed = info.Fixed();
        EXPECT_EQ(std::to_wstring(HIWORD(fixed.dwProductVersionMS)) + L"." + std::to_wstring(LOWORD(fixed.dwProductVersionMS)),
                  version);
        EXPECT_EQ(fixed.dwFileVersionMS, fixed.dwProductVersionMS);
    }
    EXPECT_GT(programs, 0);
}
