#include "varnholt/app/ResultActions.h"

#include <commdlg.h>

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <optional>
#include <vector>

#include "common/FileLinks.h"
#include "common/PowerClass.h"
#include "common/TextSource.h"
#include "framework/Handles.h"
#include "framework/Paths.h"
#include "framework/Ui.h"
#include "varnholt/app/Figures.h"
#include "varnholt/engine/GroupActions.h"
#include "varnholt/engine/Selection.h"
#include "varnholt/engine/TextNumbers.h"

namespace {

// The stayed files the closing message of a move names.
constexpr size_t kNamedStayed = 5;

// %1 and %2 as counts, or %1 as a path.
std::wstring Fill(std::wstring text, size_t first, size_t second, const std::wstring& path = {}) {
    for (auto [mark, value] : {std::pair{L"%1", first}, std::pair{L"%2", second}})
        if (size_t at = text.find(mark); at != std::wstring::npos)
            text.replace(at, 2, mark[1] == L'1' && !path.empty() ? path : std::to_wstring(value));
    return text;
}

// The marks %1, %2, ... each replaced once by its value, in one pass, so that a
// value never reads as a mark.
std::wstring Filled(const std::wstring& text, std::initializer_list<std::wstring> values) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t n = i + 1 < text.size() && text[i] == L'%' ? text[i + 1] - L'1' : values.size();
        if (n < values.size()) {
            out += values.begin()[n];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

int ResultActions::Say(int textNumber, UINT type) const { return Say(texts_.GetText(textNumber), type); }

int ResultActions::Say(const std::wstring& text, UINT type) const {
    return fw::ShowMessageBox(owner_, text, texts_.GetText(txt::kMessageCaption), type);
}

std::wstring ResultActions::LeftReport(const LeftFiles& left) const {
    std::wstring report;
    for (const auto& [textNumber, paths] : {std::pair{txt::kProtectedLeft, &left.protectedFiles},
                                            std::pair{txt::kKeptLeft, &left.keptFiles}}) {
        if (paths->empty()) continue;
        report += (report.empty() ? L"" : L"\n\n") + Fill(texts_.GetText(textNumber), paths->size(), 0);
        for (size_t i = 0; i < paths->size() && i < kNamedStayed; ++i) report += L"\n" + (*paths)[i];
        if (paths->size() > kNamedStayed) report += L"\n...";
    }
    return report;
}

void ResultActions::LeftFiles::Add(const std::wstring& path, bool kept) {
    (kept ? keptFiles : protectedFiles).push_back(path);
}

HTREEITEM ResultActions::SelectedFile() const {
    const HTREEITEM selected = tree_.Tree().GetSelection();
    return selected && IsFileItem(tree_.Text(selected)) ? selected : nullptr;
}

void ResultActions::ExecuteFile() const {
    // Only a path: a group's bare file name would start whatever program of that name the shell finds.
    const HTREEITEM file = SelectedFile();
    if (!file) return void(Say(txt::kNoFileToExecute));
    fw::ShellOpen(tree_.Text(file));
}

void ResultActions::ShowFolder() const {
    const HTREEITEM file = SelectedFile();
    if (!file) return void(Say(txt::kNoFileToShowFolder));
    fw::ShellOpen(FolderOf(tree_.Text(file)));
}

void ResultActions::ShowInformation() const {
    const HTREEITEM file = SelectedFile();
    if (!file) return void(Say(txt::kNoFileSelected));
    const std::wstring path = tree_.Text(file);
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
    // The ticks as shown: only duplicates at their places keep theirs.
    tree_.SyncTicks();

    // What would go, group by group; files of the program, its settings or
    // Windows and kept files are listed and never touched.
    LeftFiles passedOver;
    std::vector<std::vector<HTREEITEM>> going;
    for (const auto& group : tree_.Groups()) {
        auto& members = going.emplace_back();
        for (HTREEITEM item : group) {
            if (!tree_.Ticked(item)) continue;
            const std::wstring& path = tree_.Text(item);
            if (protectReadOnly && PowerClass::IsReadOnlyOrMissing(path)) continue;
            if (const bool kept = IsKept(path, kept_); kept || protected_.Covers(path)) {
                tree_.SetTicked(item, false);
                passedOver.Add(path, kept);
                continue;
            }
            members.push_back(item);
        }
        // The last copy of a content never goes with a bulk answer: every
        // member ticked is a question of its own, No its default.
        if (!members.empty() && members.size() == group.size()) {
            const std::wstring question = Filled(texts_.GetText(txt::kLastCopyQuestion),
                                                 {CountText(group.size()), NameOf(tree_.Text(group.front()))});
            if (fw::AskYesNo(owner_, question, texts_.GetText(txt::kMessageCaption), {}, true).button != IDYES) {
                tree_.SetTicked(members.front(), false);
                members.erase(members.begin());
            }
        }
    }
    std::vector<HTREEITEM> ticked;
    uint64_t tickedBytes = 0;
    for (const auto& members : going)
        for (HTREEITEM item : members) {
            ticked.push_back(item);
            tickedBytes += tree_.Facts(item)->size;
        }

    const int question = removal == Removal::Delete ? txt::kConfirmDelete : txt::kConfirmWipe;
    std::optional<int> forAll;  // the answer that serves the rest
    size_t removed = 0;
    uint64_t freed = 0;
    std::vector<std::wstring> left;
    size_t declined = 0;
    for (size_t i = 0; i < ticked.size(); ++i) {
        const HTREEITEM item = ticked[i];
        const std::wstring path = tree_.Text(item);
        const FileFacts facts = *tree_.Facts(item);
        tickedBytes -= facts.size;
        int answer = forAll.value_or(IDNO);
        if (!forAll) {
            const size_t others = ticked.size() - i - 1;
            std::wstring same;
            if (others > 0) same = Filled(texts_.GetText(txt::kSameForAll), {CountText(others), SizeText(tickedBytes, texts_)});
            const fw::Answer given =
                fw::AskYesNo(owner_, texts_.GetText(question) + L"\n\n" + path, texts_.GetText(txt::kMessageCaption), same, false);
            answer = given.button;
            if (given.forAll) forAll = answer;
        }
        if (answer != IDYES) {
            ++declined;
            continue;
        }
        // A file that stays keeps its item: unticked, it is not taken from the list below.
        // With one answer for all, what stayed is named once at the end instead.
        auto keep = [&](int textNumber) {
            tree_.SetTicked(item, false);
            if (forAll) left.push_back(path);
            else Say(texts_.GetText(textNumber) + L"\n\n" + path);
        };
        if (PowerClass::FileExists(path) && !IsAsSearched(path, facts)) {
            keep(txt::kFileChanged);
        } else if (removal == Removal::Delete) {
            if (!PowerClass::FileExists(path)) continue;
            PowerClass::DeleteFileOrRecycle(path, toRecycleBin, true);
            if (PowerClass::FileExists(path)) keep(txt::kDeleteFailed);
            else ++removed, freed += facts.size;
        } else if (PowerClass::WipeFile(path)) {
            ++removed, freed += facts.size;
            if (!forAll) Say(txt::kWipingFinished);
        } else {
            keep(txt::kWipeFailed);
        }
    }

    // The ticked items leave the list, also those declined or passed over, in one pass.
    {
        const ResultsTree::Batch batch(tree_);
        for (HTREEITEM item : tree_.FileItems())
            if (tree_.Ticked(item)) tree_.DeleteItem(item);
        for (HTREEITEM item : tree_.VisibleItems())
            if (tree.GetCheck(item)) tree.SetCheck(item, false);
    }
    std::wstring report;
    if (forAll) {
        // What stayed, declined or not, counted; what could not be removed named.
        report = Filled(texts_.GetText(txt::kRemovedCounts),
                        {CountText(removed), SizeText(freed, texts_), CountText(left.size() + declined)});
        for (size_t i = 0; i < left.size() && i < kNamedStayed; ++i) report += L"\n" + left[i];
        if (left.size() > kNamedStayed) report += L"\n...";
    }
    if (!passedOver.empty()) report += (report.empty() ? L"" : L"\n\n") + LeftReport(passedOver);
    if (!report.empty()) Say(report);
}

namespace {

int LinkReason(ActOutcome outcome) {
    switch (outcome) {
        case ActOutcome::Kept: return txt::kLinkKept;
        case ActOutcome::Protected: return txt::kLinkProtected;
        case ActOutcome::NoKeptCopy: return txt::kLinkNoKeptCopy;
        case ActOutcome::OtherVolume: return txt::kLinkOtherVolume;
        case ActOutcome::NotSupported: return txt::kLinkNotSupported;
        case ActOutcome::ReadOnly: return txt::kLinkReadOnly;
        case ActOutcome::NotEqual: return txt::kLinkNotEqual;
        case ActOutcome::KeptCopyChanged:
        case ActOutcome::Changed:
        case ActOutcome::Gone: return txt::kLinkChanged;
        default: return txt::kLinkFailed;
    }
}

}  // namespace

void ResultActions::LinkTicked() const {
    tree_.SyncTicks();
    size_t linked = 0;
    uint64_t freed = 0;
    std::vector<std::wstring> left;
    std::vector<HTREEITEM> done;
    ActRules rules;
    rules.action = GroupAction::Link;
    rules.protectedFolders = &protected_;
    rules.keptFolders = kept_;
    for (const auto& group : tree_.Groups()) {
        std::vector<ActMember> members;
        for (HTREEITEM item : group) members.push_back({tree_.Text(item), *tree_.Facts(item), tree_.Ticked(item)});
        for (const ActResult& r : ActOnGroup(members, rules)) {
            const ActMember& m = members[r.member];
            if (r.outcome != ActOutcome::Done) {
                left.push_back(m.path + L" (" + texts_.GetText(LinkReason(r.outcome)) + L")");
                continue;
            }
            ++linked;
            freed += m.facts.size;
            done.push_back(group[r.member]);
        }
    }
    {
        const ResultsTree::Batch batch(tree_);
        for (HTREEITEM item : done) tree_.SetItemText(item, texts_.GetText(txt::kLinkedEntry));
    }
    std::wstring report = Filled(texts_.GetText(txt::kLinkCounts), {CountText(linked), SizeText(freed, texts_), CountText(left.size())});
    for (size_t i = 0; i < left.size() && i < kNamedStayed; ++i) report += L"\n" + left[i];
    if (left.size() > kNamedStayed) report += L"\n...";
    Say(report);
}

void ResultActions::DeleteAllDuplicates(const std::wstring& copyPath,
                                        const std::function<ProgressSink*()>& showProgress) const {
    const std::wstring question = texts_.GetText(txt::kMoveAllExplained) + L"\n\n" +
                                  texts_.GetText(txt::kMoveAllConfirm) + L"\n\n" + copyPath;
    if (Say(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    const std::wstring target = StoredFolder(copyPath);
    // Where each file came from is written down before the first one goes.
    RestoreListWriter restoreList;
    if (!restoreList.Create(target)) return void(Say(Fill(texts_.GetText(txt::kRestoreListNotWritten), 0, 0, target)));

    // The files as the search keeps them: no walk through the control.
    const std::vector<HTREEITEM> items = tree_.FileItems();
    ProgressSink* progress = showProgress ? showProgress() : nullptr;
    if (progress) {
        progress->SetStatusText(texts_.GetText(txt::kMovingFiles));
        progress->SetBarRange(0, static_cast<int>(std::min<size_t>(items.size(), INT_MAX)));
    }
    std::vector<HTREEITEM> movedItems;
    std::vector<std::wstring> stayed;
    LeftFiles passedOver;
    for (size_t i = 0; i < items.size(); ++i) {
        const HTREEITEM item = items[i];
        const std::wstring path = tree_.Text(item);
        // Files moved already keep their facts but no longer their path.
        if (!IsFileItem(path)) continue;
        if (progress) {
            progress->SetBarPos(static_cast<int>(i));
            progress->SetCurrentText(path);
            progress->KeepAlive();
            // Cancel: what is not moved yet stays where it is.
            if (progress->CancelRequested()) {
                stayed.push_back(path);
                continue;
            }
        }
        const FileFacts& facts = *tree_.Facts(item);
        if (const bool kept = IsKept(path, kept_); kept || protected_.Covers(path)) {
            passedOver.Add(path, kept);
            continue;
        }
        auto record = [&](const std::wstring& name) {
            return restoreList.Record({path, name, facts.size, facts.lastWrite});
        };
        if (PowerClass::FileExists(path) && IsAsSearched(path, facts) && MoveIntoFolder(path, target, record))
            movedItems.push_back(item);
        else
            stayed.push_back(path);
    }
    // The tree changes once, in one pass.
    {
        const ResultsTree::Batch batch(tree_);
        for (HTREEITEM item : movedItems) tree_.SetItemText(item, texts_.GetText(txt::kMovedEntry));
    }
    const size_t moved = movedItems.size();
    std::wstring report = texts_.GetText(stayed.empty() && passedOver.empty() ? txt::kAllMoved : txt::kMoveIncomplete) + L"\n\n" +
                          texts_.GetText(txt::kMovedToFolder) + L"\n\n" + target + L"\n\n" +
                          Fill(texts_.GetText(txt::kMoveCounts), moved, stayed.size());
    for (size_t i = 0; i < stayed.size() && i < kNamedStayed; ++i) report += L"\n" + stayed[i];
    if (stayed.size() > kNamedStayed) report += L"\n...";
    if (!passedOver.empty()) report += L"\n\n" + LeftReport(passedOver);
    Say(report);
}

void ResultActions::PutBackMovedFiles(const std::wstring& copyPath) const {
    fw::FileDialogRequest request;
    request.filter = texts_.GetText(txt::kRestoreListFilter) + L"|*.csv||";
    request.defaultExtension = L"csv";
    request.initialFolder = StoredFolder(copyPath);
    request.flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    const std::vector<std::wstring> chosen = fw::ShowFileDialog(owner_, request);
    if (chosen.empty()) return;
    const std::wstring& listPath = chosen.front();
    const auto entries = ReadRestoreList(listPath);
    if (!entries) return void(Say(Fill(texts_.GetText(txt::kRestoreListUnreadable), 0, 0, listPath)));

    const std::wstring folder = FolderOf(listPath);
    std::vector<RestoreEntry> left;
    std::vector<std::wstring> notBack;
    size_t back = 0;
    for (const RestoreEntry& entry : *entries) {
        const PutBackOutcome outcome = PutBack(folder, entry, protected_);
        if (outcome == PutBackOutcome::Done) {
            ++back;
            continue;
        }
        left.push_back(entry);
        const int reason = outcome == PutBackOutcome::PlaceTaken ? txt::kPutBackPlaceTaken
                           : outcome == PutBackOutcome::Changed  ? txt::kPutBackChanged
                           : outcome == PutBackOutcome::Missing  ? txt::kPutBackMissing
                           : outcome == PutBackOutcome::Protected ? txt::kPutBackProtected
                                                                  : txt::kPutBackFailed;
        notBack.push_back(entry.original + L" (" + texts_.GetText(reason) + L")");
    }
    // What went back leaves the list; what could not stays in it for another try.
    RewriteRestoreList(listPath, left);
    std::wstring report = Fill(texts_.GetText(txt::kPutBackCounts), back, notBack.size());
    for (size_t i = 0; i < notBack.size() && i < kNamedStayed; ++i) report += L"\n" + notBack[i];
    if (notBack.size() > kNamedStayed) report += L"\n...";
    Say(report);
}

std::wstring StoredFolder(const std::wstring& storedPath) {
    std::wstring folder = storedPath;
    for (size_t at; (at = folder.find(L"\\...")) != std::wstring::npos;) folder.erase(at, 4);
    return folder;
}
