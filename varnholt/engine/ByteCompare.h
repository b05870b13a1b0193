#pragma once
// Comparing and hashing file contents in memory.
#include <cstddef>
#include <cstdint>

inline uint64_t Mix(uint64_t h, uint64_t v) {
    h ^= v;
    h *= 0x9E3779B97F4A7C15ULL;
    return h ^ (h >> 29);
}

// A quick hash of bytes, to sort candidates by: equal bytes give equal hashes.
uint64_t HashBytes(uint64_t h, const uint8_t* p, size_t n);
// A hash of every byte at memory speed (CRC-32 and the length): the key of a
// side-by-side read, so that files sharing a long header still fall apart at once.
uint64_t HashWhole(const uint8_t* p, size_t n);
bool SameBytes(const uint8_t* a, const uint8_t* b, size_t n);
