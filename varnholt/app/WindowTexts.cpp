#include "varnholt/app/WindowTexts.h"

#include "common/Translation.h"
#include "framework/Errors.h"

namespace {
const std::map<int, std::wstring>* g_testTable = nullptr;

}  // namespace

WindowTexts::WindowTexts() = default;
WindowTexts::~WindowTexts() = default;

void WindowTexts::UseTableForTests(const std::map<int, std::wstring>* table) { g_testTable = table; }

bool WindowTexts::Load() {
    translation_.reset();
    problem_.clear();
    table_ = g_testTable;
    if (table_) return loaded_ = true;
    auto translation = std::make_unique<CTranslation>();
    try {
        translation->LoadTexts();
    } catch (const fw::Error& e) {
        problem_ = e.Message();
        return loaded_ = false;
    }
    translation_ = std::move(translation);
    return loaded_ = true;
}

std::wstring WindowTexts::GetText(int number) const {
    if (table_) {
        auto it = table_->find(number);
        return it == table_->end() ? L"---" : it->second;
    }
    if (translation_) return translation_->GetText(number);
    return EnglishText(number);
}
