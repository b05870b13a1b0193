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
    const std::optional<int64_t> none;
    const std::pair<const wchar_t*, std::optional<int64_t>> cases[] = {
        {L" 42\t", 42}, {L"-7", -7}, {L"+3", 3}, {L"007", 7}, {L"99999999999", 99999999999}, {L"", none},
        {L"-", none},   {L"4x", none}, {L"1 2", none}, {L"- 1", none}, {L"1.5", none}, {L"0x10", none},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(fw::ParseInteger(text), value) << text;
}

TEST_F(DataExchangeDialog, LoadShowsEveryMemberAndStoreTakesEveryControl) {
    dialog.exchange.Load(dialog.hwnd());
    EXPECT_EQ(dialog.Text(kText) + L"|" + dialog.Text(kRanged) + L"|" + dialog.Text(kAny), L"start|5|-3");
    EXPECT_TRUE(dialog.Item<fw::Button>(kCheck).IsChecked());
    EXPECT_TRUE(dialog.Item<fw::Button>(kRadio + 2).IsChecked());
    EXPECT_EQ(dialog.Item<fw::ComboBox>(kCombo).GetCurSel(), 1);

    dialog.SetText(kText, L"C:\\Data\\...");
    dialog.SetText(kRanged, L" 99999 ");
    dialog.SetText(kAny, L"-2147483648");
    dialog.Item<fw::Button>(kCheck).SetCheck(false);
    dialog.Item<fw::Button>(kRadio + 2).SetCheck(false);
    dialog.Item<fw::Button>(kRadio).SetCheck(true);
    ASSERT_TRUE(dialog.exchange.Store(dialog.hwnd()));
    EXPECT_EQ(dialog.text, L"C:\\Data\\...");
    EXPECT_EQ(std::vector({dialog.ranged, dialog.any, dialog.check, dialog.radio}),
              std::vector({99999, INT32_MIN, 0, 0}));

    // A member naming no entry selects none (not every version clears it for an index past the end).
    dialog.combo = 7;
    dialog.exchange.Load(dialog.hwnd());
    dialog.Item<fw::Button>(kRadio).SetCheck(false);
    ASSERT_TRUE(dialog.exchange.Store(dialog.hwnd()));
    EXPECT_EQ(std::pair(dialog.radio, dialog.combo), std::pair(-1, -1));
}

// A failed check is told, focuses and selects its field, and nothing is stored; a
// disabled field, which nobody could correct, keeps its member's value instead.
TEST_F(DataExchangeDialog, FailedChecks) {
    const std::tuple<int, const wchar_t*, const wchar_t*, bool> cases[] = {
        {kRanged, L"abc", L"Please enter an integer.", true},
        {kRanged, L"100000", L"Please enter an integer between 0 and 99999.", true},
        {kAny, L"2147483648", L"Please enter an integer.", true},
        {kRanged, L"abc", nullptr, false},
    };
    for (const auto& [id, input, message, enabled] : cases) {
        SCOPED_TRACE(testing::Message() << id << " " << testing::PrintToString(std::wstring(input)));
        dialog.exchange.Load(dialog.hwnd());
        dialog.SetText(kText, L"changed");
        dialog.SetText(id, input);
        dialog.Item(id).Enable(enabled);
        SetFocus(dialog.Item(kText));
        MessageBoxRecorder boxes;
        EXPECT_EQ(dialog.exchange.Store(dialog.hwnd()), message == nullptr);
        EXPECT_EQ(std::pair(dialog.ranged, dialog.any), std::pair(5, -3));
        EXPECT_EQ(dialog.text, message ? L"start" : L"changed");
        dialog.text = L"start";
        dialog.Item(id).Enable(true);
        if (!message) continue;
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(boxes.asked[0].text, message);
        EXPECT_EQ(GetFocus(), dialog.Item(id).hwnd());
        DWORD start = 1, end = 0;
        SendMessageW(dialog.Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(std::pair(start, end), std::pair(DWORD{0}, static_cast<DWORD>(wcslen(input))));
        // Quietly: the same refusal without a word.
        EXPECT_FALSE(dialog.exchange.Store(dialog.hwnd(), fw::DataExchange::OnFailure::Quiet));
        EXPECT_EQ(boxes.asked.size(), 1u);
    }
}

}  // namespace
