// Configuration store and registry helpers of PowerClass.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "common/PowerClass.h"
#include "framework/Errors.h"
#include "framework/Handles.h"
#include "framework/Paths.h"
#include "framework/TextFile.h"

namespace {

const wchar_t kShellFoldersKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const wchar_t kConfigName[] = L"\\config.ini";
const wchar_t kNoKeyText[] = L"Registry key was not found :-( ";
const wchar_t kNotTextText[] = L"No REG_SZ ";

std::wstring& ProgramFolderOverride() {
    static std::wstring folder;
    return folder;
}

// A key is matched against the whole line. A matched key consumes the line after
// it as its value, so that line is never itself taken for a key.
std::wstring ReadValueFrom(const std::wstring& path, const std::wstring& key) {
    std::vector<std::wstring> lines = fw::ReadTextLines(path);
    std::wstring result;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != key) continue;
        result = i + 1 < lines.size() ? lines[i + 1] : std::wstring();
        ++i;
    }
    return result;
}

void WriteValueTo(const std::wstring& path, const std::wstring& key, const std::wstring& value) {
    std::vector<std::wstring> lines = fw::ReadTextLines(path);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != key) continue;
        // A key without a value line is refused before anything is written.
        if (i + 1 >= lines.size()) throw fw::InvalidArgumentError();
        lines[i + 1] = value;
        ++i;
    }
    // Temporary file and rename: a crash or a full disk leaves the old file whole.
    fw::WriteTextLines(path, lines);
}

// The outside modules read their stores one byte per character: a store keeps
// the form it has, and a text that an 8-bit store cannot hold is refused. The
// file is rewritten only when a value really changes place.
void WriteModuleValueTo(const std::wstring& path, const std::wstring& key, const std::wstring& value) {
    const std::string bytes = fw::ReadFileBytes(path);
    const bool utf8 = bytes.compare(0, fw::kUtf8Bom.size(), fw::kUtf8Bom) == 0;
    std::vector<std::wstring> lines = fw::SplitLines(fw::DecodeText(bytes));
    bool replaced = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != key) continue;
        if (i + 1 >= lines.size()) throw fw::InvalidArgumentError();
        lines[i + 1] = value;
        replaced = true;
        ++i;
    }
    if (!replaced) return;
    std::wstring text;
    for (const auto& line : lines) {
        text += line;
        text += L'\n';
    }
    if (utf8) return fw::ReplaceFileBytes(path, std::string(fw::kUtf8Bom) + fw::EncodeTextAs(text, true));
    for (wchar_t c : text)
        if (static_cast<unsigned>(c) > 255) throw EightBitTextError(path);
    fw::ReplaceFileBytes(path, fw::EncodeTextAs(text, false));
}

bool FolderExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void CreateFolderWhenMissing(const std::wstring& path) {
    if (!FolderExists(path)) CreateDirectoryW(path.c_str(), nullptr);
}

// Creates every missing level of a folder path (a trailing backslash is allowed).
void CreateFolderChain(const std::wstring& folder) {
    std::wstring path = folder;
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    if (path.empty() || FolderExists(path)) return;
    size_t cut = path.find_last_of(L"\\/");
    if (cut != std::wstring::npos && cut > 0 && path[cut - 1] != L':' && path[cut - 1] != L'\\')
        CreateFolderChain(path.substr(0, cut));
    CreateDirectoryW(path.c_str(), nullptr);
}

std::wstring CutBeforeLastBackslash(const std::wstring& path) {
    size_t cut = path.rfind(L'\\');
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

// The per-user store of a product whose template lies in `programFolder`, or the
// template itself when there is no application-data folder or the copy fails.
// Folders below the maker's folder are left to the copy.
std::wstring ResolveProductStore(PowerClass& power, const std::wstring& programFolder) {
    std::wstring templatePath = programFolder + kConfigName;
    std::wstring appData = power.ReadRegistryText(0, L"AppData");
    if (appData.empty()) return templatePath;
    std::wstring version = ReadValueFrom(templatePath, L"Version");
    std::wstring productId = ReadValueFrom(templatePath, L"Product ID");
    std::wstring path = PowerClass::UserConfigPath(appData, productId, version);
    if (!PowerClass::FileExists(path)) {
        std::wstring folder = path.substr(0, path.size() - 10);
        CreateDirectoryW(folder.c_str(), nullptr);  // the last level only; fails harmlessly when it exists
        PowerClass::CopyFileSilently(templatePath, folder, false);
        if (!PowerClass::FileExists(path)) return templatePath;
    }
    return path;
}

}  // namespace

EightBitTextError::EightBitTextError(const std::wstring& path)
    : fw::Error(fw::FillIn(fw::StandardErrorTexts().eightBitFile, path)),
      path_(path) {}

void PowerClass::SetProgramFolderForTests(std::wstring folder) { ProgramFolderOverride() = std::move(folder); }

std::wstring PowerClass::GetProgramFolder() {
    if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return CutBeforeLastBackslash(path);
}

