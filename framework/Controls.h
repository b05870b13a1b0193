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
