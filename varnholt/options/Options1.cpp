#include "varnholt/options/Options1.h"

#include "resources/varnholt/resource.h"
#include "varnholt/engine/TextNumbers.h"

COptions1::COptions1(SearchSettings& settings, const TextSource& texts)
    : COptionsPage(IDD_OPTIONS_CRITERIA, settings, texts) {
    SearchSettings& s = settings_;
    exchange_.Check(IDC_SAME_NAME, s.sameName)
        .Check(IDC_SAME_SIZE, s.sameSize)
        .Check(IDC_SAME_ATTRIBUTES, s.sameAttributes)
        .Check(IDC_SAME_CREATION_DATE, s.sameCreationDate)
        .Check(IDC_SAME_MODIFICATION_DATE, s.sameModificationDate)
        .Check(IDC_SAME_ACCESS_DATE, s.sameAccessDate)
        .Check(IDC_SAME_CHECKSUM, s.sameChecksum)
        .Check(IDC_CHECKSUM_SECOND_STEP, s.checksumSecondStep);
}

void COptions1::Initialise() {
    SetTexts({{IDC_PAGE_PROMPT, txt::kCriteriaPrompt},
              {IDC_SAME_NAME, txt::kSameName},
              {IDC_SAME_SIZE, txt::kSameSize},
              {IDC_SAME_ATTRIBUTES, txt::kSameAttributes},
              {IDC_SAME_CREATION_DATE, txt::kSameCreationDate},
              {IDC_SAME_MODIFICATION_DATE, txt::kSameModificationDate},
              {IDC_SAME_ACCESS_DATE, txt::kSameAccessDate},
              {IDC_SAME_CHECKSUM, txt::kSameChecksum},
              {IDC_CHECKSUM_SECOND_STEP, txt::kChecksumSecondStep}});
    exchange_.Load(hwnd());
    Item(IDC_CHECKSUM_SECOND_STEP).Enable(settings_.sameChecksum != 0);
}

bool COptions1::OnCommand(int id, int code, HWND) {
    if (id != IDC_SAME_CHECKSUM || code != BN_CLICKED) return false;
    // The second step only means something with the checksum; its tick stays either way.
    Item(IDC_CHECKSUM_SECOND_STEP).Enable(Item<fw::Button>(IDC_SAME_CHECKSUM).IsChecked());
    return true;
}
