#pragma once
// The standard CRC-32 (reflected polynomial 0xEDB88320, initial value
// 0xFFFFFFFF, final inversion), read from files in 102400-byte chunks.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct CrcTable {
    uint32_t entries[256];
    CrcTable();  // built bit by bit from the polynomial
};

constexpr size_t kCrcChunkSize = 102400;

// Advances the running register r (start 0xFFFFFFFF, invert at the end) over the bytes.
// The fastest method this processor allows; the same result as the table method.
uint32_t CrcUpdate(const CrcTable& table, uint32_t r, const void* data, size_t size);
// Sixteen bytes per step with derived tables, no special instructions; what
// CrcUpdate falls back to on processors without carry-less multiplication.
uint32_t CrcUpdateSliced(const CrcTable& table, uint32_t r, const void* data, size_t size);
// Whether CrcUpdate folds with carry-less multiplication on this processor.
bool CrcFoldingAvailable();
// One table step per byte.
uint32_t CrcUpdateBytewise(const CrcTable& table, uint32_t r, const void* data, size_t size);

// Called between chunks; returns false to stop the checksum.
using CrcPoll = std::function<bool()>;

// One checksum request: the table, the file and who may stop it between chunks.
struct CrcJob {
    const CrcTable* table = nullptr;
    std::wstring fileName;
    CrcPoll poll;
};

// Reads the file in chunks of kCrcChunkSize and returns its checksum; a file that
// cannot be opened gives 0, a read error ends the reading; nullopt when poll said stop.
std::optional<uint32_t> CrcWorker(const CrcJob& job);

// The checksum of a file; 0 for a directory, a missing or unreadable file and an
// empty file. nullopt only when poll asked to stop: a cancelled checksum is no result.
std::optional<uint32_t> StartCrc(const std::wstring& fileName, const CrcTable& table, const CrcPoll& poll = {});
