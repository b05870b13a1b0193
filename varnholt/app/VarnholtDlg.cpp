#include "varnholt/app/VarnholtDlg.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "framework/Dress.h"
#include "framework/Errors.h"
#include "framework/TextFile.h"
#include "framework/Ui.h"
#include "varnholt/app/AboutDlg.h"
#include "varnholt/app/Dpi.h"
#include "varnholt/app/Figures.h"
#include "varnholt/app/KeptFolders.h"
#include "varnholt/app/ExceptionFile.h"
#include "varnholt/app/LanguageSelection.h"
#include "varnholt/engine/ContentCache.h"
#include "varnholt/engine/DuplicateSearch.h"
#include "varnholt/engine/SearchPaths.h"
#include "varnholt/engine/Selection.h"
#include "varnholt/engine/TextNumbers.h"
#include "varnholt/options/OptionsDlg.h"

namespace {

// Posted from the initialisation: what could not be read is said once the window is up.
constexpr UINT kShowNotice = WM_APP + 1;
// Posted when the user turned a box of the tree over (WPARAM: the item), once the control did.
constexpr UINT kTickTurned = WM_APP + 2;

// The position of the Select menu in the menu bar, and of its submenu of rules.
constexpr int kSelectMenu = 2;

constexpr int kResultButtons[] = {IDC_SAVE_RESULTS, IDC_EDIT_RESULTS, IDC_EXECUTE, IDC_SHOW_FOLDER, IDC_DELETE};

struct MenuText {
    int id;
    int number;
};
constexpr MenuText kMenuTexts[] = {
    {ID_FILE_EDIT_RESULTS, txt::kMenuEditResults},
    {ID_FILE_SAVE_RESULTS, txt::kMenuSaveResults},
    {ID_FILE_PRINT_RESULTS, txt::kMenuPrintResults},
    {ID_FILE_LANGUAGE, txt::kMenuLanguage},
    {ID_FILE_EXIT, txt::kMenuExit},
    {ID_FUNCTIONS_BROWSE, txt::kMenuBrowse},
    {ID_FUNCTIONS_ADD_FOLDER, txt::kMenuAddFolder},
    {ID_FUNCTIONS_OPTIONS, txt::kMenuOptions},
    {ID_FUNCTIONS_NEW_SEARCH, txt::kMenuNewSearch},
    {ID_FUNCTIONS_EXECUTE, txt::kMenuExecuteFile},
    {ID_FUNCTIONS_DELETE, txt::kMenuDeleteFile},
    {ID_FUNCTIONS_WIPE, txt::kMenuWipeFile},
    {ID_FUNCTIONS_SHOW_FOLDER, txt::kMenuShowFolder},
    {ID_FUNCTIONS_INFO, txt::kMenuInfo},
    {ID_FUNCTIONS_DELETE_ALL, txt::kMenuDeleteAll},
    {ID_FUNCTIONS_PUT_BACK, txt::kMenuPutBack},
    {ID_FUNCTIONS_LINK, txt::kMenuLinkTicked},
    {ID_SELECT_KEEP_FIRST, txt::kKeepFirst},
    {ID_SELECT_KEEP_NEWEST, txt::kKeepNewest},
    {ID_SELECT_KEEP_OLDEST, txt::kKeepOldest},
    {ID_SELECT_KEEP_SHORTEST, txt::kKeepShortest},
    {ID_SELECT_KEEP_IN_FOLDER, txt::kKeepInFolder},
    {ID_SELECT_TICK_IN_FOLDER, txt::kMenuTickInFolder},
    {ID_SELECT_UNTICK_ALL, txt::kMenuUntickAll},
    {ID_SELECT_INVERT, txt::kMenuInvertTicks},
    {ID_SELECT_KEEP_FOLDER, txt::kMenuKeepFolder},
    {ID_SELECT_KEPT_FOLDERS, txt::kMenuKeptFolders},
    {ID_HELP_HELPFILE, txt::kMenuHelpFile},
    {ID_HELP_WEBSITE, txt::kMenuWebsite},
    {ID_HELP_ABOUT, txt::kMenuAbout},
};

constexpr fw::MenuPicture kMenuPictures[] = {
    {0, -1, 0, IDB_MENU_EDIT},   {0, -1, 1, IDB_MENU_SAVE},        {0, -1, 2, IDB_MENU_PRINT},
    {0, -1, 4, IDB_MENU_LANGUAGE}, {0, -1, 6, IDB_MENU_EXIT},
    {1, -1, 0, IDB_MENU_BROWSE}, {1, -1, 1, IDB_MENU_ADD_FOLDER},  {1, -1, 3, IDB_MENU_OPTIONS},
    {1, -1, 4, IDB_MENU_SEARCH}, {1, -1, 6, IDB_MENU_EXECUTE},     {1, -1, 7, IDB_MENU_DELETE},
    {1, -1, 8, IDB_MENU_WIPE},   {1, -1, 9, IDB_MENU_SHOW_FOLDER}, {1, -1, 10, IDB_MENU_INFO},
    {1, -1, 12, IDB_MENU_DELETE}, {1, -1, 13, IDB_MENU_BACKUP}, {1, -1, 14, IDB_MENU_COPY},
    {3, -1, 0, IDB_MENU_INFO},   {3, -1, 2, IDB_MENU_WEBSITE},     {3, -1, 3, IDB_MENU_ABOUT},
};

struct Tip {
    int id;
    int number;
};
constexpr Tip kTips[] = {
    {IDC_OPTIONS, txt::kTipOptions},          {IDC_BROWSE, txt::kTipBrowse},
    {IDC_FIND, txt::kTipFind},                {IDC_DELETE, txt::kTipDelete},
    {IDC_EDIT_RESULTS, txt::kTipEditResults}, {IDC_EXECUTE, txt::kTipExecute},
    {IDC_SAVE_RESULTS, txt::kTipSaveResults}, {IDC_SHOW_FOLDER, txt::kTipShowFolder},
};

// The results tree's context menu: its items by position, with texts and pictures.
constexpr MenuText kContextTexts[] = {
    {ID_CONTEXT_EXECUTE, txt::kContextExecute}, {ID_CONTEXT_DELETE, txt::kContextDelete},
    {ID_CONTEXT_WIPE, txt::kContextWipe},       {ID_CONTEXT_SHOW_FOLDER, txt::kContextShowFolder},
    {ID_CONTEXT_INFO, txt::kMoreInfo},
};
constexpr fw::MenuPicture kContextPictures[] = {
    {0, -1, 0, IDB_MENU_EXECUTE}, {0, -1, 1, IDB_MENU_DELETE}, {0, -1, 2, IDB_MENU_WIPE},
    {0, -1, 3, IDB_MENU_SHOW_FOLDER}, {0, -1, 4, IDB_MENU_INFO},
};

}  // namespace

