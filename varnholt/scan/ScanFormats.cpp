#include "varnholt/scan/ScanFormats.h"

#include <windows.h>

#include <cstdio>

namespace {

bool IsHigh(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void Append(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void Escaped(std::string& out, uint32_t c) {
    char code[8];
    snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
    out += code;
}

// Calls `each` with every code point; a lone surrogate half is passed with `lone` set.
template <typename Each>
void ForEachCodePoint(std::wstring_view text, Each each) {
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (IsHigh(c) && i + 1 < text.size() && IsLow(text[i + 1])) {
            each(0x10000 + ((uint32_t(c) - 0xD800) << 10) + (uint32_t(text[i + 1]) - 0xDC00), false);
            ++i;
        } else {
            each(uint32_t(c), IsHigh(c) || IsLow(c));
        }
    }
}

}  // namespace

std::string Utf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&](uint32_t c, bool lone) { Append(out, lone ? 0xFFFD : c); });
    return out;
}

std::string JsonString(std::wstring_view text) {
    std::string out = "\"";
    ForEachCodePoint(text, [&](uint32_t c, bool lone) {
        if (c == '"' || c == '\\') out += '\\', out += static_cast<char>(c);
        else if (c < 0x20 || lone) Escaped(out, c);
        else Append(out, c);
    });
    return out + "\"";
}

std::string CsvField(std::wstring_view text) {
    const std::string bytes = Utf8(text);
    if (bytes.find_first_of(",\"\r\n") == std::string::npos) return bytes;
    std::string out = "\"";
    for (char c : bytes) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string IsoTime(uint64_t fileTime) {
    const FILETIME ft = {static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    SYSTEMTIME t = {};
    FileTimeToSystemTime(&ft, &t);
    char text[32];
    snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
             t.wSecond);
    return text;
}
