#include "tests/varnholt/DialogDriver.h"

#include <vector>

namespace varnholt_tests {

namespace {
std::vector<DialogAnswer*>& Active() {
    static std::vector<DialogAnswer*> active;
    return active;
}
}  // namespace

DialogAnswer::DialogAnswer(std::wstring title, std::function<void(HWND)> action)
    : title_(std::move(title)), action_(std::move(action)) {
    timer_ = SetTimer(nullptr, 0, 20, &DialogAnswer::OnTimer);
    Active().push_back(this);
}

DialogAnswer::~DialogAnswer() {
    if (timer_) KillTimer(nullptr, timer_);
    std::erase(Active(), this);
}

void CALLBACK DialogAnswer::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    for (DialogAnswer* answer : Active())
        if (answer->timer_ == id) return answer->Poll();
}

void DialogAnswer::Poll() {
    struct Search {
        const std::wstring* title;
        HWND found = nullptr;
        static BOOL CALLBACK Visit(HWND h, LPARAM l) {
            auto* s = reinterpret_cast<Search*>(l);
            wchar_t text[256] = {};
            GetWindowTextW(h, text, 256);
            if (IsWindowVisible(h) && *s->title == text) {
                s->found = h;
                return FALSE;
            }
            return TRUE;
        }
    } search{&title_};
    EnumThreadWindows(GetCurrentThreadId(), &Search::Visit, reinterpret_cast<LPARAM>(&search));
    if (!search.found || answered_) return;
    answered_ = true;
    KillTimer(nullptr, timer_);
    timer_ = 0;
    action_(search.found);
}

}  // namespace varnholt_tests
