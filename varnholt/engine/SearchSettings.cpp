#include "varnholt/engine/SearchSettings.h"

#include <time.h>

#include "common/PowerClass.h"
#include "common/TextSource.h"
#include "varnholt/engine/Selection.h"
#include "varnholt/engine/TextNumbers.h"
#include "framework/Errors.h"

namespace {

int DigitAt(const SearchSettings& settings, size_t position) {
    return PowerClass::TextToInt(std::wstring(1, settings.OptionChar(position)));
}

std::wstring D(int value) { return PowerClass::IntToText(value); }

// The start of today, local time.
int64_t Today() { return PowerClass::ParseTimeText(PowerClass::FormatTimeText(_time64(nullptr), true)); }

}  // namespace

wchar_t SearchSettings::OptionChar(size_t position) const {
    return position < optionsText.size() ? optionsText[position] : L'0';
}

int SearchSettings::SizeUnitAt(size_t position) const {
    const int unit = PowerClass::TextToInt(std::wstring(1, OptionChar(position)));
    if (unit <= 3) return unit;
    // The options dialog's defaults: bytes for the filter, 1 KB to 1 GB for the categories.
    constexpr wchar_t kCategoryDefaults[] = L"112223";
    return position >= 35 && position <= 40 ? kCategoryDefaults[position - 35] - L'0' : 0;
}

bool SearchSettings::HasCriterion() const {
    return sameName || sameSize || sameAttributes || sameCreationDate || sameModificationDate || sameAccessDate ||
           sameChecksum;
}

void SearchSettings::SetOptionChar(size_t position, wchar_t character) {
    if (optionsText.size() <= position) optionsText.resize(position + 1, L'0');
    optionsText[position] = character;
}

void LoadSearchSettings(SearchSettings& settings, PowerClass& store) {
    SearchSettings& s = settings;
    s.optionsText = store.ReadConfigValue(L"Options");
    s.sameName = DigitAt(s, 0);
    s.sameSize = DigitAt(s, 1);
    s.sameAttributes = DigitAt(s, 2);
    s.sameCreationDate = DigitAt(s, 3);
    s.sameModificationDate = DigitAt(s, 4);
    s.sameAccessDate = DigitAt(s, 5);
    s.sameChecksum = DigitAt(s, 6);
    s.checksumSecondStep = DigitAt(s, 7);
    s.sizeFilterOn = DigitAt(s, 15);
    s.attributeFilterOn = DigitAt(s, 18);
    s.filterReadOnly = DigitAt(s, 20);
    s.filterHidden = DigitAt(s, 21);
    s.filterArchive = DigitAt(s, 22);
    s.dateFilterOn = DigitAt(s, 23);
    s.nameFilterOn = DigitAt(s, 26);
    s.recycleOnDelete = DigitAt(s, 30);
    s.maximizeOnResults = DigitAt(s, 31);
    s.keepLastPath = DigitAt(s, 32);
    s.protectReadOnly = DigitAt(s, 33);
    s.sizeFilterValue = PowerClass::TextToInt(store.ReadConfigValue(L"OptionsSize"));
    s.namePattern = store.ReadConfigValue(L"OptionsName");
    s.keptFolders = ParseKeptFolders(store.ReadConfigValue(L"KeptFolders"));
    // A hand-edited date that cannot be read must not stop the program: today
    // stands in, and the next save stores a valid date again.
    try {
        s.referenceDate = PowerClass::ParseTimeText(store.ReadConfigValue(L"OptionsDate"));
    } catch (const fw::FailureError&) {
        s.referenceDate = Today();
    }
}

std::wstring BuildOptionsText(const SearchSettings& s) {
    auto carried = [&s](size_t position) { return std::wstring(1, s.OptionChar(position)); };
    std::wstring text;
    text += D(s.sameName) + D(s.sameSize) + D(s.sameAttributes) + D(s.sameCreationDate) +
            D(s.sameModificationDate) + D(s.sameAccessDate) + D(s.sameChecksum) + D(s.checksumSecondStep);
    text += L"xxxxxxx";
    text += D(s.sizeFilterOn) + carried(16) + carried(17);
    text += D(s.attributeFilterOn) + carried(19);
    text += D(s.filterReadOnly) + D(s.filterHidden) + D(s.filterArchive);
    text += D(s.dateFilterOn) + carried(24) + carried(25);
    text += D(s.nameFilterOn);
    text += L"xxx";
    text += D(s.recycleOnDelete) + D(s.maximizeOnResults) + D(s.keepLastPath) + D(s.protectReadOnly);
    text += L"x";
    for (size_t position = 35; position <= 40; ++position) text += carried(position);
    text += L"xxxxx";
    return text;
}

bool SaveSearchSettings(SearchSettings& settings, PowerClass& store,
                        const std::function<bool(SearchSettings& copy)>& editSettings) {
    SearchSettings copy = settings;
    if (!editSettings(copy)) return false;
    settings = std::move(copy);
    WriteSearchSettings(settings, store);
    return true;
}

void WriteSearchSettings(SearchSettings& settings, PowerClass& store) {
    settings.optionsText = BuildOptionsText(settings);
    std::wstring categories;
    for (const auto& value : settings.categoryValues) categories += value + L";";
    store.WriteConfigValue(L"Categories", categories);
    store.WriteConfigValue(L"Options", settings.optionsText);
    store.WriteConfigValue(L"OptionsSize", PowerClass::IntToText(settings.sizeFilterValue));
    store.WriteConfigValue(L"OptionsName", settings.namePattern);
    // Date and time: the stored value reads back to the same instant.
    store.WriteConfigValue(L"OptionsDate", PowerClass::FormatTimeText(settings.referenceDate, false));
}

void LoadCategoryBounds(SearchSettings& settings, PowerClass& store, const TextSource& texts) {
    store.SplitText(store.ReadConfigValue(L"Categories"), L';');
    for (size_t i = 0; i < settings.categoryValues.size(); ++i) {
        // Missing parts give a bound of 0 instead of failing the search.
        settings.categoryValues[i] = i < store.SplitParts.size() ? store.SplitParts[i] : std::wstring();
        const int unit = settings.SizeUnitAt(35 + i);
        uint64_t multiplier = 1;
        for (int k = 0; k < unit; ++k) multiplier *= 1024;
        // The value is an unsigned 32-bit count; the product needs 64 bits.
        const uint64_t value = static_cast<uint32_t>(PowerClass::TextToInt(settings.categoryValues[i]));
        settings.categoryBounds[i] = value * multiplier;
        settings.categoryLabels[i] = settings.categoryValues[i] + L" " + texts.GetText(txt::SizeUnit(unit));
    }
}
