#pragma once
// The welcome panel: fills the results area of the main window until the first search.
#include <vector>

#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "varnholt/app/Dpi.h"
#include "varnholt/app/WindowTexts.h"

class CStartDialog : public fw::Dialog {
public:
    CStartDialog();

    // Places the panel's own controls; `placements` come from MainWindowLayout.
    void LayoutControls(const std::vector<Placement>& placements);

protected:
    bool OnInitDialog() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
    // A child panel: Enter and Escape belong to the main window, not to the panel.
    void OnOK() override {}
    void OnCancel() override {}

private:
    WindowTexts texts_;
    fw::Font titleFont_;
    fw::Brush background_;
};
