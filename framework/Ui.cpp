#include "framework/Ui.h"

#include <shlobj.h>
#include <shellapi.h>
#include <commdlg.h>
#include <commctrl.h>

#include <vector>

namespace fw {

namespace hooks {
std::function<int(HWND, const std::wstring&, const std::wstring&, UINT)> messageBox;
std::function<Answer(HWND, const std::wstring&, const std::wstring&, const std::wstring&, bool)> ask;
std::function<void(const std::wstring&)> shellOpen;
std::function<std::optional<std::wstring>(const std::wstring&)> browseForFolder;
std::function<std::vector<std::wstring>(const FileDialogRequest&)> fileDialog;
std::function<std::optional<PrintChoice>()> printDialog;
}  // namespace hooks

std::wstring ApplicationName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L"\\/") + 1);
    if (name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".exe") == 0) name.resize(name.size() - 4);
    return name;
}

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    if (hooks::messageBox) return hooks::messageBox(owner, text, caption, type);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

Answer AskYesNo(HWND owner, const std::wstring& text, const std::wstring& caption, const std::wstring& forAllText,
                bool defaultNo) {
    if (hooks::ask) return hooks::ask(owner, text, caption, forAllText, defaultNo);
    const UINT type = MB_YESNO | MB_ICONQUESTION | (defaultNo ? MB_DEFBUTTON2 : 0);
    if (hooks::messageBox) return {hooks::messageBox(owner, text, caption, type), false};
    // The task dialog comes with the common controls of version 6 only: looked up, not linked.
    using TaskDialogFn = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);
    static const auto taskDialog = reinterpret_cast<TaskDialogFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "TaskDialogIndirect")));
    if (!taskDialog) return {MessageBoxW(owner, text.c_str(), caption.c_str(), type), false};
    TASKDIALOGCONFIG config = {};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.dwFlags = TDF_POSITION_RELATIVE_TO_WINDOW;
    config.dwCommonButtons = TDCBF_YES_BUTTON | TDCBF_NO_BUTTON;
    config.pszWindowTitle = caption.c_str();
    config.pszMainIcon = TD_WARNING_ICON;
    config.pszContent = text.c_str();
    config.nDefaultButton = defaultNo ? IDNO : IDYES;
    if (!forAllText.empty()) config.pszVerificationText = forAllText.c_str();
    int button = IDNO;
    BOOL forAll = FALSE;
    if (FAILED(taskDialog(&config, &button, nullptr, &forAll)))
        return {MessageBoxW(owner, text.c_str(), caption.c_str(), type), false};
    return {button, forAll != FALSE};
}

void ShowErrorMessage(HWND owner, const std::wstring& message) {
    ShowMessageBox(owner, message, ApplicationName(), MB_OK | MB_ICONEXCLAMATION);
}

void ShellOpen(const std::wstring& file) {
    if (hooks::shellOpen) return hooks::shellOpen(file);
    ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::optional<std::wstring> BrowseForFolder(const std::wstring& title) {
    if (hooks::browseForFolder) return hooks::browseForFolder(title);
    BROWSEINFOW info = {};
    info.lpszTitle = title.c_str();
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
    if (!list) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    bool ok = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    if (!ok) return std::nullopt;
    return std::wstring(path);
}

std::vector<std::wstring> ShowFileDialog(HWND owner, const FileDialogRequest& request) {
    if (hooks::fileDialog) return hooks::fileDialog(request);
    std::wstring filter = request.filter;
    for (auto& c : filter)
        if (c == L'|') c = L'\0';
    filter += L'\0';
    std::vector<wchar_t> names(request.multiple ? 61440 : 4096, L'\0');
    request.fileName.copy(names.data(), std::min(request.fileName.size(), names.size() - 1));
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = names.data();
    ofn.nMaxFile = static_cast<DWORD>(names.size());
    ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    ofn.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    ofn.Flags = request.flags | OFN_EXPLORER | (request.multiple ? OFN_ALLOWMULTISELECT : 0);
    BOOL ok = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return {};
    // One name: the full path. The rest of a longer suggested name may still
    // follow its end in the buffer, so without multiple choice that is all.
    if (!request.multiple) return {std::wstring(names.data())};
    // Several: the folder, then each name, double-zero terminated.
    std::vector<std::wstring> parts;
    for (const wchar_t* p = names.data(); *p; p += wcslen(p) + 1) parts.emplace_back(p);
    if (parts.size() <= 1) return parts;
    std::vector<std::wstring> paths;
    std::wstring folder = parts[0];
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
    return paths;
}

std::optional<PrintChoice> ShowPrintDialog(HWND owner) {
    if (hooks::printDialog) return hooks::printDialog();
    PRINTDLGW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE;
    const bool chosen = PrintDlgW(&dialog);
    std::optional<PrintChoice> choice;
    if (chosen && dialog.hDevNames && dialog.hDevMode) {
        const auto* names = static_cast<const DEVNAMES*>(GlobalLock(dialog.hDevNames));
        const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(dialog.hDevMode));
        if (names && mode) {
            const auto* bytes = reinterpret_cast<const BYTE*>(mode);
            choice = PrintChoice{reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset,
                                 std::vector<BYTE>(bytes, bytes + mode->dmSize + mode->dmDriverExtra)};
        }
        GlobalUnlock(dialog.hDevMode);
        GlobalUnlock(dialog.hDevNames);
    }
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    return choice;
}

}  // namespace fw
