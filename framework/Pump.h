#pragma once
#include <windows.h>

namespace fw {

// While a message waits, take and dispatch it (through IsDialogMessageW for
// modeless dialogs). Returns false when WM_QUIT was seen (it is posted again).
bool PumpPendingMessages();

// Modeless dialogs take their keyboard messages through IsDialogMessageW.
void RegisterModeless(HWND dialog);
void UnregisterModeless(HWND dialog);
bool IsModelessDialogMessage(MSG& msg);

}  // namespace fw
