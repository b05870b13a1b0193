#pragma once
#include "framework/Dialog.h"
#include "resources/varnholt/resource.h"

class CVarnholtDlg : public fw::Dialog {
public:
    CVarnholtDlg();

protected:
    bool OnInitDialog() override;

private:
    HICON icon_;
};
