#pragma once
// Varnholt's English texts, built into the programs. They stand in when no
// language file can be read, so that a damaged installation still reads sensibly.
// They are the English section of the shipped language file.
#include <string>

#include "common/TextSource.h"

// The English text of a number; "---" for a number Varnholt does not use.
std::wstring EnglishText(int number);

class EnglishTexts : public TextSource {
public:
    std::wstring GetText(int number) const override { return EnglishText(number); }
};
