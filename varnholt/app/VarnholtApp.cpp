#include "varnholt/app/VarnholtApp.h"

#include <windows.h>
#include <commctrl.h>

#include "varnholt/app/VarnholtDlg.h"

int CVarnholtApp::Run() {
    INITCOMMONCONTROLSEX init = {};
    init.dwSize = sizeof init;  // 8 bytes
    init.dwICC = 0xFF;
    InitCommonControlsEx(&init);
    CVarnholtDlg dialog;
    dialog.DoModal(nullptr);
    return 0;
}
