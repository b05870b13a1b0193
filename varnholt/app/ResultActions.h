#pragma once
// What the user does with the results: open a file, show its folder, read its
// details, delete or wipe the ticked files, move every listed file into the
// folder for duplicate copies and put moved files back. The actions work on
// the tree's file items, which keep what the search saw of their files.
// Nothing is removed or moved unless it is still the file the search saw, no
// file is ever replaced, and no file of the program, its settings or Windows is
// touched.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "varnholt/app/ResultsTree.h"
#include "varnholt/engine/FileMoves.h"
#include "varnholt/engine/ProtectedFolders.h"

class TextSource;

class ResultActions {
public:
    ResultActions(HWND owner, ResultsTree& tree, const TextSource& texts, ProtectedFolders protectedFolders = {},
                  std::vector<std::wstring> keptFolders = {})
        : owner_(owner), tree_(tree), texts_(texts), protected_(std::move(protectedFolders)),
          kept_(std::move(keptFolders)) {}

    void ExecuteFile() const;
    void ShowFolder() const;
    void ShowInformation() const;
    // Every ticked file is asked for, with a box that makes one answer serve
    // the rest; a group of which every member would go is asked for first, on
    // its own. `protectReadOnly`: read-only files are passed over without a word.
    void DeleteChecked(bool toRecycleBin, bool protectReadOnly) const;
    void WipeChecked(bool protectReadOnly) const;
    // Each ticked file becomes a hard link to the first unticked member of its group.
    void LinkTicked() const;
    // `copyPath` as stored, with its trailing "\...". Once the user agreed,
    // `showProgress` may give a progress sink: the window then stays alive
    // between the files and its Cancel stops the moves.
    void DeleteAllDuplicates(const std::wstring& copyPath,
                             const std::function<ProgressSink*()>& showProgress = {}) const;
    // Asks for a restore list (first in `copyPath`) and moves its files back.
    void PutBackMovedFiles(const std::wstring& copyPath) const;

private:
    enum class Removal { Delete, Wipe };
    void RemoveChecked(Removal removal, bool toRecycleBin, bool protectReadOnly) const;
    // The selected item when it is a file item.
    HTREEITEM SelectedFile() const;
    int Say(int textNumber, UINT type = MB_OK) const;
    int Say(const std::wstring& text, UINT type = MB_OK) const;
    // Files passed over because Varnholt never touches them or they lie in a
    // kept folder, each kind said with its own reason.
    struct LeftFiles {
        std::vector<std::wstring> protectedFiles, keptFiles;
        void Add(const std::wstring& path, bool kept);
        bool empty() const { return protectedFiles.empty() && keptFiles.empty(); }
    };
    // "Left: protected", "Left: in kept folders", each with its count and first files.
    std::wstring LeftReport(const LeftFiles& left) const;

    HWND owner_;
    ResultsTree& tree_;
    const TextSource& texts_;
    ProtectedFolders protected_;
    std::vector<std::wstring> kept_;
};

// Without the "\..." a stored folder path ends in.
std::wstring StoredFolder(const std::wstring& storedPath);
