#pragma once
#include "common/PowerClass.h"
#include "framework/Dialog.h"

// The about box; a version text with an "h" marks the Glimmerfen edition.
class CAboutDlg : public fw::Dialog {
public:
    CAboutDlg();

protected:
    bool OnInitDialog() override;

private:
    PowerClass store_;
};
