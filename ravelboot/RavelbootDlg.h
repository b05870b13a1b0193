#pragma once
#include "common/PowerClass.h"
#include "framework/Dialog.h"
#include "resources/ravelboot/resource.h"

// The starter's window: it does its whole work while it initialises and closes
// itself at the end, so it takes no input.
class CRavelbootDlg : public fw::Dialog {
public:
    CRavelbootDlg();

    // Starts the product's main program when its check date has come and moves
    // the date on by the check interval.
    void RunStarter();

protected:
    bool OnInitDialog() override;

private:
    PowerClass power_;
    HICON icon_;
};
