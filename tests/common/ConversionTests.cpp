#include <gtest/gtest.h>
#include <time.h>

#include <climits>

#include "common/PowerClass.h"
#include "framework/Errors.h"

namespace {

struct IntCase {
    const wchar_t* text;
    int expected;
};

TEST(Conversions, TextToIntCountsEveryCharacterAsOnePlace) {
    const IntCase cases[] = {
        {L"", 0},          {L"12", 12},  {L"1x2", 102},  {L"-5", 5},   {L"007", 7},    {L" 9", 9},
        {L"9 ", 90},       {L"x", 0},
        // Long texts wrap modulo 2^32.
        {L"2147483647", INT_MAX},      {L"2147483648", INT_MIN},       {L"4294967295", -1},
        {L"4294967296", 0},            {L"4294967297", 1},             {L"99999999999999999999", 1661992959},
    };
    for (const auto& c : cases) EXPECT_EQ(PowerClass::TextToInt(c.text), c.expected) << c.text;
}

TEST(Conversions, HexTextToIntTakesLowercaseDigitsOnly) {
    const IntCase cases[] = {
        {L"0407", 1031}, {L"ff", 255}, {L"FF", 0},  {L"1F", 16}, {L"0x10", 16},
        {L"", 0},        {L"ffffffff", -1},         {L"100000000", 0}, {L"123456789abcdef0", static_cast<int>(0x9abcdef0u)},
    };
    for (const auto& c : cases) EXPECT_EQ(PowerClass::HexTextToInt(c.text), c.expected) << c.text;
}

TEST(Conversions, IntToTextAndPadding) {
    EXPECT_EQ(PowerClass::IntToText(0), L"0");
    EXPECT_EQ(PowerClass::IntToText(-5), L"-5");
    EXPECT_EQ(PowerClass::IntToText(INT_MIN), L"-2147483648");
    EXPECT_EQ(PowerClass::PadWithZeros(L"7", 2), L"07");
    EXPECT_EQ(PowerClass::PadWithZeros(L"123", 2), L"123");
    EXPECT_EQ(PowerClass::PadWithZeros(L"", 2), L"00");
    EXPECT_EQ(PowerClass::PadWithZeros(L"x", 0), L"x");
}

TEST(Conversions, SplitTextKeepsEmptyParts) {
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring> parts;
    };
    const Case cases[] = {
        {L"", {}},
        {L";", {L"", L""}},
        {L"a;b;", {L"a", L"b", L""}},
        {L"abc", {L"abc"}},
        {L";;a", {L"", L"", L"a"}},
        {L"10;20;30;40;50;60;", {L"10", L"20", L"30", L"40", L"50", L"60", L""}},
    };
    PowerClass power;
    for (const auto& c : cases) {
        power.SplitParts = {L"left over"};
        power.SplitText(c.text, L';');
        EXPECT_EQ(power.SplitParts, c.parts) << c.text;
    }
}

TEST(Conversions, JoinTextsEmptiesTheList) {
    std::vector<std::wstring> list = {L"a", L"b"};
    EXPECT_EQ(PowerClass::JoinTexts(list, L";"), L"a;b");
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(PowerClass::JoinTexts(list, L";"), L"");
    list = {L"", L""};
    EXPECT_EQ(PowerClass::JoinTexts(list, L";"), L";");
    list = {L"", L""};
    EXPECT_EQ(PowerClass::JoinTexts(list, L""), L"");
}

TEST(Conversions, CountLetterHCountsLowercaseOnly) {
    EXPECT_EQ(PowerClass::CountLetterH(L""), 0);
    EXPECT_EQ(PowerClass::CountLetterH(L"hHhh"), 3);
    EXPECT_EQ(PowerClass::CountLetterH(L"C:\\ohne\\Pfad"), 1);
}

int64_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
    tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return _mktime64(&t);
}

