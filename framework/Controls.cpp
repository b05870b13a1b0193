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
