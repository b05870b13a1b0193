#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {

void StartsWithTitleAndCloses(const std::wstring& exe, const std::wstring& title) {
    Program program(SuiteDir() + exe);
    ASSERT_TRUE(program.started()) << "cannot start " << std::string(exe.begin(), exe.end());
    HWND window = program.WaitForWindow(title);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_NE(program.WaitForExit(), STILL_ACTIVE);
}

}  // namespace

TEST(Programs, VarnholtShowsItsMainWindow) { StartsWithTitleAndCloses(L"\\Varnholt\\Varnholt.exe", L"Quorvexsoft Varnholt 7"); }

TEST(Programs, BrisvaneShowsItsMainWindow) { StartsWithTitleAndCloses(L"\\Brisvane.exe", L"Quorvexsoft Brisvane 7"); }
