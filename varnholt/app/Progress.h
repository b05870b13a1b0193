#pragma once
// The progress window the search shows while it runs on the window's thread,
// and the pulse dialog it runs once per opening. Pumping pending messages at
// each step is what keeps the program responsive during a search; the pump is
// throttled, because dispatching costs time under load.
#include <array>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "varnholt/app/WindowTexts.h"
#include "varnholt/engine/SearchSinks.h"

// Runs one short modal loop: a 1 ms timer ends it. It is never shown.
class CFakeDlg : public fw::Dialog {
public:
    CFakeDlg();

protected:
    bool OnInitDialog() override;
    void OnTimer(UINT_PTR id) override;
    bool OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result) override;
};

class CProgress : public fw::Dialog, public ProgressSink {
public:
    CProgress();

    // Creates the window owned by `owner`, hidden, so that the owner can place it first.
    bool Create(HWND owner) { return fw::Dialog::Create(owner); }
    // Shows it without taking the focus from the search's window.
    void Show();
    // Create and Show.
    bool Open(HWND owner);
    void Close();
    // What the Cancel button does; the main window asks it when it is closed during a search.
    void RequestCancel() { cancelRequested_ = true; }

    // ProgressSink
    void SetStatusText(const std::wstring& text) override;
    void SetFolderTotal(int total) override;
    int FolderTotal() const override { return folderTotal_; }
    void SetFolderIndex(int index) override { folderIndex_ = index; }
    int FolderIndex() const override { return folderIndex_; }
    void SetCurrentText(std::wstring_view text) override { currentText_ = text; }
    void SetBarRange(int low, int high) override;
    void SetBarPos(int pos) override;
    void Tick() override;
    void Refresh() override;
    void KeepAlive() override;
    bool CancelRequested() const override { return cancelRequested_; }

    // What the window shows, for the main window and tests.
    const std::wstring& CurrentText() const { return currentText_; }
    // Every picture change of this opening, as bitmap resource ids.
    const std::vector<int>& PictureHistory() const { return pictureHistory_; }
    // How often a picture was loaded from the resources, over the window's life.
    int PictureLoads() const { return pictureLoads_; }
    int PulseRuns() const { return pulseRuns_; }

    // Least time between two pumps of pending messages.
    static constexpr ULONGLONG kPumpIntervalMs = 20;
    // Least time between two drawings of the picture.
    static constexpr ULONGLONG kPictureIntervalMs = 100;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
    // The main window sets this window's size in pixels; the controls follow it,
    // whatever size the dialog font gives the template.
    void OnSize(UINT type, int width, int height) override;
    bool OnMessage(UINT message, WPARAM w, LPARAM l, LRESULT& result) override;
    // Escape and the hidden buttons ask to cancel; the search closes the window.
    void OnOK() override {}
    void OnCancel() override { cancelRequested_ = true; }
    void OnClose() override { cancelRequested_ = true; }

private:
    void ShowNextPicture();
    void PumpThrottled(bool force);
    void DrawPicture(const DRAWITEMSTRUCT& item);
    void ShowCurrentText();

    WindowTexts texts_;
    fw::Brush background_;
    // The three pictures, loaded once; `shown_` is the one drawn, if any.
    std::array<fw::Bitmap, 3> pictures_;
    HBITMAP shown_ = nullptr;
    int shownIndex_ = 0;
    struct Scaled {
        fw::Bitmap bitmap;
        int width = 0, height = 0;
    };
    std::array<Scaled, 3> scaled_;  // each picture as last drawn
    int pictureLoads_ = 0;
    std::wstring currentText_;
    std::wstring shownText_;   // what the status line shows
    bool pictureDirty_ = false;  // asked to draw, not drawn yet
    ULONGLONG lastPictureAsked_ = 0;
    HWND status_ = nullptr, bar_ = nullptr, picture_ = nullptr;
    int folderTotal_ = 0;
    int folderIndex_ = 0;
    int sentPos_ = -1;
    bool cancelRequested_ = false;
    int tickCount_ = 0;
    int pictureIndex_ = 0;
    bool pulsePending_ = false;
    int pulseRuns_ = 0;
    ULONGLONG lastPump_ = 0;
    std::vector<int> pictureHistory_;
    CFakeDlg pulse_;
};
