#pragma once
// A suite installation of the tests' own: Brisvane's template and language file
// in a program folder, and a folder per module with its template, each with a
// version text of its own so that the per-user stores made are this test's
// alone. PowerClass takes the folder for the program folder while it lives; the
// stores, and the suite's registry values, go at the end.
#include <map>
#include <string>

#include "brisvane/ModuleContract.h"
#include "common/PowerClass.h"
#include "tests/support/TestSupport.h"

namespace brisvane_tests {

class Suite {
public:
    // Brisvane and the modules set to this language.
    explicit Suite(const std::wstring& language = L"[1033]");
    ~Suite();
    Suite(const Suite&) = delete;
    Suite& operator=(const Suite&) = delete;

    const std::wstring& Folder() const { return folder_.path(); }
    // A value of a module's store, through the product's own reader.
    std::wstring Value(contract::Module module, const std::wstring& key);
    void SetValue(contract::Module module, const std::wstring& key, const std::wstring& value);
    // The bytes of each module's store (its user copy once made).
    std::map<contract::Module, std::string> StoreBytes();
    std::wstring StorePath(contract::Module module);
    // The stand-in programs of the outside modules, copied from the built suite,
    // so that the shell really starts them; each notes its starts in this log.
    void InstallStandins();
    std::wstring StandinLog(contract::Module module);

    // The suite's registry values.
    static std::wstring Registry(const wchar_t* value);
    static void SetRegistry(const wchar_t* value, const std::wstring& text);
    static bool RegistryHas(const wchar_t* value);
    static void ClearRegistry();

private:
    testing_support::TempDir folder_;
    PowerClass store_;
    std::wstring version_;
};

// The shell's texts as the installed language file has them in English.
std::wstring EnglishText(int number);

}  // namespace brisvane_tests
