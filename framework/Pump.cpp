#include "framework/Pump.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace fw {

namespace {
std::vector<HWND>& Modeless() {
    static std::vector<HWND> dialogs;
    return dialogs;
}
}  // namespace

void RegisterModeless(HWND dialog) { Modeless().push_back(dialog); }

void UnregisterModeless(HWND dialog) {
    auto& d = Modeless();
    d.erase(std::remove(d.begin(), d.end(), dialog), d.end());
}

bool IsDialogKeyMessage(MSG& msg) {
    for (HWND dialog : Modeless())
        if (IsWindow(dialog) && IsDialogMessageW(dialog, &msg)) return true;
    // A modal dialog whose handler pumps (the main window during a search) keeps
    // its keyboard navigation: its own loop is not running meanwhile.
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    wchar_t kind[8] = {};
    return root && GetClassNameW(root, kind, 8) && std::wstring_view(kind) == L"#32770" &&
           IsDialogMessageW(root, &msg);
}

bool PumpPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (!IsDialogKeyMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

}  // namespace fw
