#pragma once
// Where the comparison reads file contents from: the file system, or memory in tests.
#include <cstddef>
#include <memory>
#include <string>

class ContentReader {
public:
    virtual ~ContentReader() = default;
    // Reads up to `size` bytes into `buffer`; `got` is what was read (0 at the end).
    // False on a read error.
    virtual bool Read(void* buffer, size_t size, size_t& got) = 0;
};

class ContentSource {
public:
    virtual ~ContentSource() = default;
    // Null when the file cannot be opened for reading, or when `listedAt` is
    // given and the file opened is not there: a link the listing did not mark.
    virtual std::unique_ptr<ContentReader> Open(const std::wstring& path, const std::wstring& listedAt) = 0;
};

// Files opened read-only for sequential reading, others allowed to read but not to write.
class FileContentSource : public ContentSource {
public:
    std::unique_ptr<ContentReader> Open(const std::wstring& path, const std::wstring& listedAt) override;
};

// Where the file at `path` is: the one the listing showed at `listedAt` (the
// final path of its folder and its name), a link to a file elsewhere, or not
// to be reached at all (gone, locked, access denied).
enum class FilePlacement { Listed, Elsewhere, Unreachable };
FilePlacement PlacementOf(const std::wstring& path, const std::wstring& listedAt);
