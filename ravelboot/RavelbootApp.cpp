#include "ravelboot/RavelbootApp.h"

#include "ravelboot/RavelbootDlg.h"

int CRavelbootApp::Run() {
    // No command line is read; the dialog does the whole work and the program ends with it.
    CRavelbootDlg dialog;
    dialog.DoModal(nullptr);
    return 0;
}
