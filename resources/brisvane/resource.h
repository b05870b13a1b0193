// Resource ids of Brisvane.
#pragma once

#define IDR_MANIFEST 1
#define IDD_BRISVANE 102
#define IDI_MAINFRAME 128
