#include "varnholt/app/ExceptionFile.h"

#include "common/PowerClass.h"
#include "framework/Errors.h"
#include "framework/TextFile.h"
#include "framework/Ui.h"
#include "varnholt/engine/SearchSettings.h"

std::wstring LocateExceptionFile(const std::wstring& configPath, const std::wstring& programFolder) {
    std::wstring programFile = programFolder + L"\\" + kExceptionFileName;
    // Without a configuration ("config.ini" is 10 characters) the program folder's file serves.
    if (configPath.size() < 10) return programFile;
    std::wstring configFolder = configPath.substr(0, configPath.size() - 10);
    std::wstring path = configFolder + kExceptionFileName;
    if (!PowerClass::FileExists(path)) {
        PowerClass::CopyFileSilently(programFile, configFolder, false);
        if (!PowerClass::FileExists(path)) path = programFile;
    }
    return path;
}

std::wstring LocateExceptionFile(const PowerClass& store) {
    return LocateExceptionFile(store.ConfigPath, PowerClass::GetProgramFolder());
}

void LoadExceptions(std::vector<std::wstring>& exceptions, const std::wstring& path, HWND owner) {
    exceptions.clear();
    std::vector<std::wstring> lines;
    try {
        lines = fw::ReadTextLines(path);
    } catch (const fw::FileError&) {
        // No file in either folder: an empty list; the close creates the file.
        return;
    }
    if (!ParseExceptionLines(lines, exceptions))
        fw::ShowMessageBox(owner, L"No exception list detected!", fw::ApplicationName(), MB_OK);
}

void LoadExceptions(SearchSettings& settings, const PowerClass& store, HWND owner) {
    LoadExceptions(settings.exceptions, LocateExceptionFile(store), owner);
}

void SaveExceptions(const std::vector<std::wstring>& exceptions, const std::wstring& path) {
    try {
        fw::WriteTextFile(path, FormatExceptionFile(exceptions));
    } catch (const fw::Error&) {
        // Not reported; the old file stays as it was.
    }
}

void SaveExceptions(const SearchSettings& settings, const PowerClass& store) {
    SaveExceptions(settings.exceptions, LocateExceptionFile(store));
}
