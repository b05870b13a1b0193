#pragma once
// The stored form of the exception list: a title line, an underline, an empty
// line, then one pattern per line; and where the file lives.
#include <string>
#include <vector>

inline constexpr const wchar_t* kExceptionFileName = L"0026exc.ini";
inline constexpr const wchar_t* kExceptionTitle = L"Quorvexsoft Varnholt - Exceptions";

// The entries of a file's lines; false when the title line is not there.
bool ParseExceptionLines(const std::vector<std::wstring>& lines, std::vector<std::wstring>& entries);
// The file's text as written (line feeds; the writer makes them CR LF).
std::wstring FormatExceptionFile(const std::vector<std::wstring>& entries);

// The file in the folder of a configuration file; empty when `configPath` names
// no folder. Only computes the path.
std::wstring ExceptionFileBeside(const std::wstring& configPath);
// The file the window reads, without copying anything: the one beside the
// configuration when it exists, else the program folder's.
std::wstring FindExceptionFile(const std::wstring& configPath, const std::wstring& programFolder);
