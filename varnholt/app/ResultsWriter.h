#pragma once
// The results list as text: saved to a file of the user's choice, written for
// editing and opened with the shell, or printed. The text comes from the
// results the tree keeps, not from its control: big results cost no more than
// their text.
#include <windows.h>

#include <string>
#include <vector>

class PowerClass;
class ResultsTree;
class TextSource;
struct SearchSettings;

class ResultsWriter {
public:
    // `folders`: the folders the search went through, named in the list.
    ResultsWriter(HWND owner, const ResultsTree& tree, const TextSource& texts, const SearchSettings& settings,
                  PowerClass& store, std::vector<std::wstring> folders = {})
        : owner_(owner), tree_(tree), texts_(texts), settings_(settings), store_(store), folders_(std::move(folders)) {}

    void Save() const;
    // Into the program folder, or the configuration folder where that cannot be written.
    void Edit() const;
    void Print() const;
    // The print line list: criteria, one record a tree item, the closing lines.
    std::vector<std::wstring> PrintLines() const;

private:
    std::vector<std::wstring> ItemTexts() const;
    std::wstring DefaultFileName() const;
    void SayNotWritten(const std::wstring& path) const;

    HWND owner_;
    const ResultsTree& tree_;
    const TextSource& texts_;
    const SearchSettings& settings_;
    PowerClass& store_;
    std::vector<std::wstring> folders_;
};
