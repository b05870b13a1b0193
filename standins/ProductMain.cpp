// Stands in for the main program that Ravelboot starts: it notes that it was
// started, in "started.log" beside itself, and ends at once.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    const std::wstring folder = path.substr(0, path.rfind(L'\\'));
    const std::wstring name = path.substr(path.rfind(L'\\') + 1);
    HANDLE log = CreateFileW((folder + L"\\started.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    std::string line = "started ";
    for (wchar_t c : name) line += c < 128 ? static_cast<char>(c) : '?';
    line += "\r\n";
    DWORD written = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    return 0;
}
