// The result actions on real files, in a real tree filled by a real search.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "common/PowerClass.h"
#include "framework/Paths.h"
#include "framework/TextFile.h"
#include "framework/Ui.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/TestSupport.h"
#include "varnholt/app/Figures.h"
#include "varnholt/app/ResultActions.h"
#include "varnholt/app/ResultsTree.h"
#include "varnholt/app/ResultsWriter.h"
#include "varnholt/engine/DuplicateSearch.h"
#include "varnholt/engine/TextNumbers.h"

using namespace engine_test;
using namespace testing_support;

namespace {

std::wstring Said(int number) { return NumberTexts().GetText(number); }

// Texts whose marks show what was put in: "<1385> 4|3.9 KB|0".
struct MarkedTexts : NumberTexts {
    std::wstring GetText(int number) const override {
        for (int marked : {txt::kLastCopyQuestion, txt::kSameForAll, txt::kRemovedCounts, txt::kLinkCounts})
            if (number == marked) return NumberTexts::GetText(number) + L" %1|%2|%3";
        return NumberTexts::GetText(number);
    }
};
std::wstring Marked(int number, const std::wstring& values) { return Said(number) + L" " + values; }

// A tree control with check boxes in a window of its own, filled by a search of a folder.
class Results {
public:
    explicit Results(const std::wstring& folder, const std::wstring& criteria = L"01000010") {
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&init);
        host_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
        HWND control = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_SHOWSELALWAYS,
                                       0, 0, 600, 400, host_, nullptr, nullptr, nullptr);
        // Check boxes are asked for once the control exists.
        SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | TVS_CHECKBOXES);
        tree.Attach(control);
        settings = MakeSettings(criteria);
        settings.categoryBounds = {1000000, 2000000, 3000000, 4000000, 5000000, 6000000};
        settings.categoryLabels = {L"L1", L"L2", L"L3", L"L4", L"L5", L"L6"};
        FileContentSource content;
        FakeProgress progress;
        DuplicateSearch search(settings, texts, progress, tree, content);
        DuplicateResults results;
        search.Begin(results);
        search.Collect(folder + L"\\...");
        search.Compare(results);
        tree.CollapseHeadings();
    }
    ~Results() { DestroyWindow(host_); }

    const fw::TreeView& view() const { return tree.Tree(); }
    ResultActions actions() { return ResultActions(host_, tree, texts, protectedFolders); }
    HTREEITEM Find(const std::wstring& text) const {
        for (HTREEITEM item : tree.ExpandEvery())
            if (view().GetItemText(item) == text) return item;
        return nullptr;
    }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> out;
        for (HTREEITEM item : tree.ExpandEvery()) out.push_back(view().GetItemText(item));
        return out;
    }
    bool Listed(const std::wstring& text) const { return Find(text) != nullptr; }
    void Tick(const std::wstring& text) const { view().SetCheck(Find(text), true); }
    void Select(const std::wstring& text) const { view().SelectItem(Find(text)); }

    ResultsTree tree;
    SearchSettings settings;
    NumberTexts texts;
    ProtectedFolders protectedFolders;

private:
    HWND host_ = nullptr;
};

// Rewrites a file with other bytes of the same length and a later time.
void ChangeInPlace(const std::wstring& path) {
    const std::string bytes = ReadBytes(path);
    Sleep(20);
    WriteBytes(path, std::string(bytes.size(), 'x'));
    const FILETIME later = UtcFileTime(2031, 1, 1);
    SetFileTimes(path, &later, nullptr);
}

}  // namespace

