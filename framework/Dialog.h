#pragma once
// A window made from a dialog template. One static dialog procedure keeps `this`
// in the window's user data and routes every message to a virtual handler.
// Errors thrown by a handler end at this boundary: they are shown in the
// standard message and the program goes on.
#include <windows.h>

#include <string>

#include "framework/Controls.h"

namespace fw {

class Dialog {
public:
    explicit Dialog(UINT templateId) : templateId_(templateId) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    // Runs the dialog modally; the value given to EndDialog, or -1 when it could not be made.
    INT_PTR DoModal(HWND owner);
    // Makes the dialog modeless (not shown unless the template says so).
    bool Create(HWND owner);
    void Destroy();

    HWND hwnd() const { return hwnd_; }
    operator HWND() const { return hwnd_; }
    bool IsModal() const { return modal_; }
    UINT TemplateId() const { return templateId_; }

    // Ends a modal dialog with the result, or destroys a modeless one.
    void End(INT_PTR result);

    template <class Control = Window>
    Control Item(int id) const { return Control(GetDlgItem(hwnd_, id)); }

protected:
    virtual bool OnInitDialog() { return true; }
    // True when the command was handled; otherwise IDOK and IDCANCEL go to OnOK and OnCancel.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual LRESULT OnNotify(NMHDR* /*header*/) { return 0; }
    // A brush for the control's background, or nullptr for the default colours.
    virtual HBRUSH OnCtlColor(HDC /*dc*/, HWND /*control*/, UINT /*message*/) { return nullptr; }
    virtual void OnSize(UINT /*type*/, int /*width*/, int /*height*/) {}
    virtual void OnTimer(UINT_PTR /*id*/) {}
    virtual void OnClose() { OnCancel(); }
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    virtual void OnDestroy() {}
    // Any other message; return true and set result when handled.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*w*/, LPARAM /*l*/, LRESULT& /*result*/) { return false; }

private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l);
    INT_PTR Route(UINT message, WPARAM w, LPARAM l);

    UINT templateId_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
};

}  // namespace fw
