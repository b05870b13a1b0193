#include "common/FileLinks.h"

std::wstring JoinPath(const std::wstring& folder, std::wstring_view name) {
    std::wstring path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    if (path.empty() || path.back() != L'\\') path.push_back(L'\\');
    return path.append(name);
}

std::wstring FinalPathOf(HANDLE handle) {
    std::wstring path(MAX_PATH + 8, L'\0');
    DWORD n = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
    if (n >= path.size()) {
        path.resize(n + 1);
        n = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
    }
    if (n == 0 || n >= path.size()) return {};
    path.resize(n);
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + path.substr(7);
    if (path.rfind(L"\\\\?\\", 0) == 0) path.erase(0, 4);
    return path;
}

bool FileLinksUnmarked() {
    static const bool unmarked =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return unmarked;
}
