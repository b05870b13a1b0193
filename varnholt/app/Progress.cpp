#include "varnholt/app/Progress.h"

#include <algorithm>

#include <commctrl.h>

#include "framework/Pump.h"
#include "resources/varnholt/resource.h"
#include "varnholt/engine/TextNumbers.h"

CFakeDlg::CFakeDlg() : fw::Dialog(IDD_PULSE) {}

bool CFakeDlg::OnInitDialog() {
    SetTimer(hwnd(), 1, 1, nullptr);
    return true;
}

void CFakeDlg::OnTimer(UINT_PTR id) {
    if (id != 1) return;
    KillTimer(hwnd(), 1);
    End(IDOK);
}

bool CFakeDlg::OnMessage(UINT message, WPARAM, LPARAM l, LRESULT&) {
    // The modal loop shows a dialog that is not visible yet; this one stays hidden
    // and leaves the activation where it is.
    if (message == WM_WINDOWPOSCHANGING) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(l);
        if (pos->flags & SWP_SHOWWINDOW) {
            pos->flags &= ~SWP_SHOWWINDOW;
            pos->flags |= SWP_NOACTIVATE | SWP_NOZORDER;
        }
    }
    return false;
}

CProgress::CProgress() : fw::Dialog(IDD_PROGRESS) {}

bool CProgress::Open(HWND owner) {
    if (!Create(owner)) return false;
    Show();
    return true;
}

void CProgress::Show() {
    if (!hwnd()) return;
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd());
}

void CProgress::Close() { Destroy(); }

bool CProgress::OnInitDialog() {
    texts_.Load();
    background_.reset(CreateSolidBrush(RGB(240, 240, 240)));
    Item(IDC_PROGRESS_CANCEL).SetText(texts_.GetText(txt::kCancel));
    cancelRequested_ = false;
    tickCount_ = 0;
    pictureIndex_ = 0;
    sentPos_ = -1;
    // Kept: under Wine each look-up of a child window asks the server, and a
    // comparison updates these once per group.
    status_ = GetDlgItem(hwnd(), IDC_PROGRESS_STATUS);
    bar_ = GetDlgItem(hwnd(), IDC_PROGRESS_BAR);
    picture_ = GetDlgItem(hwnd(), IDC_PROGRESS_PICTURE);
    shownText_ = fw::Window(status_).GetText();
    pictureDirty_ = false;
    lastPictureAsked_ = 0;
    lastPump_ = 0;
    pictureHistory_.clear();
    pulsePending_ = false;  // the first tick below must not run it
    fw::ProgressBar(bar_).SetRange(0, folderTotal_ & 0xFFFF);
    Tick();
    pulsePending_ = true;
    return true;
}

void CProgress::SetStatusText(const std::wstring& text) {
    if (hwnd()) Item(IDC_PROGRESS_CAPTION).SetText(text);
}

void CProgress::SetFolderTotal(int total) {
    folderTotal_ = total;
    if (hwnd()) fw::ProgressBar(bar_).SetRange(0, total & 0xFFFF);
}

void CProgress::SetBarRange(int low, int high) {
    if (hwnd()) fw::ProgressBar(bar_).SetRange(low, high);
}

void CProgress::SetBarPos(int pos) {
    // An unchanged position would only cost a message; a comparison sets it once per group.
    if (!hwnd() || pos == sentPos_) return;
    fw::ProgressBar(bar_).SetPos(pos);
    sentPos_ = pos;
}

void CProgress::Tick() {
    if (!hwnd()) return;
    // Sending an unchanged position again would only cost a message.
    if (folderIndex_ != sentPos_) SetBarPos(folderIndex_);
    ++tickCount_;
    if (tickCount_ == 100) ShowCurrentText();
    if (tickCount_ == 333) {
        ShowNextPicture();
        tickCount_ = 0;
        if (pulsePending_) {
            pulsePending_ = false;
            if (pulse_.DoModal(hwnd()) != -1) ++pulseRuns_;
        }
    }
    PumpThrottled(false);
}

void CProgress::ShowCurrentText() {
    // A comparison refreshes once per group, mostly with its category's same text.
    if (currentText_ == shownText_) return;
    shownText_ = currentText_;
    fw::Window(status_).SetText(currentText_);
}

void CProgress::Refresh() {
    if (!hwnd()) return;
    ShowCurrentText();
    ShowNextPicture();
    tickCount_ = 0;
    PumpThrottled(false);
}

void CProgress::KeepAlive() {
    if (hwnd()) PumpThrottled(false);
}

void CProgress::PumpThrottled(bool force) {
    ULONGLONG now = GetTickCount64();
    if (!force && lastPump_ != 0 && now - lastPump_ < kPumpIntervalMs) return;
    lastPump_ = now;
    fw::PumpPendingMessages();
}