TEST(Conversions, TimeTextRoundTrips) {
    int64_t time = LocalTime(2026, 3, 4, 5, 6, 7);
    EXPECT_EQ(PowerClass::FormatTimeText(time, false), L"2026-03-04 05:06:07");
    EXPECT_EQ(PowerClass::FormatTimeText(time, true), L"2026-03-04");
    EXPECT_EQ(PowerClass::ParseTimeText(L"2026-03-04 05:06:07"), time);
    EXPECT_EQ(PowerClass::ParseTimeText(L"2026-03-04"), LocalTime(2026, 3, 4, 0, 0, 0));
    int64_t late = LocalTime(2031, 12, 31, 23, 59, 59);
    EXPECT_EQ(PowerClass::ParseTimeText(PowerClass::FormatTimeText(late, false)), late);
}

TEST(Conversions, ParseTimeTextReadsOddTextsByPosition) {
    // Only a text of exactly 19 characters carries a time of day.
    EXPECT_EQ(PowerClass::ParseTimeText(L"2026-03-04 05:06"), LocalTime(2026, 3, 4, 0, 0, 0));
    EXPECT_EQ(PowerClass::ParseTimeText(L"2026-03-04 05:06:07x"), LocalTime(2026, 3, 4, 0, 0, 0));
    // Separators are not checked, and a non-digit counts as 0 in its place.
    EXPECT_EQ(PowerClass::ParseTimeText(L"2026/1x/05"), LocalTime(2026, 10, 5, 0, 0, 0));
    // The runtime carries an impossible day into the next month.
    EXPECT_EQ(PowerClass::ParseTimeText(L"2026-02-31"), LocalTime(2026, 3, 3, 0, 0, 0));
}

TEST(Conversions, ParseTimeTextRefusesMalformedDates) {
    const wchar_t* bad[] = {L"",
                            L"garbage",
                            L"1899-12-31",
                            L"2026-13-01",
                            L"2026-00-01",
                            L"2026-01-00",
                            L"2026-01-32",
                            L"2026-01-01 24:00:00",
                            L"2026-01-01 00:60:00",
                            L"2026-01-01 00:00:60",
                            L"1969-06-01"};  // before what the runtime represents
    for (const wchar_t* text : bad) EXPECT_THROW(PowerClass::ParseTimeText(text), fw::FailureError) << text;
}

TEST(Conversions, FormatNowTextHasBothForms) {
    std::wstring with, without;
    for (int attempt = 0; attempt < 3; ++attempt) {
        with = PowerClass::FormatNowText(true);
        without = PowerClass::FormatNowText(false);
        if (with == PowerClass::FormatNowText(true)) break;  // the minute did not change in between
    }
    ASSERT_EQ(with.size(), 16u);
    EXPECT_EQ(with[4], L'-');
    EXPECT_EQ(with[7], L'-');
    EXPECT_EQ(with[10], L' ');
    EXPECT_EQ(with[13], L':');
    std::wstring digits = with.substr(0, 4) + with.substr(5, 2) + with.substr(8, 2) + with.substr(11, 2) + with.substr(14, 2);
    EXPECT_EQ(without, digits);
    // The same minute as the date formatter gives for now.
    EXPECT_EQ(with.substr(0, 10), PowerClass::FormatTimeText(_time64(nullptr), true));
}

TEST(Conversions, DayNumberSince2000) {
    struct Case {
        const wchar_t* year;
        const wchar_t* month;
        const wchar_t* day;
        int expected;
    };
    const Case cases[] = {
        {L"2000", L"1", L"1", 1},      {L"2000", L"03", L"01", 61},    {L"2001", L"3", L"1", 426},
        {L"2026", L"12", L"06", 9837}, {L"2026", L"12", L"05", 9836},  {L"2026", L"03", L"01", 9557},
        {L"2024", L"03", L"01", 8827}, {L"2100", L"03", L"01", 36586},  // 2100 counts as a leap year
        {L"1999", L"1", L"1", 1},      {L"2000", L"13", L"0", 366},    {L"", L"", L"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PowerClass::DayNumberSince2000(c.year, c.month, c.day), c.expected)
            << c.year << L"-" << c.month << L"-" << c.day;
}

}  // namespace
