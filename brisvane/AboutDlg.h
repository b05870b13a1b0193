#pragma once
#include "common/Translation.h"
#include "framework/Dialog.h"

// The about box, in the shell's language.
class CAboutDlg : public fw::Dialog {
public:
    CAboutDlg();

protected:
    bool OnInitDialog() override;

private:
    CTranslation texts_;
};