void CProgress::ShowNextPicture() {
    static constexpr int kPictures[] = {IDB_PROGRESS_1, IDB_PROGRESS_2, IDB_PROGRESS_3};
    const int id = kPictures[pictureIndex_];
    // Refresh may come once per group: each picture is loaded the first time only.
    fw::Bitmap& picture = pictures_[pictureIndex_];
    if (!picture) {
        picture.reset(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ++pictureLoads_;
    }
    shown_ = picture.get();
    shownIndex_ = pictureIndex_;
    pictureHistory_.push_back(id);
    pictureIndex_ = (pictureIndex_ + 1) % 3;
    // Asked once until it is drawn, and at most ten times a second: it draws
    // whichever picture is current then. Every drawing of the window costs the
    // search's threads their share of the system under Wine.
    const ULONGLONG now = GetTickCount64();
    if (pictureDirty_ || now - lastPictureAsked_ < kPictureIntervalMs) return;
    pictureDirty_ = true;
    lastPictureAsked_ = now;
    InvalidateRect(picture_, nullptr, FALSE);
}

void CProgress::DrawPicture(const DRAWITEMSTRUCT& item) {
    pictureDirty_ = false;
    const RECT& r = item.rcItem;
    FillRect(item.hDC, &r, background_.get());
    if (!shown_) return;
    BITMAP info = {};
    GetObjectW(shown_, sizeof info, &info);
    if (info.bmWidth <= 0 || info.bmHeight <= 0) return;
    // Fit the picture into the button, keeping its proportions.
    int width = r.right - r.left, height = r.bottom - r.top;
    int drawWidth = width, drawHeight = MulDiv(info.bmHeight, width, info.bmWidth);
    if (drawHeight > height) {
        drawHeight = height;
        drawWidth = MulDiv(info.bmWidth, height, info.bmHeight);
    }
    if (drawWidth <= 0 || drawHeight <= 0) return;
    // Scaled once per size: a search draws it hundreds of times, and a smooth
    // stretch is slow.
    Scaled& scaled = scaled_[shownIndex_];
    HDC source = CreateCompatibleDC(item.hDC);
    if (!scaled.bitmap || scaled.width != drawWidth || scaled.height != drawHeight) {
        HDC original = CreateCompatibleDC(item.hDC);
        HGDIOBJ oldOriginal = SelectObject(original, shown_);
        scaled.bitmap.reset(CreateCompatibleBitmap(item.hDC, drawWidth, drawHeight));
        scaled.width = drawWidth;
        scaled.height = drawHeight;
        HGDIOBJ oldScaled = SelectObject(source, scaled.bitmap.get());
        SetStretchBltMode(source, HALFTONE);
        SetBrushOrgEx(source, 0, 0, nullptr);
        StretchBlt(source, 0, 0, drawWidth, drawHeight, original, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(source, oldScaled);
        SelectObject(original, oldOriginal);
        DeleteDC(original);
    }
    HGDIOBJ old = SelectObject(source, scaled.bitmap.get());
    BitBlt(item.hDC, r.left + (width - drawWidth) / 2, r.top + (height - drawHeight) / 2, drawWidth, drawHeight, source,
           0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

bool CProgress::OnCommand(int id, int, HWND) {
    if (id == IDC_PROGRESS_CANCEL) {
        cancelRequested_ = true;
        return true;
    }
    return false;
}

HBRUSH CProgress::OnCtlColor(HDC dc, HWND control, UINT) {
    switch (GetDlgCtrlID(control)) {
        case IDC_PROGRESS_CANCEL:
        case IDC_PROGRESS_CAPTION:
        case IDC_PROGRESS_STATUS:
        case IDC_PROGRESS_PICTURE:
        case IDC_PROGRESS_BAR:
            SetBkMode(dc, TRANSPARENT);
            break;
    }
    return background_.get();
}

bool CProgress::OnMessage(UINT message, WPARAM, LPARAM l, LRESULT& result) {
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(l);
        if (item->CtlID != IDC_PROGRESS_PICTURE) return false;
        DrawPicture(*item);
        result = TRUE;
        return true;
    }
    return false;
}

void CProgress::OnSize(UINT, int width, int) {
    // Keep the template's left margins and mirror them on the right.
    auto fit = [&](int id, bool centred) {
        HWND control = GetDlgItem(hwnd(), id);
        if (!control) return;
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
        int w = r.right - r.left;
        int x = r.left;
        if (centred) {
            x = (width - w) / 2;
        } else if (x + w > width - 8) {
            w = std::max(0, width - 8 - x);
        }
        SetWindowPos(control, nullptr, x, r.top, w, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    HWND bar = GetDlgItem(hwnd(), IDC_PROGRESS_BAR);
    if (bar) {
        RECT r;
        GetWindowRect(bar, &r);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(bar, nullptr, r.left, r.top, std::max(0, width - 2 * static_cast<int>(r.left)), r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fit(IDC_PROGRESS_CAPTION, false);
    fit(IDC_PROGRESS_STATUS, false);
    fit(IDC_PROGRESS_CANCEL, true);
}
