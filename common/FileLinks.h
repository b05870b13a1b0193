#pragma once
// Where a file really is, for the places that must never act on one file
// through a link to another.
#include <windows.h>

#include <string>
#include <string_view>

// A folder and a name joined by one backslash, also when the folder is a
// drive root that already ends in one ("Y:\" and "a.txt" give "Y:\a.txt").
std::wstring JoinPath(const std::wstring& folder, std::wstring_view name);
// The folder a path lies in ("Y:\" for a file at a drive's root, not the
// drive's current folder "Y:"); empty for a bare name.
std::wstring FolderOf(const std::wstring& path);
// The last name of a path.
std::wstring NameOf(const std::wstring& path);

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
// Whether the program runs under Wine, whose file system differs from Windows
// in the ways the callers name.
bool RunsUnderWine();
