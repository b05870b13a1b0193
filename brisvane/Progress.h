#pragma once
// The one-click progress panel: a child of the main window over the tiles, one
// bar per step, and a cancel button that only marks the wish to stop.
#include "common/Translation.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"

class CProgress : public fw::Dialog {
public:
    CProgress();

    bool CancelRequested() const { return cancelRequested; }
    // Step 1 to 3: its group box and its bar.
    void EnableStep(int step, bool enable);
    void SetBarRange(int step, int upper);
    void SetBarPos(int step, int position);

    // Set once the cancel button was pressed; the panel stays open.
    bool cancelRequested = false;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override {}
    void OnCancel() override { cancelRequested = true; }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

private:
    CTranslation texts_;
    fw::Brush whiteBrush_;
};
