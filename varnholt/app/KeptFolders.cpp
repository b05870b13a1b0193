#include "varnholt/app/KeptFolders.h"

#include "common/TextSource.h"
#include "resources/varnholt/resource.h"
#include "varnholt/engine/TextNumbers.h"

CKeptFolders::CKeptFolders(std::vector<std::wstring> kept, const TextSource& texts)
    : fw::Dialog(IDD_KEPT_FOLDERS), folders(std::move(kept)), texts_(texts) {}

bool CKeptFolders::OnInitDialog() {
    SetWindowTextW(hwnd(), texts_.GetText(txt::kKeptFoldersCaption).c_str());
    Item(IDC_KEPT_PROMPT).SetText(texts_.GetText(txt::kKeptFoldersPrompt));
    Item(IDC_KEPT_REMOVE).SetText(texts_.GetText(txt::kKeptFoldersRemove));
    Item(IDCANCEL).SetText(texts_.GetText(txt::kKeptFoldersClose));
    Fill();
    return true;
}

void CKeptFolders::Fill() {
    HWND list = GetDlgItem(hwnd(), IDC_KEPT_LIST);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const auto& folder : folders) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    Item(IDC_KEPT_REMOVE).Enable(!folders.empty());
}

bool CKeptFolders::OnCommand(int id, int code, HWND) {
    if (id != IDC_KEPT_REMOVE || code != BN_CLICKED) return false;
    HWND list = GetDlgItem(hwnd(), IDC_KEPT_LIST);
    // From the end, so that the indexes of the others stay.
    for (int i = static_cast<int>(folders.size()) - 1; i >= 0; --i)
        if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) folders.erase(folders.begin() + i);
    Fill();
    return true;
}
