#pragma once
// Checks of a translated window's texts, shared by the programs' tests: every
// access letter of a window is unique, and every text fits its control. Each
// fault is reported as its own test failure with language, window, control id
// and text, so that one run shows all of them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// The six sections of a language file, with a name for the reports.
struct LanguageCase {
    const wchar_t* code;
    const char* name;
};
inline constexpr LanguageCase kLanguages[] = {{L"[1031]", "German"},  {L"[1033]", "English"},
                                              {L"[1036]", "French"},  {L"[1034]", "Spanish"},
                                              {L"[1043]", "Dutch"},   {L"[1046]", "Brazilian Portuguese"}};

inline void PrintTo(const LanguageCase& language, std::ostream* out) { *out << language.name; }

// Test names for cases of kLanguages: the name without its blanks.
std::string LanguageName(const ::testing::TestParamInfo<LanguageCase>& info);

// The access letter of a text, lower case: the character after the first single
// '&' ("&&" is a literal ampersand); 0 when it has none.
wchar_t AccessLetter(const std::wstring& text);

// Clashing access letters: among the controls of `window` that take one (and
// those of `host`, when the window is a page shown in it) together with the
// items of the menu bar; and within each popup menu of that menu bar.
std::vector<std::wstring> AccessKeyClashes(HWND window, HWND host = nullptr);
// Clashes among the items of one popup menu and, separately, of each submenu.
std::vector<std::wstring> PopupMenuClashes(HMENU popup, const std::wstring& name);
// The texts of the window's controls (not of child dialogs) that do not fit
// their control, measured with the control's font.
std::vector<std::wstring> TextsNotFitting(HWND window);

// Both checks, each fault a failure of the running test.
void ExpectAccessKeysUnique(const char* language, const std::string& window, HWND h, HWND host = nullptr);
void ExpectTextsFit(const char* language, const std::string& window, HWND h);
void ExpectWindowTexts(const char* language, const std::string& window, HWND h);

}  // namespace testing_support
