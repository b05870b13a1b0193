#include "framework/TextFile.h"

#include <windows.h>

#include <algorithm>

#include "framework/Errors.h"
#include "framework/Handles.h"
#include "framework/Paths.h"

namespace fw {

namespace {

bool NeedsUtf8(std::wstring_view text) {
    for (wchar_t c : text)
        if (static_cast<unsigned>(c) > 255) return true;
    return false;
}

std::string ToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(std::string_view bytes) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

}  // namespace

std::string EncodeTextAs(std::wstring_view text, bool utf8) {
    std::wstring crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (wchar_t c : text) {
        if (c == L'\n') crlf += L'\r';
        crlf += c;
    }
    if (utf8) return ToUtf8(crlf);
    std::string out(crlf.size(), '\0');
    for (size_t i = 0; i < crlf.size(); ++i) out[i] = static_cast<char>(static_cast<unsigned char>(crlf[i]));
    return out;
}

std::string EncodeText(std::wstring_view text) {
    if (NeedsUtf8(text)) return std::string(kUtf8Bom) + EncodeTextAs(text, true);
    return EncodeTextAs(text, false);
}

std::wstring DecodeText(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) return FromUtf8(bytes.substr(kUtf8Bom.size()));
    std::wstring out(bytes.size(), L'\0');
    for (size_t i = 0; i < bytes.size(); ++i) out[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]));
    return out;
}

std::vector<std::wstring> SplitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        size_t next = end == std::wstring_view::npos ? text.size() : end + 1;
        if (end == std::wstring_view::npos) end = text.size();
        std::wstring_view line = text.substr(start, end - start);
        if (end < text.size() && !line.empty() && line.back() == L'\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = next;
    }
    return lines;
}

std::string ReadFileBytes(const std::wstring& path) {
    FileHandle file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) throw FileError(path);
    // Read in place, in blocks as large as the file: a cache of a million
    // entries is tens of megabytes.
    LARGE_INTEGER size{};
    const size_t expected = GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 ? static_cast<size_t>(size.QuadPart) : 0;
    std::string bytes;
    size_t have = 0;
    for (;;) {
        const size_t block = std::clamp<size_t>(expected - std::min(expected, have), 65536, 1u << 30);
        bytes.resize(have + block);
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + have, static_cast<DWORD>(block), &got, nullptr)) throw FileError(path);
        have += got;
        if (got == 0) break;
    }
    bytes.resize(have);
    return bytes;
}

std::vector<std::wstring> ReadTextLines(const std::wstring& path) { return SplitLines(DecodeText(ReadFileBytes(path))); }

void ReplaceFileBytes(const std::wstring& path, std::string_view bytes) {
    std::wstring temp = path + L".new" + std::to_wstring(GetCurrentProcessId());
    {
        FileHandle file(CreateFileW(SystemPath(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) throw FileError(path);
        DWORD written = 0;
        bool ok = bytes.empty() ||
                  (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                   written == bytes.size());
        ok = ok && FlushFileBuffers(file.get());
        if (!ok) {
            file.reset();
            DeleteFileW(SystemPath(temp).c_str());
            throw FileError(path);
        }
    }
    if (!MoveFileExW(SystemPath(temp).c_str(), SystemPath(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(SystemPath(temp).c_str());
        throw FileError(path);
    }
}

void WriteTextFile(const std::wstring& path, std::wstring_view text) { ReplaceFileBytes(path, EncodeText(text)); }

void WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& line : lines) {
        text += line;
        text += L'\n';
    }
    WriteTextFile(path, text);
}

}  // namespace fw
