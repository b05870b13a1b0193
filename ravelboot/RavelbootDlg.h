#pragma once
#include "framework/Dialog.h"
#include "resources/ravelboot/resource.h"

class CRavelbootDlg : public fw::Dialog {
public:
    CRavelbootDlg();

protected:
    bool OnInitDialog() override;

private:
    HICON icon_;
};
