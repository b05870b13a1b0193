#pragma once
// Answers a modal dialog of this thread from within its own message loop: a
// thread timer looks for the dialog by its title and runs the action once.
#include <windows.h>

#include <functional>
#include <string>

namespace varnholt_tests {

class DialogAnswer {
public:
    DialogAnswer(std::wstring title, std::function<void(HWND)> action);
    ~DialogAnswer();
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;
    bool answered() const { return answered_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Poll();

    std::wstring title_;
    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
    bool answered_ = false;
};

}  // namespace varnholt_tests
