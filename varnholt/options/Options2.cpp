#include "varnholt/options/Options2.h"

#include <time.h>

#include "resources/varnholt/resource.h"
#include "varnholt/engine/TextNumbers.h"

namespace {

struct List {
    int id;
    size_t position;  // in the options text
    std::initializer_list<int> entries;
};
// In the order the lists are filled.
const List kLists[] = {
    {IDC_SIZE_DIRECTION, 16, {txt::kSizeAtMost, txt::kSizeAtLeast}},
    {IDC_SIZE_UNIT, 17, {txt::kUnitBytes, txt::kUnitKB, txt::kUnitMB, txt::kUnitGB}},
    {IDC_ATTRIBUTE_MODE, 19, {txt::kAllAttributes, txt::kNoneOfAttributes}},
    {IDC_DATE_KIND, 24, {txt::kCreationDate, txt::kModificationDate, txt::kAccessDate}},
    {IDC_DATE_DIRECTION, 25, {txt::kNotLaterThan, txt::kNotEarlierThan}},
};

struct Group {
    int activate;
    std::initializer_list<int> controls;
};
const Group kGroups[] = {
    {IDC_SIZE_ACTIVATE, {IDC_SIZE_DIRECTION, IDC_SIZE_UNIT, IDC_SIZE_VALUE}},
    {IDC_ATTRIBUTE_ACTIVATE, {IDC_ATTRIBUTE_MODE, IDC_ATTRIBUTE_READ_ONLY, IDC_ATTRIBUTE_HIDDEN, IDC_ATTRIBUTE_ARCHIVE}},
    {IDC_DATE_ACTIVATE, {IDC_DATE_KIND, IDC_DATE_DIRECTION, IDC_DATE_PICKER}},
    {IDC_NAME_ACTIVATE, {IDC_NAME_LABEL, IDC_NAME_PATTERN}},
};

SYSTEMTIME Date(WORD year, WORD month, WORD day) {
    SYSTEMTIME t = {};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    return t;
}

}  // namespace

COptions2::COptions2(SearchSettings& settings, const TextSource& texts)
    : COptionsPage(IDD_OPTIONS_FILTERS, settings, texts) {
    SearchSettings& s = settings_;
    exchange_.Check(IDC_SIZE_ACTIVATE, s.sizeFilterOn)
        .ComboSelection(IDC_SIZE_DIRECTION, sizeDirection_)
        .Integer(IDC_SIZE_VALUE, s.sizeFilterValue, 0, 99999)
        .ComboSelection(IDC_SIZE_UNIT, sizeUnit_)
        .Check(IDC_ATTRIBUTE_ACTIVATE, s.attributeFilterOn)
        .ComboSelection(IDC_ATTRIBUTE_MODE, attributeMode_)
        .Check(IDC_ATTRIBUTE_READ_ONLY, s.filterReadOnly)
        .Check(IDC_ATTRIBUTE_HIDDEN, s.filterHidden)
        .Check(IDC_ATTRIBUTE_ARCHIVE, s.filterArchive)
        .Check(IDC_DATE_ACTIVATE, s.dateFilterOn)
        .ComboSelection(IDC_DATE_KIND, dateKind_)
        .ComboSelection(IDC_DATE_DIRECTION, dateDirection_)
        .Check(IDC_NAME_ACTIVATE, s.nameFilterOn)
        .Text(IDC_NAME_PATTERN, s.namePattern);
}

void COptions2::Initialise() {
    SetTexts({{IDC_PAGE_PROMPT, txt::kFilterSettings},
              {IDC_SIZE_GROUP, txt::kFilterSize},
              {IDC_ATTRIBUTE_GROUP, txt::kFilterAttributes},
              {IDC_DATE_GROUP, txt::kFilterDate},
              {IDC_NAME_GROUP, txt::kFilterName},
              {IDC_SIZE_ACTIVATE, txt::kActivate},
              {IDC_ATTRIBUTE_ACTIVATE, txt::kActivate},
              {IDC_DATE_ACTIVATE, txt::kActivate},
              {IDC_NAME_ACTIVATE, txt::kActivate},
              {IDC_ATTRIBUTE_READ_ONLY, txt::kReadOnly},
              {IDC_ATTRIBUTE_HIDDEN, txt::kHidden},
              {IDC_ATTRIBUTE_ARCHIVE, txt::kArchive},
              {IDC_NAME_LABEL, txt::kPathIncludes}});
    int* selections[] = {&sizeDirection_, &sizeUnit_, &attributeMode_, &dateKind_, &dateDirection_};
    for (size_t i = 0; i < std::size(kLists); ++i) {
        auto list = Item<fw::ComboBox>(kLists[i].id);
        list.ResetContent();
        for (int number : kLists[i].entries) list.AddString(texts_.GetText(number));
        // A character that names no entry shows the first, so that OK writes a digit.
        *selections[i] = ListIndex(settings_.OptionChar(kLists[i].position),
                                   static_cast<int>(kLists[i].entries.size()), 0);
    }
    // About the dates the stored form can hold; one it cannot leave the value as it was.
    Item<fw::DateTimePicker>(IDC_DATE_PICKER).SetRange(Date(1970, 1, 1), Date(2999, 12, 31));
    exchange_.Load(hwnd());
    LoadDate();
    EnableGroups();
}

bool COptions2::Store(fw::DataExchange::OnFailure onFailure) {
    if (!exchange_.Store(hwnd(), onFailure)) return false;
    StoreDate();
    return true;
}

void COptions2::Apply() {
    const int selections[] = {sizeDirection_, sizeUnit_, attributeMode_, dateKind_, dateDirection_};
    for (size_t i = 0; i < std::size(kLists); ++i)
        settings_.SetOptionChar(kLists[i].position, IndexDigit(selections[i]));
}

bool COptions2::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    for (const auto& group : kGroups) {
        if (group.activate != id) continue;
        // The group first, so that a field just switched off is not held to its check.
        EnableGroups();
        Store(fw::DataExchange::OnFailure::Tell);
        return true;
    }
    return false;
}

void COptions2::EnableGroups() {
    for (const auto& group : kGroups) {
        const bool on = Item<fw::Button>(group.activate).IsChecked();
        for (int id : group.controls) Item(id).Enable(on);
    }
}

void COptions2::LoadDate() {
    __time64_t time = settings_.referenceDate;
    tm local = {};
    if (_localtime64_s(&local, &time) != 0) return;
    SYSTEMTIME t = Date(static_cast<WORD>(local.tm_year + 1900), static_cast<WORD>(local.tm_mon + 1),
                        static_cast<WORD>(local.tm_mday));
    t.wHour = static_cast<WORD>(local.tm_hour);
    t.wMinute = static_cast<WORD>(local.tm_min);
    t.wSecond = static_cast<WORD>(local.tm_sec);
    Item<fw::DateTimePicker>(IDC_DATE_PICKER).SetSystemTime(t);
}

void COptions2::StoreDate() {
    SYSTEMTIME t;
    if (!Item<fw::DateTimePicker>(IDC_DATE_PICKER).GetSystemTime(t)) return;
    tm local = {};
    local.tm_year = t.wYear - 1900;
    local.tm_mon = t.wMonth - 1;
    local.tm_mday = t.wDay;
    local.tm_hour = t.wHour;
    local.tm_min = t.wMinute;
    local.tm_sec = t.wSecond;
    local.tm_isdst = -1;
    const __time64_t time = _mktime64(&local);
    if (time != -1) settings_.referenceDate = time;
}
