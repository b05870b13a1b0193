// Resource ids of the stand-in modules.
#pragma once

#define IDI_STANDIN 1
#define IDD_STANDIN 100
#define IDC_STANDS_IN 1001
#define IDC_STARTED_WITH 1002
#define IDC_SETTINGS 1003
