#pragma once
// Thin value types over a control's HWND: each method sends one message.
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace fw {

class Window {
public:
    Window(HWND h = nullptr) : h_(h) {}
    operator HWND() const { return h_; }
    HWND hwnd() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return SendMessageW(h_, msg, w, l); }
    void SetText(const std::wstring& text) const { SetWindowTextW(h_, text.c_str()); }
    std::wstring GetText() const;
    void Show(bool show) const { ShowWindow(h_, show ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return IsWindowVisible(h_) != FALSE; }
    void Enable(bool enable) const { EnableWindow(h_, enable); }
    bool IsEnabled() const { return IsWindowEnabled(h_) != FALSE; }
    void Move(int x, int y, int width, int height, bool repaint = true) const {
        MoveWindow(h_, x, y, width, height, repaint);
    }
    void SetFont(HFONT font, bool redraw = true) const { Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
    void Invalidate() const { InvalidateRect(h_, nullptr, TRUE); }
    int Id() const { return GetDlgCtrlID(h_); }

protected:
    HWND h_;
};

using Static = Window;

class Button : public Window {
public:
    using Window::Window;
    bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetCheck(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    void Click() const { Send(BM_CLICK); }
    void SetBitmap(HBITMAP bitmap) const { Send(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)); }
};

class Edit : public Window {
public:
    using Window::Window;
    void SetSel(int start, int end) const { Send(EM_SETSEL, start, end); }
};

class ComboBox : public Window {
public:
    using Window::Window;
    int AddString(const std::wstring& text) const {
        return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    void ResetContent() const { Send(CB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetCurSel(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    std::wstring GetItemText(int index) const;
};

class ListView : public Window {
public:
    using Window::Window;
    int InsertColumn(int index, const std::wstring& title, int width) const;
    bool DeleteColumn(int index) const { return Send(LVM_DELETECOLUMN, static_cast<WPARAM>(index)) != 0; }
    int InsertItem(int index, const std::wstring& text) const;
    bool DeleteItem(int index) const { return Send(LVM_DELETEITEM, static_cast<WPARAM>(index)) != 0; }
    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    std::wstring GetItemText(int index) const;
    // The next item after `start` (-1: from the first) with the LVNI_ flags; -1 when none.
    int GetNextItem(int start, UINT flags) const {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
    }
    UINT GetItemState(int index, UINT mask) const {
        return static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
    }
    void SetItemState(int index, UINT state, UINT mask) const;
    bool EnsureVisible(int index) const { return Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE) != 0; }
    void SetBkColor(COLORREF colour) const { Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour)); }
    void SetTextBkColor(COLORREF colour) const { Send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour)); }
    void SetTextColor(COLORREF colour) const { Send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour)); }
    COLORREF GetBkColor() const { return static_cast<COLORREF>(Send(LVM_GETBKCOLOR)); }
    COLORREF GetTextBkColor() const { return static_cast<COLORREF>(Send(LVM_GETTEXTBKCOLOR)); }
    COLORREF GetTextColor() const { return static_cast<COLORREF>(Send(LVM_GETTEXTCOLOR)); }
};

class TabControl : public Window {
public:
    using Window::Window;
    int InsertItem(int index, const std::wstring& text) const;
    void DeleteAllItems() const { Send(TCM_DELETEALLITEMS); }
    int GetItemCount() const { return static_cast<int>(Send(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(Send(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
    std::wstring GetItemText(int index) const;
};

class DateTimePicker : public Window {
public:
    using Window::Window;
    // False when the control holds no date.
    bool GetSystemTime(SYSTEMTIME& time) const {
        return Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID;
    }
    bool SetSystemTime(const SYSTEMTIME& time) const {
        return Send(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)) != 0;
    }
    // The earliest and latest dates the user can choose.
    bool SetRange(const SYSTEMTIME& earliest, const SYSTEMTIME& latest) const {
        SYSTEMTIME range[2] = {earliest, latest};
        return Send(DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range)) != 0;
    }
};

class TreeView : public Window {
public:
    using Window::Window;
    HTREEITEM InsertItem(const std::wstring& text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST,
                         LPARAM data = 0) const;
    LPARAM GetItemData(HTREEITEM item) const;
    bool DeleteItem(HTREEITEM item) const { return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    void DeleteAllItems() const { Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }
    std::wstring GetItemText(HTREEITEM item) const;
    void SetItemText(HTREEITEM item, const std::wstring& text) const;
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const {
        return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM GetRoot() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChild(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSibling(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetParent(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetNextVisible(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXTVISIBLE); }
    HTREEITEM GetSelection() const { return GetNextItem(nullptr, TVGN_CARET); }
    bool SelectItem(HTREEITEM item) const { return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0; }
    bool Expand(HTREEITEM item, UINT code) const { return Send(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != 0; }
    unsigned GetCount() const { return static_cast<unsigned>(Send(TVM_GETCOUNT)); }
    bool GetCheck(HTREEITEM item) const;
    void SetCheck(HTREEITEM item, bool checked) const;
};

class ProgressBar : public Window {
public:
    using Window::Window;
    // PBM_SETRANGE: the bounds travel as 16-bit values.
    void SetRange(int low, int high) const { Send(PBM_SETRANGE, 0, MAKELPARAM(low, high)); }
    void SetPos(int pos) const { Send(PBM_SETPOS, static_cast<WPARAM>(pos)); }
    int GetPos() const { return static_cast<int>(Send(PBM_GETPOS)); }
};

}  // namespace fw
