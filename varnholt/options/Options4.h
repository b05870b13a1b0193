#pragma once
// General page: the options of the results window and the folder for duplicate copies.
#include <string>

#include "varnholt/options/OptionsPage.h"

class COptions4 : public COptionsPage {
public:
    COptions4(SearchSettings& settings, const TextSource& texts);

    // The folder for duplicate copies ("CopyPath"): shown when the page opens, the user's after OK.
    std::wstring copyPath;

protected:
    void Initialise() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Browse();
    void ShowFolder();
};
