#pragma once
#include <string>

// Texts by translation number; CTranslation is the real one, tests use tables.
class TextSource {
public:
    virtual ~TextSource() = default;
    virtual std::wstring GetText(int number) const = 0;
};
