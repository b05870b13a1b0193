#pragma once
// Varnholt's main window: restores and translates itself, lays out its controls,
// dispatches its menu and buttons, runs a search and saves what must persist
// when it closes, however it closes.
#include <array>
#include <functional>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/PowerClass.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "resources/varnholt/resource.h"
#include "varnholt/app/Progress.h"
#include "varnholt/app/ResultActions.h"
#include "varnholt/app/ResultsWriter.h"
#include "varnholt/app/ResultsTree.h"
#include "varnholt/app/StartDialog.h"
#include "varnholt/app/WindowTexts.h"
#include "varnholt/engine/ContentCache.h"
#include "varnholt/engine/Crc32.h"
#include "varnholt/engine/DuplicateSearch.h"
#include "varnholt/engine/SearchSettings.h"
#include "varnholt/engine/Selection.h"

class CVarnholtDlg : public fw::Dialog {
public:
    CVarnholtDlg();
    ~CVarnholtDlg() override;

    // State for tests of the window.
    bool ResultsShown() const { return resultsShown_; }
    bool Searching() const { return searching_; }
    const SearchSettings& Settings() const { return settings_; }
    const std::wstring& SearchPathText() const { return searchPathText_; }
    const CProgress& Progress() const { return progress_; }
    const CStartDialog& StartPanel() const { return start_; }

    static constexpr const wchar_t* kSuiteKey = L"Software\\Quorvex\\Quorvexsoft Brisvane";

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
    void OnSize(UINT type, int width, int height) override;
    void OnClose() override;
    void OnOK() override;
    void OnCancel() override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result) override;
    LRESULT OnNotify(NMHDR* header) override;
    // The search itself, on the window's thread; tests put one that fails in its place.
    virtual void Search();

private:
    void Initialise();
    void TranslateMenu();
    void CreateTooltips();
    void SetControlTexts();
    void ResolveSettings();
    void PrepareCopyPath();
    void LoadOnce();
    void Layout();
    int StatusBarHeight() const;

    void Browse();
    void AddFolder();
    void StartSearch();
    // Ticks: the rules, the kept folders, and the count in the status bar.
    void ApplyRule(const std::function<void(SelectionGroup&)>& rule);
    bool IsKeptItem(HTREEITEM item) const;
    void TickTurned(HTREEITEM item);
    void MarkKept();
    void AddKeptFolder();
    void ShowKeptFolders();
    void SetKeptFolders(const std::vector<std::wstring>& folders);
    void EnsureKey(const std::wstring& key);
    // The count and size of the ticked files, or `note` in their place.
    void UpdateStatus(const std::wstring& note = {});
    void OpenProgress();
    void DeleteAllDuplicates();
    void Options();
    void ChangeLanguage();
    void OpenHelp();
    void OpenHomepage();
    void ShowAbout();
    // Says once, when the window is up, which files could not be read.
    void AddNotice(const FileProblem& problem);
    void ShowNotice();
    std::wstring NoticeText(const FileProblem& problem) const;
    // True when there are results; otherwise says so (translation 400).
    bool RequireResults();
    ResultActions Actions();
    ResultsWriter Writer();
    bool ProtectsReadOnly() const;
    void DeleteChecked();
    // The folder for duplicate copies as stored, with its trailing "\...".
    std::wstring CopyPath();
    void ShowTreeMenu(HWND control, LPARAM at);
    void EndWindow(INT_PTR result);
    void RunClosingSteps();

    // The configuration. When it could not be read, values come quietly from the
    // installed template and nothing is written: the start said so once.
    std::wstring ReadValue(const std::wstring& key);
    void WriteValue(const std::wstring& key, const std::wstring& value);
    void StorePathField();
    void LoadPathField();
    void Message(int textNumber);

    SearchSettings settings_;
    PowerClass store_;
    WindowTexts texts_;
    CStartDialog start_;
    CProgress progress_;
    ResultsTree results_;
    CrcTable crcTable_;
    DuplicateResults duplicates_;

    std::wstring searchPathText_;
    bool resultsShown_ = false;
    int32_t initialLoadDone_ = 0;
    std::array<int32_t, 14> categoryCounters_{};
    std::array<std::wstring, 6> categoryLabels_;
    fw::Brush backgroundBrush_;
    fw::Brush fieldBrush_;
    HWND tooltip_ = nullptr;
    std::vector<fw::Bitmap> menuBitmaps_;
    HICON icon_;

    enum class SettingsFile { Readable, Missing, Unreadable };
    SettingsFile settingsFile_ = SettingsFile::Readable;
    std::optional<FileProblem> settingsProblem_;
    // The configuration beside which the exception list lives: the user's, even
    // when it could not be read.
    std::wstring userConfigPath_;
    // The last search's content cache while it is written on a thread of its
    // own; the next search, or leaving, waits for it.
    std::unique_ptr<ContentCache> cache_;
    std::wstring exceptionFile_;
    // What the one-time load really read; the closing steps write back only that.
    bool settingsLoaded_ = false;
    bool exceptionsLoaded_ = false;
    std::vector<FileProblem> notices_;
    bool noticePosted_ = false;
    bool closingDone_ = false;
    bool searching_ = false;
    bool closeAfterSearch_ = false;
    INT_PTR closeResult_ = IDCANCEL;
};
