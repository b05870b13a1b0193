#include "framework/Controls.h"

#include <vector>

namespace fw {

std::wstring Window::GetText() const {
    int length = GetWindowTextLengthW(h_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(h_, text.data(), length + 1);
    text.resize(static_cast<size_t>(got));
    return text;
}

std::wstring ComboBox::GetItemText(int index) const {
    LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
    return text;
}

int ListView::InsertColumn(int index, const std::wstring& title, int width) const {
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(title.c_str());
    column.cx = width;
    return static_cast<int>(Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
}

int ListView::InsertItem(int index, const std::wstring& text) const {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

std::wstring ListView::GetItemText(int index) const {
    // The control copies at most the buffer's size; patterns and paths fit.
    std::vector<wchar_t> buffer(32768, L'\0');
    LVITEMW item = {};
    item.iSubItem = 0;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    LRESULT got = Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return std::wstring(buffer.data(), static_cast<size_t>(got));
}

void ListView::SetItemState(int index, UINT state, UINT mask) const {
    LVITEMW item = {};
    item.state = state;
    item.stateMask = mask;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int TabControl::InsertItem(int index, const std::wstring& text) const {
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return static_cast<int>(Send(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

std::wstring TabControl::GetItemText(int index) const {
    wchar_t buffer[256] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 256;
    if (!Send(TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return {};
    return item.pszText;
}

HTREEITEM TreeView::InsertItem(const std::wstring& text, HTREEITEM parent, HTREEITEM after, LPARAM data) const {
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

LPARAM TreeView::GetItemData(HTREEITEM item) const {
    TVITEMW tv = {};
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = item;
    return Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv)) ? tv.lParam : 0;
}

std::wstring TreeView::GetItemText(HTREEITEM item) const {
    // Paths can be long; the control copies at most the buffer's size.
    std::vector<wchar_t> buffer(32768, L'\0');
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer.data();
    tv.cchTextMax = static_cast<int>(buffer.size());
    if (!Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return {};
    return std::wstring(tv.pszText);
}

void TreeView::SetItemText(HTREEITEM item, const std::wstring& text) const {
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = const_cast<wchar_t*>(text.c_str());
    Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

bool TreeView::GetCheck(HTREEITEM item) const {
    TVITEMW tv = {};
    tv.mask = TVIF_STATE | TVIF_HANDLE;
    tv.hItem = item;
    tv.stateMask = TVIS_STATEIMAGEMASK;
    Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return (tv.state >> 12) == 2;
}

void TreeView::SetCheck(HTREEITEM item, bool checked) const {
    TVITEMW tv = {};
    tv.mask = TVIF_STATE | TVIF_HANDLE;
    tv.hItem = item;
    tv.stateMask = TVIS_STATEIMAGEMASK;
    tv.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

}  // namespace fw
