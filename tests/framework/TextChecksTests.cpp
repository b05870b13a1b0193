// The shared checks of translated windows find what they are for, on plain windows.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/TextChecks.h"

using namespace testing_support;

namespace {

// A top-level window with controls in the dialog font, gone at the end.
class Panel {
public:
    Panel() : window_(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr)) {}
    ~Panel() { DestroyWindow(window_); }
    HWND hwnd() const { return window_; }
    HWND Add(const wchar_t* type, DWORD style, const wchar_t* text, int width, int height) {
        HWND control = CreateWindowExW(0, type, text, WS_CHILD | WS_VISIBLE | style, 10, 10 + 30 * count_, width,
                                       height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + count_)),
                                       nullptr, nullptr);
        ++count_;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return control;
    }

private:
    HWND window_;
    int count_ = 0;
};

TEST(TextChecks, AccessLetter) {
    const struct {
        const wchar_t* text;
        wchar_t letter;
    } cases[] = {{L"&File", L'f'}, {L"F&ind", L'i'}, {L"Save && &Quit", L'q'}, {L"A && B", 0},
                 {L"Ends in &", 0}, {L"&\u00dcber", L'\u00fc'}, {L"OK", 0}};
    for (const auto& c : cases) EXPECT_EQ(AccessLetter(c.text), c.letter) << static_cast<int>(c.letter);
}

TEST(TextChecks, ClashesCountOnlyControlsThatTakeALetter) {
    const struct {
        const wchar_t* type;
        DWORD style;
        const wchar_t* second;
        size_t clashes;
    } cases[] = {
        {L"Button", BS_PUSHBUTTON, L"&Find", 1},
        {L"Button", BS_AUTOCHECKBOX, L"&FIND", 1},   // letters are compared without case
        {L"Button", BS_GROUPBOX, L"&Find", 1},
        {L"Static", SS_LEFT, L"&Find", 1},           // a label gives its letter to the next control
        {L"Static", SS_LEFT | SS_NOPREFIX, L"&Find", 0},
        {L"Edit", 0, L"&Find", 0},
        {L"Button", BS_PUSHBUTTON, L"F&ind", 0},
        {L"Button", BS_PUSHBUTTON, L"&&Find", 0},
    };
    for (const auto& c : cases) {
        Panel panel;
        panel.Add(L"Button", BS_PUSHBUTTON, L"&File", 100, 20);
        panel.Add(c.type, c.style, c.second, 100, 20);
        EXPECT_EQ(AccessKeyClashes(panel.hwnd()).size(), c.clashes) << static_cast<int>(c.style);
    }
}

TEST(TextChecks, MenusClashWithControlsAndWithinEachPopup) {
    Panel panel;
    panel.Add(L"Button", BS_PUSHBUTTON, L"&Find", 100, 20);
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"&Save");
    AppendMenuW(file, MF_STRING, 2, L"&Select");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    SetMenu(panel.hwnd(), bar);
    // The bar's "&File" against the button, and "&Save" against "&Select".
    EXPECT_EQ(AccessKeyClashes(panel.hwnd()).size(), 2u);
}

TEST(TextChecks, TextsThatDoNotFit) {
    const wchar_t* const kLong = L"A label much too long for its little control";
    const struct {
        const wchar_t* type;
        DWORD style;
        const wchar_t* text;
        int width, height;
        bool fits;
    } cases[] = {
        {L"Button", BS_PUSHBUTTON, L"&Save", 80, 24, true},
        {L"Button", BS_PUSHBUTTON, kLong, 80, 24, false},
        {L"Button", BS_AUTOCHECKBOX, L"Activate", 80, 16, true},
        {L"Button", BS_AUTOCHECKBOX, kLong, 150, 16, false},
        {L"Button", BS_AUTOCHECKBOX | BS_MULTILINE, kLong, 150, 40, true},
        {L"Button", BS_GROUPBOX, kLong, 150, 60, false},
        {L"Static", SS_LEFT, kLong, 400, 16, true},
        {L"Static", SS_LEFT, kLong, 150, 16, false},  // the second line is cut off
        {L"Static", SS_LEFT, kLong, 150, 48, true},
        {L"Static", SS_LEFT | SS_ENDELLIPSIS, kLong, 150, 48, false},
        {L"Static", SS_LEFT, L"Unbreakablewordwiderthanitscontrol", 60, 100, false},
        {L"Button", BS_PUSHBUTTON | WS_VISIBLE, L"", 2, 2, true},
    };
    for (const auto& c : cases) {
        Panel panel;
        panel.Add(c.type, c.style, c.text, c.width, c.height);
        EXPECT_EQ(TextsNotFitting(panel.hwnd()).empty(), c.fits) << static_cast<int>(c.style) << " " << c.width;
    }
    // A hidden control is not measured.
    Panel panel;
    ShowWindow(panel.Add(L"Button", BS_PUSHBUTTON, kLong, 20, 20), SW_HIDE);
    EXPECT_TRUE(TextsNotFitting(panel.hwnd()).empty());
}

}  // namespace
