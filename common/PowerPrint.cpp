// Printing of PowerClass.
#include <windows.h>

#include "common/PowerClass.h"
#include "common/PrintLayout.h"
#include "framework/Handles.h"
#include "framework/Ui.h"

namespace {

constexpr size_t kRowChars = 84;
constexpr int kRowHeight = 100;
constexpr int kMargin = 200;
constexpr int kPageEnd = 5800;
constexpr int kFontHeight = 90;

class PrinterDc {
public:
    explicit PrinterDc(HDC dc) : dc_(dc) {}
    ~PrinterDc() {
        if (dc_) DeleteDC(dc_);
    }
    PrinterDc(const PrinterDc&) = delete;
    PrinterDc& operator=(const PrinterDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

std::vector<PrintedRow> LayOutPrintLines(const std::vector<std::wstring>& lines) {
    std::vector<PrintedRow> rows;
    int page = 0, y = 0;
    for (const std::wstring& line : lines) {
        if (y > kPageEnd) {
            ++page;
            y = 0;
        }
        for (size_t at = 0; at < line.size();) {
            const size_t rest = line.size() - at;
            const size_t piece = rest < kRowChars + 1 ? rest : kRowChars;
            rows.push_back({page, kMargin, y + kMargin, line.substr(at, piece)});
            if (rest > kRowChars) y += kRowHeight;
            at += piece;
        }
        y += kRowHeight;
    }
    return rows;
}

bool PowerClass::PrintLines(const std::wstring& paperMessage, const std::wstring& paperCaption) {
    std::optional<fw::PrintChoice> choice = fw::ShowPrintDialog(nullptr);
    if (!choice || choice->devMode.size() < sizeof(DEVMODEW)) return false;
    auto* mode = reinterpret_cast<DEVMODEW*>(choice->devMode.data());
    if (mode->dmPaperSize != DMPAPER_LETTER && mode->dmPaperSize != DMPAPER_A4) {
        fw::ShowMessageBox(nullptr, paperMessage, paperCaption, MB_OK);
        return false;
    }
    mode->dmOrientation = DMORIENT_PORTRAIT;
    mode->dmPaperSize = DMPAPER_A4;
    mode->dmFields |= DM_ORIENTATION | DM_PAPERSIZE;

    PrinterDc dc(CreateDCW(L"WINSPOOL", choice->device.c_str(), nullptr, mode));
    if (!dc.get()) return false;
    // The layout is in 1/600 inch; the printer says how many of its dots make an inch.
    const int dpiX = GetDeviceCaps(dc.get(), LOGPIXELSX), dpiY = GetDeviceCaps(dc.get(), LOGPIXELSY);
    auto scaleX = [&](int units) { return MulDiv(units, dpiX, kPrintUnitsPerInch); };
    auto scaleY = [&](int units) { return MulDiv(units, dpiY, kPrintUnitsPerInch); };
    fw::Font font(CreateFontW(scaleY(kFontHeight), 0, 0, 0, 100, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                              CLIP_CHARACTER_PRECIS, PROOF_QUALITY, VARIABLE_PITCH, L"Courier New"));
    const HGDIOBJ oldFont = SelectObject(dc.get(), font.get());

    DOCINFOW document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = L"Printing Screen";
    bool ok = StartDocW(dc.get(), &document) > 0;
    if (ok) {
        ok = StartPage(dc.get()) > 0;
        int page = 0;
        for (const PrintedRow& row : LayOutPrintLines(PrintLineList)) {
            if (!ok) break;
            if (row.page != page) {
                ok = EndPage(dc.get()) > 0 && StartPage(dc.get()) > 0;
                page = row.page;
            }
            ok = ok && TextOutW(dc.get(), scaleX(row.x), scaleY(row.y), row.text.c_str(),
                                static_cast<int>(row.text.size()));
        }
        ok = EndPage(dc.get()) > 0 && ok;
        ok = EndDoc(dc.get()) > 0 && ok;
    }
    SelectObject(dc.get(), oldFont);
    return ok;
}
