#include "common/FileLinks.h"

#include <vector>

std::wstring JoinPath(const std::wstring& folder, std::wstring_view name) {
    std::wstring path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    if (path.empty() || path.back() != L'\\') path.push_back(L'\\');
    return path.append(name);
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return {};
    std::wstring folder = path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

std::wstring NameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

namespace {

// The object's own name ("\??\X:\..."). Wine answers GetFinalPathNameByHandle
// for no path longer than the classic limit; its object names have no limit.
std::wstring ObjectName(HANDLE handle) {
    using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    struct Name {
        USHORT length, maximum;
        wchar_t* buffer;
    };
    std::vector<unsigned char> bytes(sizeof(Name) + 65536 * sizeof(wchar_t));
    ULONG used = 0;
    if (!query || query(handle, 1 /* ObjectNameInformation */, bytes.data(), static_cast<ULONG>(bytes.size()), &used) != 0)
        return {};
    const auto* name = reinterpret_cast<const Name*>(bytes.data());
    std::wstring text(name->buffer, name->length / sizeof(wchar_t));
    return text.rfind(L"\\??\\", 0) == 0 ? L"\\\\?\\" + text.substr(4) : std::wstring();
}

}  // namespace

std::wstring FinalPathOf(HANDLE handle) {
    std::wstring path(MAX_PATH + 8, L'\0');
    DWORD n = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
    if (n >= path.size()) {
        path.resize(n + 1);
        n = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
    }
    if (n == 0 && FileLinksUnmarked()) path = ObjectName(handle);
    else if (n == 0 || n >= path.size()) return {};
    else path.resize(n);
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + path.substr(7);
    if (path.rfind(L"\\\\?\\", 0) == 0) path.erase(0, 4);
    return path;
}

bool SamePlace(const std::wstring& finalPath, const std::wstring& listedAt) {
    if (finalPath == listedAt) return true;
    if (!FileLinksUnmarked()) return false;
    // Wine's final paths drop the dots and spaces that end names.
    auto trimmed = [](const std::wstring& path) {
        std::wstring out;
        for (size_t start = 0; start <= path.size();) {
            size_t end = path.find(L'\\', start);
            if (end == std::wstring::npos) end = path.size();
            std::wstring_view name(path.data() + start, end - start);
            while (!name.empty() && name != L"." && name != L".." && (name.back() == L'.' || name.back() == L' '))
                name.remove_suffix(1);
            out.append(name);
            if (end < path.size()) out += L'\\';
            start = end + 1;
        }
        return out;
    };
    return trimmed(finalPath) == trimmed(listedAt);
}

bool RunsUnderWine() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

bool FileLinksUnmarked() { return RunsUnderWine(); }
