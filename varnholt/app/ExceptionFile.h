#pragma once
// The exception list lives in "0026exc.ini" beside the user's configuration,
// copied there from the program folder on first use.
#include <windows.h>

#include <string>
#include <vector>

#include "varnholt/engine/ExceptionList.h"

class PowerClass;
struct SearchSettings;

// The file used for reading and writing: the configuration folder's copy, made
// from the program folder's file when missing; the program folder's file when
// there is still none.
std::wstring LocateExceptionFile(const std::wstring& configPath, const std::wstring& programFolder);
std::wstring LocateExceptionFile(const PowerClass& store);

// Replaces the list with the file's entries. A file without the title gives
// "No exception list detected!" and an empty list; a missing file an empty list.
void LoadExceptions(std::vector<std::wstring>& exceptions, const std::wstring& path, HWND owner);
void LoadExceptions(SearchSettings& settings, const PowerClass& store, HWND owner);
// Writes the list; a failure is not reported.
void SaveExceptions(const std::vector<std::wstring>& exceptions, const std::wstring& path);
void SaveExceptions(const SearchSettings& settings, const PowerClass& store);
