#pragma once
// The kept folders, to look at and remove entries from. The dialog edits its
// own copy; the caller takes `folders` back after it closed.
#include <string>
#include <vector>

#include "framework/Dialog.h"

class TextSource;

class CKeptFolders : public fw::Dialog {
public:
    CKeptFolders(std::vector<std::wstring> folders, const TextSource& texts);
    std::vector<std::wstring> folders;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Fill();
    const TextSource& texts_;
};
