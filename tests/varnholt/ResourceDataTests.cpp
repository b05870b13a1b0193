// What Varnholt ships beside its program and inside it: the template
// configuration, the language file, the template exception list, and the menus,
// templates and pictures of its resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/TextFile.h"
#include "resources/varnholt/resource.h"
#include "tests/support/TestSupport.h"
#include "varnholt/engine/EnglishTexts.h"
#include "varnholt/engine/TextNumbers.h"

namespace {

using testing_support::Narrow;
using testing_support::SourceDir;

std::wstring DataFile(const wchar_t* name) { return SourceDir() + L"\\data\\varnholt\\" + name; }

std::string Bytes(const wchar_t* name) { return fw::ReadFileBytes(DataFile(name)); }

// One character per byte, as the programs read their 8-bit files.
std::vector<std::wstring> Lines(const std::string& bytes) {
    std::wstring text;
    for (unsigned char c : bytes) text += static_cast<wchar_t>(c);
    return fw::SplitLines(text);
}

// Every line break is CR LF, and there is no lone CR or LF.
bool OnlyCrLf(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) return false;
    }
    return !bytes.empty() && bytes.ends_with("\r\n");
}

// --- language file ---

struct Section {
    std::wstring ownName;  // text of the second line after the header
    std::map<int, std::wstring> texts;  // first occurrence of each number wins
    bool ended = false;
};

std::map<std::wstring, Section> ParseLanguageFile(const std::vector<std::wstring>& lines) {
    std::map<std::wstring, Section> sections;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() != 6 || lines[i][0] != L'[') continue;
        Section& section = sections[lines[i]];
        if (i + 2 < lines.size()) section.ownName = lines[i + 2].size() > 6 ? lines[i + 2].substr(6) : L"";
        for (++i; i < lines.size(); ++i) {
            if (lines[i] == L"[EOL]") {
                section.ended = true;
                break;
            }
            if (lines[i].size() <= 4) continue;
            int number = 0;
            for (wchar_t c : lines[i].substr(0, 5)) number = number * 10 + (iswdigit(c) ? c - L'0' : 0);
            section.texts.emplace(number, lines[i].size() > 6 ? lines[i].substr(6) : L"");
        }
    }
    return sections;
}

const std::map<std::wstring, Section>& LanguageSections() {
    static const auto sections = ParseLanguageFile(Lines(Bytes(L"0026trl.ini")));
    return sections;
}

std::vector<int> Range(int first, int last, int step) {
    std::vector<int> numbers;
    for (int n = first; n <= last; n += step) numbers.push_back(n);
    return numbers;
}

// The numbers each of Varnholt's windows looks up.
const std::map<std::string, std::vector<int>>& NumbersByWindow() {
    static const std::map<std::string, std::vector<int>> table = {
        {"language selection", {1, 2}},
        {"main window", {5, 10, 15, 17, 18, 20, 25, 30, 35, 40, 45, 110, 115, 400, 475, 480, 485, 490, 495, 500,
                         505, 510, txt::kSettingsMissing, txt::kSettingsUnreadable, txt::kExceptionListUnreadable,
                         txt::kLanguageFileMissing, txt::kLanguageFileUnreadable}},
        {"main menu", {200, 405, 250, 410, 415, 420, 215, 220, 425, 430, 435, 440, 445, 450, 755, 455, 990, 1010,
                       255, 260, 265}},
        {"welcome panel", {50, 55, 60, 65}},
        {"progress window", {108, 155}},
        {"search", [] {
             auto numbers = Range(115, 165, 5);
             numbers.insert(numbers.end(), {650, 655, 660, 665, 930, 935, 940, 945});
             return numbers;
         }()},
        {"result actions", {170, 175, 180, 185, 760, 770, 790, 795, 800, 805, 950, 955, 960, 965, 970, 975, 980,
                            985, 1015, 1020, 1025, 1030, 1035, 1040}},
        {"results writer", {190, 192, 460, 465, 470, 80, 85, 90, 95, 100, 105, 107}},
        {"options dialog", [] {
             std::vector<int> numbers = {108, 250, 810, 815, 820, 825, 550, 925, 555, 560, 780, 75, 107, 750,
                                         565, 570, 600, 605, 610, 110, 775, 1000, 785, 850, 855, 995, 1005,
                                         35, 25, 900, 905, 910, 915, 920, 930, 830, 835, 840, 845};
             for (int n : Range(80, 105, 5)) numbers.push_back(n);
             for (int n : Range(575, 720, 5)) numbers.push_back(n);
             return numbers;
         }()},
    };
    return table;
}