CVarnholtDlg::CVarnholtDlg()
    : fw::Dialog(IDD_VARNHOLT), icon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINFRAME))) {}

CVarnholtDlg::~CVarnholtDlg() {
    if (tooltip_) DestroyWindow(tooltip_);
}

bool CVarnholtDlg::OnInitDialog() {
    results_.Attach(Item(IDC_RESULTS_TREE));
    // The status bar below everything: what is ticked, always in view.
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)), GetModuleHandleW(nullptr), nullptr);
    // Enter stands for "Find Duplicates" only in the path field (OnOK); elsewhere
    // it must not start a search that replaces the results.
    SendMessageW(hwnd(), DM_SETDEFID, IDOK, 0);
    Initialise();
    return true;
}

void CVarnholtDlg::Initialise() {
    // The system menu gets its about item once, however often the window is initialised.
    wchar_t aboutText[256] = {};
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, aboutText, 256) > 0) {
        HMENU system = GetSystemMenu(hwnd(), FALSE);
        if (system && GetMenuState(system, IDM_ABOUTBOX, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
            AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(system, MF_STRING, IDM_ABOUTBOX, aboutText);
        }
    }
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    // A file that cannot be read: the program opens all the same and says so once.
    const bool first = initialLoadDone_ != 42;
    if (first) ResolveSettings();
    if (!texts_.Load() && first && texts_.Problem()) AddNotice(*texts_.Problem());
    fw::StandardErrorTexts() = {texts_.GetText(txt::kFileError), texts_.GetText(txt::kInvalidArgumentError),
                                texts_.GetText(txt::kFailureError), texts_.GetText(txt::kUnexpectedError),
                                texts_.GetText(txt::kEightBitFileError)};
    if (HMENU system = GetSystemMenu(hwnd(), FALSE))
        ModifyMenuW(system, IDM_ABOUTBOX, MF_BYCOMMAND | MF_STRING, IDM_ABOUTBOX, texts_.GetText(txt::kMenuAbout).c_str());

    backgroundBrush_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    fieldBrush_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    TranslateMenu();
    if (PowerClass::CountLetterH(ReadValue(L"Version")) > 0) SetWindowTextW(hwnd(), L"Varnholt");
    CreateTooltips();
    SetControlTexts();

    Item(IDC_FOUND_LABEL).Show(false);
    Item(IDC_FIND).Invalidate();
    LoadPathField();
    Item(IDC_RESULTS_TREE).Show(false);
    for (int id : kResultButtons) Item(id).Show(false);

    start_.Destroy();
    if (start_.Create(hwnd())) ShowWindow(start_.hwnd(), SW_SHOW);

    categoryCounters_.fill(0);
    resultsShown_ = false;
    PrepareCopyPath();
    if (first) LoadOnce();
    Layout();
}

void CVarnholtDlg::TranslateMenu() {
    HMENU menu = GetMenu(hwnd());
    if (!menu) return;
    const int topNumbers[] = {txt::kMenuFile, txt::kMenuFunctions, txt::kMenuSelect, txt::kMenuHelp};
    for (int i = 0; i < 4; ++i) fw::SetMenuText(menu, static_cast<UINT>(i), true, texts_.GetText(topNumbers[i]));
    fw::SetMenuText(GetSubMenu(menu, kSelectMenu), 0, true, texts_.GetText(txt::kMenuKeeping));
    for (const auto& item : kMenuTexts) {
        std::wstring text = texts_.GetText(item.number);
        if (item.id == ID_FUNCTIONS_BROWSE) text = L"  " + text;
        fw::SetMenuText(menu, static_cast<UINT>(item.id), false, text);
    }
    std::vector<fw::Bitmap> bitmaps = fw::SetMenuPictures(hwnd(), menu, kMenuPictures);
    // The old pictures go only now that the menu no longer shows them.
    menuBitmaps_ = std::move(bitmaps);
    DrawMenuBar(hwnd());
}

void CVarnholtDlg::CreateTooltips() {
    if (tooltip_) DestroyWindow(tooltip_);
    std::vector<std::pair<int, std::wstring>> tips;
    for (const auto& tip : kTips) tips.emplace_back(tip.id, texts_.GetText(tip.number));
    tooltip_ = fw::CreateTooltips(hwnd(), tips);
}

