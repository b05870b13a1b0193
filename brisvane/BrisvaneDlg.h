#pragma once
#include "framework/Dialog.h"
#include "resources/brisvane/resource.h"

class CBrisvaneDlg : public fw::Dialog {
public:
    CBrisvaneDlg();

protected:
    bool OnInitDialog() override;

private:
    HICON icon_;
};