std::wstring PowerClass::GetConfigPath() {
    const std::wstring templatePath = GetProgramFolder() + kConfigName;
    ConfigPath = templatePath;
    std::wstring appData = ReadRegistryText(0, L"AppData");
    bool found = false;
    if (!appData.empty()) {
        std::wstring maker = appData + L"\\Quorvex";
        CreateFolderWhenMissing(maker);
        std::wstring product = maker + L"\\" + ReadConfigValue(L"Product ID");
        CreateFolderWhenMissing(product);
        CreateFolderWhenMissing(product + L"\\" + ReadConfigValue(L"Version"));
        std::wstring version = ReadConfigValue(L"Version");
        std::wstring productId = ReadConfigValue(L"Product ID");
        ConfigPath = UserConfigPath(appData, productId, version);
        found = FileExists(ConfigPath);
        if (!found) {
            std::wstring folder = ConfigPath.substr(0, ConfigPath.size() - 10);
            CreateFolderWhenMissing(folder);
            if (FileExists(templatePath)) CopyFileSilently(templatePath, folder, false);
            found = FileExists(ConfigPath);
        }
    }
    if (!found) ConfigPath = templatePath;
    DataFolder = ConfigPath.substr(0, ConfigPath.size() - 11);
    MakerFolder = CutBeforeLastBackslash(CutBeforeLastBackslash(DataFolder));
    return ConfigPath;
}

std::wstring PowerClass::UserConfigPath(const std::wstring& appData, const std::wstring& productId,
                                        const std::wstring& version) {
    return appData + L"\\Quorvex\\" + productId + L"\\" + version + kConfigName;
}

std::wstring PowerClass::GetStarterConfigPath() {
    ConfigPath = GetProgramFolder() + kConfigName;
    ConfigPath = ResolveProductStore(*this, GetProgramFolder());
    return ConfigPath;
}

std::wstring PowerClass::ReadConfigValue(const std::wstring& key) {
    return ReadValueFrom(ConfigPath.empty() ? GetProgramFolder() + kConfigName : ConfigPath, key);
}

void PowerClass::WriteConfigValue(const std::wstring& key, const std::wstring& value) {
    WriteValueTo(ConfigPath.empty() ? GetProgramFolder() + kConfigName : ConfigPath, key, value);
}

std::wstring PowerClass::ReadModuleConfigValue(const std::wstring& moduleSubfolder, const std::wstring& key) {
    return ReadValueFrom(ResolveProductStore(*this, GetProgramFolder() + moduleSubfolder), key);
}

void PowerClass::WriteModuleConfigValue(const std::wstring& moduleSubfolder, const std::wstring& key,
                                        const std::wstring& value) {
    WriteModuleValueTo(ResolveProductStore(*this, GetProgramFolder() + moduleSubfolder), key, value);
}

std::wstring PowerClass::ReadRegistryText(int rootCode, const std::wstring& valueName) {
    HKEY root = nullptr;
    std::wstring keyPath;
    switch (rootCode) {
        case 0: root = HKEY_CURRENT_USER; keyPath = kShellFoldersKey; break;
        case 1: root = HKEY_CURRENT_USER; keyPath = RegistryKeyPath; break;
        case 2: root = HKEY_LOCAL_MACHINE; keyPath = RegistryKeyPath; break;
        default: break;
    }
    if (keyPath.empty()) return kNoKeyText;

    fw::RegKey key;
    if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS) return {};
    // The value is read whole, whatever its length: the buffer grows as the query asks.
    std::vector<BYTE> data;
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status;
    do {
        data.resize(size + sizeof(wchar_t));
        size = static_cast<DWORD>(data.size());
        status = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, data.data(), &size);
    } while (status == ERROR_MORE_DATA);
    if (status != ERROR_SUCCESS || size == 0) return {};
    if (type != REG_SZ) return kNotTextText;
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    // Readers stop at the first null: stored texts may carry filler after it.
    size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    return text;
}

void PowerClass::DeleteRegistryValue(int rootCode, const std::wstring& valueName) {
    HKEY root = nullptr;
    switch (rootCode) {
        case 0: root = HKEY_LOCAL_MACHINE; break;
        case 1: root = HKEY_CURRENT_USER; break;
        default: return;
    }
    fw::RegKey key;
    if (RegOpenKeyW(root, RegistryKeyPath.c_str(), key.out()) != ERROR_SUCCESS) return;
    RegDeleteValueW(key.get(), valueName.c_str());
}

void PowerClass::WriteRegistryText(const std::wstring& valueName, const std::wstring& value) {
    fw::RegKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, RegistryKeyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.out(), nullptr) != ERROR_SUCCESS)
        return;
    // Readers expect the fixed 350-byte form: the text, its null, zero filler.
    // A longer text is stored whole with its null instead of being cut.
    constexpr size_t kFixedUnits = 175;
    std::vector<wchar_t> data(std::max(kFixedUnits, value.size() + 1), L'\0');
    std::copy(value.begin(), value.end(), data.begin());
    RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size() * sizeof(wchar_t)));
}

bool PowerClass::FileExists(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return !path.empty() && GetFileAttributesExW(fw::SystemPath(path).c_str(), GetFileExInfoStandard, &data);
}

void PowerClass::CopyFileSilently(const std::wstring& sourcePath, const std::wstring& destinationFolder,
                                  bool showProgress) {
    if (!FileExists(sourcePath)) return;
    // The copy makes missing destination folders; done here as well so that a
    // shell which would take a missing folder for a file name still copies into it.
    CreateFolderChain(destinationFolder);
    std::wstring from = sourcePath + L'\0';  // both lists end in two nulls
    std::wstring to = destinationFolder + L'\0';
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_NOCONFIRMMKDIR | FOF_NOCONFIRMATION | (showProgress ? 0 : FOF_SILENT);
    SHFileOperationW(&operation);
}
