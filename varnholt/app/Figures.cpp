#include "varnholt/app/Figures.h"

#include <windows.h>

#include "common/TextSource.h"
#include "varnholt/engine/TextNumbers.h"

std::wstring CountText(uint64_t count) {
    const std::wstring digits = std::to_wstring(count);
    wchar_t decimal[8] = L".", thousands[8] = L",";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, thousands, 8);
    NUMBERFMTW format = {};
    format.LeadingZero = 1;  // else 0 reads as nothing
    format.Grouping = 3;
    format.lpDecimalSep = decimal;
    format.lpThousandSep = thousands;
    wchar_t out[64];
    return GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, digits.c_str(), &format, out, 64) ? out : digits;
}

std::wstring SizeText(uint64_t bytes, const TextSource& texts) {
    int unit = 0;
    double value = static_cast<double>(bytes);
    while (value >= 1024 && unit < 3) value /= 1024, ++unit;
    if (unit == 0) return CountText(bytes) + L" " + texts.GetText(txt::SizeUnit(0));
    wchar_t decimal[8] = L".";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    wchar_t number[64];
    swprintf(number, 64, L"%.1f", value);
    std::wstring text = number;
    if (size_t dot = text.find(L'.'); dot != std::wstring::npos) text.replace(dot, 1, decimal);
    return text + L" " + texts.GetText(txt::SizeUnit(unit));
}
