#pragma once
#include <windows.h>

namespace fw {

// While a message waits, take and dispatch it (through IsDialogMessageW for
// dialogs). Returns false when WM_QUIT was seen (it is posted again).
bool PumpPendingMessages();

// Modeless dialogs take their keyboard messages through IsDialogMessageW.
void RegisterModeless(HWND dialog);
void UnregisterModeless(HWND dialog);
// True when a modeless dialog, or the dialog the message's window belongs to,
// took the message for its keyboard navigation.
bool IsDialogKeyMessage(MSG& msg);

}  // namespace fw
