#include "brisvane/BrisvaneDlg.h"

#include <windowsx.h>

#include <iterator>
#include <utility>

#include "brisvane/AboutDlg.h"
#include "brisvane/ModuleContract.h"
#include "brisvane/Settings.h"
#include "brisvane/TextNumbers.h"
#include "brisvane/Tiles.h"
#include "common/LanguageDialog.h"
#include "framework/Dress.h"
#include "framework/Errors.h"
#include "framework/Ui.h"

using contract::kModules;

namespace {

// The window's side of each module, in the order of contract::kModules.
struct ModuleControls {
    int label;
    int description;      // 0: none
    int descriptionText;
    COLORREF background;  // of the label
    int startCommand;
    int helpCommand;
    int menuText;
    int menuPicture;
};
constexpr ModuleControls kModuleControls[contract::kModuleCount] = {
    {IDC_LABEL_FLINTRASK, IDC_DESCRIBE_FLINTRASK, txt::kDescribeFlintrask, RGB(0, 0, 153), ID_MODULES_FLINTRASK,
     ID_HELP_FLINTRASK, txt::kMenuFlintrask, IDB_MENU_FLINTRASK},
    {IDC_LABEL_WICKERLUME, IDC_DESCRIBE_WICKERLUME, txt::kDescribeWickerlume, RGB(0, 153, 0), ID_MODULES_WICKERLUME,
     ID_HELP_WICKERLUME, txt::kMenuWickerlume, IDB_MENU_WICKERLUME},
    {IDC_LABEL_OSTRELLE, IDC_DESCRIBE_OSTRELLE, txt::kDescribeOstrelle, RGB(153, 0, 0), ID_MODULES_OSTRELLE,
     ID_HELP_OSTRELLE, txt::kMenuOstrelle, IDB_MENU_OSTRELLE},
    {IDC_LABEL_PEMBRAST, IDC_DESCRIBE_PEMBRAST, txt::kDescribePembrast, RGB(96, 96, 96), ID_MODULES_PEMBRAST,
     ID_HELP_PEMBRAST, txt::kMenuPembrast, IDB_MENU_PEMBRAST},
    {IDC_LABEL_VARNHOLT, IDC_DESCRIBE_VARNHOLT, txt::kDescribeVarnholt, RGB(153, 153, 0), ID_MODULES_VARNHOLT,
     ID_HELP_VARNHOLT, txt::kMenuVarnholt, IDB_MENU_VARNHOLT},
    {IDC_LABEL_TRESSIVON, 0, 0, RGB(255, 153, 51), ID_MODULES_TRESSIVON, ID_HELP_TRESSIVON, txt::kMenuTressivon,
     IDB_MENU_TRESSIVON},
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kHoverText = RGB(153, 153, 153);
constexpr COLORREF kQuietText = RGB(128, 128, 148);
constexpr wchar_t kNoHover[] = L"000000";

// "100000" for the first module, "010000" for the second, ...
std::wstring HoverText(size_t index) {
    std::wstring text = kNoHover;
    text[index] = L'1';
    return text;
}

constexpr int kOneClickControls[] = {IDC_START, IDC_ONECLICK_GROUP, IDC_USE_DEFAULTS, IDC_USE_MODULE_SETTINGS,
                                     IDC_PICTURE_OSTRELLE_PEMBRAST, IDC_PICTURE_OTHERS};

struct MenuText {
    UINT id;
    int number;
};
constexpr MenuText kMenuTexts[] = {
    {ID_FILE_LANGUAGE, txt::kMenuLanguage},      {ID_FILE_EXIT, txt::kMenuExit},
    {ID_MODULES_ONECLICK_SETTINGS, txt::kMenuOneClickSettings},
    {ID_HELP_START_SCREEN, txt::kMenuStartScreen}, {ID_HELP_WEBSITE, txt::kMenuWebsite},
    {ID_HELP_ABOUT, txt::kMenuAbout},
};

// Pictures by position: the top-level popup, the submenu inside it (-1: none), the item.
constexpr fw::MenuPicture kMenuPictures[] = {
    {0, -1, 0, IDB_MENU_LANGUAGE},   {0, -1, 2, IDB_MENU_EXIT},
    {1, -1, 0, IDB_MENU_FLINTRASK},  {1, -1, 1, IDB_MENU_WICKERLUME}, {1, -1, 2, IDB_MENU_OSTRELLE},
    {1, -1, 3, IDB_MENU_PEMBRAST},   {1, -1, 4, IDB_MENU_VARNHOLT},   {1, -1, 5, IDB_MENU_TRESSIVON},
    {1, -1, 7, IDB_MENU_ONECLICK_SETTINGS},
    {2, -1, 0, IDB_MENU_HELP},       {2, -1, 2, IDB_MENU_WEBSITE},    {2, -1, 3, IDB_MENU_ABOUT},
    {2, 0, 0, IDB_MENU_HELP},        {2, 0, 2, IDB_MENU_FLINTRASK},   {2, 0, 3, IDB_MENU_WICKERLUME},
    {2, 0, 4, IDB_MENU_OSTRELLE},    {2, 0, 5, IDB_MENU_PEMBRAST},    {2, 0, 6, IDB_MENU_VARNHOLT},
    {2, 0, 7, IDB_MENU_TRESSIVON},
};




HBITMAP LoadPicture(int id, int width = 0, int height = 0) {
    return static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, width, height, 0));
}

}  // namespace

