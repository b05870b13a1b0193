#pragma once
// What the user does with the results: open a file, show its folder, read its
// details, delete or wipe the ticked files, move every listed file into the
// folder for duplicate copies. The actions work on the tree's items and their
// texts. Nothing is removed or moved unless it is still the file the search saw,
// and no file is ever replaced.
#include <windows.h>

#include <string>

#include "varnholt/app/ResultsTree.h"

class TextSource;

class ResultActions {
public:
    ResultActions(HWND owner, const ResultsTree& tree, const TextSource& texts)
        : owner_(owner), tree_(tree), texts_(texts) {}

    void ExecuteFile() const;
    void ShowFolder() const;
    void ShowInformation() const;
    // `protectReadOnly`: read-only files are passed over without a word.
    void DeleteChecked(bool toRecycleBin, bool protectReadOnly) const;
    void WipeChecked(bool protectReadOnly) const;
    // `copyPath` as stored, with its trailing "\...".
    void DeleteAllDuplicates(const std::wstring& copyPath) const;

private:
    enum class Removal { Delete, Wipe };
    void RemoveChecked(Removal removal, bool toRecycleBin, bool protectReadOnly) const;
    // The selected item when it is a file item.
    HTREEITEM SelectedFile() const;
    int Say(int textNumber, UINT type = MB_OK) const;
    int Say(const std::wstring& text, UINT type = MB_OK) const;

    HWND owner_;
    const ResultsTree& tree_;
    const TextSource& texts_;
};

// Whether the file at `path` is still the one the search saw: same size, same
// last-write time and, where the file system gives ids, the same file.
bool IsAsSearched(const std::wstring& path, const FileFacts& facts);

// Moves a file into a folder (made when missing) under its own name, or under a
// free name such as "name (2).ext" when that is taken. Within one volume it is
// a rename; across volumes the copy's bytes are compared with the source before
// the source goes to the recycle bin. False when the file stayed where it was.
bool MoveIntoFolder(const std::wstring& source, const std::wstring& folder);
