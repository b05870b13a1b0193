#pragma once
// What the five pages of the options dialog share: each is a child window of the
// dialog, painted white, that shows and takes the values of the dialog's working
// copy of the settings. Nothing a page takes reaches the caller before OK.
#include <windows.h>

#include <initializer_list>
#include <utility>

#include "common/TextSource.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "varnholt/engine/SearchSettings.h"

// A control id and the translation number of its text.
using ControlText = std::pair<int, int>;

class COptionsPage : public fw::Dialog {
public:
    COptionsPage(UINT templateId, SearchSettings& settings, const TextSource& texts)
        : fw::Dialog(templateId), settings_(settings), texts_(texts) {}

    // Takes the page's values from its controls into the working copy; false when a
    // check failed, and then nothing of the page was taken.
    virtual bool Store(fw::DataExchange::OnFailure onFailure) { return exchange_.Store(hwnd(), onFailure); }
    // After OK: puts into the working copy what the page keeps apart from the
    // settings' fields (list choices, the exception list, the category values).
    virtual void Apply() {}

protected:
    bool OnInitDialog() override;
    virtual void Initialise() = 0;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
    // Enter and Escape belong to the dialog, not to the page.
    void OnOK() override;
    void OnCancel() override;

    void SetTexts(std::initializer_list<ControlText> texts);

    SearchSettings& settings_;
    const TextSource& texts_;
    fw::DataExchange exchange_;

private:
    fw::Brush white_;
};

// A tooltip control owned by `owner` (and destroyed with it) that shows the given
// texts over the given controls of `owner`, and is active.
void CreateTooltips(HWND owner, std::initializer_list<ControlText> tips, const TextSource& texts);

// The index an options-text character names in a list of `count` entries (a
// character that is no digit names the first, as the search reads it); `fallback`
// when it names none.
int ListIndex(wchar_t character, int count, int fallback);
// A list's selected index as the one digit the options text keeps.
wchar_t IndexDigit(int index);
