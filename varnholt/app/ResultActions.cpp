#include "varnholt/app/ResultActions.h"

#include <shlobj.h>

#include <vector>

#include "common/FileLinks.h"
#include "common/PowerClass.h"
#include "common/TextSource.h"
#include "framework/Handles.h"
#include "framework/Ui.h"
#include "varnholt/engine/TextNumbers.h"

namespace {

// The stayed files the closing message of a move names.
constexpr size_t kNamedStayed = 5;

bool FileFound(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';  // a drive's root, not its current folder
    return folder;
}

std::wstring NameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

// "name (n).ext"; a leading dot starts no extension.
std::wstring Numbered(const std::wstring& name, int n) {
    const size_t dot = name.rfind(L'.');
    const bool hasExtension = dot != std::wstring::npos && dot > 0;
    const std::wstring stem = hasExtension ? name.substr(0, dot) : name;
    return stem + L" (" + std::to_wstring(n) + L")" + (hasExtension ? name.substr(dot) : std::wstring());
}

bool Identify(const std::wstring& path, DWORD flags, BY_HANDLE_FILE_INFORMATION& info) {
    fw::FileHandle h(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, flags, nullptr));
    return h && GetFileInformationByHandle(h.get(), &info);
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    BY_HANDLE_FILE_INFORMATION x, y;
    return Identify(a, FILE_FLAG_BACKUP_SEMANTICS, x) && Identify(b, FILE_FLAG_BACKUP_SEMANTICS, y) &&
           x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
           x.nFileIndexLow == y.nFileIndexLow;
}

