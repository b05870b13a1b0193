#pragma once
// Folders whose files no action of Varnholt ever deletes, wipes, moves or
// replaces: the program's own folder, the user's configuration folder and the
// Windows folder, each with everything below it. A file there may be listed as
// a duplicate; acting on it is refused. The folder for duplicate copies holds
// the user's own files, also where it lies below the configuration folder.
#include <string>
#include <vector>

class ProtectedFolders {
public:
    ProtectedFolders() = default;
    explicit ProtectedFolders(const std::vector<std::wstring>& folders, const std::vector<std::wstring>& except = {});
    // The program's folder, `configFolder` and the Windows folder, but not `copyFolder`.
    static ProtectedFolders ForProgram(const std::wstring& configFolder, const std::wstring& copyFolder = {});

    // Whether `path` lies in one of the folders: by its text, and by where its
    // folder really is (a link, a drive mapped onto a folder, a short name).
    bool Covers(const std::wstring& path) const;

private:
    std::vector<std::wstring> folders_;  // as given and as the file system resolves them
    std::vector<std::wstring> except_;
};
