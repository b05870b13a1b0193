#include <gtest/gtest.h>
#include <time.h>

#include <map>

#include "common/PowerClass.h"
#include "common/TextSource.h"
#include "framework/Errors.h"
#include "tests/support/TestSupport.h"
#include "varnholt/engine/SearchSettings.h"

using namespace testing_support;

namespace {

class UnitNames : public TextSource {
public:
    std::wstring GetText(int number) const override {
        static const std::map<int, std::wstring> table = {{650, L"Bytes"}, {655, L"KB"}, {660, L"MB"}, {665, L"GB"}};
        auto found = table.find(number);
        return found == table.end() ? L"---" : found->second;
    }
};

// Positions: criteria 0-7, size filter 15-17, attributes 18-22, date 23-25,
// name 26, general 30-33, category units 35-40.
const std::wstring kOptions = L"10110101xxxxxxx1210311010x1xxx1011x012302xxxxx";

class SearchSettingsStore : public ::testing::Test {
protected:
    void SetUp() override { store.ConfigPath = dir / L"config.ini"; }

    void WriteStore(const std::wstring& options, const std::string& categories = "1;10;100;1;10;100;",
                    const std::string& date = "2026-03-04 05:06:07") {
        std::string o(options.begin(), options.end());
        WriteBytes(store.ConfigPath, "Product ID\r\n0026\r\nCategories\r\n" + categories + "\r\nOptions\r\n" + o +
                                         "\r\nOptionsSize\r\n512\r\nOptionsName\r\n*.tmp\r\nOptionsDate\r\n" + date +
                                         "\r\nHomepage\r\nx\r\n");
    }

