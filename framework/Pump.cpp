#include "framework/Pump.h"

#include <algorithm>
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

bool IsModelessDialogMessage(MSG& msg) {
    for (HWND dialog : Modeless())
        if (IsWindow(dialog) && IsDialogMessageW(dialog, &msg)) return true;
    return false;
}

bool PumpPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (!IsModelessDialogMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

}  // namespace fw
