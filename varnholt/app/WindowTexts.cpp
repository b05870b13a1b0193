#include "varnholt/app/WindowTexts.h"

#include "common/Translation.h"
#include "framework/Errors.h"

namespace {
const std::map<int, std::wstring>* g_testTable = nullptr;

const std::map<int, std::wstring>& EnglishTable() {
    static const std::map<int, std::wstring> table = {
        {1, L"Please select your language!"},
        {5, L"Quorvexsoft Varnholt"},
        {10, L"Duplicates found:"},
        {15, L"Path to search for duplicates:"},
        {17, L"Save &Results"},
        {18, L"Edi&t Results"},
        {20, L"&Execute File"},
        {25, L"&Show Folder"},
        {30, L"&Delete"},
        {35, L"&Browse"},
        {40, L"&Options"},
        {45, L"&Find Duplicates"},
        {50, L"Welcome to Quorvexsoft Varnholt"},
        {55, L"This very easy to use program helps you to detect duplicate files on your computer, on local or external "
             L"hard drives, on CDs, DVDs, USB sticks or camera cards."},
        {60, L"Since each user defines duplicate files different concerning file name, file size, attributes and so on "
             L"you can determine by yourself what the program should look for by clicking 'Options' on the left bottom "
             L"of the screen."},
        {65, L"Please select a file or path where the search should be started. Then click 'Find Duplicates' to start a "
             L"searching process. Plese be patient, this may take some time."},
        {80, L"Identical name"},
        {85, L"Identical size"},
        {90, L"Identical file attributes"},
        {95, L"Identical creation date"},
        {100, L"Identical modification date"},
        {105, L"Identical date of last access"},
        {107, L"Identical CRC32 checksum"},
        {108, L"Cancel"},
        {110, L"Please select the folder to search for duplicates:"},
        {115, L"Please enter or select a folder to search first."},
        {120, L"Comparing the files of size category 1 ..."},
        {125, L"Comparing the files of size category 2 ..."},
        {130, L"Comparing the files of size category 3 ..."},
        {135, L"Comparing the files of size category 4 ..."},
        {140, L"Comparing the files of size category 5 ..."},
        {145, L"Comparing the files of size category 6 ..."},
        {150, L"Comparing the files of size category 7 ..."},
        {155, L"Searching for files ..."},
        {160, L"Comparing files ..."},
        {165, L"groups of duplicates."},
        {200, L"&File"},
        {215, L"&Language Selection"},
        {220, L"E&xit"},
        {250, L"&Help"},
        {255, L"Show &Help File"},
        {260, L"Go To Quorvexsoft &Website"},
        {265, L"&About..."},
        {400, L"There are no results yet. Please start a search first."},
        {405, L"F&unctions"},
        {410, L"&Edit Results"},
        {415, L"&Save Results"},
        {420, L"&Print Results"},
        {425, L"&Browse for folder to search"},
        {430, L"&Add additional folder to search"},
        {435, L"&Options"},
        {440, L"&Start new search"},
        {445, L"&Execute File"},
        {450, L"&Delete File"},
        {455, L"Show &Folder"},
        {475, L"Choose what makes two files duplicates"},
        {480, L"Choose the folder to search"},
        {485, L"Search the folders for duplicate files"},
        {490, L"Delete the ticked files"},
        {495, L"Open the results list in the text editor"},
        {500, L"Open the selected file"},
        {505, L"Save the results list to a file"},
        {510, L"Open the folder of the selected file"},
        {650, L"Bytes"},
        {655, L"KB"},
        {660, L"MB"},
        {665, L"GB"},
        {670, L"TB"},
        {755, L"&Wipe File"},
        {930, L"Files of at least"},
        {935, L"Files smaller than"},
        {940, L"Files from"},
        {945, L"to below"},
        {990, L"Additional Information"},
        {1010, L"Delete all du&plicates"},
    };
    return table;
}
}  // namespace

std::wstring EnglishText(int number) {
    auto it = EnglishTable().find(number);
    return it == EnglishTable().end() ? L"---" : it->second;
}

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
