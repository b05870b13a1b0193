#pragma once
// Filter page: size, attribute, date and path filters, each in a group that its
// "Activate" check box enables.
#include "varnholt/options/OptionsPage.h"

class COptions2 : public COptionsPage {
public:
    COptions2(SearchSettings& settings, const TextSource& texts);

    bool Store(fw::DataExchange::OnFailure onFailure) override;
    void Apply() override;

protected:
    void Initialise() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void EnableGroups();
    void LoadDate();
    void StoreDate();

    // Selected list entries, kept in the options text at positions 16, 17, 19, 24 and 25.
    int sizeDirection_ = 0;
    int sizeUnit_ = 0;
    int attributeMode_ = 0;
    int dateKind_ = 0;
    int dateDirection_ = 0;
};
