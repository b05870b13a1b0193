#pragma once
#include "framework/Dialog.h"

// The about box.
class CAboutDlg : public fw::Dialog {
public:
    CAboutDlg();
};
