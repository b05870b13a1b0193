#include "varnholt/options/Options5.h"

#include "resources/varnholt/resource.h"
#include "varnholt/engine/TextNumbers.h"

namespace {

constexpr int kNames[] = {IDC_CATEGORY_NAME_1, IDC_CATEGORY_NAME_2, IDC_CATEGORY_NAME_3, IDC_CATEGORY_NAME_4,
                          IDC_CATEGORY_NAME_5, IDC_CATEGORY_NAME_6, IDC_CATEGORY_NAME_7};
constexpr int kRanges[] = {IDC_CATEGORY_RANGE_1, IDC_CATEGORY_RANGE_2, IDC_CATEGORY_RANGE_3, IDC_CATEGORY_RANGE_4,
                           IDC_CATEGORY_RANGE_5, IDC_CATEGORY_RANGE_6, IDC_CATEGORY_RANGE_7};
constexpr int kValues[] = {IDC_CATEGORY_VALUE_1, IDC_CATEGORY_VALUE_2, IDC_CATEGORY_VALUE_3,
                           IDC_CATEGORY_VALUE_4, IDC_CATEGORY_VALUE_5, IDC_CATEGORY_VALUE_6};
constexpr int kUnits[] = {IDC_CATEGORY_UNIT_1, IDC_CATEGORY_UNIT_2, IDC_CATEGORY_UNIT_3,
                          IDC_CATEGORY_UNIT_4, IDC_CATEGORY_UNIT_5, IDC_CATEGORY_UNIT_6};
constexpr int kUnitCount = 4;

// What a row shows when the stored categories lack it: the installed defaults,
// 1 KB, 100 KB, 1 MB, 10 MB, 100 MB and 1 GB.
constexpr int kDefaultValues[] = {1, 100, 1, 10, 100, 1};
constexpr int kDefaultUnits[] = {1, 1, 2, 2, 2, 3};

int64_t Bound(const CategoryRow& row) {
    const int unit = row.unit < 0 ? 0 : row.unit > 3 ? 3 : row.unit;
    return row.value * (int64_t{1} << (10 * unit));
}

}  // namespace

void ReconcileCategoryRows(std::array<CategoryRow, 6>& rows, int edited) {
    for (int k = 0; k < 5; ++k)
        if (Bound(rows[k + 1]) <= Bound(rows[k]) && k + 1 != edited) rows[k + 1] = {rows[k].value + 1, rows[k].unit};
    for (int k = 5; k > 0; --k)
        if (Bound(rows[k - 1]) >= Bound(rows[k]) && k - 1 != edited) rows[k - 1] = {rows[k].value - 1, rows[k].unit};
}

COptions5::COptions5(SearchSettings& settings, const TextSource& texts)
    : COptionsPage(IDD_OPTIONS_CATEGORIES, settings, texts) {
    for (int k = 0; k < 6; ++k) {
        // The last bound has no successor to stay below.
        if (k < 5)
            exchange_.Integer(kValues[k], values_[k], 0, 10000);
        else
            exchange_.Integer(kValues[k], values_[k]);
        exchange_.ComboSelection(kUnits[k], units_[k]);
    }
}

void COptions5::Initialise() {
    SetTexts({{IDC_PAGE_PROMPT, txt::kCategoriesPrompt},
              {IDC_CATEGORY_RANGE_1, txt::kFirstCategoryRange},
              {IDC_CATEGORY_RANGE_7, txt::kHeadingAtLeast}});
    const std::wstring name = texts_.GetText(txt::kCategory);
    for (int k = 0; k < 7; ++k) Item(kNames[k]).SetText(name + L" " + std::to_wstring(k + 1) + L":");
    for (int k = 0; k < 6; ++k) {
        auto list = Item<fw::ComboBox>(kUnits[k]);
        list.ResetContent();
        for (int unit = 0; unit < kUnitCount; ++unit) list.AddString(texts_.GetText(txt::SizeUnit(unit)));
        // A missing part shows its default in its default unit, instead of leaving the row without a value.
        const bool stored = k < static_cast<int>(categoryParts.size()) && !categoryParts[k].empty();
        list.SetCurSel(stored ? ListIndex(settings_.OptionChar(35 + k), kUnitCount, kDefaultUnits[k])
                              : kDefaultUnits[k]);
        Item(kValues[k]).SetText(stored ? categoryParts[k] : std::to_wstring(kDefaultValues[k]));
    }
    // Quietly: a stored value that fails its check is told when the user leaves it or presses OK.
    Reconcile(4, fw::DataExchange::OnFailure::Quiet);
}

bool COptions5::OnCommand(int id, int code, HWND) {
    if (code != EN_KILLFOCUS && code != CBN_KILLFOCUS) return false;
    const int row = RowOf(id);
    if (row < 0 || reconciling_) return false;
    // Only a move within the page is told here; OK, a tab or another window tell for themselves.
    HWND next = GetFocus();
    const bool withinPage = next && IsChild(hwnd(), next);
    Reconcile(row, withinPage ? fw::DataExchange::OnFailure::Tell : fw::DataExchange::OnFailure::Quiet);
    return true;
}

bool COptions5::Store(fw::DataExchange::OnFailure onFailure) {
    HWND focus = GetFocus();
    const int row = focus && IsChild(hwnd(), focus) ? RowOf(GetDlgCtrlID(focus)) : -1;
    if (row >= 0) return Reconcile(row, onFailure);
    return exchange_.Store(hwnd(), onFailure);
}

void COptions5::Apply() {
    for (int k = 0; k < 6; ++k) {
        settings_.categoryValues[k] = std::to_wstring(values_[k]);
        settings_.SetOptionChar(35 + k, IndexDigit(units_[k]));
    }
}

bool COptions5::Reconcile(int row, fw::DataExchange::OnFailure onFailure) {
    // Telling the user moves the focus, which would start a pass of its own.
    reconciling_ = true;
    bool stored = exchange_.Store(hwnd(), onFailure);
    if (stored) {
        std::array<CategoryRow, 6> rows;
        for (int k = 0; k < 6; ++k) rows[k] = {values_[k], units_[k]};
        ReconcileCategoryRows(rows, row);
        for (int k = 0; k < 6; ++k) {
            if (rows[k].value == values_[k] && rows[k].unit == units_[k]) continue;
            Item(kValues[k]).SetText(std::to_wstring(rows[k].value));
            Item<fw::ComboBox>(kUnits[k]).SetCurSel(rows[k].unit);
        }
        // A value pushed beyond what its row allows is told at OK.
        exchange_.Store(hwnd(), fw::DataExchange::OnFailure::Quiet);
    }
    ShowRanges();
    reconciling_ = false;
    return stored;
}

void COptions5::ShowRanges() {
    // The texts as the controls show them, without reformatting.
    auto row = [this](int k) {
        auto list = Item<fw::ComboBox>(kUnits[k]);
        return Item(kValues[k]).GetText() + L" " + list.GetItemText(list.GetCurSel());
    };
    for (int k = 1; k < 6; ++k)
        Item(kRanges[k]).SetText(texts_.GetText(txt::kRangeFrom) + L" " + row(k - 1) + L" " +
                                 texts_.GetText(txt::kRangeTo) + L" ...");
    Item(kRanges[6]).SetText(texts_.GetText(txt::kHeadingAtLeast) + L" " + row(5) + L".");
}

int COptions5::RowOf(int id) {
    for (int k = 0; k < 6; ++k)
        if (id == kValues[k] || id == kUnits[k]) return k;
    return -1;
}
