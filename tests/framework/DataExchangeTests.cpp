#include <gtest/gtest.h>

#include <optional>

#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {

constexpr int kText = 1101, kRanged = 1102, kAny = 1103, kCheck = 1104, kRadio = 1105, kCombo = 1108;

// A dialog whose members are exchanged with one control of each kind.
class ExchangeDialog : public fw::Dialog {
public:
    ExchangeDialog() : fw::Dialog(501) {
        exchange.Text(kText, text)
            .Integer(kRanged, ranged, 0, 99999)
            .Integer(kAny, any)
            .Check(kCheck, check)
            .Radio(kRadio, radio)
            .ComboSelection(kCombo, combo);
    }
    std::wstring text = L"start";
    int ranged = 5, any = -3, check = 1, radio = 2, combo = 1;
    fw::DataExchange exchange;

    std::wstring Text(int id) const { return Item(id).GetText(); }
    void SetText(int id, const std::wstring& value) const { Item(id).SetText(value); }

protected:
    bool OnInitDialog() override {
        auto list = Item<fw::ComboBox>(kCombo);
        for (const wchar_t* entry : {L"a", L"b", L"c"}) list.AddString(entry);
        return true;
    }
};

class DataExchangeDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(nullptr));
        ShowWindow(dialog.hwnd(), SW_SHOW);
        SetForegroundWindow(dialog.hwnd());
        Flush();
    }
    ExchangeDialog dialog;
};

TEST(ParseInteger, AcceptsOnlyASignedRunOfDigits) {
    const std::pair<const wchar_t*, std::optional<int64_t>> cases[] = {
        {L"42", 42},         {L" 42\t", 42}, {L"-7", -7},       {L"+3", 3},          {L"007", 7},
        {L"", std::nullopt}, {L" ", std::nullopt}, {L"-", std::nullopt}, {L"4x", std::nullopt},
        {L"1 2", std::nullopt}, {L"- 1", std::nullopt}, {L"1.5", std::nullopt}, {L"0x10", std::nullopt},
        {L"99999999999", 99999999999},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(fw::ParseInteger(text), value) << text;
}

TEST_F(DataExchangeDialog, LoadShowsEveryMemberAndStoreTakesEveryControl) {
    dialog.exchange.Load(dialog.hwnd());
    EXPECT_EQ(dialog.Text(kText), L"start");
    EXPECT_EQ(dialog.Text(kRanged), L"5");
    EXPECT_EQ(dialog.Text(kAny), L"-3");
    EXPECT_TRUE(dialog.Item<fw::Button>(kCheck).IsChecked());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(dialog.Item<fw::Button>(kRadio + i).IsChecked(), i == 2) << i;
    EXPECT_EQ(dialog.Item<fw::ComboBox>(kCombo).GetCurSel(), 1);

    dialog.SetText(kText, L"C:\\Data\\...");
    dialog.SetText(kRanged, L" 99999 ");
    dialog.SetText(kAny, L"-2147483648");
    dialog.Item<fw::Button>(kCheck).SetCheck(false);
    dialog.Item<fw::Button>(kRadio + 2).SetCheck(false);
    dialog.Item<fw::Button>(kRadio).SetCheck(true);
    dialog.Item<fw::ComboBox>(kCombo).SetCurSel(2);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(dialog.exchange.Store(dialog.hwnd()));
    EXPECT_EQ(dialog.text, L"C:\\Data\\...");
    EXPECT_EQ(dialog.ranged, 99999);
    EXPECT_EQ(dialog.any, INT32_MIN);
    EXPECT_EQ(dialog.check, 0);
    EXPECT_EQ(dialog.radio, 0);
    EXPECT_EQ(dialog.combo, 2);
    EXPECT_TRUE(boxes.asked.empty());

    // Nothing ticked and nothing selected read as -1; a member naming no entry selects none.
    dialog.combo = 7;
    dialog.exchange.Load(dialog.hwnd());
    EXPECT_EQ(dialog.Item<fw::ComboBox>(kCombo).GetCurSel(), -1);
    for (int i = 0; i < 3; ++i) dialog.Item<fw::Button>(kRadio + i).SetCheck(false);
    ASSERT_TRUE(dialog.exchange.Store(dialog.hwnd()));
    EXPECT_EQ(dialog.radio, -1);
    EXPECT_EQ(dialog.combo, -1);
}

TEST_F(DataExchangeDialog, AFailedCheckTellsFocusesSelectsAndStoresNothing) {
    struct Case {
        int id;
        const wchar_t* input;
        const wchar_t* message;
    };
    const Case cases[] = {
        {kRanged, L"abc", L"Please enter an integer."},
        {kRanged, L"", L"Please enter an integer."},
        {kRanged, L"100000", L"Please enter an integer between 0 and 99999."},
        {kRanged, L"-1", L"Please enter an integer between 0 and 99999."},
        {kRanged, L"99999999999", L"Please enter an integer between 0 and 99999."},
        {kAny, L"2147483648", L"Please enter an integer."},
        {kAny, L"1e3", L"Please enter an integer."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " " << testing::PrintToString(std::wstring(c.input)));
        dialog.exchange.Load(dialog.hwnd());
        dialog.SetText(kText, L"changed");
        dialog.Item<fw::Button>(kCheck).SetCheck(false);
        dialog.SetText(c.id, c.input);
        SetFocus(dialog.Item(kText));
        MessageBoxRecorder boxes;
        EXPECT_FALSE(dialog.exchange.Store(dialog.hwnd()));
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(boxes.asked[0].text, c.message);
        EXPECT_EQ(GetFocus(), dialog.Item(c.id).hwnd());
        DWORD start = 0, end = 0;
        SendMessageW(dialog.Item(c.id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, wcslen(c.input));
        // Neither the controls before the failing one nor those after it were taken.
        EXPECT_EQ(dialog.text, L"start");
        EXPECT_EQ(dialog.check, 1);
        EXPECT_EQ(dialog.ranged, 5);
        EXPECT_EQ(dialog.any, -3);

        // Quietly: the same refusal without a word and without moving the focus.
        SetFocus(dialog.Item(kText));
        EXPECT_FALSE(dialog.exchange.Store(dialog.hwnd(), fw::DataExchange::OnFailure::Quiet));
        EXPECT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(GetFocus(), dialog.Item(kText).hwnd());
    }
}

// Nobody could correct a disabled field: it keeps its member's value and lets the rest be stored.
TEST_F(DataExchangeDialog, ADisabledFieldThatFailsItsCheckIsLeftOut) {
    dialog.exchange.Load(dialog.hwnd());
    dialog.SetText(kRanged, L"abc");
    dialog.Item(kRanged).Enable(false);
    dialog.SetText(kText, L"taken");
    MessageBoxRecorder boxes;
    EXPECT_TRUE(dialog.exchange.Store(dialog.hwnd()));
    EXPECT_EQ(dialog.ranged, 5);
    EXPECT_EQ(dialog.text, L"taken");
    EXPECT_TRUE(boxes.asked.empty());
}

}  // namespace