void CVarnholtDlg::SetControlTexts() {
    const std::pair<int, int> texts[] = {
        {IDC_FOUND_LABEL, txt::kDuplicatesFound}, {IDC_PATH_LABEL, txt::kPathLabel},
        {IDC_SAVE_RESULTS, txt::kSaveResults},    {IDC_EDIT_RESULTS, txt::kEditResults},
        {IDC_EXECUTE, txt::kExecuteFile},         {IDC_SHOW_FOLDER, txt::kShowFolder},
        {IDC_DELETE, txt::kDelete},               {IDC_BROWSE, txt::kBrowse},
        {IDC_OPTIONS, txt::kOptions},             {IDC_FIND, txt::kFindDuplicates},
    };
    for (auto [id, number] : texts) Item(id).SetText(texts_.GetText(number));
}

void CVarnholtDlg::ResolveSettings() {
    try {
        store_.GetConfigPath();
        userConfigPath_ = store_.ConfigPath;
        // That the file is there is not enough: another program may hold it open.
        store_.ReadConfigValue(L"Version");
        settingsFile_ = SettingsFile::Readable;
    } catch (const fw::FileError& e) {
        const bool missing = !PowerClass::FileExists(e.Path());
        settingsFile_ = missing ? SettingsFile::Missing : SettingsFile::Unreadable;
        settingsProblem_ = FileProblem{FileProblem::File::Settings, e.Path(), missing};
        AddNotice(*settingsProblem_);
        // The exception list stays beside the user's configuration; the settings
        // themselves come from the installed template.
        userConfigPath_ = store_.ConfigPath;
        store_.ConfigPath = PowerClass::GetProgramFolder() + L"\\config.ini";
        store_.DataFolder = PowerClass::GetProgramFolder();
    }
}

void CVarnholtDlg::PrepareCopyPath() {
    if (settingsFile_ != SettingsFile::Readable || ReadValue(L"CopyPath") != L"---") return;
    // The trailing "\..." is part of the text passed to the attribute query and the folder creation.
    std::wstring copyPath = store_.DataFolder + L"\\Backup\\...";
    if (GetFileAttributesW(copyPath.c_str()) == INVALID_FILE_ATTRIBUTES) CreateDirectoryW(copyPath.c_str(), nullptr);
    WriteValue(L"CopyPath", copyPath);
}

void CVarnholtDlg::LoadOnce() {
    // Each part on its own, so that one that cannot be read leaves the others loaded.
    if (settingsFile_ != SettingsFile::Missing) {
        try {
            SearchSettings loaded;
            LoadSearchSettings(loaded, store_);
            settings_ = std::move(loaded);
            settingsLoaded_ = settingsFile_ == SettingsFile::Readable;
        } catch (const fw::FileError& e) {
            // Held open since the start was resolved: treated as unreadable from now on.
            if (settingsFile_ == SettingsFile::Readable) {
                settingsFile_ = SettingsFile::Unreadable;
                settingsProblem_ = FileProblem{FileProblem::File::Settings, e.Path(), false};
                AddNotice(*settingsProblem_);
            }
        }
    }
    exceptionFile_ = LocateExceptionFile(userConfigPath_, PowerClass::GetProgramFolder());
    if (LoadExceptions(settings_.exceptions, exceptionFile_, hwnd(), texts_.GetText(txt::kNoExceptionList)) == ExceptionLoad::Unreadable)
        AddNotice({FileProblem::File::ExceptionList, exceptionFile_, false});
    else
        exceptionsLoaded_ = true;
    if (settingsFile_ != SettingsFile::Missing) {
        std::wstring lastPath = ReadValue(L"LastPath");
        if (lastPath != L"---" && settings_.OptionChar(32) == L'1') {
            searchPathText_ = lastPath;
            LoadPathField();
        }
    }
    initialLoadDone_ = 42;
}

