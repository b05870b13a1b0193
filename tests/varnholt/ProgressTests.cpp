#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "framework/Controls.h"
#include "resources/varnholt/resource.h"
#include "tests/support/TestSupport.h"
#include "varnholt/app/Progress.h"

using namespace testing_support;

namespace {

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override { WindowTexts::UseTableForTests(&texts_); }
    void TearDown() override {
        progress_.Close();
        WindowTexts::UseTableForTests(nullptr);
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) progress_.Tick();
    }
    std::wstring StatusLine() const { return fw::Window(GetDlgItem(progress_.hwnd(), IDC_PROGRESS_STATUS)).GetText(); }

    std::map<int, std::wstring> texts_ = {{108, L"Stop"}};
    CProgress progress_;
};

TEST_F(ProgressTest, OpensWithTranslatedCancelAndTheFolderRange) {
    progress_.SetFolderTotal(70000);  // only the low 16 bits reach the bar
    ASSERT_TRUE(progress_.Open(nullptr));
    EXPECT_EQ(fw::Window(GetDlgItem(progress_.hwnd(), IDC_PROGRESS_CANCEL)).GetText(), L"Stop");
    PBRANGE range = {};
    SendDlgItemMessageW(progress_.hwnd(), IDC_PROGRESS_BAR, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 70000 & 0xFFFF);
    progress_.SetFolderIndex(3);
    progress_.Tick();
    EXPECT_EQ(SendDlgItemMessageW(progress_.hwnd(), IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0), 3);
}

// The opening itself is the first step: 998 more make 999.
TEST_F(ProgressTest, PictureCycleOverThreeTimes333Steps) {
    ASSERT_TRUE(progress_.Open(nullptr));
    Ticks(331);
    EXPECT_TRUE(progress_.PictureHistory().empty());
    Ticks(1);
    EXPECT_EQ(progress_.PictureHistory(), (std::vector<int>{IDB_PROGRESS_1}));
    Ticks(666);
    EXPECT_EQ(progress_.PictureHistory(), (std::vector<int>{IDB_PROGRESS_1, IDB_PROGRESS_2, IDB_PROGRESS_3}));
    Ticks(332);
    EXPECT_EQ(progress_.PictureHistory().size(), 3u);
    Ticks(1);
    EXPECT_EQ(progress_.PictureHistory(),
              (std::vector<int>{IDB_PROGRESS_1, IDB_PROGRESS_2, IDB_PROGRESS_3, IDB_PROGRESS_1}));
}

TEST_F(ProgressTest, FewerThan100StepsNeverShowTheCurrentText) {
    progress_.SetCurrentText(L"C:\\data\\first.txt");
    ASSERT_TRUE(progress_.Open(nullptr));
    Ticks(98);
    EXPECT_EQ(StatusLine(), L"");
    Ticks(1);
    EXPECT_EQ(StatusLine(), L"C:\\data\\first.txt");
    // Later texts wait for the 100th step of the next cycle.
    progress_.SetCurrentText(L"C:\\data\\second.txt");
    Ticks(233);
    EXPECT_EQ(StatusLine(), L"C:\\data\\first.txt");
    Ticks(100);
    EXPECT_EQ(StatusLine(), L"C:\\data\\second.txt");
}

TEST_F(ProgressTest, RefreshShowsTheTextAtOnceAndAdvancesThePicture) {
    ASSERT_TRUE(progress_.Open(nullptr));
    progress_.SetCurrentText(L"Comparing");
    progress_.Refresh();
    EXPECT_EQ(StatusLine(), L"Comparing");
    EXPECT_EQ(progress_.PictureHistory(), (std::vector<int>{IDB_PROGRESS_1}));
    // Refresh starts the cycle again: the next picture comes 333 steps later.
    Ticks(332);
    EXPECT_EQ(progress_.PictureHistory().size(), 1u);
    Ticks(1);
    EXPECT_EQ(progress_.PictureHistory(), (std::vector<int>{IDB_PROGRESS_1, IDB_PROGRESS_2}));
    EXPECT_EQ(progress_.PulseRuns(), 1);
}

// Refresh comes up to once per group: the pictures must not be loaded each time.
TEST_F(ProgressTest, TheThreePicturesAreLoadedOnceHoweverOftenTheyShow) {
    for (int opening = 0; opening < 2; ++opening) {
        ASSERT_TRUE(progress_.Open(nullptr));
        for (int i = 0; i < 50; ++i) progress_.Refresh();
        progress_.Close();
    }
    EXPECT_EQ(progress_.PictureLoads(), 3);
}

TEST_F(ProgressTest, PulseDialogRunsOncePerOpening) {
    ASSERT_TRUE(progress_.Open(nullptr));
    Ticks(2000);
    EXPECT_EQ(progress_.PulseRuns(), 1);
    progress_.Close();
    ASSERT_TRUE(progress_.Open(nullptr));
    Ticks(331);
    EXPECT_EQ(progress_.PulseRuns(), 1);
    Ticks(1);
    EXPECT_EQ(progress_.PulseRuns(), 2);
    Ticks(1000);
    EXPECT_EQ(progress_.PulseRuns(), 2);
}

TEST_F(ProgressTest, CancelSetsTheFlagAndTheWindowStays) {
    ASSERT_TRUE(progress_.Open(nullptr));
    EXPECT_FALSE(progress_.CancelRequested());
    fw::Button(GetDlgItem(progress_.hwnd(), IDC_PROGRESS_CANCEL)).Click();
    EXPECT_TRUE(progress_.CancelRequested());
    EXPECT_TRUE(IsWindow(progress_.hwnd()));
    Ticks(10);
    EXPECT_TRUE(progress_.CancelRequested());
    // Escape and the close command only ask, too: the search closes the window.
    SendMessageW(progress_.hwnd(), WM_COMMAND, IDCANCEL, 0);
    SendMessageW(progress_.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(progress_.hwnd()));
    // A new opening starts without the request.
    progress_.Close();
    ASSERT_TRUE(progress_.Open(nullptr));
    EXPECT_FALSE(progress_.CancelRequested());
}

// A click on Cancel reaches the window through the steps' message pumping.
TEST_F(ProgressTest, StepsDispatchPendingMessages) {
    ASSERT_TRUE(progress_.Open(nullptr));
    HWND cancel = GetDlgItem(progress_.hwnd(), IDC_PROGRESS_CANCEL);
    PostMessageW(progress_.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(cancel));
    // The pump is throttled; steps go on until its interval has passed.
    ULONGLONG end = GetTickCount64() + 2000;
    while (!progress_.CancelRequested() && GetTickCount64() < end) progress_.Tick();
    EXPECT_TRUE(progress_.CancelRequested());
    progress_.Close();

    ASSERT_TRUE(progress_.Open(nullptr));
    PostMessageW(progress_.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(progress_.hwnd(), IDC_PROGRESS_CANCEL)));
    end = GetTickCount64() + 2000;
    while (!progress_.CancelRequested() && GetTickCount64() < end) progress_.KeepAlive();
    EXPECT_TRUE(progress_.CancelRequested());
}

TEST_F(ProgressTest, StepsOnAClosedWindowDoNothing) {
    progress_.Tick();
    progress_.Refresh();
    progress_.KeepAlive();
    progress_.SetStatusText(L"x");
    EXPECT_TRUE(progress_.PictureHistory().empty());
}

}  // namespace
