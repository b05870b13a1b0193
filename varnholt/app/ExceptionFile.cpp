#include "varnholt/app/ExceptionFile.h"

#include "common/PowerClass.h"
#include "framework/Errors.h"
#include "framework/TextFile.h"
#include "framework/Ui.h"

std::wstring LocateExceptionFile(const std::wstring& configPath, const std::wstring& programFolder) {
    const std::wstring beside = ExceptionFileBeside(configPath);
    if (!beside.empty() && !PowerClass::FileExists(beside)) {
        const std::wstring folder = beside.substr(0, beside.size() - std::wstring_view(kExceptionFileName).size());
        PowerClass::CopyFileSilently(programFolder + L"\\" + kExceptionFileName, folder, false);
    }
    return FindExceptionFile(configPath, programFolder);
}

ExceptionLoad LoadExceptions(std::vector<std::wstring>& exceptions, const std::wstring& path, HWND owner,
                             const std::wstring& notAListText) {
    exceptions.clear();
    std::vector<std::wstring> lines;
    try {
        lines = fw::ReadTextLines(path);
    } catch (const fw::FileError&) {
        // No file in either folder: an empty list, and the close creates the file.
        // A file that is there but could not be opened (held by another program) is not "no file".
        return PowerClass::FileExists(path) ? ExceptionLoad::Unreadable : ExceptionLoad::Missing;
    }
    if (!ParseExceptionLines(lines, exceptions))
        fw::ShowMessageBox(owner, notAListText, fw::ApplicationName(), MB_OK);
    return ExceptionLoad::Read;
}

void SaveExceptions(const std::vector<std::wstring>& exceptions, const std::wstring& path) {
    try {
        fw::WriteTextFile(path, FormatExceptionFile(exceptions));
    } catch (const fw::Error&) {
        // Not reported; the old file stays as it was.
    }
}