const std::vector<std::pair<std::wstring, std::wstring>> kLanguages = {
    {L"[1031]", L"Deutsch"},  {L"[1033]", L"English"},    {L"[1036]", L"Fran\u00e7ais"},
    {L"[1034]", L"Espa\u00f1ol"}, {L"[1043]", L"Nederlands"}, {L"[1046]", L"Portugu\u00eas (Brasil)"},
};

TEST(LanguageFile, IsLatin1WithCrLfAndSixEndedSections) {
    const std::string bytes = Bytes(L"0026trl.ini");
    EXPECT_TRUE(OnlyCrLf(bytes));
    EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF")) << "no byte-order mark: the file is 8-bit text";
    // "Fran\xE7" + "ais" in one byte per character; UTF-8 would give C3 A7.
    EXPECT_NE(bytes.find("\r\n00002 Fran\xE7" "ais\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("\xC3\xA7"), std::string::npos);

    const auto& sections = LanguageSections();
    EXPECT_EQ(sections.size(), kLanguages.size());
    for (const auto& [code, name] : kLanguages) {
        SCOPED_TRACE(Narrow(code));
        ASSERT_TRUE(sections.contains(code));
        const Section& section = sections.at(code);
        EXPECT_TRUE(section.ended);
        EXPECT_EQ(section.ownName, name);
        EXPECT_EQ(section.texts.at(2), name);
    }
}

TEST(LanguageFile, EveryNumberOfEveryWindowInEveryLanguage) {
    for (const auto& [code, name] : kLanguages) {
        const Section& section = LanguageSections().at(code);
        for (const auto& [window, numbers] : NumbersByWindow()) {
            for (int number : numbers) {
                auto found = section.texts.find(number);
                ASSERT_NE(found, section.texts.end())
                    << "entry " << number << " of the " << window << " missing in " << Narrow(code);
                EXPECT_FALSE(found->second.empty()) << number;
                EXPECT_NE(found->second, L"---") << number;
            }
        }
        // The same numbers in every language, so no language falls back to "---".
        std::set<int> numbers;
        for (const auto& entry : section.texts) numbers.insert(entry.first);
        std::set<int> english;
        for (const auto& entry : LanguageSections().at(L"[1033]").texts) english.insert(entry.first);
        EXPECT_EQ(numbers, english) << Narrow(code);
    }
}

// The texts built into the programs for a missing language file are the shipped English ones.
TEST(LanguageFile, BuiltInEnglishIsTheShippedEnglishSection) {
    const auto& english = LanguageSections().at(L"[1033]").texts;
    for (const auto& [number, text] : english) EXPECT_EQ(EnglishText(number), text) << number;
    EXPECT_EQ(EnglishText(424), L"---");
}

TEST(LanguageFile, EnglishTextsOfTheTemplates) {
    const auto& english = LanguageSections().at(L"[1033]").texts;
    const std::map<int, std::wstring> expected = {
        {1, L"Please select your language!"},
        {10, L"Duplicates found:"},
        {15, L"Path to search for duplicates:"},
        {17, L"Save &Results"},
        {18, L"Edi&t Results"},
        {20, L"&Execute File"},
        {25, L"&Show Folder"},
        {30, L"&Delete"},
        {35, L"&Browse"},
        {40, L"&Options"},
        {45, L"F&ind Duplicates"},
        {50, L"Welcome to Quorvexsoft Varnholt"},
        {80, L"Identical name"},
        {107, L"Identical CRC32 checksum"},
        {220, L"E&xit"},
        {260, L"Go To Quorvexsoft &Website"},
        {265, L"&About..."},
        {590, L"&Remove Exception"},
        {720, L"File Path includes ... (wildcards '?' and *'' allowed)"},
        {790, L"Execute File"},
        {950, L"More Info"},
        {1010, L"Delete all du&plicates"},
    };
    for (const auto& [number, text] : expected) EXPECT_EQ(english.at(number), text) << number;
}

TEST(LanguageFile, TextsKeepTheTreeAndTheWriterApart) {
    for (const auto& [code, name] : kLanguages) {
        const auto& texts = LanguageSections().at(code).texts;
        // Category headings end with entry 165; the results writer finds them by the final full stop.
        EXPECT_TRUE(texts.at(165).ends_with(L".")) << texts.at(165);
        // A moved file's entry is neither a file (backslash) nor a heading (full stop).
        EXPECT_FALSE(texts.at(1040).ends_with(L"."));
        for (const auto& [number, text] : texts) {
            EXPECT_EQ(text.find(L'\\'), std::wstring::npos) << number;
            // A bracketed number in a text could pass for the system language marker.
            EXPECT_EQ(text.find(L'['), std::wstring::npos) << number;
        }
        // The default file name of saved results is a plain file name.
        EXPECT_EQ(texts.at(190).find_first_of(L"\\/:*?\"<>|"), std::wstring::npos);
    }
}

TEST(LanguageFile, AcceleratorsAreUniqueWithinEachMenuAndWindow) {
    const std::map<std::string, std::vector<int>> groups = {
        {"main window buttons", {17, 18, 20, 25, 30, 35, 40, 45}},
        {"menu bar", {200, 405, 250}},
        {"File menu", {410, 415, 420, 215, 220}},
        {"Functions menu", {425, 430, 435, 440, 445, 450, 755, 455, 990, 1010}},
        {"Help menu", {255, 260, 265}},
        {"exceptions page", {575, 580, 585, 590}},
        {"general page", {35, 25}},
    };
    for (const auto& [code, name] : kLanguages) {
        const auto& texts = LanguageSections().at(code).texts;
        for (const auto& [group, numbers] : groups) {
            std::set<wchar_t> keys;
            for (int number : numbers) {
                const std::wstring& text = texts.at(number);
                const size_t amp = text.find(L'&');
                if (amp == std::wstring::npos || amp + 1 >= text.size()) continue;
                EXPECT_TRUE(keys.insert(towlower(text[amp + 1])).second)
                    << group << ", entry " << number << " in " << Narrow(code);
            }
        }
    }
}

// --- template configuration ---

std::map<std::wstring, std::wstring> ConfigPairs(const std::vector<std::wstring>& lines) {
    std::map<std::wstring, std::wstring> pairs;
    for (size_t i = 0; i + 1 < lines.size(); i += 2) pairs[lines[i]] = lines[i + 1];
    return pairs;
}

TEST(ConfigTemplate, HoldsEveryKeyVarnholtReadsAndWritesInPairs) {
    const std::string bytes = Bytes(L"config.ini");
    EXPECT_TRUE(OnlyCrLf(bytes));
    const auto lines = Lines(bytes);
    ASSERT_EQ(lines.size() % 2, 0u) << "key and value lines in pairs";
    const auto pairs = ConfigPairs(lines);
    EXPECT_EQ(pairs.size() * 2, lines.size()) << "every key once";
    for (const wchar_t* key :
         {L"Product ID", L"Version", L"Language", L"Dialects[1031]", L"Dialects[1033]", L"Dialects[1036]",
          L"Dialects[1034]", L"Dialects[1043]", L"Dialects[1046]", L"LastPath", L"CopyPath", L"Categories",
          L"Options", L"OptionsSize", L"OptionsName", L"OptionsDate", L"Homepage", L"ContentCache"}) {
        EXPECT_TRUE(pairs.contains(key)) << Narrow(key);
    }
    // No value may read like a key: the store pairs lines by matching keys, not by position.
    for (size_t i = 1; i < lines.size(); i += 2) EXPECT_FALSE(pairs.contains(lines[i])) << i;
}

TEST(ConfigTemplate, FirstStartDefaults) {
    const auto pairs = ConfigPairs(Lines(Bytes(L"config.ini")));
    EXPECT_EQ(pairs.at(L"Product ID"), L"0026");
    EXPECT_FALSE(pairs.at(L"Version").empty());
    EXPECT_EQ(pairs.at(L"Version").find_first_of(L"hH"), std::wstring::npos) << "a letter h renames the program";
    EXPECT_EQ(pairs.at(L"Language"), L"[----]");
    EXPECT_EQ(pairs.at(L"LastPath"), L"---");
    EXPECT_EQ(pairs.at(L"CopyPath"), L"---");
    EXPECT_FALSE(pairs.at(L"Homepage").empty());
    EXPECT_EQ(pairs.at(L"OptionsName"), L"*");
    EXPECT_EQ(pairs.at(L"ContentCache"), L"1");

    // Each dialect list holds its own base code and only bracketed decimal codes.
    std::set<std::wstring> seen;
    for (const wchar_t* base : {L"1031", L"1033", L"1036", L"1034", L"1043", L"1046"}) {
        const std::wstring list = pairs.at(L"Dialects[" + std::wstring(base) + L"]");
        EXPECT_NE(list.find(L"[" + std::wstring(base) + L"]"), std::wstring::npos) << base;
        size_t pos = 0;
        while (pos < list.size()) {
            ASSERT_EQ(list[pos], L'[') << base;
            const size_t close = list.find(L']', pos);
            ASSERT_NE(close, std::wstring::npos);
            const std::wstring code = list.substr(pos + 1, close - pos - 1);
            EXPECT_TRUE(!code.empty() && std::all_of(code.begin(), code.end(), iswdigit)) << base;
            EXPECT_TRUE(seen.insert(code).second) << "code in two lists: " << Narrow(code);
            pos = close + 1;
        }
    }
    EXPECT_NE(pairs.at(L"Dialects[1031]").find(L"[2055]"), std::wstring::npos);  // German of Switzerland
    EXPECT_NE(pairs.at(L"Dialects[1033]").find(L"[2057]"), std::wstring::npos);  // English of Britain
    EXPECT_NE(pairs.at(L"Dialects[1036]").find(L"[3084]"), std::wstring::npos);  // French of Canada
    EXPECT_NE(pairs.at(L"Dialects[1034]").find(L"[3082]"), std::wstring::npos);  // Spanish, modern sort
    EXPECT_NE(pairs.at(L"Dialects[1043]").find(L"[2067]"), std::wstring::npos);  // Dutch of Belgium
    EXPECT_NE(pairs.at(L"Dialects[1046]").find(L"[2070]"), std::wstring::npos);  // Portuguese of Portugal

    // "YYYY-MM-DD HH:MM:SS"
    const std::wstring date = pairs.at(L"OptionsDate");
    ASSERT_EQ(date.size(), 19u);
    for (size_t i = 0; i < date.size(); ++i) {
        const wchar_t expected = i == 4 || i == 7 ? L'-' : i == 10 ? L' ' : i == 13 || i == 16 ? L':' : L'0';
        if (expected == L'0') {
            EXPECT_TRUE(iswdigit(date[i])) << i;
        } else {
            EXPECT_EQ(date[i], expected) << i;
        }
    }
    EXPECT_TRUE(std::all_of(pairs.at(L"OptionsSize").begin(), pairs.at(L"OptionsSize").end(), iswdigit));
}

TEST(ConfigTemplate, OptionsTextAndCategories) {
    const auto pairs = ConfigPairs(Lines(Bytes(L"config.ini")));
    const std::wstring options = pairs.at(L"Options");
    ASSERT_EQ(options.size(), 46u);
    for (int pos : {8, 9, 10, 11, 12, 13, 14, 27, 28, 29, 34, 41, 42, 43, 44, 45}) EXPECT_EQ(options[pos], L'x') << pos;
    for (int pos : {0, 1, 2, 3, 4, 5, 6, 7, 15, 18, 20, 21, 22, 23, 26, 30, 31, 32, 33})
        EXPECT_TRUE(options[pos] == L'0' || options[pos] == L'1') << pos;
    // Criteria name, size and checksum, checksum in a second step; no filter; keep the last path.
    EXPECT_EQ(options.substr(0, 8), L"11000011");
    for (int pos : {15, 18, 23, 26}) EXPECT_EQ(options[pos], L'0') << pos;
    EXPECT_EQ(options[32], L'1');
    // List choices name an entry of their list.
    EXPECT_TRUE(options[16] == L'0' || options[16] == L'1');
    EXPECT_TRUE(options[17] >= L'0' && options[17] <= L'3');
    EXPECT_TRUE(options[19] == L'0' || options[19] == L'1');
    EXPECT_TRUE(options[24] >= L'0' && options[24] <= L'2');
    EXPECT_TRUE(options[25] == L'0' || options[25] == L'1');

    // Six values, each followed by ";", within the options page's range, with
    // ascending byte bounds in the units of positions 35 to 40.
    const std::wstring categories = pairs.at(L"Categories");
    ASSERT_TRUE(categories.ends_with(L";"));
    std::vector<unsigned long long> bounds;
    size_t start = 0;
    for (size_t end; (end = categories.find(L';', start)) != std::wstring::npos; start = end + 1) {
        const std::wstring value = categories.substr(start, end - start);
        ASSERT_TRUE(!value.empty() && std::all_of(value.begin(), value.end(), iswdigit)) << bounds.size();
        const unsigned long long number = std::stoull(value);
        if (bounds.size() < 5) {
            EXPECT_LE(number, 10000u);
        }
        const int unit = options[35 + bounds.size()] - L'0';
        ASSERT_TRUE(unit >= 0 && unit <= 3);
        bounds.push_back(number << (10 * unit));
    }
    ASSERT_EQ(bounds.size(), 6u);
    EXPECT_GT(bounds[0], 0u);
    EXPECT_TRUE(std::is_sorted(bounds.begin(), bounds.end()) &&
                std::adjacent_find(bounds.begin(), bounds.end()) == bounds.end());
}

// --- template exception list ---

TEST(ExceptionTemplate, HeaderAndPatterns) {
    const std::string bytes = Bytes(L"0026exc.ini");
    EXPECT_TRUE(OnlyCrLf(bytes));
    EXPECT_TRUE(bytes.starts_with("Quorvexsoft Varnholt - Exceptions\r\n" + std::string(39, '=') + "\r\n\r\n"));
    const auto lines = Lines(bytes);
    ASSERT_GT(lines.size(), 3u);
    std::set<std::wstring> patterns(lines.begin() + 3, lines.end());
    EXPECT_TRUE(patterns.contains(L"*\\Thumbs.db"));
    EXPECT_TRUE(patterns.contains(L"*\\desktop.ini"));
    for (auto it = lines.begin() + 3; it != lines.end(); ++it) {
        // Every pattern is anchored at a path separator, so it never catches part of an ordinary name.
        EXPECT_TRUE(it->starts_with(L"*\\")) << Narrow(*it);
        EXPECT_TRUE(std::all_of(it->begin(), it->end(), [](wchar_t c) { return c >= 32 && c < 127; }));
    }
}

// --- resources built into the program ---

HMODULE Self() { return GetModuleHandleW(nullptr); }

TEST(Resources, DialogTemplatesExist) {
    for (int id : {IDD_ABOUTBOX, IDD_VARNHOLT, IDD_PROGRESS, IDD_PULSE, IDD_WELCOME, IDD_LANGUAGE_SELECTION})
        EXPECT_NE(FindResourceW(Self(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */), nullptr) << id;
}

BITMAP BitmapSize(int id) {
    BITMAP info{};
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap) {
        GetObjectW(bitmap, sizeof info, &info);
        DeleteObject(bitmap);
    }
    return info;
}

TEST(Resources, PicturesHaveTheirSizes) {
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    for (int id = IDB_MENU_LANGUAGE; id <= IDB_MENU_WIPE; ++id) {
        const BITMAP info = BitmapSize(id);
        EXPECT_EQ(info.bmWidth, 12) << id;
        EXPECT_EQ(info.bmHeight, 12) << id;
        EXPECT_LE(info.bmWidth, check) << "the menu shows only the check-mark area";
    }
    for (int id : {IDB_PROGRESS_1, IDB_PROGRESS_2, IDB_PROGRESS_3}) {
        const BITMAP info = BitmapSize(id);
        EXPECT_EQ(info.bmWidth, 48) << id;
        EXPECT_EQ(info.bmHeight, 48) << id;
    }
}

std::vector<UINT> ItemIds(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        ids.push_back((info.fType & MFT_SEPARATOR) || info.hSubMenu ? 0 : info.wID);
    }
    return ids;
}

TEST(Resources, MainMenuItemsStandWhereTheirPicturesGo) {
    HMENU menu = LoadMenuW(Self(), MAKEINTRESOURCEW(IDR_MAINMENU));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    // Item ids by position; 0 is a separator (or the Select menu's submenu). The
    // pictures go to the positions that hold items; the Select menu has none.
    const std::vector<std::vector<UINT>> expected = {
        {ID_FILE_EDIT_RESULTS, ID_FILE_SAVE_RESULTS, ID_FILE_PRINT_RESULTS, 0, ID_FILE_LANGUAGE, 0, ID_FILE_EXIT},
        {ID_FUNCTIONS_BROWSE, ID_FUNCTIONS_ADD_FOLDER, 0, ID_FUNCTIONS_OPTIONS, ID_FUNCTIONS_NEW_SEARCH, 0,
         ID_FUNCTIONS_EXECUTE, ID_FUNCTIONS_DELETE, ID_FUNCTIONS_WIPE, ID_FUNCTIONS_SHOW_FOLDER, ID_FUNCTIONS_INFO, 0,
         ID_FUNCTIONS_DELETE_ALL, ID_FUNCTIONS_PUT_BACK, ID_FUNCTIONS_LINK},
        {0, ID_SELECT_TICK_IN_FOLDER, ID_SELECT_UNTICK_ALL, ID_SELECT_INVERT, 0, ID_SELECT_KEEP_FOLDER,
         ID_SELECT_KEPT_FOLDERS},
        {ID_HELP_HELPFILE, 0, ID_HELP_WEBSITE, ID_HELP_ABOUT},
    };
    const std::vector<std::vector<int>> picturePositions = {
        {0, 1, 2, 4, 6}, {0, 1, 3, 4, 6, 7, 8, 9, 10, 12, 13, 14}, {}, {0, 2, 3}};
    for (int sub = 0; sub < 4; ++sub) {
        const auto ids = ItemIds(GetSubMenu(menu, sub));
        if (picturePositions[sub].empty()) {
            EXPECT_EQ(ids, expected[sub]) << sub;
            continue;
        }
        EXPECT_EQ(ids, expected[sub]) << sub;
        std::vector<int> itemPositions;
        for (size_t i = 0; i < ids.size(); ++i)
            if (ids[i]) itemPositions.push_back(static_cast<int>(i));
        EXPECT_EQ(itemPositions, picturePositions[sub]) << sub;
    }
    DestroyMenu(menu);
}

TEST(Resources, ContextMenuHasItsFiveItemsAndTheSelectMenu) {
    HMENU menu = LoadMenuW(Self(), MAKEINTRESOURCEW(IDR_TREE_CONTEXT));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(ItemIds(GetSubMenu(menu, 0)), (std::vector<UINT>{ID_CONTEXT_EXECUTE, ID_CONTEXT_DELETE, ID_CONTEXT_WIPE,
                                                                ID_CONTEXT_SHOW_FOLDER, ID_CONTEXT_INFO, 0, 0}));
    ASSERT_NE(GetSubMenu(GetSubMenu(menu, 0), 6), nullptr);
    HMENU main = LoadMenuW(Self(), MAKEINTRESOURCEW(IDR_MAINMENU));
    EXPECT_EQ(ItemIds(GetSubMenu(GetSubMenu(menu, 0), 6)), ItemIds(GetSubMenu(main, 2)));
    DestroyMenu(main);
    DestroyMenu(menu);
}

}  // namespace
