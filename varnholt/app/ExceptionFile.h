#pragma once
// The exception list lives in "0026exc.ini" beside the user's configuration,
// copied there from the program folder on first use.
#include <windows.h>

#include <string>
#include <vector>

class PowerClass;
struct SearchSettings;

inline constexpr const wchar_t* kExceptionFileName = L"0026exc.ini";
inline constexpr const wchar_t* kExceptionTitle = L"Quorvexsoft Varnholt - Exceptions";

// The file used for reading and writing: the configuration folder's copy, made
// from the program folder's file when missing; the program folder's file when
// there is still none.
std::wstring LocateExceptionFile(const std::wstring& configPath, const std::wstring& programFolder);
std::wstring LocateExceptionFile(const PowerClass& store);

// The entries of a file's lines; false when the title line is not there.
bool ParseExceptionLines(const std::vector<std::wstring>& lines, std::vector<std::wstring>& entries);
// The file's text as written (line feeds; the writer makes them CR LF).
std::wstring FormatExceptionFile(const std::vector<std::wstring>& entries);

// Replaces the list with the file's entries. A file without the title gives
// "No exception list detected!" and an empty list; a missing file an empty list.
void LoadExceptions(std::vector<std::wstring>& exceptions, const std::wstring& path, HWND owner);
void LoadExceptions(SearchSettings& settings, const PowerClass& store, HWND owner);
// Writes the list; a failure is not reported.
void SaveExceptions(const std::vector<std::wstring>& exceptions, const std::wstring& path);
void SaveExceptions(const SearchSettings& settings, const PowerClass& store);
