#pragma once
// The path list the user types or picks: entries joined by ";", each naming a
// folder with or without a trailing "\..." (the form the folder chooser writes).
#include <string>
#include <vector>

// The folders of a path list, in its order: only a trailing "\..." is taken
// off, a bare drive ("Y:") is its root, a trailing backslash and leading blanks
// go, and empty entries are no entries. Nothing else of what the user typed changes.
std::vector<std::wstring> SearchFolders(const std::wstring& pathList);

// The first of the folders that names no existing folder (a relative path never
// does, since it would be taken from wherever the program runs); empty when
// every one exists.
std::wstring FirstMissingFolder(const std::vector<std::wstring>& folders);
