#pragma once
// The language selection dialog: lists the languages of the product's language
// file and gives back the code of the one chosen. One implementation serves both
// programs; they differ only in the template and the ids of two controls.
#include <string>
#include <utility>
#include <vector>

#include "common/PowerClass.h"
#include "framework/Dialog.h"

// Pairs of code and name, in file order: a line starting with "[" and exactly
// 6 characters long is a header; the second line after it, from its 7th
// character on, is the language's own name.
std::vector<std::pair<std::wstring, std::wstring>> ParseLanguageList(const std::vector<std::wstring>& lines);

class LanguageSelectionDialog : public fw::Dialog {
public:
    LanguageSelectionDialog(UINT templateId, int groupBoxId, int comboId)
        : fw::Dialog(templateId), groupBoxId_(groupBoxId), comboId_(comboId) {}

    // Code, name, code, name, ... in file order.
    std::vector<std::wstring> codeNameList;
    std::wstring labelText;       // set by the caller before the dialog opens
    std::wstring systemDefaultText = kSystemDefault;  // shown while no language is chosen; the caller's language
    std::wstring languageCode;    // in: the current code; out: the chosen one
    PowerClass store;
    std::wstring editText;

    static constexpr const wchar_t* kSystemDefault = L"System default language";

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    // The language file: program folder, "\", "Product ID" and "trl.ini".
    virtual std::wstring LanguageFilePath();

private:
    int groupBoxId_;
    int comboId_;
};

// Varnholt's dialog is CLangaugeSelection (varnholt/app/LanguageSelection.h),
// named with Varnholt's resource ids.

// Brisvane's dialog: template 151, group box 1010, combo box 1019.
class CLanguage : public LanguageSelectionDialog {
public:
    CLanguage() : LanguageSelectionDialog(151, 1010, 1019) {}
};
