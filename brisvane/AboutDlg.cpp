#include "brisvane/AboutDlg.h"

#include "resources/brisvane/resource.h"

CAboutDlg::CAboutDlg() : fw::Dialog(IDD_ABOUTBOX) {}
