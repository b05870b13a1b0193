#pragma once
// Where a file really is, for the places that must never act on one file
// through a link to another.
#include <windows.h>

#include <string>
#include <string_view>

// A folder and a name joined by one backslash, also when the folder is a
// drive root that already ends in one ("Y:\" and "a.txt" give "Y:\a.txt").
std::wstring JoinPath(const std::wstring& folder, std::wstring_view name);

// The path the file system resolves an open handle to ("X:\..." or
// "\\server\share\..."); empty when it cannot tell.
std::wstring FinalPathOf(HANDLE handle);

// Whether the final path of an open file is `listedAt` (its folder's final path
// and the name the listing gave it).
bool SamePlace(const std::wstring& finalPath, const std::wstring& listedAt);

// True where directory listings do not mark links to files as reparse points:
// Wine shows a link to a file as the file it names, with that file's id. There
// only the final path of an open handle tells the link from the file.
bool FileLinksUnmarked();