CBrisvaneDlg::CBrisvaneDlg()
    : fw::Dialog(IDD_BRISVANE), icon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINFRAME))) {
    exchange_.Radio(IDC_USE_DEFAULTS, cleaningMode);
}

bool CBrisvaneDlg::OnInitDialog() {
    InitWindow();
    return true;
}

void CBrisvaneDlg::InitWindow() {
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    cursor_ = LoadCursorW(nullptr, IDC_ARROW);
    LoadTexts();
    whiteBrush_.reset(CreateSolidBrush(kWhite));
    for (size_t i = 0; i < labelBrushes_.size(); ++i)
        labelBrushes_[i].reset(CreateSolidBrush(kModuleControls[i].background));
    TranslateMenu();
    hoverFlags = kNoHover;
    const int dpi = fw::WindowDpi(hwnd());
    labelFont_.reset(CreateFontW(MulDiv(23, dpi, 96), 0, 0, 0, 100, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                 L"Tahoma"));
    headlineFont_.reset(CreateFontW(MulDiv(18, dpi, 96), 0, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
    for (const auto& module : kModuleControls) Item(module.label).SetFont(labelFont_.get());
    Item(IDC_HEADLINE).SetFont(headlineFont_.get());
    ApplyTexts();
    PlaceTiles();
    exchange_.Load(hwnd());
}

void CBrisvaneDlg::LoadTexts() {
    // Without its settings or texts the shell still opens and works; it says once what is missing.
    try {
        store_.GetConfigPath();
        texts_.LoadTexts();
        fw::StandardErrorTexts() = {texts_.GetText(txt::kFileError), texts_.GetText(txt::kInvalidArgumentError),
                                    texts_.GetText(txt::kFailureError), texts_.GetText(txt::kUnexpectedError),
                                    texts_.GetText(txt::kEightBitFileError)};
    } catch (const fw::Error& e) {
        fw::ShowErrorMessage(hwnd(), e.Message());
    }
}

void CBrisvaneDlg::ApplyTexts() {
    TranslateMenu();
    Item(IDC_INTRODUCTION).SetText(texts_.GetText(txt::kIntroduction));
    Item(IDC_HEADLINE).SetText(L"Brisvane");
    for (size_t i = 0; i < kModules.size(); ++i) {
        Item(kModuleControls[i].label).SetText(kModules[i].name);
        if (kModuleControls[i].description)
            Item(kModuleControls[i].description).SetText(texts_.GetText(kModuleControls[i].descriptionText));
    }
    Item(IDC_ONECLICK_GROUP).SetText(texts_.GetText(txt::kOneClickGroup));
    Item(IDC_USE_DEFAULTS).SetText(texts_.GetText(txt::kUseDefaultSettings));
    Item(IDC_USE_MODULE_SETTINGS).SetText(texts_.GetText(txt::kUseModuleSettings));
    Item(IDC_START).SetText(texts_.GetText(txt::kStart));
}

void CBrisvaneDlg::TranslateMenu() {
    HMENU menu = GetMenu(hwnd());
    if (!menu) return;
    const int popups[] = {txt::kMenuFile, txt::kMenuModules, txt::kMenuHelp};
    for (UINT i = 0; i < std::size(popups); ++i) fw::SetMenuText(menu, i, true, texts_.GetText(popups[i]));
    // Items carry a picture in the check-mark place: two blanks keep their texts clear of it.
    auto item = [this](int number) { return L"  " + texts_.GetText(number); };
    if (HMENU help = GetSubMenu(menu, 2)) fw::SetMenuText(help, 0, true, item(txt::kMenuHelpFileFor));
    for (const auto& text : kMenuTexts) fw::SetMenuText(menu, text.id, false, item(text.number));
    for (const auto& module : kModuleControls) {
        fw::SetMenuText(menu, static_cast<UINT>(module.startCommand), false, item(module.menuText));
        fw::SetMenuText(menu, static_cast<UINT>(module.helpCommand), false, item(module.menuText));
    }
    std::vector<fw::Bitmap> bitmaps = fw::SetMenuPictures(hwnd(), menu, kMenuPictures);
    // The old pictures go only now that the menu no longer shows them.
    menuBitmaps_ = std::move(bitmaps);
    DrawMenuBar(hwnd());
}

void CBrisvaneDlg::PlaceTiles() {
    // The tiles are fixed pixel places: the pictures and labels go onto them,
    // at the window's DPI, whatever the dialog font made of the template.
    const int dpi = fw::WindowDpi(hwnd());
    const int pictures[] = {IDB_TILES_OTHERS, IDB_TILES_OSTRELLE_PEMBRAST};
    const int controls[] = {IDC_PICTURE_OTHERS, IDC_PICTURE_OSTRELLE_PEMBRAST};
    const RECT places[] = {FirstPictureRect(dpi), SecondPictureRect(dpi)};
    for (int i = 0; i < 2; ++i) {
        const RECT& r = places[i];
        if (dpi != 96) {
            tilePictures_[i].reset(LoadPicture(pictures[i], r.right - r.left, r.bottom - r.top));
            Item(controls[i]).Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(tilePictures_[i].get()));
        }
        Item(controls[i]).Move(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    for (size_t i = 0; i < kModules.size(); ++i) {
        const RECT r = LabelRect(static_cast<int>(i), dpi);
        Item(kModuleControls[i].label).Move(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

HBRUSH CBrisvaneDlg::OnCtlColor(HDC dc, HWND control, UINT message) {
    if (message == WM_CTLCOLORDLG) return whiteBrush_.get();
    return ColourControl(dc, control);
}

HBRUSH CBrisvaneDlg::ColourControl(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id == IDC_INTRODUCTION || id == IDC_USE_MODULE_SETTINGS) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kQuietText);
        return whiteBrush_.get();
    }
    for (size_t i = 0; i < kModules.size(); ++i) {
        const auto& module = kModuleControls[i];
        if (id != module.label && (module.description == 0 || id != module.description)) continue;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, hoverFlags[i] == L'0' ? kWhite : kHoverText);
        return labelBrushes_[i].get();
    }
    return whiteBrush_.get();
}

void CBrisvaneDlg::TrackHover(int x, int y) {
    const std::wstring before = hoverFlags;
    HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW);
    bool clear = false;
    const int tile = TileAt(x, y, fw::WindowDpi(hwnd()));
    for (size_t i = 0; i < kModules.size(); ++i) {
        if (static_cast<int>(i) == tile) {
            if (hoverFlags[i] != L'1') {
                hoverFlags = HoverText(i);
                RepaintLabel(i);
            }
            cursor = LoadCursorW(nullptr, IDC_HAND);
        } else if (hoverFlags[i] != L'0') {
            RepaintLabel(i);
            clear = true;
        }
    }
    // Straight from one tile onto another: the old highlight goes first, the
    // new one comes with the next move.
    if (clear) {
        hoverFlags = kNoHover;
        cursor = LoadCursorW(nullptr, IDC_ARROW);
    }
    // A label whose highlight went with a tile earlier in the order was passed over above.
    if (clear || hoverFlags != before)
        for (size_t i = 0; i < kModules.size(); ++i) RepaintLabel(i);
    cursor_ = cursor;
    SetCursor(cursor_);
}

void CBrisvaneDlg::RepaintLabel(size_t index) {
    Item(kModuleControls[index].label).SetText(kModules[index].name);
    Item(kModuleControls[index].label).Invalidate();
}

void CBrisvaneDlg::StartHoveredModule() {
    for (size_t i = 0; i < kModules.size(); ++i)
        if (hoverFlags[i] == L'1') StartModule(i);
}

void CBrisvaneDlg::StartModule(size_t index) {
    // One module at a time: a second start while one runs, or during a one-click
    // run, would overwrite the "active" that the first one removes.
    if (oneClickRunning_ || runningModule_) return;
    const auto& module = kModules[index];
    hiddenForModule_ = true;
    ShowWindow(hwnd(), SW_HIDE);
    SetTimer(hwnd(), kWatchTimer, kWatchPeriod, nullptr);
    store_.RegistryKeyPath = contract::kSuiteKey;
    store_.WriteRegistryText(contract::kActive, contract::kSet);
    // Nothing would ever remove "active": the window comes back and says why.
    auto giveUp = [this](const std::wstring& why) {
        KillTimer(hwnd(), kWatchTimer);
        store_.DeleteRegistryValue(1, contract::kActive);
        hiddenForModule_ = false;
        ShowWindow(hwnd(), SW_SHOW);
        Message(why, MB_OK | MB_ICONEXCLAMATION);
    };
    const size_t limitSlot = module.module == contract::Module::Flintrask ? 0 : 1;
    if (module.searchLimit) {
        // The module runs alone without its one-click limit; the limit comes back when it ends.
        try {
            savedSearchLimits[limitSlot] = store_.ReadModuleConfigValue(module.subfolder, contract::kMaxSearch);
            store_.WriteModuleConfigValue(module.subfolder, contract::kMaxSearch, contract::kNoLimit);
        } catch (const fw::Error& e) {
            return giveUp(StoreProblemText(texts_, module, e));
        }
    }
    const std::wstring path = PowerClass::GetProgramFolder() + contract::ProgramPath(module);
    StartedProgram started;
    if (!::StartProgram(path, &started)) {
        if (module.searchLimit) {
            try {
                store_.WriteModuleConfigValue(module.subfolder, contract::kMaxSearch, savedSearchLimits[limitSlot]);
            } catch (const fw::Error&) {
                // The store took "---" a moment ago; the message below is the one that matters.
            }
        }
        return giveUp(FillText(texts_.GetText(txt::kModuleNotStarted), {module.name, path}));
    }
    runningModule_ = index;
    runningProgram_ = std::move(started);
    endedTicks_ = 0;
}

void CBrisvaneDlg::OnTimer(UINT_PTR) { WatchModuleEnd(); }

void CBrisvaneDlg::WatchModuleEnd() {
    if (!runningModule_) return;
    store_.RegistryKeyPath = contract::kSuiteKey;
    if (store_.ReadRegistryText(1, contract::kActive) == contract::kSet) {
        // A program that ended without removing "active" (it crashed, or was
        // killed) would keep the window hidden for ever: after a second, it counts as ended.
        constexpr int kGraceTicks = 5;
        if (!runningProgram_.HasEnded() || ++endedTicks_ < kGraceTicks) return;
    }
    // The run is over before the window shows: whoever sees it sees "active" gone.
    store_.DeleteRegistryValue(1, contract::kActive);
    KillTimer(hwnd(), kWatchTimer);
    hiddenForModule_ = false;
    ShowWindow(hwnd(), SW_RESTORE);
    SetForegroundWindow(hwnd());
    const std::optional<size_t> ended = std::exchange(runningModule_, std::nullopt);
    runningProgram_ = StartedProgram();
    if (!ended || !kModules[*ended].searchLimit) return;
    const auto& module = kModules[*ended];
    try {
        store_.WriteModuleConfigValue(module.subfolder, contract::kMaxSearch,
                                      savedSearchLimits[module.module == contract::Module::Flintrask ? 0 : 1]);
    } catch (const fw::Error& e) {
        Message(StoreProblemText(texts_, module, e), MB_OK | MB_ICONEXCLAMATION);
    }
}

void CBrisvaneDlg::ChangeLanguage() {
    const std::wstring current = store_.ReadConfigValue(contract::kLanguage);
    CLanguage dialog;
    dialog.labelText = texts_.GetText(txt::kSelectLanguage);
    dialog.systemDefaultText = texts_.GetText(txt::kSystemDefaultLanguage);
    dialog.languageCode = current;
    dialog.DoModal(hwnd());
    if (dialog.languageCode == current) return;
    store_.WriteConfigValue(contract::kLanguage, dialog.languageCode);
    // Every module that can take it gets the language; the others are named afterwards.
    std::wstring problems;
    for (const auto& module : kModules) {
        try {
            store_.WriteModuleConfigValue(module.subfolder, contract::kLanguage, dialog.languageCode);
        } catch (const fw::Error& e) {
            problems += (problems.empty() ? L"" : L"\n\n") + StoreProblemText(texts_, module, e);
        }
    }
    LoadTexts();
    ApplyTexts();
    if (!problems.empty()) Message(problems, MB_OK | MB_ICONEXCLAMATION);
}

void CBrisvaneDlg::OpenHelp(std::optional<size_t> module) {
    const std::wstring help = module ? contract::HelpPath(kModules[*module]) : L"\\help.chm";
    fw::ShellOpen(PowerClass::GetProgramFolder() + help);
}

void CBrisvaneDlg::OpenWebSite() { fw::ShellOpen(store_.ReadConfigValue(L"Homepage")); }

bool CBrisvaneDlg::OnCommand(int id, int, HWND) {
    for (size_t i = 0; i < kModules.size(); ++i) {
        if (id == kModuleControls[i].startCommand) {
            StartModule(i);
            return true;
        }
        if (id == kModuleControls[i].helpCommand) {
            OpenHelp(i);
            return true;
        }
    }
    switch (id) {
        case ID_FILE_LANGUAGE:
            // The texts of a running one-click run are not to be reset under it.
            if (!oneClickRunning_) ChangeLanguage();
            return true;
        case ID_FILE_EXIT: End(IDOK); return true;
        case ID_MODULES_ONECLICK_SETTINGS: {
            CSettings settings;
            settings.DoModal(hwnd());
            return true;
        }
        case IDC_START: RunOneClickCleaning(); return true;
        case ID_HELP_START_SCREEN: OpenHelp(std::nullopt); return true;
        case ID_HELP_WEBSITE: OpenWebSite(); return true;
        case ID_HELP_ABOUT: {
            CAboutDlg about;
            about.DoModal(hwnd());
            return true;
        }
    }
    return false;
}

bool CBrisvaneDlg::OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result) {
    if (fw::AnswerAsIcon(hwnd(), icon_, message, result)) return true;
    switch (message) {
        case WM_MOUSEMOVE:
            TrackHover(GET_X_LPARAM(l), GET_Y_LPARAM(l));
            return false;
        case WM_LBUTTONDOWN:
            StartHoveredModule();
            return false;
        case WM_SETCURSOR:
            // Over a tile the hand stays, instead of the class's arrow coming back at each move.
            if (LOWORD(l) != HTCLIENT || reinterpret_cast<HWND>(w) != hwnd() || hoverFlags == kNoHover) return false;
            SetCursor(cursor_);
            result = TRUE;
            return true;
        case WM_WINDOWPOSCHANGING:
            // The modal loop shows its dialog when its queue first runs empty; a
            // start asked for before that must not bring the window back.
            if (hiddenForModule_) reinterpret_cast<WINDOWPOS*>(l)->flags &= ~SWP_SHOWWINDOW;
            return false;
        case WM_HELP:
            OpenHelp(std::nullopt);
            result = TRUE;
            return true;
    }
    return false;
}

