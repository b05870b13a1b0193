#pragma once
// The exception list lives in "0026exc.ini" beside the user's configuration,
// copied there from the program folder on first use.
#include <windows.h>

#include <string>
#include <vector>

#include "varnholt/engine/ExceptionList.h"

// The file used for reading and writing: the configuration folder's copy, made
// from the program folder's file when missing; the program folder's file when
// there is still none.
std::wstring LocateExceptionFile(const std::wstring& configPath, const std::wstring& programFolder);

// What a load found. Only a list that was read, or found missing, may be written back:
// a file that is there but cannot be read would be lost.
enum class ExceptionLoad { Read, Missing, Unreadable };

// Replaces the list with the file's entries. A file without the title gives
// `notAListText` (in the window's language) and an empty list; a missing or
// unreadable file an empty list without a message (the caller tells of the unreadable one).
ExceptionLoad LoadExceptions(std::vector<std::wstring>& exceptions, const std::wstring& path, HWND owner,
                             const std::wstring& notAListText = L"No exception list detected!");
// Writes the list; a failure is not reported.
void SaveExceptions(const std::vector<std::wstring>& exceptions, const std::wstring& path);
