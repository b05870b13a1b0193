#pragma once
#include "common/PowerClass.h"
#include "framework/Dialog.h"
#include "varnholt/app/WindowTexts.h"

// The about box, in the window's language; a version text with an "h" marks the
// Glimmerfen edition.
class CAboutDlg : public fw::Dialog {
public:
    CAboutDlg();

protected:
    bool OnInitDialog() override;

private:
    PowerClass store_;
    WindowTexts texts_;
};
