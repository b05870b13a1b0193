#include "varnholt/app/WindowTexts.h"

#include "common/PowerClass.h"
#include "common/Translation.h"

namespace {
const std::map<int, std::wstring>* g_testTable = nullptr;

}  // namespace

WindowTexts::WindowTexts() = default;
WindowTexts::~WindowTexts() = default;

void WindowTexts::UseTableForTests(const std::map<int, std::wstring>* table) { g_testTable = table; }

bool WindowTexts::Load() {
    translation_.reset();
    problem_.reset();
    table_ = g_testTable;
    if (table_) return loaded_ = true;
    auto translation = std::make_unique<CTranslation>();
    try {
        try {
            translation->LoadTexts();
        } catch (const TextsFileError& e) {
            const std::wstring templatePath = PowerClass::GetProgramFolder() + L"\\config.ini";
            if (e.file() != TextsFileError::File::Settings || e.Path() == templatePath ||
                !PowerClass::FileExists(e.Path()))
                throw;
            translation->LoadTextsFrom(templatePath);
        }
    } catch (const TextsFileError& e) {
        const bool settings = e.file() == TextsFileError::File::Settings;
        problem_ = FileProblem{settings ? FileProblem::File::Settings : FileProblem::File::Language, e.Path(),
                               !PowerClass::FileExists(e.Path())};
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
