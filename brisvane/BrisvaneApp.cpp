#include "brisvane/BrisvaneApp.h"

#include <windows.h>
#include <commctrl.h>

#include "brisvane/BrisvaneDlg.h"

int CBrisvaneApp::Run() {
    INITCOMMONCONTROLSEX init = {};
    init.dwSize = sizeof init;
    init.dwICC = 0xFF;
    InitCommonControlsEx(&init);
    CBrisvaneDlg dialog;
    dialog.DoModal(nullptr);
    return 0;
}
