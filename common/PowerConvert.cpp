// Text, number and date conversions of PowerClass. Their behaviour on odd input
// is part of every stored settings format, so it is kept exactly.
#include <time.h>

#include <cstdint>

#include "common/PowerClass.h"
#include "framework/Errors.h"

namespace {

// Each character is one place from the right; a character outside `digits`
// adds nothing but keeps its place. Computed modulo 2^32 like the stored
// 32-bit values, without signed overflow.
int PlaceValueToInt(std::wstring_view text, std::wstring_view digits) {
    const uint32_t base = static_cast<uint32_t>(digits.size());
    uint32_t result = 0;
    uint32_t place = 1;
    for (size_t i = text.size(); i-- > 0;) {
        size_t d = digits.find(text[i]);
        if (d != std::wstring_view::npos) result += static_cast<uint32_t>(d) * place;
        place *= base;
    }
    return static_cast<int>(result);
}

std::wstring Two(int number) { return PowerClass::PadWithZeros(PowerClass::IntToText(number), 2); }

// Characters [start, start + count) of the text, as far as it reaches.
std::wstring_view Mid(std::wstring_view text, size_t start, size_t count) {
    return start >= text.size() ? std::wstring_view() : text.substr(start, count);
}

tm LocalTime(int64_t time) {
    tm local = {};
    __time64_t value = time;
    if (_localtime64_s(&local, &value) != 0) throw fw::InvalidArgumentError();
    return local;
}

}  // namespace

int PowerClass::TextToInt(std::wstring_view text) { return PlaceValueToInt(text, L"0123456789"); }

int PowerClass::HexTextToInt(std::wstring_view text) { return PlaceValueToInt(text, L"0123456789abcdef"); }

std::wstring PowerClass::IntToText(int number) { return std::to_wstring(number); }

std::wstring PowerClass::PadWithZeros(std::wstring text, size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), L'0');
    return text;
}

void PowerClass::SplitText(std::wstring_view text, wchar_t separator) {
    SplitParts.clear();
    if (text.empty()) return;
    for (size_t at; (at = text.find(separator)) != std::wstring_view::npos;) {
        SplitParts.emplace_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    SplitParts.emplace_back(text);
}

std::wstring PowerClass::JoinTexts(std::vector<std::wstring>& list, std::wstring_view separator) {
    std::wstring result;
    for (const auto& item : list) {
        result += item;
        result += separator;
    }
    list.clear();
    if (!result.empty()) result.pop_back();
    return result;
}

int PowerClass::CountLetterH(std::wstring_view text) {
    int count = 0;
    for (wchar_t c : text)
        if (c == L'h') ++count;
    return count;
}

std::wstring PowerClass::FormatNowText(bool withSeparators) {
    tm now = LocalTime(_time64(nullptr));
    std::wstring year = IntToText(now.tm_year + 1900);
    if (withSeparators)
        return year + L"-" + Two(now.tm_mon + 1) + L"-" + Two(now.tm_mday) + L" " + Two(now.tm_hour) + L":" +
               Two(now.tm_min);
    return year + Two(now.tm_mon + 1) + Two(now.tm_mday) + Two(now.tm_hour) + Two(now.tm_min);
}

std::wstring PowerClass::FormatTimeText(int64_t time, bool dateOnly) {
    tm local = LocalTime(time);
    std::wstring text = IntToText(local.tm_year + 1900) + L"-" + Two(local.tm_mon + 1) + L"-" + Two(local.tm_mday);
    if (!dateOnly) text += L" " + Two(local.tm_hour) + L":" + Two(local.tm_min) + L":" + Two(local.tm_sec);
    return text;
}

int64_t PowerClass::ParseTimeText(std::wstring_view text) {
    int year = TextToInt(Mid(text, 0, 4));
    int month = TextToInt(Mid(text, 5, 2));
    int day = TextToInt(Mid(text, 8, 2));
    int hour = 0, minute = 0, second = 0;
    if (text.size() == 19) {
        hour = TextToInt(Mid(text, 11, 2));
        minute = TextToInt(Mid(text, 14, 2));
        second = TextToInt(Mid(text, 17, 2));
    }
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59)
        throw fw::FailureError();
    tm local = {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    __time64_t value = _mktime64(&local);
    if (value == -1) throw fw::FailureError();
    return value;
}

int PowerClass::DayNumberSince2000(std::wstring_view yearText, std::wstring_view monthText, std::wstring_view dayText) {
    const int year = TextToInt(yearText);
    const int month = TextToInt(monthText);
    // Every fourth year is a leap year here, 2100 included: stored day numbers count that way.
    const bool leap = year % 4 == 0;
    int64_t days = 0;
    if (year > 2000) days = int64_t{365} * (year - 2000) + (year - 1 - 2000) / 4 + 1;
    for (int m = 1; m < month && m <= 12; ++m) {
        switch (m) {
            case 2: days += leap ? 29 : 28; break;
            case 4: case 6: case 9: case 11: days += 30; break;
            default: days += 31; break;
        }
    }
    return static_cast<int>(static_cast<uint32_t>(days + TextToInt(dayText)));
}
