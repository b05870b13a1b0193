#pragma once
// The text of a results list as it is saved: title and underline (save only),
// the criteria that were on, then one record per tree item.
#include <string>
#include <vector>

class TextSource;
struct SearchSettings;

// The title and its underline, with the blank line after them.
std::wstring ResultsTitle();
// One "- " line per criterion that is on, in the order of the options.
std::vector<std::wstring> ResultsCriteria(const SearchSettings& settings, const TextSource& texts);
// The folders searched: heading, blank line, one "- " line a folder; nothing without folders.
std::vector<std::wstring> ResultsFolders(const std::vector<std::wstring>& folders, const TextSource& texts);
// The criteria part: heading, blank line, the criteria lines; then, after a
// blank line, the folders searched.
std::wstring ResultsCriteriaText(const SearchSettings& settings, const TextSource& texts,
                                 const std::vector<std::wstring>& folders = {});
// One tree item's record: a heading after a line "---" between blank lines, a
// group between blank lines, a path as it is.
std::wstring ResultsRecordText(const std::wstring& itemText);
// The same with its line end.
std::wstring ResultsRecord(const std::wstring& itemText);
// The whole text with line feeds (written as CR LF). `itemTexts` in tree order.
std::wstring ResultsText(const std::vector<std::wstring>& itemTexts, const SearchSettings& settings,
                         const TextSource& texts, bool withTitle, const std::vector<std::wstring>& folders = {});
