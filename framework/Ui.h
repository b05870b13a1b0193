#pragma once
// Replaceable entry points for what asks the user or the shell: message boxes,
// the shell's "open", folder and file dialogs. Tests set the hooks to answer and
// record; programs leave them empty and get the real system calls.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw {

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

// A question with Yes and No and, when `forAllText` is not empty, a box under
// it that makes the answer serve what follows ("the same for all").
struct Answer {
    int button = IDNO;
    bool forAll = false;
};
Answer AskYesNo(HWND owner, const std::wstring& text, const std::wstring& caption, const std::wstring& forAllText,
                bool defaultNo);
// The shell's "open" verb, no parameters, no folder, SW_SHOWNORMAL; the result is not examined.
void ShellOpen(const std::wstring& file);
// The shell's folder dialog with only a title; the chosen folder's file-system path.
std::optional<std::wstring> BrowseForFolder(const std::wstring& title);

struct FileDialogRequest {
    bool save = false;
    std::wstring defaultExtension;   // without the dot
    std::wstring fileName;           // proposed name
    std::wstring filter;             // "text|pattern|...||"
    DWORD flags = 0;
    bool multiple = false;
    std::wstring initialFolder;      // empty: where the system would start
};
// Chosen full paths; empty when cancelled.
std::vector<std::wstring> ShowFileDialog(HWND owner, const FileDialogRequest& request);

// The printer chosen in the print dialog and its settings.
struct PrintChoice {
    std::wstring device;
    std::vector<BYTE> devMode;  // a DEVMODEW with its driver's extra bytes
};
// The print dialog: all pages, no page numbers, no selection, no print-to-file
// box, copies through the device settings. Nothing when the user cancels.
std::optional<PrintChoice> ShowPrintDialog(HWND owner);

// The standard message of a framework error (caption: the program's name).
void ShowErrorMessage(HWND owner, const std::wstring& message);

namespace hooks {
extern std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)> messageBox;
extern std::function<Answer(HWND owner, const std::wstring& text, const std::wstring& caption,
                            const std::wstring& forAllText, bool defaultNo)>
    ask;
extern std::function<void(const std::wstring& file)> shellOpen;
extern std::function<std::optional<std::wstring>(const std::wstring& title)> browseForFolder;
extern std::function<std::vector<std::wstring>(const FileDialogRequest&)> fileDialog;
extern std::function<std::optional<PrintChoice>()> printDialog;
}  // namespace hooks

// The program's name for default captions; the file name of the executable without ".exe".
std::wstring ApplicationName();

}  // namespace fw
