#pragma once
// Criteria page: which properties make two files duplicates.
#include "varnholt/options/OptionsPage.h"

class COptions1 : public COptionsPage {
public:
    COptions1(SearchSettings& settings, const TextSource& texts);

protected:
    void Initialise() override;
    bool OnCommand(int id, int code, HWND control) override;
};