void CVarnholtDlg::Layout() {
    RECT client;
    GetClientRect(hwnd(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;  // minimised
    // The status bar places itself along the bottom; the rest shares what is left.
    auto placements = MainWindowLayout(client.right, client.bottom - StatusBarHeight(), WindowDpi(hwnd()));
    HDWP batch = BeginDeferWindowPos(static_cast<int>(placements.size()));
    for (const auto& p : placements) {
        if (p.id == kProgressWindowSlot) {
            // A pop-up: its place is in screen coordinates.
            if (!progress_.hwnd()) continue;
            POINT origin = {p.x, p.y};
            ClientToScreen(hwnd(), &origin);
            MoveWindow(progress_.hwnd(), origin.x, origin.y, p.width, p.height, TRUE);
        } else if (p.id == kWelcomePanelSlot) {
            if (start_.hwnd()) MoveWindow(start_.hwnd(), p.x, p.y, p.width, p.height, TRUE);
        } else if (HWND control = GetDlgItem(hwnd(), p.id); control && batch) {
            batch = DeferWindowPos(batch, control, nullptr, p.x, p.y, p.width, p.height,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (batch) EndDeferWindowPos(batch);
    start_.LayoutControls(placements);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

int CVarnholtDlg::StatusBarHeight() const {
    HWND status = GetDlgItem(hwnd(), IDC_STATUS_BAR);
    if (!status) return 0;
    SendMessageW(status, WM_SIZE, 0, 0);
    RECT r = {};
    GetWindowRect(status, &r);
    return r.bottom - r.top;
}

void CVarnholtDlg::OnSize(UINT type, int, int) {
    if (type != SIZE_MINIMIZED) Layout();
}

HBRUSH CVarnholtDlg::OnCtlColor(HDC dc, HWND control, UINT message) {
    if (message == WM_CTLCOLORDLG) return backgroundBrush_.get();
    switch (GetDlgCtrlID(control)) {
        case IDC_SEARCH_PATH:
        case IDC_RESULTS_TREE:
            return fieldBrush_.get();
        case IDC_BROWSE:
        case IDC_OPTIONS:
        case IDC_FIND:
        case IDC_FOUND_LABEL:
        case IDC_PATH_LABEL:
            SetBkMode(dc, TRANSPARENT);
            break;
    }
    return backgroundBrush_.get();
}

bool CVarnholtDlg::OnCommand(int id, int, HWND) {
    // While a search runs only what cannot disturb it is taken; the rest waits for its end.
    if (searching_) {
        switch (id) {
            case ID_FILE_EXIT:
                closeAfterSearch_ = true;
                closeResult_ = IDOK;
                progress_.RequestCancel();
                return true;
            case ID_HELP_HELPFILE: OpenHelp(); return true;
            case ID_HELP_WEBSITE: OpenHomepage(); return true;
            default: return true;
        }
    }
    switch (id) {
        // The menu's result commands need results; the buttons show only with them.
        case ID_FILE_EDIT_RESULTS: if (RequireResults()) Writer().Edit(); return true;
        case IDC_EDIT_RESULTS: Writer().Edit(); return true;
        case ID_FILE_SAVE_RESULTS: if (RequireResults()) Writer().Save(); return true;
        case IDC_SAVE_RESULTS: Writer().Save(); return true;
        case ID_FILE_PRINT_RESULTS: Writer().Print(); return true;
        case ID_FUNCTIONS_EXECUTE: if (RequireResults()) Actions().ExecuteFile(); return true;
        case IDC_EXECUTE:
        case ID_CONTEXT_EXECUTE: Actions().ExecuteFile(); return true;
        case ID_FUNCTIONS_SHOW_FOLDER: if (RequireResults()) Actions().ShowFolder(); return true;
        case IDC_SHOW_FOLDER:
        case ID_CONTEXT_SHOW_FOLDER: Actions().ShowFolder(); return true;
        case ID_FUNCTIONS_DELETE: if (RequireResults()) DeleteChecked(); return true;
        case IDC_DELETE:
        case ID_CONTEXT_DELETE: DeleteChecked(); UpdateStatus(); return true;
        case ID_FUNCTIONS_WIPE:
        case ID_CONTEXT_WIPE: Actions().WipeChecked(ProtectsReadOnly()); UpdateStatus(); return true;
        case ID_FUNCTIONS_INFO:
        case ID_CONTEXT_INFO: Actions().ShowInformation(); return true;
        case ID_FUNCTIONS_DELETE_ALL:
            if (!resultsShown_) Message(txt::kNothingToMove);
            else DeleteAllDuplicates();
            return true;
        // Needs no results: the restore list says what to put back.
        case ID_FUNCTIONS_PUT_BACK: Actions().PutBackMovedFiles(CopyPath()); UpdateStatus(); return true;
        case ID_FUNCTIONS_LINK:
            if (RequireResults()) Actions().LinkTicked();
            UpdateStatus();
            return true;
        case ID_SELECT_KEEP_FIRST:
        case ID_SELECT_KEEP_NEWEST:
        case ID_SELECT_KEEP_OLDEST:
        case ID_SELECT_KEEP_SHORTEST: {
            const KeepRule rule = id == ID_SELECT_KEEP_FIRST    ? KeepRule::First
                                  : id == ID_SELECT_KEEP_NEWEST ? KeepRule::Newest
                                  : id == ID_SELECT_KEEP_OLDEST ? KeepRule::Oldest
                                                                : KeepRule::ShortestPath;
            ApplyRule([rule](SelectionGroup& g) { TickAllButOne(g, rule); });
            return true;
        }
        case ID_SELECT_KEEP_IN_FOLDER:
            if (!RequireResults()) return true;
            if (auto folder = fw::BrowseForFolder(texts_.GetText(txt::kBrowseKeepInTitle)))
                ApplyRule([&](SelectionGroup& g) { TickAllButOne(g, KeepRule::InFolder, *folder); });
            return true;
        case ID_SELECT_TICK_IN_FOLDER:
            if (!RequireResults()) return true;
            if (auto folder = fw::BrowseForFolder(texts_.GetText(txt::kBrowseTickInTitle)))
                ApplyRule([&](SelectionGroup& g) { TickInFolder(g, *folder); });
            return true;
        case ID_SELECT_UNTICK_ALL: ApplyRule(UntickAll); return true;
        case ID_SELECT_INVERT: ApplyRule(InvertTicks); return true;
        case ID_SELECT_KEEP_FOLDER: AddKeptFolder(); return true;
        case ID_SELECT_KEPT_FOLDERS: ShowKeptFolders(); return true;
        case ID_FILE_LANGUAGE: ChangeLanguage(); return true;
        case ID_FILE_EXIT:
            RunClosingSteps();
            EndWindow(IDOK);
            return true;
        case ID_FUNCTIONS_BROWSE:
        case IDC_BROWSE: Browse(); return true;
        case ID_FUNCTIONS_ADD_FOLDER: AddFolder(); return true;
        case ID_FUNCTIONS_OPTIONS:
        case IDC_OPTIONS: Options(); return true;
        case ID_FUNCTIONS_NEW_SEARCH:
        case IDC_FIND: StartSearch(); return true;
        case ID_HELP_HELPFILE: OpenHelp(); return true;
        case ID_HELP_WEBSITE: OpenHomepage(); return true;
        case ID_HELP_ABOUT: ShowAbout(); return true;
    }
    return false;
}

void CVarnholtDlg::OnOK() {
    // Enter: a search when it was typed in the path field, nothing elsewhere.
    if (!searching_ && GetFocus() == GetDlgItem(hwnd(), IDC_SEARCH_PATH)) StartSearch();
}

void CVarnholtDlg::OnCancel() {
    // Escape does not close the main window; the close box, Alt+F4 and Exit do.
}

void CVarnholtDlg::OnClose() {
    if (searching_) {
        // The search ends first (as cancelled); the window closes after it.
        closeAfterSearch_ = true;
        closeResult_ = IDCANCEL;
        progress_.RequestCancel();
        return;
    }
    RunClosingSteps();
    EndWindow(IDCANCEL);
}

void CVarnholtDlg::OnDestroy() {
    // However the window goes, what must persist is saved.
    RunClosingSteps();
    progress_.Close();
    start_.Destroy();
}

void CVarnholtDlg::EndWindow(INT_PTR result) { End(result); }

void CVarnholtDlg::RunClosingSteps() {
    if (closingDone_) return;
    closingDone_ = true;
    // Only what was loaded goes back: anything else would replace the user's file.
    if (exceptionsLoaded_) SaveExceptions(settings_.exceptions, exceptionFile_);
    store_.RegistryKeyPath = kSuiteKey;
    store_.DeleteRegistryValue(0, L"active");
    store_.DeleteRegistryValue(1, L"active");
    if (settingsLoaded_ && settings_.OptionChar(32) == L'1') {
        StorePathField();
        WriteValue(L"LastPath", searchPathText_);
    }
}

bool CVarnholtDlg::OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result) {
    if (fw::AnswerAsIcon(hwnd(), icon_, message, result)) return true;
    switch (message) {
        case WM_SYSCOMMAND:
            if ((w & 0xFFF0) == IDM_ABOUTBOX) {
                ShowAbout();
                result = 0;
                return true;
            }
            return false;
        case WM_HELP:
            OpenHelp();
            result = TRUE;
            return true;
        case WM_CONTEXTMENU:
            ShowTreeMenu(reinterpret_cast<HWND>(w), l);
            result = 0;
            return true;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(l);
            SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            result = 0;
            return true;
        }
        case WM_ENDSESSION:
            if (w) RunClosingSteps();
            result = 0;
            return true;
        case kShowNotice:
            ShowNotice();
            result = 0;
            return true;
        case kTickTurned:
            TickTurned(reinterpret_cast<HTREEITEM>(w));
            result = 0;
            return true;
    }
    return false;
}

void CVarnholtDlg::AddNotice(const FileProblem& problem) {
    // The texts of a window whose settings are missing fail on the same file: one paragraph each.
    for (const auto& known : notices_)
        if (known.file == problem.file) return;
    notices_.push_back(problem);
    if (!noticePosted_) PostMessageW(hwnd(), kShowNotice, 0, 0);
    noticePosted_ = true;
}

std::wstring CVarnholtDlg::NoticeText(const FileProblem& problem) const {
    int number = txt::kExceptionListUnreadable;
    if (problem.file == FileProblem::File::Settings)
        number = problem.missing ? txt::kSettingsMissing : txt::kSettingsUnreadable;
    else if (problem.file == FileProblem::File::Language)
        number = problem.missing ? txt::kLanguageFileMissing : txt::kLanguageFileUnreadable;
    std::wstring text = texts_.GetText(number);
    if (size_t at = text.find(L"%1"); at != std::wstring::npos) text.replace(at, 2, problem.path);
    return text;
}

void CVarnholtDlg::ShowNotice() {
    std::wstring text;
    for (const auto& problem : notices_) text += (text.empty() ? L"" : L"\n\n") + NoticeText(problem);
    notices_.clear();
    if (!text.empty())
        fw::ShowMessageBox(hwnd(), text, texts_.GetText(txt::kMessageCaption), MB_OK | MB_ICONWARNING);
}

std::wstring CVarnholtDlg::ReadValue(const std::wstring& key) {
    if (settingsFile_ == SettingsFile::Readable) return store_.ReadConfigValue(key);
    try {
        return store_.ReadConfigValue(key);
    } catch (const fw::Error&) {
        return {};
    }
}

void CVarnholtDlg::WriteValue(const std::wstring& key, const std::wstring& value) {
    if (settingsFile_ == SettingsFile::Readable) store_.WriteConfigValue(key, value);
}

void CVarnholtDlg::StorePathField() { searchPathText_ = Item(IDC_SEARCH_PATH).GetText(); }
void CVarnholtDlg::LoadPathField() { Item(IDC_SEARCH_PATH).SetText(searchPathText_); }

void CVarnholtDlg::Message(int textNumber) {
    fw::ShowMessageBox(hwnd(), texts_.GetText(textNumber), texts_.GetText(txt::kMessageCaption), MB_OK);
}

bool CVarnholtDlg::RequireResults() {
    if (resultsShown_) return true;
    Message(txt::kNoResults);
    return false;
}

void CVarnholtDlg::Browse() {
    auto folder = fw::BrowseForFolder(texts_.GetText(txt::kBrowseTitle));
    if (!folder) return;
    searchPathText_ = *folder + L"\\...";
    LoadPathField();
}

void CVarnholtDlg::AddFolder() {
    StorePathField();
    std::wstring old = searchPathText_;
    if (old.empty()) return Browse();
    auto folder = fw::BrowseForFolder(texts_.GetText(txt::kBrowseTitle));
    if (!folder) return;
    searchPathText_ = *folder + L"\\...;" + old;
    LoadPathField();
}

void CVarnholtDlg::Options() {
    // Choices that cannot be stored would silently be gone at the next start: say why instead.
    if (settingsProblem_) {
        fw::ShowMessageBox(hwnd(), NoticeText(*settingsProblem_), texts_.GetText(txt::kMessageCaption),
                           MB_OK | MB_ICONWARNING);
        return;
    }
    // The dialog edits a copy; the settings change only after OK.
    SaveSearchSettings(settings_, store_, [this](SearchSettings& copy) {
        COptionsDlg dialog;
        dialog.settings = copy;
        if (!dialog.Run(hwnd())) return false;
        copy = std::move(dialog.settings);
        return true;
    });
}

void CVarnholtDlg::ChangeLanguage() {
    // A choice that cannot be stored would change nothing: say why instead.
    if (settingsProblem_) {
        fw::ShowMessageBox(hwnd(), NoticeText(*settingsProblem_), texts_.GetText(txt::kMessageCaption),
                           MB_OK | MB_ICONWARNING);
        return;
    }
    if (PowerClass::CountLetterH(ReadValue(L"Version")) > 0) return;
    std::wstring current = ReadValue(L"Language");
    CLangaugeSelection dialog;
    dialog.labelText = texts_.GetText(txt::kSelectLanguage);
    dialog.systemDefaultText = texts_.GetText(txt::kSystemDefaultLanguage);
    dialog.languageCode = current;
    dialog.DoModal(hwnd());
    if (dialog.languageCode == current) return;
    WriteValue(L"Language", dialog.languageCode);
    // The path field keeps what the user typed; the settings are not read again.
    StorePathField();
    Initialise();
}

void CVarnholtDlg::OpenHelp() { fw::ShellOpen(PowerClass::GetProgramFolder() + L"\\help.chm"); }

void CVarnholtDlg::OpenHomepage() { fw::ShellOpen(ReadValue(L"Homepage")); }

void CVarnholtDlg::ShowAbout() {
    CAboutDlg about;
    about.DoModal(hwnd());
}

void CVarnholtDlg::Search() {
    // The content cache lives beside the user's configuration; settings that could
    // not be read leave it alone, as they leave every other file of the user's.
    const bool cached = settingsFile_ == SettingsFile::Readable && ReadValue(L"ContentCache") != L"0";
    const std::wstring cachePath = ContentCacheBeside(userConfigPath_);
    cache_.reset();  // its write first: this search reads the file
    if (!cached) {
        RunSearch(searchPathText_, settings_, store_, texts_, progress_, results_, duplicates_);
        return;
    }
    cache_ = std::make_unique<ContentCache>();
    cache_->StartLoad(cachePath);
    RunSearch(searchPathText_, settings_, store_, texts_, progress_, results_, duplicates_, nullptr, nullptr,
              cache_.get());
    const bool setAside = cache_->AwaitLoad() == ContentCache::Loaded::SetAside;
    // Also after Cancel: what the search learned stays learned.
    cache_->StartSave(cachePath);
    if (setAside) {
        std::wstring text = texts_.GetText(txt::kCacheSetAside);
        for (size_t at; (at = text.find(L"%1")) != std::wstring::npos;) text.replace(at, 2, cachePath);
        fw::ShowMessageBox(hwnd(), text, texts_.GetText(txt::kMessageCaption), MB_OK | MB_ICONINFORMATION);
    }
}

void CVarnholtDlg::OpenProgress() {
    progress_.SetFolderTotal(0);
    progress_.SetFolderIndex(0);
    progress_.SetCurrentText(L"");
    // Placed before it is shown, and the window repainted, before the work holds the thread.
    if (progress_.Create(hwnd())) {
        Layout();
        UpdateWindow(hwnd());
        progress_.Show();
    }
}

void CVarnholtDlg::DeleteAllDuplicates() {
    // Thousands of files take a while: the progress window keeps the window
    // alive, its Cancel stops the moves, and nothing else starts meanwhile.
    struct Busy {
        CVarnholtDlg& window;
        ~Busy() {
            window.searching_ = false;
            window.progress_.Close();
        }
    } busy{*this};
    searching_ = true;
    closeAfterSearch_ = false;
    Actions().DeleteAllDuplicates(CopyPath(), [this] {
        OpenProgress();
        return static_cast<ProgressSink*>(&progress_);
    });
    UpdateStatus();
    if (std::exchange(closeAfterSearch_, false)) {
        RunClosingSteps();
        EndWindow(closeResult_);
    }
}

void CVarnholtDlg::StartSearch() {
    StorePathField();
    const std::vector<std::wstring> folders = SearchFolders(searchPathText_);
    if (folders.empty()) return Message(txt::kNoSearchPath);
    // Exactly the folders named: one that is not there stops the search before
    // anything of the last results goes.
    if (const std::wstring missing = FirstMissingFolder(folders); !missing.empty()) {
        std::wstring text = texts_.GetText(txt::kFolderMissing);
        if (size_t at = text.find(L"%1"); at != std::wstring::npos) text.replace(at, 2, missing);
        fw::ShowMessageBox(hwnd(), text, texts_.GetText(txt::kMessageCaption), MB_OK | MB_ICONWARNING);
        return;
    }
    if (!settings_.HasCriterion()) {
        fw::ShowMessageBox(hwnd(), texts_.GetText(txt::kNoCriterion), texts_.GetText(txt::kMessageCaption),
                           MB_OK | MB_ICONWARNING);
        return;
    }

    for (int id : kResultButtons) Item(id).Show(false);
    Item(IDC_FOUND_LABEL).Show(true);
    for (int id : {IDC_BROWSE, IDC_OPTIONS, IDC_FIND}) Item(id).Enable(false);
    results_.Clear();
    start_.Destroy();
    Item(IDC_RESULTS_TREE).Show(true);

    searching_ = true;
    closeAfterSearch_ = false;
    OpenProgress();
    try {
        // The tree is filled without drawing; it draws once, at the end.
        const ResultsTree::Batch batch(results_);
        Search();
    } catch (...) {
        searching_ = false;
        progress_.Close();
        for (int id : {IDC_BROWSE, IDC_OPTIONS, IDC_FIND}) Item(id).Enable(true);
        // A close asked for during the search still closes the window; the framework
        // then shows the error as for any handler.
        if (std::exchange(closeAfterSearch_, false)) {
            RunClosingSteps();
            EndWindow(closeResult_);
        }
        throw;
    }
    searching_ = false;
    progress_.Close();
    for (size_t c = 0; c < duplicates_.categoryGroupCounts.size() && c < categoryCounters_.size(); ++c)
        categoryCounters_[c] = duplicates_.categoryGroupCounts[c];
    categoryLabels_ = settings_.categoryLabels;

    for (int id : kResultButtons) Item(id).Show(true);
    for (int id : {IDC_BROWSE, IDC_OPTIONS, IDC_FIND}) Item(id).Enable(true);
    results_.CollapseHeadings();
    MarkKept();
    UpdateStatus();
    resultsShown_ = true;
    if (settings_.maximizeOnResults) ShowWindow(hwnd(), SW_MAXIMIZE);

    if (std::exchange(closeAfterSearch_, false)) {
        RunClosingSteps();
        EndWindow(closeResult_);
    }
}

LRESULT CVarnholtDlg::OnNotify(NMHDR* header) {
    if (header->idFrom != IDC_RESULTS_TREE) return 0;
    // The control turns the box over after it told of the click or the key: the
    // state is read once it did.
    if (header->code == NM_CLICK) {
        TVHITTESTINFO hit = {};
        const DWORD at = GetMessagePos();
        hit.pt = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
        ScreenToClient(header->hwndFrom, &hit.pt);
        const HTREEITEM item = TreeView_HitTest(header->hwndFrom, &hit);
        if (item && (hit.flags & TVHT_ONITEMSTATEICON)) PostMessageW(hwnd(), kTickTurned, reinterpret_cast<WPARAM>(item), 0);
    } else if (header->code == TVN_KEYDOWN && reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey == VK_SPACE) {
        if (const HTREEITEM item = results_.Tree().GetSelection())
            PostMessageW(hwnd(), kTickTurned, reinterpret_cast<WPARAM>(item), 0);
    }
    return 0;
}

bool CVarnholtDlg::IsKeptItem(HTREEITEM item) const {
    return results_.Facts(item) && IsKept(results_.Text(item), settings_.keptFolders);
}

void CVarnholtDlg::TickTurned(HTREEITEM item) {
    // A kept file takes no tick: the click is undone, and the status bar says why.
    if (IsKeptItem(item) && results_.Tree().GetCheck(item)) {
        results_.SetTicked(item, false);
        return UpdateStatus(texts_.GetText(txt::kKeptFileClicked));
    }
    results_.NoteTick(item);
    UpdateStatus();
}

void CVarnholtDlg::UpdateStatus(const std::wstring& note) {
    std::wstring text = note;
    if (text.empty()) {
        text = texts_.GetText(txt::kTickedStatus);
        for (auto [mark, value] : {std::pair{L"%1", CountText(results_.TickedCount())},
                                   std::pair{L"%2", SizeText(results_.TickedBytes(), texts_)}})
            if (size_t at = text.find(mark); at != std::wstring::npos) text.replace(at, 2, value);
    }
    SendMessageW(GetDlgItem(hwnd(), IDC_STATUS_BAR), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CVarnholtDlg::ApplyRule(const std::function<void(SelectionGroup&)>& rule) {
    if (!RequireResults()) return;
    results_.SyncTicks();
    {
        // One drawing for the whole command; the search's facts, not the files, decide.
        const ResultsTree::Batch batch(results_);
        for (const auto& items : results_.Groups()) {
            SelectionGroup group;
            group.reserve(items.size());
            for (HTREEITEM item : items) {
                const FileFacts& facts = *results_.Facts(item);
                group.push_back({results_.Text(item), facts.size, facts.lastWrite, IsKeptItem(item), results_.Ticked(item)});
            }
            rule(group);
            for (size_t i = 0; i < items.size(); ++i)
                if (group[i].ticked != results_.Ticked(items[i])) results_.SetTicked(items[i], group[i].ticked);
        }
    }
    UpdateStatus();
}

void CVarnholtDlg::MarkKept() {
    const ResultsTree::Batch batch(results_);
    for (HTREEITEM item : results_.FileItems()) {
        const bool kept = IsKeptItem(item);
        results_.SetBold(item, kept);
        if (kept) results_.SetTicked(item, false);
    }
}

void CVarnholtDlg::AddKeptFolder() {
    auto folder = fw::BrowseForFolder(texts_.GetText(txt::kBrowseKeepTitle));
    if (!folder) return;
    std::vector<std::wstring> folders = settings_.keptFolders;
    folders.push_back(*folder);
    SetKeptFolders(ParseKeptFolders(StoreKeptFolders(folders)));
}

void CVarnholtDlg::ShowKeptFolders() {
    CKeptFolders dialog(settings_.keptFolders, texts_);
    dialog.DoModal(hwnd());
    if (dialog.folders != settings_.keptFolders) SetKeptFolders(dialog.folders);
}

void CVarnholtDlg::SetKeptFolders(const std::vector<std::wstring>& folders) {
    // A list that cannot be stored would be gone at the next start: say why instead.
    if (settingsProblem_) {
        fw::ShowMessageBox(hwnd(), NoticeText(*settingsProblem_), texts_.GetText(txt::kMessageCaption),
                           MB_OK | MB_ICONWARNING);
        return;
    }
    EnsureKey(L"KeptFolders");
    WriteValue(L"KeptFolders", StoreKeptFolders(folders));
    settings_.keptFolders = folders;
    results_.SyncTicks();
    MarkKept();
    UpdateStatus();
}

void CVarnholtDlg::EnsureKey(const std::wstring& key) {
    // A configuration made from an older template lacks the keys added since;
    // the template's own value comes with the key.
    if (settingsFile_ != SettingsFile::Readable) return;
    std::vector<std::wstring> lines = fw::ReadTextLines(store_.ConfigPath);
    if (std::find(lines.begin(), lines.end(), key) != lines.end()) return;
    PowerClass installed;
    installed.ConfigPath = PowerClass::GetProgramFolder() + L"\\config.ini";
    std::wstring value = L"---";
    try {
        value = installed.ReadConfigValue(key);
    } catch (const fw::Error&) {
    }
    lines.push_back(key);
    lines.push_back(value.empty() ? L"---" : value);
    fw::WriteTextLines(store_.ConfigPath, lines);
}

ResultActions CVarnholtDlg::Actions() {
    // The folder for duplicate copies lies below the configuration's by default;
    // what it holds are the user's files.
    return ResultActions(hwnd(), results_, texts_, ProtectedFolders::ForProgram(store_.DataFolder, StoredFolder(CopyPath())),
                         settings_.keptFolders);
}

ResultsWriter CVarnholtDlg::Writer() {
    return ResultsWriter(hwnd(), results_, texts_, settings_, store_, duplicates_.folders);
}

bool CVarnholtDlg::ProtectsReadOnly() const {
    // "Do not delete or wipe file when 'read only' attribute is activated", ticked.
    return settings_.OptionChar(33) == L'1';
}

void CVarnholtDlg::DeleteChecked() { Actions().DeleteChecked(settings_.recycleOnDelete != 0, ProtectsReadOnly()); }

std::wstring CVarnholtDlg::CopyPath() {
    const std::wstring copyPath = ReadValue(L"CopyPath");
    // Never a folder relative to wherever the program happens to run.
    if (copyPath.empty() || copyPath == L"---") return store_.DataFolder + L"\\Backup\\...";
    return copyPath;
}

void CVarnholtDlg::ShowTreeMenu(HWND control, LPARAM at) {
    const fw::TreeView& tree = results_.Tree();
    if (control != tree.hwnd()) return;
    POINT point = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (at != -1) {
        // A right click acts on the row under the pointer: it becomes the selected one first.
        TVHITTESTINFO hit = {};
        hit.pt = point;
        ScreenToClient(tree.hwnd(), &hit.pt);
        const HTREEITEM under = TreeView_HitTest(tree.hwnd(), &hit);
        if (!under || !(hit.flags & TVHT_ONITEM)) return;
        tree.SelectItem(under);
    }
    const HTREEITEM selected = tree.GetSelection();
    if (!selected) return;
    if (at == -1) {
        // From the keyboard: at the selected item.
        RECT item = {};
        TreeView_GetItemRect(tree.hwnd(), selected, &item, TRUE);
        point = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(tree.hwnd(), &point);
    }
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TREE_CONTEXT));
    if (!menu) return;
    HMENU items = GetSubMenu(menu, 0);
    for (const auto& text : kContextTexts)
        fw::SetMenuText(items, static_cast<UINT>(text.id), false, texts_.GetText(text.number));
    // The Select menu, after the file commands, as in the menu bar.
    for (const auto& text : kMenuTexts)
        if (text.id >= ID_SELECT_KEEP_FIRST && text.id <= ID_SELECT_KEPT_FOLDERS)
            fw::SetMenuText(items, static_cast<UINT>(text.id), false, texts_.GetText(text.number));
    constexpr int kContextSelect = 6;
    fw::SetMenuText(items, kContextSelect, true, texts_.GetText(txt::kMenuSelect));
    fw::SetMenuText(GetSubMenu(items, kContextSelect), 0, true, texts_.GetText(txt::kMenuKeeping));
    const std::vector<fw::Bitmap> pictures = fw::SetMenuPictures(hwnd(), menu, kContextPictures);
    TrackPopupMenu(items, TPM_CENTERALIGN, point.x, point.y, 0, hwnd(), nullptr);
    DestroyMenu(menu);
}
