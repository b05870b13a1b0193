#include <gtest/gtest.h>

#include <functional>

#include "framework/Dialog.h"
#include "framework/Errors.h"
#include "framework/Pump.h"
#include "framework/Ui.h"
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
    std::function<bool(UINT, LRESULT&)> onMessage;

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
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        return onMessage && onMessage(message, result);
    }
};

// Posts a message to the test dialog once a modal loop shows it.
void PostWhenShown(UINT message, WPARAM w) {
    static UINT pendingMessage;
    static WPARAM pendingW;
    pendingMessage = message;
    pendingW = w;
    struct Timer {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
            HWND shown = FindWindowW(L"#32770", L"Test dialog");
            if (!shown) return;
            KillTimer(nullptr, id);
            PostMessageW(shown, pendingMessage, pendingW, 0);
        }
    };
    SetTimer(nullptr, 0, 10, &Timer::Fire);
}

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
    PostWhenShown(WM_COMMAND, IDCANCEL);
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

// Some answers a dialog procedure returns itself; the rest go through DWLP_MSGRESULT.
TEST(Dialog, HandledMessagesAnswerTheWayTheSystemReadsThem) {
    const LRESULT icon = reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_APPLICATION));
    TestDialog dialog;
    dialog.onMessage = [&](UINT message, LRESULT& result) {
        if (message != WM_QUERYDRAGICON && message != WM_APP) return false;
        result = message == WM_QUERYDRAGICON ? icon : 42;
        return true;
    };
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(SendMessageW(dialog.hwnd(), WM_QUERYDRAGICON, 0, 0), icon);
    EXPECT_EQ(SendMessageW(dialog.hwnd(), WM_APP, 0, 0), 42);
}

// A modal dialog whose handler pumps messages (a long search) still moves the
// focus with Tab: its own loop is not running meanwhile.
TEST(Pump, KeepsKeyboardNavigationOfTheDialogWhoseHandlerPumps) {
    TestDialog dialog;
    int focusAfterTab = 0;
    dialog.onMessage = [&](UINT message, LRESULT&) {
        if (message != WM_APP) return false;
        SetFocus(GetDlgItem(dialog.hwnd(), 1001));
        PostMessageW(GetDlgItem(dialog.hwnd(), 1001), WM_KEYDOWN, VK_TAB, 0);
        fw::PumpPendingMessages();
        focusAfterTab = GetDlgCtrlID(GetFocus());
        dialog.End(IDOK);
        return true;
    };
    PostWhenShown(WM_APP, 0);
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_EQ(focusAfterTab, 1002);
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

// The system's Save dialog, answered as a user does: a name shorter than the
// one suggested is typed in its place. The rest of the suggestion must not
// come back as a second file.
namespace {
bool typedName = false;

BOOL CALLBACK FindShownDialog(HWND h, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(h, name, 16);
    if (!IsWindowVisible(h) || std::wstring(name) != L"#32770") return TRUE;
    *reinterpret_cast<HWND*>(found) = h;
    return FALSE;
}

void CALLBACK TypeShortName(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    if (typedName) return;
    EnumThreadWindows(GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    typedName = true;
    // The name field: the combo box of newer dialogs, or the edit of older ones.
    HWND field = GetDlgItem(dialog, 0x47C);          // cmb13
    if (!field) field = GetDlgItem(dialog, 0x480);  // edt1
    SetWindowTextW(field, L"5.txt");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}
}  // namespace

TEST(FileDialog, SaveGivesTheNameTypedWhateverWasSuggested) {
    testing_support::TempDir dir;
    fw::FileDialogRequest request;
    request.save = true;
    request.fileName = L"Duplicates 2026-12-08 18-40-00.txt";
    request.filter = L"txt files (*.txt)|*.txt||";
    request.initialFolder = dir.path();
    typedName = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, TypeShortName);
    const std::vector<std::wstring> chosen = fw::ShowFileDialog(nullptr, request);
    KillTimer(nullptr, timer);
    ASSERT_TRUE(typedName);
    EXPECT_EQ(chosen, std::vector<std::wstring>{dir / L"5.txt"});
}
