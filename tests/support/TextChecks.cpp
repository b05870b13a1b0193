#include "tests/support/TextChecks.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>

#include "framework/Controls.h"

namespace testing_support {

namespace {

std::wstring ClassOf(HWND h) {
    wchar_t name[64] = {};
    GetClassNameW(h, name, 64);
    return name;
}

LONG StyleOf(HWND h) { return GetWindowLongW(h, GWL_STYLE); }

std::wstring TextOf(HWND h) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring MenuItemText(HMENU menu, int position) {
    wchar_t text[512] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 512, MF_BYPOSITION);
    return text;
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
}

std::wstring Describe(HWND control) {
    return L"control " + std::to_wstring(GetDlgCtrlID(control)) + L" \"" + TextOf(control) + L"\"";
}

enum class Kind { None, PushButton, CheckBox, GroupBox, Static, Tabs, DropList };

Kind KindOf(HWND control) {
    const std::wstring name = ClassOf(control);
    const LONG style = StyleOf(control);
    if (_wcsicmp(name.c_str(), L"Button") == 0) {
        switch (style & BS_TYPEMASK) {
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON:
                return Kind::PushButton;
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                return Kind::CheckBox;
            case BS_GROUPBOX:
                return Kind::GroupBox;
            default:
                return Kind::None;  // owner-drawn: no text of its own
        }
    }
    if (_wcsicmp(name.c_str(), L"Static") == 0) {
        switch (style & SS_TYPEMASK) {
            case SS_LEFT:
            case SS_CENTER:
            case SS_RIGHT:
            case SS_SIMPLE:
            case SS_LEFTNOWORDWRAP:
                return Kind::Static;
            default:
                return Kind::None;  // pictures, frames, rules
        }
    }
    if (_wcsicmp(name.c_str(), WC_TABCONTROLW) == 0) return Kind::Tabs;
    if (_wcsicmp(name.c_str(), WC_COMBOBOXW) == 0 && (style & 3) == CBS_DROPDOWNLIST) return Kind::DropList;
    return Kind::None;
}

// The direct child controls of a window; dialogs shown inside it are windows of their own.
std::vector<HWND> Controls(HWND window) {
    std::vector<HWND> controls;
    if (!window) return controls;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) != L"#32770") controls.push_back(child);
    return controls;
}

std::vector<std::wstring> TabTexts(HWND tabs) {
    const fw::TabControl control(tabs);
    std::vector<std::wstring> texts;
    for (int i = 0; i < control.GetItemCount(); ++i) texts.push_back(control.GetItemText(i));
    return texts;
}

// Texts that carry an access letter, each with how a report names it.
using Labelled = std::vector<std::pair<std::wstring, std::wstring>>;

void AddControls(HWND window, Labelled& texts) {
    for (HWND control : Controls(window)) {
        const Kind kind = KindOf(control);
        if (kind == Kind::Tabs) {
            const auto tabs = TabTexts(control);
            for (size_t i = 0; i < tabs.size(); ++i)
                texts.emplace_back(L"tab " + std::to_wstring(i) + L" \"" + tabs[i] + L"\"", tabs[i]);
        } else if (kind == Kind::PushButton || kind == Kind::CheckBox || kind == Kind::GroupBox ||
                   (kind == Kind::Static && !(StyleOf(control) & SS_NOPREFIX))) {
            texts.emplace_back(Describe(control), TextOf(control));
        }
    }
}

void AddClashes(const Labelled& texts, const std::wstring& prefix, std::vector<std::wstring>& clashes) {
    std::map<wchar_t, std::vector<std::wstring>> byLetter;
    for (const auto& [name, text] : texts)
        if (wchar_t letter = AccessLetter(text)) byLetter[letter].push_back(name);
    for (const auto& [letter, names] : byLetter) {
        if (names.size() < 2) continue;
        std::wstring line = prefix + L"access letter '" + std::wstring(1, letter) + L"' of";
        for (size_t i = 0; i < names.size(); ++i) line += (i ? L" and " : L" ") + names[i];
        clashes.push_back(line);
    }
}

// The width and height the text takes, with the control's font and the given format.
SIZE Measure(HWND control, const std::wstring& text, UINT format, int wrapWidth) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    if (format & DT_WORDBREAK) {
        RECT r = {0, 0, wrapWidth, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
        size = {r.right - r.left, r.bottom - r.top};
    } else {
        std::wstring shown;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == L'&' && !(format & DT_NOPREFIX) && i + 1 < text.size()) ++i;
            shown += text[i];
        }
        GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

// Empty when the text fits the room, else what it needs.
std::wstring Misfit(HWND control, const std::wstring& text, int width, int height, bool wraps, UINT prefix) {
    if (wraps) {
        const SIZE need = Measure(control, text, DT_WORDBREAK | prefix, width);
        if (need.cx <= width && need.cy <= height) return {};
        return L"needs " + std::to_wstring(need.cx) + L"x" + std::to_wstring(need.cy) + L" pixels, has " +
               std::to_wstring(width) + L"x" + std::to_wstring(height);
    }
    const SIZE need = Measure(control, text, DT_SINGLELINE | prefix, 0);
    if (need.cx <= width) return {};
    return L"needs " + std::to_wstring(need.cx) + L" pixels wide, has " + std::to_wstring(width);
}

}  // namespace

std::string LanguageName(const ::testing::TestParamInfo<LanguageCase>& info) {
    std::string name;
    for (const char* c = info.param.name; *c; ++c)
        if (*c != ' ') name += *c;
    return name;
}