bool SameContent(const std::wstring& a, const std::wstring& b) {
    const DWORD share = FILE_SHARE_READ;
    fw::FileHandle x(CreateFileW(a.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    fw::FileHandle y(CreateFileW(b.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!x || !y) return false;
    std::vector<char> one(1 << 20), two(1 << 20);
    for (;;) {
        DWORD gotOne = 0, gotTwo = 0;
        if (!ReadFile(x.get(), one.data(), static_cast<DWORD>(one.size()), &gotOne, nullptr) ||
            !ReadFile(y.get(), two.data(), static_cast<DWORD>(two.size()), &gotTwo, nullptr))
            return false;
        if (gotOne != gotTwo || !std::equal(one.begin(), one.begin() + gotOne, two.begin())) return false;
        if (gotOne == 0) return true;
    }
}

void RemoveCopy(const std::wstring& copy) {
    SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(copy.c_str());
}

std::wstring Fill(std::wstring text, size_t first, size_t second) {
    for (auto [mark, value] : {std::pair{L"%1", first}, std::pair{L"%2", second}})
        if (size_t at = text.find(mark); at != std::wstring::npos) text.replace(at, 2, std::to_wstring(value));
    return text;
}

}  // namespace

bool IsAsSearched(const std::wstring& path, const FileFacts& facts) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!Identify(path, 0, info)) return false;
    const uint64_t size = (uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    const uint64_t lastWrite = (uint64_t(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
    if (size != facts.size || lastWrite != facts.lastWrite) return false;
    // A file put in its place, even with the same size and time, is another file.
    const uint64_t id = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return facts.fileId == 0 || (id == facts.fileId && info.dwVolumeSerialNumber == facts.volume);
}

bool MoveIntoFolder(const std::wstring& source, const std::wstring& folder) {
    if (!FileFound(folder)) SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    if (SameFolder(FolderOf(source), folder)) return true;  // already where it is to go
    const std::wstring name = NameOf(source);
    for (int n = 1; n < 10000; ++n) {
        const std::wstring target = JoinPath(folder, n == 1 ? name : Numbered(name, n));
        if (FileFound(target)) continue;
        // A rename cannot lose the file, and never replaces one.
        if (MoveFileExW(source.c_str(), target.c_str(), 0)) return true;
        DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) continue;
        if (error != ERROR_NOT_SAME_DEVICE) return false;
        // Another volume: the source goes only once its copy holds the same bytes.
        if (!CopyFileW(source.c_str(), target.c_str(), TRUE)) {
            error = GetLastError();
            if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) continue;
            return false;
        }
        if (!SameContent(source, target)) {
            RemoveCopy(target);
            return false;
        }
        PowerClass::DeleteFileOrRecycle(source, true);
        if (!FileFound(source)) return true;
        RemoveCopy(target);  // the source could not go: one copy is enough
        return false;
    }
    return false;
}

int ResultActions::Say(int textNumber, UINT type) const { return Say(texts_.GetText(textNumber), type); }

int ResultActions::Say(const std::wstring& text, UINT type) const {
    return fw::ShowMessageBox(owner_, text, texts_.GetText(txt::kMessageCaption), type);
}

HTREEITEM ResultActions::SelectedFile() const {
    const HTREEITEM selected = tree_.Tree().GetSelection();
    return selected && IsFileItem(tree_.Tree().GetItemText(selected)) ? selected : nullptr;
}

void ResultActions::ExecuteFile() const {
    // Only a path: a group's bare file name would start whatever program of that name the shell finds.
    const HTREEITEM file = SelectedFile();
    if (!file) return void(Say(txt::kNoFileToExecute));
    fw::ShellOpen(tree_.Tree().GetItemText(file));
}

void ResultActions::ShowFolder() const {
    const HTREEITEM file = SelectedFile();
    if (!file) return void(Say(txt::kNoFileToShowFolder));
    fw::ShellOpen(FolderOf(tree_.Tree().GetItemText(file)));
}

void ResultActions::ShowInformation() const {
    const HTREEITEM selected = tree_.Tree().GetSelection();
    if (!selected) return void(Say(txt::kNoFileSelected));
    const std::wstring path = tree_.Tree().GetItemText(selected);
    if (!IsFileItem(path)) return;
    const std::wstring name = NameOf(path);
    const std::wstring folder = path.substr(0, path.size() - name.size());
    const FileStatus status = PowerClass::GetFileStatusSafe(path);
    const uint64_t kilobytes = PowerClass::GetFileSize64(path, false) >> 10;
    auto line = [&](int number, const std::wstring& value) { return texts_.GetText(number) + L": " + value; };
    Say(line(txt::kInfoFileName, name) + L"\n" + line(txt::kInfoFolder, folder) + L"\n\n" +
        line(txt::kInfoCreated, PowerClass::FormatTimeText(status.creationTime, false)) + L"\n" +
        line(txt::kInfoModified, PowerClass::FormatTimeText(status.modificationTime, false)) + L"\n" +
        line(txt::kInfoAccessed, PowerClass::FormatTimeText(status.accessTime, false)) + L"\n\n" +
        line(txt::kInfoSize, std::to_wstring(kilobytes) + L" KB"));
}

void ResultActions::DeleteChecked(bool toRecycleBin, bool protectReadOnly) const {
    RemoveChecked(Removal::Delete, toRecycleBin, protectReadOnly);
}

void ResultActions::WipeChecked(bool protectReadOnly) const { RemoveChecked(Removal::Wipe, false, protectReadOnly); }

void ResultActions::RemoveChecked(Removal removal, bool toRecycleBin, bool protectReadOnly) const {
    const fw::TreeView& tree = tree_.Tree();
    // A selected item is asked for although the ticks decide.
    if (!tree.GetSelection()) return void(Say(txt::kNoFilesToRemove));
    // A ticked heading or group never removes anything.
    for (HTREEITEM item : tree_.VisibleItems())
        if (tree.GetCheck(item) && tree.GetItemText(item).find(L'\\') == std::wstring::npos) tree.SetCheck(item, false);

    for (HTREEITEM item : tree_.VisibleItems()) {
        if (!tree.GetCheck(item)) continue;
        const std::wstring path = tree.GetItemText(item);
        if (protectReadOnly && PowerClass::IsReadOnlyOrMissing(path)) continue;
        const int question = removal == Removal::Delete ? txt::kConfirmDelete : txt::kConfirmWipe;
        if (Say(texts_.GetText(question) + L"\n\n" + path, MB_YESNO | MB_ICONQUESTION) != IDYES) continue;
        // A file that stays keeps its item: unticked, it is not taken from the list below.
        auto keep = [&](int textNumber) {
            tree.SetCheck(item, false);
            Say(texts_.GetText(textNumber) + L"\n\n" + path);
        };
        const FileFacts* facts = tree_.Facts(item);
        if (FileFound(path) && facts && !IsAsSearched(path, *facts)) {
            keep(txt::kFileChanged);
        } else if (removal == Removal::Delete) {
            if (!FileFound(path)) continue;
            PowerClass::DeleteFileOrRecycle(path, toRecycleBin, true);
            if (FileFound(path)) keep(txt::kDeleteFailed);
        } else if (PowerClass::WipeFile(path)) {
            Say(txt::kWipingFinished);
        } else {
            keep(txt::kWipeFailed);
        }
    }

    // The ticked items leave the list, also those declined or passed over.
    for (;;) {
        HTREEITEM ticked = nullptr;
        for (HTREEITEM item : tree_.VisibleItems())
            if (tree.GetCheck(item)) {
                ticked = item;
                break;
            }
        if (!ticked) break;
        tree.DeleteItem(ticked);
    }
}

void ResultActions::DeleteAllDuplicates(const std::wstring& copyPath) const {
    const std::wstring question = texts_.GetText(txt::kMoveAllExplained) + L"\n\n" +
                                  texts_.GetText(txt::kMoveAllConfirm) + L"\n\n" + copyPath;
    if (Say(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    std::wstring target = copyPath;
    for (size_t at; (at = target.find(L"\\...")) != std::wstring::npos;) target.erase(at, 4);

    const fw::TreeView& tree = tree_.Tree();
    size_t moved = 0;
    std::vector<std::wstring> stayed;
    for (HTREEITEM item : tree_.ExpandEvery()) {
        const std::wstring path = tree.GetItemText(item);
        if (!IsFileItem(path)) continue;
        const FileFacts* facts = tree_.Facts(item);
        if (FileFound(path) && (!facts || IsAsSearched(path, *facts)) && MoveIntoFolder(path, target)) {
            tree.SetItemText(item, texts_.GetText(txt::kMovedEntry));
            ++moved;
        } else {
            stayed.push_back(path);
        }
    }
    std::wstring report = texts_.GetText(stayed.empty() ? txt::kAllMoved : txt::kMoveIncomplete) + L"\n\n" +
                          texts_.GetText(txt::kMovedToFolder) + L"\n\n" + target + L"\n\n" +
                          Fill(texts_.GetText(txt::kMoveCounts), moved, stayed.size());
    for (size_t i = 0; i < stayed.size() && i < kNamedStayed; ++i) report += L"\n" + stayed[i];
    if (stayed.size() > kNamedStayed) report += L"\n...";
    Say(report);
}
