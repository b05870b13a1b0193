#include "varnholt/engine/ContentSource.h"

#include <windows.h>

#include "common/FileLinks.h"
#include "framework/Handles.h"
#include "framework/Paths.h"

namespace {

class FileReader : public ContentReader {
public:
    explicit FileReader(fw::FileHandle h) : h_(std::move(h)) {}
    bool Read(void* buffer, size_t size, size_t& got) override {
        got = 0;
        auto* out = static_cast<char*>(buffer);
        while (size > 0) {
            const DWORD want = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
            DWORD n = 0;
            if (!ReadFile(h_.get(), out + got, want, &n, nullptr)) return false;
            got += n;
            size -= n;
            if (n < want) break;
        }
        return true;
    }

private:
    fw::FileHandle h_;
};

}  // namespace

std::unique_ptr<ContentReader> FileContentSource::Open(const std::wstring& path, const std::wstring& listedAt) {
    fw::FileHandle h(CreateFileW(fw::SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h || (!listedAt.empty() && !SamePlace(FinalPathOf(h.get()), listedAt))) return nullptr;
    return std::make_unique<FileReader>(std::move(h));
}

FilePlacement PlacementOf(const std::wstring& path, const std::wstring& listedAt) {
    // No access to the data, so no other program's sharing is in the way.
    fw::FileHandle h(CreateFileW(fw::SystemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, 0, nullptr));
    if (!h) return FilePlacement::Unreachable;
    return SamePlace(FinalPathOf(h.get()), listedAt) ? FilePlacement::Listed : FilePlacement::Elsewhere;
}