wchar_t AccessLetter(const std::wstring& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] == L'&') {
            ++i;
            continue;
        }
        // Not towlower: in the C locale it leaves accented capitals as they are.
        wchar_t letter = text[i + 1];
        CharLowerBuffW(&letter, 1);
        return letter;
    }
    return 0;
}

std::vector<std::wstring> PopupMenuClashes(HMENU popup, const std::wstring& name) {
    std::vector<std::wstring> clashes;
    Labelled items;
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        const std::wstring text = MenuItemText(popup, i);
        items.emplace_back(L"item " + std::to_wstring(i) + L" \"" + text + L"\"", text);
        if (HMENU sub = GetSubMenu(popup, i)) {
            auto inner = PopupMenuClashes(sub, name + L" > " + text);
            clashes.insert(clashes.end(), inner.begin(), inner.end());
        }
    }
    AddClashes(items, L"menu \"" + name + L"\": ", clashes);
    return clashes;
}

std::vector<std::wstring> AccessKeyClashes(HWND window, HWND host) {
    Labelled texts;
    AddControls(window, texts);
    if (host) AddControls(host, texts);
    std::vector<std::wstring> clashes;
    HMENU bar = GetMenu(host ? host : window);
    if (bar && !(GetWindowLongW(host ? host : window, GWL_STYLE) & WS_CHILD)) {
        for (int i = 0; i < GetMenuItemCount(bar); ++i) {
            const std::wstring text = MenuItemText(bar, i);
            texts.emplace_back(L"menu \"" + text + L"\"", text);
            if (HMENU popup = GetSubMenu(bar, i)) {
                auto inner = PopupMenuClashes(popup, text);
                clashes.insert(clashes.end(), inner.begin(), inner.end());
            }
        }
    }
    AddClashes(texts, L"", clashes);
    return clashes;
}

std::vector<std::wstring> TextsNotFitting(HWND window) {
    std::vector<std::wstring> faults;
    for (HWND control : Controls(window)) {
        const LONG style = StyleOf(control);
        // Hidden controls are never seen; a control the program shows later is shown by the test first.
        if (!(style & WS_VISIBLE)) continue;
        RECT client = {};
        GetClientRect(control, &client);
        const int width = client.right, height = client.bottom;
        const std::wstring text = TextOf(control);
        std::wstring misfit;
        switch (KindOf(control)) {
            case Kind::PushButton:
                // Room for the border and the focus frame on each side.
                if (!text.empty()) misfit = Misfit(control, text, width - 8, height - 4, style & BS_MULTILINE, 0);
                break;
            case Kind::CheckBox: {
                // The box and the gap between box and text, and the focus frame.
                const int box = GetSystemMetrics(SM_CXMENUCHECK) + 6;
                if (!text.empty()) misfit = Misfit(control, text, width - box, height, style & BS_MULTILINE, 0);
                break;
            }
            case Kind::GroupBox:
                // The caption sits in the frame's line, indented from both corners.
                if (!text.empty()) misfit = Misfit(control, text, width - 16, height, false, 0);
                break;
            case Kind::Static: {
                const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
                const LONG type = style & SS_TYPEMASK;
                // Only these break lines; the others show one line and cut or shorten the rest.
                const bool wraps = (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT) &&
                                   !(style & (SS_CENTERIMAGE | SS_ELLIPSISMASK));
                if (!text.empty()) misfit = Misfit(control, text, width, height, wraps, prefix);
                break;
            }
            case Kind::Tabs: {
                // Tabs that do not fit in one row are scrolled: the last would be out of sight.
                const int count = static_cast<int>(SendMessageW(control, TCM_GETITEMCOUNT, 0, 0));
                RECT last = {};
                if (count > 0 && SendMessageW(control, TCM_GETITEMRECT, static_cast<WPARAM>(count - 1),
                                              reinterpret_cast<LPARAM>(&last)) &&
                    last.right > width)
                    misfit = L"tabs end at " + std::to_wstring(last.right) + L", has " + std::to_wstring(width);
                break;
            }
            case Kind::DropList: {
                const int room = width - GetSystemMetrics(SM_CXVSCROLL) - 6;
                const int count = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
                for (int i = 0; i < count; ++i) {
                    std::wstring item(static_cast<size_t>(SendMessageW(control, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
                    item.resize(static_cast<size_t>(
                        SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
                    if (std::wstring m = Misfit(control, item, room, 0, false, DT_NOPREFIX); !m.empty())
                        faults.push_back(Describe(control) + L" item \"" + item + L"\" " + m);
                }
                break;
            }
            case Kind::None:
                break;
        }
        if (!misfit.empty()) faults.push_back(Describe(control) + L" " + misfit);
    }
    return faults;
}

void ExpectAccessKeysUnique(const char* language, const std::string& window, HWND h, HWND host) {
    ASSERT_TRUE(h) << language << ", " << window << ": no window";
    for (const auto& clash : AccessKeyClashes(h, host))
        ADD_FAILURE() << language << ", " << window << ": " << Utf8(clash);
}

void ExpectTextsFit(const char* language, const std::string& window, HWND h) {
    ASSERT_TRUE(h) << language << ", " << window << ": no window";
    for (const auto& fault : TextsNotFitting(h))
        ADD_FAILURE() << language << ", " << window << ": " << Utf8(fault) << " does not fit";
}

void ExpectWindowTexts(const char* language, const std::string& window, HWND h) {
    ExpectAccessKeysUnique(language, window, h);
    ExpectTextsFit(language, window, h);
}

}  // namespace testing_support
