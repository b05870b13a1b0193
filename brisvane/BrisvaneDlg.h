#pragma once
// The suite shell: six module tiles, a menu, and the one-click area. A module is
// started with the shell's "open" and the window waits, hidden, until the module
// says it has ended; the one-click run drives three modules in turn.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "brisvane/ModuleAccess.h"
#include "brisvane/OneClickRun.h"
#include "brisvane/Progress.h"
#include "common/PowerClass.h"
#include "common/Translation.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "resources/brisvane/resource.h"

class CBrisvaneDlg : public fw::Dialog, private OneClickSurface {
public:
    CBrisvaneDlg();

    // State for tests of the window.
    const std::wstring& HoverFlags() const { return hoverFlags; }
    bool ModuleRunning() const { return runningModule_.has_value(); }
    bool OneClickRunning() const { return oneClickRunning_; }
    const CProgress& Progress() const { return progress_; }
    // Tests shorten the pauses and waits of a one-click run.
    OneClickTiming oneClickTiming;

    // The window's own state, as the shell keeps it.
    std::wstring hoverFlags = L"000000";
    std::array<std::wstring, 2> savedSearchLimits;
    int cleaningMode = 0;

    static constexpr UINT_PTR kWatchTimer = 1;
    static constexpr UINT kWatchPeriod = 200;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
    void OnTimer(UINT_PTR id) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnClose() override { End(IDCANCEL); }
    bool OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result) override;

private:
    void InitWindow();
    void LoadTexts();
    void ApplyTexts();
    void TranslateMenu();
    void PlaceTiles();
    HBRUSH ColourControl(HDC dc, HWND control);
    void TrackHover(int x, int y);
    void RepaintLabel(size_t index);
    void StartHoveredModule();
    void StartModule(size_t index);
    void WatchModuleEnd();
    void ChangeLanguage();
    void OpenHelp(std::optional<size_t> module);
    void OpenWebSite();
    void RunOneClickCleaning();
    void ShowOneClickControls(bool show);
    void EnableModuleCommands(bool enable);
    void Message(const std::wstring& text, UINT type);

    // OneClickSurface: what the run shows through the window and its panel.
    void SetStatus(int textNumber) override;
    void EnableStep(int step, bool enable) override;
    void SetBarRange(int step, int upper) override;
    void SetBarPos(int step, int position) override;
    bool CancelRequested() const override;
    bool StartProgram(const std::wstring& path) override;
    void CloseProgress() override;
    void ShowMessage(const std::wstring& text, UINT type) override;

    PowerClass store_;
    CTranslation texts_;
    CProgress progress_;
    fw::DataExchange exchange_;

    fw::Brush whiteBrush_;
    std::array<fw::Brush, 6> labelBrushes_;
    fw::Font labelFont_;
    fw::Font headlineFont_;
    std::vector<fw::Bitmap> menuBitmaps_;
    fw::Bitmap tilePictures_[2];
    HICON icon_;
    HCURSOR cursor_ = nullptr;

    // The module the window waits for, and its process while one is known.
    std::optional<size_t> runningModule_;
    StartedProgram runningProgram_;
    int endedTicks_ = 0;
    bool hiddenForModule_ = false;
    bool oneClickRunning_ = false;
};
