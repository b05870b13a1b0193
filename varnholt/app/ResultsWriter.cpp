#include "varnholt/app/ResultsWriter.h"

#include <commdlg.h>

#include "common/PowerClass.h"
#include "common/TextSource.h"
#include "framework/Errors.h"
#include "framework/TextFile.h"
#include "framework/Ui.h"
#include "varnholt/app/ResultsTree.h"
#include "varnholt/engine/ResultsText.h"
#include "varnholt/engine/TextNumbers.h"

namespace {

// Written whole or not at all; the text's form (one byte a character, else UTF-8) is the text file's.
bool TryWrite(const std::wstring& path, const std::wstring& text) {
    try {
        fw::WriteTextFile(path, text);
        return true;
    } catch (const fw::FileError&) {
        return false;
    }
}

}  // namespace

std::vector<std::wstring> ResultsWriter::ItemTexts() const { return tree_.TextsInOrder(); }

std::wstring ResultsWriter::DefaultFileName() const {
    return texts_.GetText(txt::kResultsFileName) + L" " + PowerClass::FormatNowText(false) + L".txt";
}

void ResultsWriter::SayNotWritten(const std::wstring& path) const {
    fw::ShowMessageBox(owner_, texts_.GetText(txt::kResultsNotWritten) + L"\n\n" + path,
                       texts_.GetText(txt::kMessageCaption), MB_OK);
}

void ResultsWriter::Save() const {
    fw::FileDialogRequest request;
    request.save = true;
    request.defaultExtension = L"txt";
    request.fileName = DefaultFileName();
    request.filter = L"txt files (*.txt)|*.txt|| ";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    const std::vector<std::wstring> chosen = fw::ShowFileDialog(owner_, request);
    if (chosen.empty()) return;
    if (!TryWrite(chosen.front(), ResultsText(ItemTexts(), settings_, texts_, true, folders_))) return SayNotWritten(chosen.front());
    fw::ShowMessageBox(owner_, texts_.GetText(txt::kResultsSaved), texts_.GetText(txt::kMessageCaption), MB_OK);
}

void ResultsWriter::Edit() const {
    const std::wstring text = ResultsText(ItemTexts(), settings_, texts_, false, folders_);
    const std::wstring name = DefaultFileName();
    // An installation under Program Files cannot be written by its users.
    const std::wstring inProgramFolder = PowerClass::GetProgramFolder() + L"\\" + name;
    for (const std::wstring& path : {inProgramFolder, store_.DataFolder + L"\\" + name}) {
        if (path.size() > name.size() + 1 && TryWrite(path, text)) return fw::ShellOpen(path);
    }
    SayNotWritten(inProgramFolder);
}

std::vector<std::wstring> ResultsWriter::PrintLines() const {
    std::vector<std::wstring> lines{texts_.GetText(txt::kCriteriaHeading), L" "};
    for (const std::wstring& line : ResultsCriteria(settings_, texts_)) lines.push_back(line);
    lines.push_back(L" ");
    // A printer draws no empty line: a blank one stands for it.
    for (const std::wstring& line : ResultsFolders(folders_, texts_)) lines.push_back(line.empty() ? L" " : line);
    if (!folders_.empty()) lines.push_back(L" ");
    // A record's line ends become rows of their own: a printer draws no line end.
    for (const std::wstring& item : ItemTexts()) {
        for (std::wstring& row : fw::SplitLines(ResultsRecordText(item) + L"\n")) lines.push_back(std::move(row));
        lines.push_back(L" ");
    }
    lines.insert(lines.end(), {L" ", texts_.GetText(txt::kPrintedWith), L" ",
                               texts_.GetText(txt::kPrintDate) + L" " + PowerClass::FormatNowText(true)});
    return lines;
}

void ResultsWriter::Print() const {
    store_.PrintLineList = PrintLines();
    store_.PrintLines(texts_.GetText(txt::kPaperNotSupported), texts_.GetText(txt::kPrintingErrorCaption));
    store_.PrintLineList.clear();
}
