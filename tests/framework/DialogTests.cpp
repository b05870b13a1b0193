#include <gtest/gtest.h>

#include "framework/Dialog.h"
#include "framework/Errors.h"
#include "framework/Pump.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {

class TestDialog : public fw::Dialog {
public:
    TestDialog() : fw::Dialog(500) {}
    int pressed = 0;
    bool throwOnPress = false;
    bool endAtInit = false;
    bool initialised = false;

protected:
    bool OnInitDialog() override {
        initialised = true;
        if (endAtInit) PostMessageW(hwnd(), WM_COMMAND, IDOK, 0);
        return true;
    }
    bool OnCommand(int id, int, HWND) override {
        if (id != 1001) return false;
        ++pressed;
        if (throwOnPress) throw fw::FileError(L"C:\\nowhere\\x.ini");
        return true;
    }
};

}  // namespace

TEST(Dialog, ModelessDialogReceivesButtonClickThroughHandler) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_TRUE(dialog.initialised);
    dialog.Item<fw::Button>(1001).Click();
    EXPECT_EQ(dialog.pressed, 1);
    dialog.Destroy();
    EXPECT_EQ(dialog.hwnd(), nullptr);
}

TEST(Dialog, ErrorInHandlerIsShownAndDialogStaysAlive) {
    MessageBoxRecorder boxes;
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.throwOnPress = true;
    dialog.Item<fw::Button>(1001).Click();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_NE(boxes.asked[0].text.find(L"C:\\nowhere\\x.ini"), std::wstring::npos);
    EXPECT_TRUE(IsWindow(dialog.hwnd()));
    dialog.throwOnPress = false;
    dialog.Item<fw::Button>(1001).Click();
    EXPECT_EQ(dialog.pressed, 2);
}

TEST(Dialog, ModalDialogEndsFromItsInitialisation) {
    TestDialog dialog;
    dialog.endAtInit = true;
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_EQ(dialog.hwnd(), nullptr);
}

TEST(Dialog, ModalDialogEndsWithEscapeAsCancel) {
    TestDialog dialog;
    struct Ender {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
            HWND shown = FindWindowW(L"#32770", L"Test dialog");
            if (!shown) return;
            KillTimer(nullptr, id);
            PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
        }
    };
    SetTimer(nullptr, 0, 10, &Ender::Fire);
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
}

TEST(Dialog, ControlWrappersReadAndWrite) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    auto edit = dialog.Item<fw::Edit>(1002);
    edit.SetText(L"C:\\Data\\...");
    EXPECT_EQ(edit.GetText(), L"C:\\Data\\...");
    edit.Enable(false);
    EXPECT_FALSE(edit.IsEnabled());
    EXPECT_EQ(edit.Id(), 1002);
}

TEST(Pump, DispatchesPendingMessagesAndReportsQuit) {
    static bool fired;
    fired = false;
    struct Timer {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD) { fired = true; }
    };
    UINT_PTR timer = SetTimer(nullptr, 0, 1, &Timer::Fire);
    EXPECT_TRUE(WaitFor([&] { return fired; }));
    KillTimer(nullptr, timer);
    PostQuitMessage(3);
    EXPECT_FALSE(fw::PumpPendingMessages());
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}
