#pragma once
// The text of a results list as it is saved: title and underline (save only),
// the criteria that were on, then one record per tree item.
#include <string>
#include <vector>

class TextSource;
struct SearchSettings;

// The criteria part: heading, blank line, one "- " line per criterion that is on.
std::wstring ResultsCriteriaText(const SearchSettings& settings, const TextSource& texts);
// One tree item's record, with its line end: headings and groups set apart, paths as they are.
std::wstring ResultsRecord(const std::wstring& itemText);
// The whole text with line feeds (written as CR LF). `itemTexts` in tree order.
std::wstring ResultsText(const std::vector<std::wstring>& itemTexts, const SearchSettings& settings,
                         const TextSource& texts, bool withTitle);
