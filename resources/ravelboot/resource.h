// Resource ids of Ravelboot.
#pragma once

#define IDR_MANIFEST 1
#define IDD_RAVELBOOT 102
#define IDI_MAINFRAME 128
#define IDC_STARTING 1000
