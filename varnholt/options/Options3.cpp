#include "varnholt/options/Options3.h"

#include <commdlg.h>

#include "framework/Ui.h"
#include "resources/varnholt/resource.h"
#include "varnholt/engine/TextNumbers.h"

COptions3::COptions3(SearchSettings& settings, const TextSource& texts)
    : COptionsPage(IDD_OPTIONS_EXCEPTIONS, settings, texts) {}

fw::ListView COptions3::List() const { return Item<fw::ListView>(IDC_EXCEPTION_LIST); }

std::wstring COptions3::ExceptionOfPath(const std::wstring& path) {
    std::wstring entry = path;
    return entry.insert(std::min<size_t>(2, entry.size()), 1, L'\\');
}

void COptions3::Initialise() {
    SetTexts({{IDC_PAGE_PROMPT, txt::kExceptionsGroup},
              {IDC_ADD_FILE, txt::kAddFile},
              {IDC_ADD_FOLDER, txt::kAddFolder},
              {IDC_REMOVE_EXCEPTION, txt::kRemoveException},
              {IDC_SPECIAL_GROUP, txt::kExceptionPrompt},
              {IDC_ADD_SPECIAL, txt::kAddSpecial}});
    auto list = List();
    list.SetBkColor(RGB(240, 255, 240));
    list.SetTextBkColor(RGB(240, 255, 240));
    list.SetTextColor(RGB(20, 20, 255));
    list.DeleteColumn(0);
    list.InsertColumn(0, texts_.GetText(txt::kTabExceptions), 530);
    // Each at the top: the list shows the exceptions in reverse order.
    for (const auto& exception : settings_.exceptions) list.InsertItem(0, exception);
    CreateTooltips(hwnd(),
                   {{IDC_ADD_FILE, txt::kTipExceptFiles},
                    {IDC_ADD_FOLDER, txt::kTipExceptFolder},
                    {IDC_ADD_SPECIAL, txt::kTipAddException},
                    {IDC_REMOVE_EXCEPTION, txt::kTipRemoveExceptions}},
                   texts_);
}

void COptions3::Apply() {
    auto list = List();
    settings_.exceptions.clear();
    for (int row = 0; row < list.GetItemCount(); ++row) settings_.exceptions.push_back(list.GetItemText(row));
}

bool COptions3::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_ADD_FILE: AddFiles(); return true;
        case IDC_ADD_FOLDER: AddFolder(); return true;
        case IDC_ADD_SPECIAL: AddSpecial(); return true;
        case IDC_REMOVE_EXCEPTION: Remove(); return true;
    }
    return false;
}

void COptions3::AddFiles() {
    fw::FileDialogRequest request;
    request.filter = texts_.GetText(txt::kAllFilesFilter) + L"|*.*||";
    request.flags = OFN_HIDEREADONLY;
    request.multiple = true;
    auto list = List();
    for (const auto& path : fw::ShowFileDialog(hwnd(), request)) list.InsertItem(0, ExceptionOfPath(path));
}

void COptions3::AddFolder() {
    auto folder = fw::BrowseForFolder(texts_.GetText(txt::kExceptFolderTitle));
    if (!folder) return;
    auto list = List();
    const int row = list.InsertItem(list.GetItemCount(), ExceptionOfPath(*folder + L"\\*"));
    list.EnsureVisible(row);
}

void COptions3::AddSpecial() {
    auto edit = Item(IDC_SPECIAL_TEXT);
    const std::wstring text = edit.GetText();
    if (text.empty())
        Message(txt::kNoExceptionTyped);
    else
        List().InsertItem(0, text);
    edit.SetText(L"");
}

void COptions3::Remove() {
    auto list = List();
    if (list.GetNextItem(-1, LVNI_SELECTED) < 0) return Message(txt::kNoExceptionsSelected);
    // From the bottom up, so that the rows still to go keep their numbers.
    for (int row = list.GetItemCount() - 1; row >= 0; --row)
        if (list.GetItemState(row, LVIS_SELECTED)) list.DeleteItem(row);
}

void COptions3::Message(int number) {
    fw::ShowMessageBox(hwnd(), texts_.GetText(number), texts_.GetText(txt::kMessageCaption), MB_OK);
}
