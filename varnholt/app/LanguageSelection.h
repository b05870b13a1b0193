#pragma once
// Varnholt's language selection dialog: the shared one on Varnholt's template.
#include "common/LanguageDialog.h"
#include "resources/varnholt/resource.h"

class CLangaugeSelection : public LanguageSelectionDialog {
public:
    CLangaugeSelection() : LanguageSelectionDialog(IDD_LANGUAGE_SELECTION, IDC_LANGUAGE_GROUP, IDC_LANGUAGE_COMBO) {}
};