void CBrisvaneDlg::RunOneClickCleaning() {
    if (oneClickRunning_ || runningModule_) return;
    exchange_.Store(hwnd());
    oneClickRunning_ = true;
    EnableModuleCommands(false);
    ShowOneClickControls(false);
    progress_.Destroy();
    if (progress_.Create(hwnd())) ShowWindow(progress_.hwnd(), SW_SHOW);
    Item(IDC_HEADLINE).SetText(texts_.GetText(txt::kHeadlineRunning));
    try {
        OneClickRun run(store_, texts_, *this, oneClickTiming);
        run.Run(cleaningMode);
    } catch (...) {
        // The window never stays without its tiles, whatever stopped the run.
        CloseProgress();
        oneClickRunning_ = false;
        EnableModuleCommands(true);
        throw;
    }
    oneClickRunning_ = false;
    EnableModuleCommands(true);
}

void CBrisvaneDlg::ShowOneClickControls(bool show) {
    for (int id : kOneClickControls) Item(id).Show(show);
    for (const auto& module : kModuleControls) {
        Item(module.label).Show(show);
        if (module.description) Item(module.description).Show(false);
    }
}

void CBrisvaneDlg::EnableModuleCommands(bool enable) {
    HMENU menu = GetMenu(hwnd());
    for (const auto& module : kModuleControls)
        EnableMenuItem(menu, static_cast<UINT>(module.startCommand), MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void CBrisvaneDlg::Message(const std::wstring& text, UINT type) {
    fw::ShowMessageBox(hwnd(), text, texts_.GetText(txt::kMessageCaption), type);
}

void CBrisvaneDlg::SetStatus(int textNumber) { Item(IDC_INTRODUCTION).SetText(texts_.GetText(textNumber)); }

void CBrisvaneDlg::EnableStep(int step, bool enable) {
    if (progress_.hwnd()) progress_.EnableStep(step, enable);
}

void CBrisvaneDlg::SetBarRange(int step, int upper) {
    if (progress_.hwnd()) progress_.SetBarRange(step, upper);
}

void CBrisvaneDlg::SetBarPos(int step, int position) {
    if (progress_.hwnd()) progress_.SetBarPos(step, position);
}

bool CBrisvaneDlg::CancelRequested() const { return progress_.CancelRequested(); }

bool CBrisvaneDlg::StartProgram(const std::wstring& path) { return ::StartProgram(path); }

void CBrisvaneDlg::CloseProgress() {
    progress_.Destroy();
    SetStatus(txt::kIntroduction);
    ShowOneClickControls(true);
    Item(IDC_HEADLINE).SetText(texts_.GetText(txt::kHeadlineFinished));
}

void CBrisvaneDlg::ShowMessage(const std::wstring& text, UINT type) { Message(text, type); }
