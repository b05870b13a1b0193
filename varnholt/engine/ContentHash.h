#pragma once
// Hashes of file contents that the content cache keeps: BLAKE3 (256 bits) of a
// whole file, for which equal hashes stand for equal bytes, and a quick hash of
// a file's first block, which only ever tells files apart.
#include <array>
#include <cstddef>
#include <cstdint>

#include "blake3.h"

using Digest = std::array<uint8_t, 32>;

class WholeHash {
public:
    WholeHash() { blake3_hasher_init(&state_); }
    void Update(const void* data, size_t size) { blake3_hasher_update(&state_, data, size); }
    Digest Final() const {
        Digest d;
        blake3_hasher_finalize(&state_, d.data(), d.size());
        return d;
    }

private:
    blake3_hasher state_;
};

// The bytes a first-block hash covers: the first 64 KB, or the whole of a smaller file.
constexpr size_t kFirstBlockBytes = 64 * 1024;
uint64_t FirstBlockHash(const uint8_t* data, size_t size);