// The Part's cases: ticks on a group delete nothing, No keeps the file but not
// its item, nothing selected says so, protection follows its box, a file
// changed since the search stays with its item.
TEST(ResultActions, DeleteCheckedFiles) {
    struct Case {
        const char* what;
        bool tickGroup, tickFile, select, protect, readOnly, change;
        int answer;
        std::vector<int> said;  // messages, in order; 0 stands for the question
        bool fileStays, itemStays;
    } cases[] = {
        {"group ticked", true, false, true, false, false, false, IDYES, {}, true, true},
        {"No", false, true, true, false, false, false, IDNO, {0}, true, false},
        {"Yes", false, true, true, false, false, false, IDYES, {0}, false, false},
        {"nothing selected", false, true, false, false, false, false, IDYES, {txt::kNoFilesToRemove}, true, true},
        {"read-only, protected", false, true, true, true, true, false, IDYES, {}, true, false},
        {"read-only, offered", false, true, true, false, true, false, IDNO, {0}, true, false},
        {"changed since the search", false, true, true, false, false, true, IDYES, {0, txt::kFileChanged}, true, true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::wstring a = dir.Write(L"a.txt", "same"), b = dir.Write(L"b.txt", "same");
        Results results(dir.path());
        if (c.readOnly) SetFileAttributesW(a.c_str(), FILE_ATTRIBUTE_READONLY);
        if (c.change) ChangeInPlace(a);
        if (c.tickGroup) results.Tick(L"a.txt");
        if (c.tickFile) results.Tick(a);
        if (c.select) results.Select(b);
        MessageBoxRecorder boxes(c.answer);
        results.actions().DeleteChecked(false, c.protect);
        std::vector<int> said;
        for (const auto& asked : boxes.asked)
            said.push_back(asked.text == Said(txt::kConfirmDelete) + L"\n\n" + a ? 0 : std::stoi(asked.text.substr(1)));
        EXPECT_EQ(said, c.said) << c.what;
        EXPECT_EQ(Exists(a), c.fileStays) << c.what;
        EXPECT_EQ(results.Listed(a), c.itemStays) << c.what;
        EXPECT_TRUE(Exists(b) && results.Listed(b) && results.Listed(L"a.txt")) << c.what;
        if (c.tickGroup) {
            EXPECT_FALSE(results.view().GetCheck(results.Find(L"a.txt"))) << c.what;
        }
        SetFileAttributesW(a.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(ResultActions, WipeSaysFinishedOnlyWhenTheFileIsGone) {
    TempDir dir;
    const std::wstring a = dir.Write(L"a.bin", std::string(2500, 'w')), b = dir.Write(L"b.bin", std::string(2500, 'w'));
    const std::wstring c = dir.Write(L"c.bin", std::string(99, 'k')), d = dir.Write(L"d.bin", std::string(99, 'k'));
    Results results(dir.path());
    // A second name makes the wipe refuse: its data is not this path's alone.
    if (!CreateHardLinkW((dir / L"other name").c_str(), c.c_str(), nullptr)) GTEST_SKIP() << "no hard links here";
    results.Tick(a);
    results.Tick(c);
    results.Select(b);
    MessageBoxRecorder boxes(IDYES);
    results.actions().WipeChecked(false);
    std::vector<std::wstring> said;
    for (const auto& asked : boxes.asked) said.push_back(asked.text);
    EXPECT_EQ(said, (std::vector<std::wstring>{Said(txt::kConfirmWipe) + L"\n\n" + a, Said(txt::kWipingFinished),
                                               Said(txt::kConfirmWipe) + L"\n\n" + c,
                                               Said(txt::kWipeFailed) + L"\n\n" + c}));
    EXPECT_FALSE(Exists(a));
    EXPECT_FALSE(results.Listed(a));
    EXPECT_EQ(ReadBytes(c), std::string(99, 'k'));
    EXPECT_TRUE(results.Listed(c));
}

TEST(ResultActions, OpenShowFolderAndInformationTakeOnlyAFile) {
    TempDir dir;
    const std::wstring a = dir.Write(L"a.bin", std::string(1023, 'i')), b = dir.Write(L"b.bin", std::string(1023, 'i'));
    Results results(dir.path());
    ShellOpenRecorder shell;
    MessageBoxRecorder boxes;
    // A group's bare file name would start whatever program of that name the shell finds.
    results.Select(L"a.bin");
    results.actions().ExecuteFile();
    results.actions().ShowFolder();
    results.actions().ShowInformation();
    EXPECT_TRUE(shell.opened.empty());
    ASSERT_EQ(boxes.asked.size(), 3u);
    EXPECT_EQ(boxes.asked[0].text, Said(txt::kNoFileToExecute));
    EXPECT_EQ(boxes.asked[1].text, Said(txt::kNoFileToShowFolder));

    results.Select(b);
    results.actions().ExecuteFile();
    results.actions().ShowFolder();
    results.actions().ShowInformation();
    EXPECT_EQ(shell.opened, (std::vector<std::wstring>{b, dir.path()}));
    ASSERT_EQ(boxes.asked.size(), 4u);
    EXPECT_EQ(boxes.asked[2].text, Said(txt::kNoFileSelected));
    EXPECT_TRUE(boxes.asked[3].text.starts_with(Said(txt::kInfoFileName) + L": b.bin\n" + Said(txt::kInfoFolder) +
                                                L": " + dir.path() + L"\\\n\n"));
    EXPECT_TRUE(boxes.asked[3].text.ends_with(L"\n\n" + Said(txt::kInfoSize) + L": 0 KB"));
}

// Every file item goes into the folder for duplicate copies, and no file is
// lost: names already there are kept, two members named alike both arrive, a
// file changed since the search stays where it was with its item.
TEST(ResultActions, DeleteAllDuplicatesMovesEveryFileAndLosesNone) {
    TempDir dir;
    const std::wstring target = dir / L"Backup";
    CreateDirectoryW(target.c_str(), nullptr);
    WriteBytes(target + L"\\same.txt", "kept as it was");
    CreateDirectoryW((dir / L"x").c_str(), nullptr);
    CreateDirectoryW((dir / L"y").c_str(), nullptr);
    const std::wstring x = dir.Write(L"x\\same.txt", "dup"), y = dir.Write(L"y\\same.txt", "dup");
    const std::wstring p = dir.Write(L"x\\p.txt", "pair!"), q = dir.Write(L"y\\q.txt", "pair!");
    Results results(dir.path() + L"\\x\\...;" + dir.path() + L"\\y");  // a path list; the last "\\..." is added
    ChangeInPlace(q);

    MessageBoxRecorder boxes(IDYES);
    results.actions().DeleteAllDuplicates(target + L"\\...");
    EXPECT_EQ(ReadBytes(target + L"\\same.txt"), "kept as it was");
    EXPECT_EQ(ReadBytes(target + L"\\same (2).txt"), "dup");
    EXPECT_EQ(ReadBytes(target + L"\\same (3).txt"), "dup");
    EXPECT_EQ(ReadBytes(target + L"\\p.txt"), "pair!");
    EXPECT_FALSE(Exists(x) || Exists(y) || Exists(p));
    EXPECT_EQ(ReadBytes(q), "xxxxx");
    const auto texts = results.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), Said(txt::kMovedEntry)), 3);
    EXPECT_TRUE(results.Listed(q));
    ASSERT_EQ(boxes.asked.size(), 2u);
    EXPECT_EQ(boxes.asked[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.asked[1].text, Said(txt::kMoveIncomplete) + L"\n\n" + Said(txt::kMovedToFolder) + L"\n\n" + target +
                                       L"\n\n" + Said(txt::kMoveCounts) + L"\n" + q);
}

// A folder below `dir` at a path of more than 300 characters.
std::wstring DeepFolder(const TempDir& dir) {
    std::wstring folder = dir.path();
    while (folder.size() < 300) folder += L"\\" + std::wstring(40, L'd');
    fw::CreateFolders(folder);
    return folder;
}

// Every member leaves its place with a record, and Put moved files back returns
// each to its place byte for byte, long paths and odd names among them; what
// cannot go back stays in the folder and in the list.
TEST(ResultActions, DeleteAllDuplicatesThenPutBackReturnsEveryFile) {
    enum Before { Nothing, PlaceTaken, CopyChanged, ListCutShort };
    for (Before before : {Nothing, PlaceTaken, CopyChanged, ListCutShort}) {
        SCOPED_TRACE(before);
        TempDir dir;
        for (const wchar_t* sub : {L"x", L"y", L"odd"}) CreateDirectoryW((dir / sub).c_str(), nullptr);
        const std::vector<std::wstring> files = {dir.Write(L"x\\same.txt", "dup!"), dir.Write(L"y\\same.txt", "dup!"),
                                                 dir.Write(L"odd\\dot.", "dup!"), dir.Write(L"odd\\space ", "dup!"),
                                                 DeepFolder(dir) + L"\\same.txt"};
        WriteBytes(files.back(), "dup!");
        Results results(dir.path(), L"01000010");
        const std::wstring target = dir / L"Backup";
        MessageBoxRecorder boxes(IDYES);
        results.actions().DeleteAllDuplicates(target + L"\\...");
        for (const auto& f : files) EXPECT_FALSE(Exists(f)) << Narrow(f);
        EXPECT_EQ(boxes.asked.back().text.substr(0, Said(txt::kAllMoved).size()), Said(txt::kAllMoved));

        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((target + L"\\*.csv").c_str(), &found);
        ASSERT_NE(find, INVALID_HANDLE_VALUE);
        FindClose(find);
        const std::wstring list = target + L"\\" + found.cFileName;
        std::wstring stays;  // the one file left in the folder for duplicate copies
        if (before == PlaceTaken) {
            WriteBytes(files[0], "new one");
            stays = files[0];
        } else if (before == CopyChanged) {
            WriteBytes(target + L"\\dot.", "dup?");
            stays = files[2];
        } else if (before == ListCutShort) {
            // As a crash while the last record was written leaves it.
            const std::string bytes = ReadBytes(list);
            stays = ReadRestoreList(list)->back().original;
            WriteBytes(list, bytes.substr(0, bytes.size() - 10));
        }
        fw::hooks::fileDialog = [&](const fw::FileDialogRequest& request) {
            EXPECT_EQ(request.initialFolder, target);
            return std::vector<std::wstring>{list};
        };
        results.actions().PutBackMovedFiles(target + L"\\...");
        fw::hooks::fileDialog = nullptr;
        for (const auto& f : files)
            if (f != stays) {
                EXPECT_EQ(ReadBytes(f), "dup!") << Narrow(f);
            }
        const std::wstring report = boxes.asked.back().text;
        EXPECT_TRUE(report.starts_with(L"<1235>")) << Narrow(report);
        // What could not go back stays in the list for another try; an empty list goes.
        const auto left = ReadRestoreList(list);
        if (before == PlaceTaken) {
            EXPECT_EQ(ReadBytes(files[0]), "new one");
            EXPECT_NE(report.find(files[0] + L" (" + Said(txt::kPutBackPlaceTaken) + L")"), std::wstring::npos);
        }
        if (before == CopyChanged) {
            EXPECT_NE(report.find(files[2] + L" (" + Said(txt::kPutBackChanged) + L")"), std::wstring::npos);
        }
        EXPECT_EQ(left ? left->size() : 0u, stays.empty() || before == ListCutShort ? 0u : 1u);
        EXPECT_EQ(Exists(list), before == PlaceTaken || before == CopyChanged);
    }
}

// Deleting, wiping and saving reach files at long paths and under names that
// end in a dot or a space.
TEST(ResultActions, LongPathsAndOddNamesAreDeletedWipedAndSavedTo) {
    for (bool wipe : {false, true}) {
        TempDir dir;
        CreateDirectoryW((dir / L"odd").c_str(), nullptr);
        const std::wstring deep = DeepFolder(dir) + L"\\same.txt";
        const std::vector<std::wstring> files = {dir.Write(L"odd\\dot.", "dup!"), dir.Write(L"odd\\space ", "dup!"), deep};
        WriteBytes(deep, "dup!");
        dir.Write(L"kept.txt", "dup!");
        Results results(dir.path(), L"01000010");
        for (const auto& f : files) results.Tick(f);
        results.Select(deep);
        MessageBoxRecorder boxes(IDYES);
        if (wipe) results.actions().WipeChecked(false);
        else results.actions().DeleteChecked(false, false);
        for (const auto& f : files) EXPECT_FALSE(Exists(f)) << Narrow(f) << " wipe " << wipe;
    }
    TempDir dir;
    dir.Write(L"a.txt", "same");
    dir.Write(L"b.txt", "same");
    Results results(dir.path(), L"01000000");
    PowerClass store;
    const std::wstring saved = DeepFolder(dir) + L"\\saved list.";
    fw::hooks::fileDialog = [&](const fw::FileDialogRequest&) { return std::vector<std::wstring>{saved}; };
    MessageBoxRecorder boxes;
    ResultsWriter(nullptr, results.tree, results.texts, results.settings, store).Save();
    fw::hooks::fileDialog = nullptr;
    EXPECT_NE(ReadBytes(saved).find("\r\na.txt\r\n"), std::string::npos);
}

// Files of the program, its settings or Windows are listed but never deleted,
// wiped or moved; the user is told how many were left.
TEST(ResultActions, ProtectedFilesAreListedButNeverActedOn) {
    enum Action { Delete, Wipe, MoveAll };
    for (Action action : {Delete, Wipe, MoveAll}) {
        SCOPED_TRACE(action);
        TempDir dir;
        CreateDirectoryW((dir / L"program").c_str(), nullptr);
        CreateDirectoryW((dir / L"user").c_str(), nullptr);
        const std::wstring mine = dir.Write(L"program\\config.ini", "same"), theirs = dir.Write(L"user\\c.ini", "same");
        Results results(dir.path(), L"01000010");
        results.protectedFolders = ProtectedFolders({dir / L"program"});
        results.Tick(mine);
        results.Tick(theirs);
        results.Select(theirs);
        MessageBoxRecorder boxes(IDYES);
        if (action == Delete) results.actions().DeleteChecked(false, false);
        if (action == Wipe) results.actions().WipeChecked(false);
        if (action == MoveAll) results.actions().DeleteAllDuplicates(dir / L"Backup\\...");
        EXPECT_EQ(ReadBytes(mine), "same");
        EXPECT_FALSE(Exists(theirs));
        EXPECT_TRUE(results.Listed(mine));
        for (const auto& asked : boxes.asked) EXPECT_EQ(asked.text.find(L"\n\n" + mine), std::wstring::npos);
        EXPECT_NE(boxes.asked.back().text.find(L"<1220>\n" + mine), std::wstring::npos);
    }
}

// The results the tree keeps follow every change of its control, so that what
// is saved is what is shown; a Cancel during Delete all duplicates leaves the
// rest where it is, and the restore list holds exactly what moved.
TEST(ResultActions, KeptResultsFollowTheTreeAndCancelStopsTheMoves) {
    TempDir dir;
    for (int i = 0; i < 6; ++i) dir.Write(L"f" + std::to_wstring(i) + L".txt", "same");
    dir.Write(L"g1.txt", "other");
    dir.Write(L"g2.txt", "other");
    Results results(dir.path(), L"01000010");
    // Texts() walks and expands the control itself.
    results.Tick(dir / L"f1.txt");
    results.Select(dir / L"f2.txt");
    MessageBoxRecorder boxes(IDYES);
    results.actions().DeleteChecked(false, false);
    EXPECT_EQ(results.tree.TextsInOrder(), results.Texts());

    struct CancelAfter : engine_test::FakeProgress {
        int allowed = 3;
        bool CancelRequested() const override { return keepAlives > allowed; }
    } progress;
    results.actions().DeleteAllDuplicates(dir / L"Backup\\...", [&] { return &progress; });
    const auto texts = results.Texts();
    EXPECT_EQ(results.tree.TextsInOrder(), texts);
    const auto moved = std::count(texts.begin(), texts.end(), Said(txt::kMovedEntry));
    EXPECT_EQ(moved, 3);
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((dir / L"Backup\\*.csv").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    EXPECT_EQ(ReadRestoreList(dir / (L"Backup\\" + std::wstring(found.cFileName)))->size(), 3u);
    EXPECT_EQ(progress.status, Said(txt::kMovingFiles));
}

// One answer serves every ticked file, but a group of which every copy would
// go is asked for on its own first, No its default; kept files never go.
TEST(ResultActions, OneAnswerForAllNeverTakesTheLastCopy) {
    for (bool wipe : {false, true})
        for (int lastCopy : {IDNO, IDYES}) {
            SCOPED_TRACE(testing::Message() << (wipe ? "wipe" : "delete") << ", last copy " << lastCopy);
            TempDir dir;
            for (const wchar_t* sub : {L"a", L"b", L"kept"}) CreateDirectoryW((dir / sub).c_str(), nullptr);
            const std::vector<std::wstring> a = {dir.Write(L"a\\1.txt", "aaaa"), dir.Write(L"a\\2.txt", "aaaa"),
                                                 dir.Write(L"a\\3.txt", "aaaa")};
            const std::wstring b1 = dir.Write(L"b\\1.bin", std::string(2000, 'b'));
            const std::wstring b2 = dir.Write(L"b\\2.bin", std::string(2000, 'b'));
            const std::wstring kept = dir.Write(L"kept\\3.bin", std::string(2000, 'b'));
            Results results(dir.path(), L"01000010");
            const MarkedTexts texts;
            ResultActions actions(nullptr, results.tree, texts, {}, {dir / L"kept"});
            for (const auto& f : a) results.Tick(f);
            for (const auto& f : {b1, b2, kept}) results.Tick(f);
            results.Select(b1);
            MessageBoxRecorder boxes(IDYES, true);
            boxes.answerFor = [&](const std::wstring& text) -> std::optional<fw::Answer> {
                if (text.starts_with(Said(txt::kLastCopyQuestion))) return fw::Answer{lastCopy, false};
                return std::nullopt;
            };
            if (wipe) actions.WipeChecked(false);
            else actions.DeleteChecked(false, false);
            // The group of a: its own question, No as default; then one question for the rest.
            // The others and their size: four bytes for each file of a, 2000 for each of b.
            const size_t going = lastCopy == IDYES ? 5 : 4;
            const uint64_t bytes = 4 * (going - 2) + 4000;
            ASSERT_GE(boxes.asked.size(), 3u);
            EXPECT_EQ(boxes.asked[0].text, Marked(txt::kLastCopyQuestion, L"3|1.txt|%3"));
            EXPECT_EQ(boxes.asked[0].type & MB_DEFBUTTON2, static_cast<UINT>(MB_DEFBUTTON2));
            EXPECT_TRUE(boxes.asked[1].text.starts_with(Said(wipe ? txt::kConfirmWipe : txt::kConfirmDelete)));
            EXPECT_EQ(boxes.asked[1].forAllText,
                      Marked(txt::kSameForAll, std::to_wstring(going - 1) + L"|" + SizeText(bytes - 4, texts) + L"|%3"));
            EXPECT_TRUE(boxes.asked[2].text.starts_with(Marked(
                txt::kRemovedCounts, std::to_wstring(going) + L"|" + SizeText(bytes, texts) + L"|0")))
                << Narrow(boxes.asked[2].text);
            // The kept file is said to be left for that reason, not as protected.
            EXPECT_NE(boxes.asked[2].text.find(Said(txt::kKeptLeft) + L"\n" + kept), std::wstring::npos);
            EXPECT_EQ(boxes.asked[2].text.find(Said(txt::kProtectedLeft)), std::wstring::npos);
            EXPECT_EQ(Exists(a[0]), lastCopy == IDNO);
            EXPECT_FALSE(Exists(a[1]) || Exists(a[2]) || Exists(b1) || Exists(b2));
            EXPECT_EQ(ReadBytes(kept), std::string(2000, 'b'));
        }
    // No for all: nothing goes, and the summary counts the files as left.
    TempDir dir;
    const std::wstring a = dir.Write(L"a.txt", "aaaa"), b = dir.Write(L"b.txt", "aaaa"), c = dir.Write(L"c.txt", "aaaa");
    Results results(dir.path(), L"01000010");
    const MarkedTexts texts;
    results.Tick(b), results.Tick(c), results.Select(b);
    MessageBoxRecorder boxes(IDNO, true);
    ResultActions(nullptr, results.tree, texts, {}).DeleteChecked(false, false);
    ASSERT_EQ(boxes.asked.size(), 2u);
    EXPECT_EQ(boxes.asked[1].text, Marked(txt::kRemovedCounts, L"0|" + SizeText(0, texts) + L"|2"));
    EXPECT_TRUE(Exists(a) && Exists(b) && Exists(c));
}

// A ticked member becomes a link to the group's first unticked member, when it
// is unchanged, on the same volume and still equal; a failure between making
// the link and the rename leaves the member as it was.
TEST(ResultActions, LinksReplaceTickedCopiesAndLeaveTheRest) {
    TempDir dir;
    const std::wstring content(5000, 'k');
    const std::wstring keeper = dir.Write(L"a-kept.bin", std::string(content.begin(), content.end()));
    const std::wstring linked = dir.Write(L"b-linked.bin", std::string(content.begin(), content.end()));
    const std::wstring changed = dir.Write(L"c-changed.bin", std::string(content.begin(), content.end()));
    const std::wstring held = dir.Write(L"d-held.bin", std::string(content.begin(), content.end()));
    Results results(dir.path(), L"01000010");
    for (const auto& f : {linked, changed, held}) results.Tick(f);
    ChangeInPlace(changed);
    // Open without sharing its deletion: the rename over it fails.
    HANDLE hold = CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);
    MessageBoxRecorder boxes;
    const MarkedTexts texts;
    ResultActions(nullptr, results.tree, texts, {}).LinkTicked();
    CloseHandle(hold);
    auto id = [](const std::wstring& path) {
        BY_HANDLE_FILE_INFORMATION info = {};
        HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        GetFileInformationByHandle(h, &info);
        CloseHandle(h);
        return (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    };
    EXPECT_EQ(id(linked), id(keeper));
    EXPECT_EQ(ReadBytes(linked), ReadBytes(keeper));
    EXPECT_NE(id(changed), id(keeper));
    EXPECT_EQ(ReadBytes(changed), std::string(5000, 'x'));
    EXPECT_NE(id(held), id(keeper));
    EXPECT_EQ(ReadBytes(held), std::string(content.begin(), content.end()));
    ASSERT_EQ(boxes.asked.size(), 1u);
    const std::wstring report = boxes.asked[0].text;
    EXPECT_TRUE(report.starts_with(Marked(txt::kLinkCounts, L"1|" + SizeText(5000, texts) + L"|2")));
    EXPECT_NE(report.find(changed + L" (" + Said(txt::kLinkChanged) + L")"), std::wstring::npos);
    EXPECT_NE(report.find(held + L" (" + Said(txt::kLinkFailed) + L")"), std::wstring::npos);
    EXPECT_TRUE(results.Listed(Said(txt::kLinkedEntry)));
    // No temporary link is left beside the member.
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((dir / L"*.link").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

// Across volumes the file is copied, compared and only then removed. A second
// file system is found below Z:\dev\shm where the machine has one.
TEST(ResultActions, MoveAcrossVolumesKeepsTheBytes) {
    TempDir dir;
    const std::wstring source = dir.Write(L"far.bin", std::string(300000, 'f'));
    const std::wstring other = L"Z:\\dev\\shm\\varnholt-move-" + std::to_wstring(GetCurrentProcessId());
    if (GetFileAttributesW(L"Z:\\dev\\shm") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no second file system here";
    EXPECT_TRUE(MoveIntoFolder(source, other));
    EXPECT_FALSE(Exists(source));
    EXPECT_EQ(ReadBytes(other + L"\\far.bin"), std::string(300000, 'f'));
    RemoveTree(other);
}

TEST(ResultsWriter, SavedEditedAndPrintedText) {
    TempDir dir;
    const std::wstring a = dir.Write(L"a.txt", "same"), b = dir.Write(L"b.txt", "same");
    Results results(dir.path(), L"01000000");
    PowerClass store;
    store.DataFolder = dir.path();
    // "<190>" cannot stand in a file name.
    struct Texts : NumberTexts {
        std::wstring GetText(int number) const override {
            return number == txt::kResultsFileName ? L"Duplicates" : NumberTexts::GetText(number);
        }
    } texts;
    ResultsWriter writer(nullptr, results.tree, texts, results.settings, store);

    const std::wstring saved = dir / L"saved.txt";
    fw::hooks::fileDialog = [&](const fw::FileDialogRequest& request) {
        EXPECT_TRUE(request.save && request.fileName.starts_with(L"Duplicates 20"));
        return std::vector<std::wstring>{saved};
    };
    MessageBoxRecorder boxes;
    writer.Save();
    fw::hooks::fileDialog = nullptr;
    std::string expected = "Quorvexsoft Varnholt - Saved Results List\r\n" + std::string(47, '=') +
                           "\r\n\r\n<470>\r\n\r\n- <85>\r\n\r\n---\r\n\r\n<935> L1, 1 groups.\r\n\r\na.txt\r\n\r\n" +
                           fw::EncodeText(a) + "\r\n" + fw::EncodeText(b) + "\r\n";
    for (int c = 1; c < 6; ++c)
        expected += "\r\n---\r\n\r\n<940> L" + std::to_string(c) + " <945> L" + std::to_string(c + 1) + ", 0 groups.\r\n";
    expected += "\r\n---\r\n\r\n<930> L6, 0 groups.\r\n";
    EXPECT_EQ(ReadBytes(saved), expected);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, Said(txt::kResultsSaved));

    // Edit: no dialog; the program folder, or the configuration folder where that cannot be written.
    ShellOpenRecorder shell;
    for (const std::wstring& programFolder : {dir / L"program", dir / L"no such folder"}) {
        CreateDirectoryW((dir / L"program").c_str(), nullptr);
        PowerClass::SetProgramFolderForTests(programFolder);
        writer.Edit();
        PowerClass::SetProgramFolderForTests(L"");
        ASSERT_FALSE(shell.opened.empty());
        const std::wstring opened = shell.opened.back();
        EXPECT_TRUE(opened.starts_with((programFolder == dir / L"program" ? programFolder : dir.path()) + L"\\"));
        EXPECT_EQ(ReadBytes(opened), expected.substr(expected.find("<470>")));
    }

    const auto lines = writer.PrintLines();
    const std::vector<std::wstring> start = {L"<470>", L" ", L"- <85>", L" ",  L"",    L"---", L"", L"<935> L1, 1 groups.",
                                             L" ",     L"",  L"a.txt",  L"", L" ", a,      L" ", b};
    ASSERT_GT(lines.size(), start.size());
    EXPECT_TRUE(std::equal(start.begin(), start.end(), lines.begin()));
    EXPECT_EQ(lines[lines.size() - 3], Said(txt::kPrintedWith));
    EXPECT_TRUE(lines.back().starts_with(Said(txt::kPrintDate) + L" 20"));
}
