#pragma once
#include <cstdint>
#include <string>

// The status of one file as the search and the file actions see it.
struct FileStatus {
    int64_t creationTime = 0;      // seconds since 1970-01-01 UTC, whole seconds
    int64_t modificationTime = 0;
    int64_t accessTime = 0;
    uint64_t size = 0;
    uint8_t attributes = 0;        // low eight attribute bits without 0x80 (normal)
    std::wstring fullName;
};
