#pragma once
// Folders whose files no action of Varnholt ever deletes, wipes, moves or
// replaces: the program's own folder, the user's configuration folder and the
// Windows folder, each with everything below it. A file there may be listed as
// a duplicate; acting on it is refused.
#include <string>
#include <vector>

class ProtectedFolders {
public:
    ProtectedFolders() = default;
    explicit ProtectedFolders(const std::vector<std::wstring>& folders);
    // The program's folder, `configFolder` and the Windows folder.
    static ProtectedFolders ForProgram(const std::wstring& configFolder);

    // Whether `path` lies in one of the folders: by its text, and by where its
    // folder really is (a link, a drive mapped onto a folder, a short name).
    bool Covers(const std::wstring& path) const;

private:
    std::vector<std::wstring> folders_;  // as given and as the file system resolves them
};
