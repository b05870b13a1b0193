#pragma once
// Counts and sizes as the user reads them: the user's own grouping of thousands
// and decimal sign, the unit names in the window's language.
#include <cstdint>
#include <string>

class TextSource;

// "2,341"
std::wstring CountText(uint64_t count);
// "4.2 GB"; whole bytes below a kilobyte.
std::wstring SizeText(uint64_t bytes, const TextSource& texts);
