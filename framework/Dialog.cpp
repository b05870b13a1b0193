#include "framework/Dialog.h"

#include <windowsx.h>

#include "framework/Errors.h"
#include "framework/Pump.h"
#include "framework/Ui.h"

namespace fw {

Dialog::~Dialog() { Destroy(); }

INT_PTR Dialog::DoModal(HWND owner) {
    modal_ = true;
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, &Procedure,
                                     reinterpret_cast<LPARAM>(this));
    modal_ = false;
    hwnd_ = nullptr;
    return result;
}

bool Dialog::Create(HWND owner) {
    Destroy();
    modal_ = false;
    HWND h = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, &Procedure,
                                reinterpret_cast<LPARAM>(this));
    if (h) RegisterModeless(h);
    return h != nullptr;
}

void Dialog::Destroy() {
    if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

void Dialog::End(INT_PTR result) {
    if (!hwnd_) return;
    if (modal_)
        EndDialog(hwnd_, result);
    else
        DestroyWindow(hwnd_);
}

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(l);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        UnregisterModeless(hwnd);
        self->hwnd_ = nullptr;
        return FALSE;
    }
    // Nothing may unwind through the system's dialog code.
    try {
        return self->Route(message, w, l);
    } catch (const Error& e) {
        ShowErrorMessage(hwnd, e.Message());
    } catch (const std::exception&) {
        ShowErrorMessage(hwnd, StandardErrorTexts().unexpected);
    }
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

namespace {

// Messages whose answer a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
    }
    return false;
}

}  // namespace

INT_PTR Dialog::Route(UINT message, WPARAM w, LPARAM l) {
    LRESULT result = 0;
    if (OnMessage(message, w, l, result)) {
        if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog() ? TRUE : FALSE;
        case WM_COMMAND: {
            int id = LOWORD(w);
            if (!OnCommand(id, HIWORD(w), reinterpret_cast<HWND>(l))) {
                if (id == IDOK) OnOK();
                else if (id == IDCANCEL) OnCancel();
                else return FALSE;
            }
            return TRUE;
        }
        case WM_NOTIFY:
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, OnNotify(reinterpret_cast<NMHDR*>(l)));
            return TRUE;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
            return reinterpret_cast<INT_PTR>(OnCtlColor(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l), message));
        case WM_SIZE:
            OnSize(static_cast<UINT>(w), GET_X_LPARAM(l), GET_Y_LPARAM(l));
            return FALSE;
        case WM_TIMER:
            OnTimer(w);
            return TRUE;
        case WM_CLOSE:
            OnClose();
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
    }
    return FALSE;
}

}  // namespace fw
