#include "tests/brisvane/Suite.h"

#include "common/Translation.h"
#include "framework/TextFile.h"

using namespace testing_support;

namespace brisvane_tests {

namespace {

const wchar_t* const kValues[] = {contract::kActive,    contract::kProgress1Max, contract::kProgress1,
                                  contract::kProgress2, contract::kProgress3,    contract::kProgressCancelled};

// A shipped template with the version and the language replaced.
void Install(const std::wstring& from, const std::wstring& to, const std::wstring& version,
             const std::wstring& language) {
    auto lines = fw::ReadTextLines(from);
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] == L"Version") lines[i + 1] = version;
        if (lines[i] == L"Language") lines[i + 1] = language;
    }
    fw::WriteTextLines(to, lines);
}

std::wstring DataFolder(const std::wstring& name) { return SourceDir() + L"\\data\\" + name; }

std::wstring Lower(std::wstring text) {
    for (auto& c : text) c = towlower(c);
    return text;
}

}  // namespace

Suite::Suite(const std::wstring& language) {
    version_ = L"7.bt" + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(GetTickCount64() % 100000);
    Install(DataFolder(L"brisvane") + L"\\config.ini", folder_ / L"config.ini", version_, language);
    CopyFileW((DataFolder(L"brisvane") + L"\\0020trl.ini").c_str(), (folder_ / L"0020trl.ini").c_str(), FALSE);
    for (const auto& module : contract::kModules) {
        const std::wstring folder = folder_.path() + module.subfolder;
        CreateDirectoryW(folder.c_str(), nullptr);
        Install(DataFolder(Lower(module.name)) + L"\\config.ini", folder + L"\\config.ini", version_, language);
    }
    PowerClass::SetProgramFolderForTests(folder_.path());
    ClearRegistry();
}

Suite::~Suite() {
    ClearRegistry();
    PowerClass::SetProgramFolderForTests(L"");
    // The per-user stores: one folder per product, this version below it.
    const std::wstring maker = store_.ReadRegistryText(0, L"AppData") + L"\\Quorvex\\";
    const std::wstring products[] = {L"0020", L"0021", L"0022", L"0023", L"0024", L"0026", L"0027"};
    for (const auto& product : products) RemoveTree(maker + product + L"\\" + version_);
}

std::wstring Suite::Value(contract::Module module, const std::wstring& key) {
    return store_.ReadModuleConfigValue(contract::Info(module).subfolder, key);
}

void Suite::SetValue(contract::Module module, const std::wstring& key, const std::wstring& value) {
    store_.WriteModuleConfigValue(contract::Info(module).subfolder, key, value);
}

std::wstring Suite::StorePath(contract::Module module) {
    // Reading resolves (and on first use makes) the user's copy.
    Value(module, L"Version");
    const std::wstring templatePath = folder_.path() + contract::Info(module).subfolder + L"\\config.ini";
    auto lines = fw::ReadTextLines(templatePath);
    std::wstring product;
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i] == L"Product ID") product = lines[i + 1];
    return PowerClass::UserConfigPath(store_.ReadRegistryText(0, L"AppData"), product, version_);
}

void Suite::InstallStandins() {
    for (const auto& module : contract::kModules) {
        if (module.module == contract::Module::Varnholt) continue;
        const std::wstring program = std::wstring(module.subfolder) + L"\\" + module.name + L".exe";
        CopyFileW((SuiteDir() + program).c_str(), (folder_.path() + program).c_str(), FALSE);
    }
}

std::wstring Suite::StandinLog(contract::Module module) {
    const std::wstring store = StorePath(module);
    return store.substr(0, store.rfind(L'\\')) + L"\\standin.log";
}

std::map<contract::Module, std::string> Suite::StoreBytes() {
    std::map<contract::Module, std::string> bytes;
    for (const auto& module : contract::kModules) bytes[module.module] = ReadBytes(StorePath(module.module));
    return bytes;
}

std::wstring Suite::Registry(const wchar_t* value) {
    PowerClass registry;
    registry.RegistryKeyPath = contract::kSuiteKey;
    return registry.ReadRegistryText(1, value);
}

void Suite::SetRegistry(const wchar_t* value, const std::wstring& text) {
    PowerClass registry;
    registry.RegistryKeyPath = contract::kSuiteKey;
    registry.WriteRegistryText(value, text);
}

bool Suite::RegistryHas(const wchar_t* value) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, contract::kSuiteKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    const bool found = RegQueryValueExW(key, value, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

void Suite::ClearRegistry() {
    PowerClass registry;
    registry.RegistryKeyPath = contract::kSuiteKey;
    for (const wchar_t* value : kValues) registry.DeleteRegistryValue(1, value);
}

std::wstring EnglishText(int number) {
    CTranslation texts;
    texts.LoadSection(fw::ReadTextLines(SourceDir() + L"\\data\\brisvane\\0020trl.ini"), L"[1033]");
    return texts.GetText(number);
}

}  // namespace brisvane_tests
