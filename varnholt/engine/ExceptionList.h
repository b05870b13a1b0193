#pragma once
// The stored form of the exception list: a title line, an underline, an empty
// line, then one pattern per line.
#include <string>
#include <vector>

inline constexpr const wchar_t* kExceptionFileName = L"0026exc.ini";
inline constexpr const wchar_t* kExceptionTitle = L"Quorvexsoft Varnholt - Exceptions";

// The entries of a file's lines; false when the title line is not there.
bool ParseExceptionLines(const std::vector<std::wstring>& lines, std::vector<std::wstring>& entries);
// The file's text as written (line feeds; the writer makes them CR LF).
std::wstring FormatExceptionFile(const std::vector<std::wstring>& entries);
