#pragma once
// Paths as the system takes them. The user always sees and types the ordinary
// form; every call into the file system goes through SystemPath, so that long
// paths and names the ordinary form would change still reach their file.
#include <string>

namespace fw {

// The extended form ("\\?\C:\...", "\\?\UNC\server\share\...") of an absolute
// path where the ordinary form would fail: longer than the classic limit, or a
// name ending in a dot or a space (the ordinary form strips those). Any other
// path is returned as it is.
std::wstring SystemPath(const std::wstring& path);

// The ordinary form of a path in either form.
std::wstring OrdinaryPath(const std::wstring& path);

// Makes a folder and whatever of its parents is missing; true when it is there.
bool CreateFolders(const std::wstring& folder);

}  // namespace fw