    TempDir dir;
    PowerClass store;
};

TEST_F(SearchSettingsStore, LoadDecodesEveryPosition) {
    WriteStore(kOptions);
    SearchSettings s;
    LoadSearchSettings(s, store);
    EXPECT_EQ(s.optionsText, kOptions);
    const int criteria[] = {s.sameName, s.sameSize, s.sameAttributes, s.sameCreationDate, s.sameModificationDate,
                            s.sameAccessDate, s.sameChecksum, s.checksumSecondStep};
    const int expectedCriteria[] = {1, 0, 1, 1, 0, 1, 0, 1};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(criteria[i], expectedCriteria[i]) << i;
    EXPECT_EQ(s.sizeFilterOn, 1);
    EXPECT_EQ(s.attributeFilterOn, 0);  // position 18
    EXPECT_EQ(s.filterReadOnly, 1);
    EXPECT_EQ(s.filterHidden, 1);
    EXPECT_EQ(s.filterArchive, 0);
    EXPECT_EQ(s.dateFilterOn, 1);
    EXPECT_EQ(s.nameFilterOn, 1);
    EXPECT_EQ(s.recycleOnDelete, 1);
    EXPECT_EQ(s.maximizeOnResults, 0);
    EXPECT_EQ(s.keepLastPath, 1);
    EXPECT_EQ(s.protectReadOnly, 1);
    EXPECT_EQ(s.OptionChar(16), L'2');
    EXPECT_EQ(s.OptionChar(17), L'1');
    EXPECT_EQ(s.OptionChar(19), L'3');
    EXPECT_EQ(s.OptionChar(24), L'0');
    EXPECT_EQ(s.OptionChar(25), L'x');
    EXPECT_EQ(s.sizeFilterValue, 512);
    EXPECT_EQ(s.namePattern, L"*.tmp");
    EXPECT_EQ(s.referenceDate, PowerClass::ParseTimeText(L"2026-03-04 05:06:07"));
}

TEST_F(SearchSettingsStore, ShortAndOddOptionTextsReadAsZero) {
    struct Case {
        const wchar_t* options;
        const wchar_t* rebuilt;
    };
    const Case cases[] = {
        {L"11", L"11000000xxxxxxx000000000000xxx0000x000000xxxxx"},
        {L"", L"00000000xxxxxxx000000000000xxx0000x000000xxxxx"},
        {L"1a1-", L"10100000xxxxxxx000000000000xxx0000x000000xxxxx"},
        // The carried characters come through as they stand, missing ones as 0.
        {L"00000000xxxxxxx0ab0c0000de0xxx0000x12", L"00000000xxxxxxx0ab0c0000de0xxx0000x120000xxxxx"},
    };
    for (const auto& c : cases) {
        WriteStore(c.options);
        SearchSettings s;
        LoadSearchSettings(s, store);
        EXPECT_EQ(BuildOptionsText(s), c.rebuilt) << c.options;
    }
    WriteStore(L"11");
    SearchSettings s;
    LoadSearchSettings(s, store);
    EXPECT_EQ(s.sameName, 1);
    EXPECT_EQ(s.sameSize, 1);
    EXPECT_EQ(s.sameAttributes + s.sameChecksum + s.checksumSecondStep + s.sizeFilterOn + s.dateFilterOn +
                  s.nameFilterOn + s.protectReadOnly,
              0);
    EXPECT_EQ(s.OptionChar(45), L'0');
    EXPECT_EQ(s.OptionChar(1000), L'0');
}

TEST_F(SearchSettingsStore, SaveAndReloadKeepTheStoredForm) {
    WriteStore(kOptions);
    SearchSettings first;
    LoadSearchSettings(first, store);
    LoadCategoryBounds(first, store, UnitNames());
    std::string before = ReadBytes(store.ConfigPath);
    WriteSearchSettings(first, store);
    EXPECT_EQ(ReadBytes(store.ConfigPath), before);
    EXPECT_EQ(first.optionsText.size(), 46u);

    SearchSettings second;
    LoadSearchSettings(second, store);
    EXPECT_EQ(second.optionsText, kOptions);
    EXPECT_EQ(second.referenceDate, first.referenceDate);
}

TEST_F(SearchSettingsStore, SaveWritesChangedFields) {
    WriteStore(kOptions);
    SearchSettings s;
    LoadSearchSettings(s, store);
    s.sameName = 0;
    s.sameSize = 1;
    s.attributeFilterOn = 1;
    s.protectReadOnly = 0;
    s.optionsText[17] = L'3';  // as the options dialog keeps a list choice
    s.categoryValues = {L"5", L"6", L"7", L"8", L"9", L"10"};
    s.sizeFilterValue = -3;
    s.namePattern = L"C:\\*";
    s.referenceDate = PowerClass::ParseTimeText(L"2025-12-24");
    WriteSearchSettings(s, store);
    EXPECT_EQ(s.optionsText, L"01110101xxxxxxx1231311010x1xxx1010x012302xxxxx");
    EXPECT_EQ(ReadBytes(store.ConfigPath),
              "Product ID\r\n0026\r\nCategories\r\n5;6;7;8;9;10;\r\nOptions\r\n"
              "01110101xxxxxxx1231311010x1xxx1010x012302xxxxx\r\nOptionsSize\r\n-3\r\nOptionsName\r\nC:\\*\r\n"
              "OptionsDate\r\n2025-12-24 00:00:00\r\nHomepage\r\nx\r\n");
}

// The options command: the dialog edits a copy, and only OK brings it back.
TEST_F(SearchSettingsStore, OnlyOkTakesTheEditedCopyBackAndWrites) {
    WriteStore(kOptions);
    SearchSettings s;
    LoadSearchSettings(s, store);
    s.exceptions = {L"A"};
    const std::string before = ReadBytes(store.ConfigPath);
    auto edit = [](bool ok) {
        return [ok](SearchSettings& copy) {
            copy.sameName = 0;
            copy.SetOptionChar(17, L'3');
            copy.exceptions = {L"B", L"A"};
            copy.categoryValues = {L"1", L"2", L"3", L"4", L"5", L"6"};
            return ok;
        };
    };
    EXPECT_FALSE(SaveSearchSettings(s, store, edit(false)));
    EXPECT_EQ(s.sameName, 1);
    EXPECT_EQ(s.optionsText, kOptions);
    EXPECT_EQ(s.exceptions, std::vector<std::wstring>{L"A"});
    EXPECT_EQ(ReadBytes(store.ConfigPath), before);

    EXPECT_TRUE(SaveSearchSettings(s, store, edit(true)));
    EXPECT_EQ(s.optionsText, L"00110101xxxxxxx1230311010x1xxx1011x012302xxxxx");
    EXPECT_EQ(s.exceptions, (std::vector<std::wstring>{L"B", L"A"}));
    EXPECT_EQ(store.ReadConfigValue(L"Options"), s.optionsText);
    EXPECT_EQ(store.ReadConfigValue(L"Categories"), L"1;2;3;4;5;6;");

    // A short text is filled up as it reads before a character is replaced.
    s.optionsText = L"11";
    s.SetOptionChar(5, L'x');
    EXPECT_EQ(s.optionsText, L"11000x");
}

TEST_F(SearchSettingsStore, KeysAreWrittenInTheirOrder) {
    // "OptionsName" on the last line stops the save there: what came before it is stored.
    WriteBytes(store.ConfigPath,
               "Categories\r\nold\r\nOptions\r\nold\r\nOptionsSize\r\nold\r\nOptionsDate\r\nold\r\nOptionsName\r\n");
    SearchSettings s;
    s.categoryValues = {L"1", L"2", L"3", L"4", L"5", L"6"};
    EXPECT_THROW(WriteSearchSettings(s, store), fw::InvalidArgumentError);
    EXPECT_EQ(store.ReadConfigValue(L"Categories"), L"1;2;3;4;5;6;");
    EXPECT_EQ(store.ReadConfigValue(L"Options"), L"00000000xxxxxxx000000000000xxx0000x000000xxxxx");
    EXPECT_EQ(store.ReadConfigValue(L"OptionsSize"), L"0");
    EXPECT_EQ(store.ReadConfigValue(L"OptionsDate"), L"old");
}

TEST_F(SearchSettingsStore, UnreadableDateFallsBackToToday) {
    int64_t today = PowerClass::ParseTimeText(PowerClass::FormatTimeText(_time64(nullptr), true));
    for (const char* date : {"31.12.2025", "", "2026-13-45"}) {
        WriteStore(kOptions, "1;10;100;1;10;100;", date);
        SearchSettings s;
        LoadSearchSettings(s, store);
        EXPECT_EQ(s.referenceDate, today) << date;
        WriteSearchSettings(s, store);
        EXPECT_EQ(store.ReadConfigValue(L"OptionsDate"), PowerClass::FormatTimeText(today, false));
    }
}

TEST_F(SearchSettingsStore, CategoryBoundsUseTheirUnits) {
    struct Case {
        const char* categories;
        const wchar_t* units;  // positions 35 to 40
        std::array<uint64_t, 6> bounds;
        std::array<const wchar_t*, 6> labels;
    };
    const Case cases[] = {
        {"2;3;4294967295;1;10;100;", L"330011",
         {2147483648ull, 3221225472ull, 4294967295ull, 1, 10240, 102400},
         {L"2 GB", L"3 GB", L"4294967295 Bytes", L"1 Bytes", L"10 KB", L"100 KB"}},
        // Bounds keep the stored order; they are not sorted.
        {"9;1;5;x7;;0;", L"012000",
         {9, 1024, 5 * 1048576ull, 7, 0, 0},
         {L"9 Bytes", L"1 KB", L"5 MB", L"x7 Bytes", L" Bytes", L"0 Bytes"}},
        // Fewer than six parts: the missing bounds are 0.
        {"4;8", L"111", {4096, 8192, 0, 0, 0, 0}, {L"4 KB", L"8 KB", L" KB", L" Bytes", L" Bytes", L" Bytes"}},
        {"", L"", {0, 0, 0, 0, 0, 0}, {L" Bytes", L" Bytes", L" Bytes", L" Bytes", L" Bytes", L" Bytes"}},
        // Digits beyond the units read as each position's default (KB, KB, MB, ...);
        // what is no digit counts as 0.
        {"1;1;1;1;1;1;", L"459x00", {1024, 1024, 1048576, 1, 1, 1},
         {L"1 KB", L"1 KB", L"1 MB", L"1 Bytes", L"1 Bytes", L"1 Bytes"}},
    };
    for (const auto& c : cases) {
        WriteStore(std::wstring(35, L'0') + c.units, c.categories);
        SearchSettings s;
        LoadSearchSettings(s, store);
        LoadCategoryBounds(s, store, UnitNames());
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(s.categoryBounds[i], c.bounds[i]) << c.categories << " #" << i;
            EXPECT_EQ(s.categoryLabels[i], c.labels[i]) << c.categories << " #" << i;
        }
    }
}

TEST_F(SearchSettingsStore, AbsentKeysLeaveEverythingOff) {
    WriteBytes(store.ConfigPath, "Product ID\r\n0026\r\n");
    SearchSettings s;
    LoadSearchSettings(s, store);
    EXPECT_TRUE(s.optionsText.empty());
    EXPECT_EQ(s.sameName + s.sameSize + s.sameChecksum + s.sizeFilterOn + s.keepLastPath, 0);
    EXPECT_EQ(s.sizeFilterValue, 0);
    EXPECT_TRUE(s.namePattern.empty());
    // Writing keys that the store lacks changes nothing.
    WriteSearchSettings(s, store);
    EXPECT_EQ(ReadBytes(store.ConfigPath), "Product ID\r\n0026\r\n");
}

}  // namespace
