#include "ravelboot/RavelbootApp.h"

#include "ravelboot/RavelbootDlg.h"

int CRavelbootApp::Run() {
    CRavelbootDlg dialog;
    dialog.DoModal(nullptr);
    return 0;
}
