#include "common/LanguageDialog.h"

#include "common/Translation.h"
#include "framework/TextFile.h"

std::vector<std::pair<std::wstring, std::wstring>> ParseLanguageList(const std::vector<std::wstring>& lines) {
    std::vector<std::pair<std::wstring, std::wstring>> languages;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::wstring& line = lines[i];
        if (line.size() != 6 || line[0] != L'[') continue;
        // The name stands on the second line after the header; a file that ends
        // before it gives an empty name.
        std::wstring name;
        if (i + 2 < lines.size() && lines[i + 2].size() > 6) name = lines[i + 2].substr(6);
        languages.emplace_back(line, name);
        i += 2;
    }
    return languages;
}

std::wstring LanguageSelectionDialog::LanguageFilePath() {
    return CTranslation::LanguageFilePath(PowerClass::GetProgramFolder(), store.ReadConfigValue(L"Product ID"));
}

bool LanguageSelectionDialog::OnInitDialog() {
    store.GetConfigPath();
    Item(groupBoxId_).SetText(labelText);
    codeNameList.clear();
    auto combo = Item<fw::ComboBox>(comboId_);
    combo.ResetContent();
    // A file that cannot be opened ends the initialisation here with the framework's message.
    for (auto& [code, name] : ParseLanguageList(fw::ReadTextLines(LanguageFilePath()))) {
        combo.AddString(name);
        codeNameList.push_back(code);
        codeNameList.push_back(name);
    }
    editText = systemDefaultText;
    for (size_t i = 0; i + 1 < codeNameList.size(); i += 2)
        if (codeNameList[i] == languageCode) {
            editText = codeNameList[i + 1];
            break;
        }
    combo.SetText(editText);
    return true;
}

void LanguageSelectionDialog::OnOK() {
    editText = Item(comboId_).GetText();
    // Text that names no listed language (the system default, a typed code) keeps the code.
    for (size_t i = 0; i + 1 < codeNameList.size(); i += 2)
        if (codeNameList[i + 1] == editText) languageCode = codeNameList[i];
    End(IDOK);
}
