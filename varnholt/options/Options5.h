#pragma once
// Size category page: the upper bounds of categories 1 to 6, each a value and a
// unit; category 7 holds everything above the sixth. Whenever the user leaves a
// row, the other rows give way so that the bounds ascend.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "varnholt/options/OptionsPage.h"

// One row's bound: value times 1024 to the power of the unit.
struct CategoryRow {
    int64_t value;
    int unit;  // 0 bytes, 1 KB, 2 MB, 3 GB
};

// Makes the bounds ascend around the row edited last (0 to 5), which keeps its
// value: a later row not above its predecessor becomes one more in that unit, an
// earlier row not below its successor one less. Bounds compare as byte counts.
void ReconcileCategoryRows(std::array<CategoryRow, 6>& rows, int edited);

class COptions5 : public COptionsPage {
public:
    COptions5(SearchSettings& settings, const TextSource& texts);

    // The parts of "Categories" as stored, given before the page opens.
    std::vector<std::wstring> categoryParts;

    // With the focus in a row (OK by keyboard), that row gets its pass first, as leaving it would.
    bool Store(fw::DataExchange::OnFailure onFailure) override;
    // The values become the category values, the units positions 35 to 40 of the options text.
    void Apply() override;

protected:
    void Initialise() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    // The pass after an edit of `row` (0 to 5); false when a value failed its check.
    bool Reconcile(int row, fw::DataExchange::OnFailure onFailure);
    void ShowRanges();
    static int RowOf(int id);

    std::array<int, 6> values_{};
    std::array<int, 6> units_{};
    bool reconciling_ = false;
};
