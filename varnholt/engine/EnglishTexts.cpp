#include "varnholt/engine/EnglishTexts.h"

#include <map>

std::wstring EnglishText(int number) {
    static const std::map<int, std::wstring> texts = {
#include "varnholt/engine/EnglishTexts.inc"
    };
    auto it = texts.find(number);
    return it == texts.end() ? L"---" : it->second;
}
