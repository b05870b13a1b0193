#pragma once
// The one-click settings: how many items Flintrask and Wickerlume examine in a
// one-click run, kept as "MaxSearch" in each module's store ("---": no limit).
#include <array>
#include <string>

#include "common/PowerClass.h"
#include "common/Translation.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"

class CSettings : public fw::Dialog {
public:
    CSettings();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;

private:
    void InitSettings();
    void ToggleLimit(int index);
    void SaveSettings();
    // False when the store said no; the user has been told why.
    bool WriteLimit(int index, const std::wstring& text);

    PowerClass store_;
    CTranslation texts_;
    // Per module, Flintrask then Wickerlume: ticked, the text as typed, and
    // whether its store could be read at all.
    std::array<int, 2> limited_{};
    std::array<std::wstring, 2> limitTexts_;
    std::array<bool, 2> readable_{};
    fw::DataExchange exchange_;
};
