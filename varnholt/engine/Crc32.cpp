#include "varnholt/engine/Crc32.h"

#include <windows.h>

#include <array>
#include <cstring>
#include <memory>

#include "framework/Handles.h"
#include "framework/Paths.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <immintrin.h>
#define VARNHOLT_CRC_CLMUL 1
#endif

namespace {

uint32_t Reflect(uint32_t value, int bits) {
    uint32_t result = 0;
    for (int i = 0; i < bits; ++i)
        if (value & (1u << i)) result |= 1u << (bits - 1 - i);
    return result;
}

// Slicing tables: row k advances a byte that is followed by k more bytes.
// Derived from the standard table, so the fast paths agree with it bit for bit.
struct SliceTables {
    uint32_t rows[16][256];
    SliceTables() {
        const CrcTable base;
        for (int i = 0; i < 256; ++i) rows[0][i] = base.entries[i];
        for (int k = 1; k < 16; ++k)
            for (int i = 0; i < 256; ++i) {
                const uint32_t prev = rows[k - 1][i];
                rows[k][i] = (prev >> 8) ^ rows[0][prev & 0xFF];
            }
    }
};

const SliceTables& Slices() {
    static const SliceTables tables;
    return tables;
}

inline uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);  // little-endian on every target we build
    return v;
}

uint32_t CrcSliced(uint32_t r, const uint8_t* p, size_t n) {
    const auto& t = Slices().rows;
    while (n >= 16) {
        const uint32_t a = Load32(p) ^ r, b = Load32(p + 4), c = Load32(p + 8), d = Load32(p + 12);
        r = t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^ t[12][a >> 24] ^
            t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24] ^
            t[7][c & 0xFF] ^ t[6][(c >> 8) & 0xFF] ^ t[5][(c >> 16) & 0xFF] ^ t[4][c >> 24] ^
            t[3][d & 0xFF] ^ t[2][(d >> 8) & 0xFF] ^ t[1][(d >> 16) & 0xFF] ^ t[0][d >> 24];
        p += 16;
        n -= 16;
    }
    while (n--) r = (r >> 8) ^ t[0][(r ^ *p++) & 0xFF];
    return r;
}

#ifdef VARNHOLT_CRC_CLMUL

bool HasCarrylessMultiply() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
    return (ecx & bit_PCLMUL) && (ecx & bit_SSE4_1);
}

#define CRC_CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))

CRC_CLMUL_TARGET __attribute__((always_inline)) inline __m128i Load128(const uint8_t* q) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
}

// acc times x^distance (the two halves of k) added onto the next block.
CRC_CLMUL_TARGET __attribute__((always_inline)) inline __m128i Fold(__m128i acc, __m128i k, __m128i next) {
    const __m128i lo = _mm_clmulepi64_si128(acc, k, 0x00);
    const __m128i hi = _mm_clmulepi64_si128(acc, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(lo, hi), next);
}

// Folding with carry-less multiplication in the bit-reflected domain. The
// constants are x^n mod P (shifted for reflection) for the folding distances
// 512 + 32, 512 - 32, 128 + 32, 128 - 32 and 64, then P itself and the Barrett
// quotient floor(x^64 / P). Needs at least 64 bytes; consumes a multiple of 16.
CRC_CLMUL_TARGET __attribute__((force_align_arg_pointer))
uint32_t CrcFolded(uint32_t r, const uint8_t* p, size_t n) {
    const __m128i fold512 = _mm_set_epi64x(0x1c6e41596LL, 0x154442bd4LL);
    const __m128i fold128 = _mm_set_epi64x(0x0ccaa009eLL, 0x1751997d0LL);
    const __m128i fold64 = _mm_set_epi64x(0, 0x163cd6124LL);
    const __m128i barrett = _mm_set_epi64x(0x1f7011641LL, 0x1db710641LL);
    const __m128i low32 = _mm_setr_epi32(-1, 0, -1, 0);

    __m128i a0 = _mm_xor_si128(Load128(p), _mm_cvtsi32_si128(static_cast<int>(r)));
    __m128i a1 = Load128(p + 16), a2 = Load128(p + 32), a3 = Load128(p + 48);
    p += 64;
    n -= 64;
    while (n >= 64) {
        a0 = Fold(a0, fold512, Load128(p));
        a1 = Fold(a1, fold512, Load128(p + 16));
        a2 = Fold(a2, fold512, Load128(p + 32));
        a3 = Fold(a3, fold512, Load128(p + 48));
        p += 64;
        n -= 64;
    }
    __m128i acc = Fold(a0, fold128, a1);
    acc = Fold(acc, fold128, a2);
    acc = Fold(acc, fold128, a3);
    while (n >= 16) {
        acc = Fold(acc, fold128, Load128(p));
        p += 16;
        n -= 16;
    }

    // 128 bits to 64, then to 32 with a Barrett reduction.
    __m128i t = _mm_clmulepi64_si128(acc, fold128, 0x10);
    acc = _mm_xor_si128(_mm_srli_si128(acc, 8), t);
    t = _mm_srli_si128(acc, 4);
    acc = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(acc, low32), fold64, 0x00), t);
    t = _mm_clmulepi64_si128(_mm_and_si128(acc, low32), barrett, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), barrett, 0x00);
    acc = _mm_xor_si128(acc, t);
    return static_cast<uint32_t>(_mm_extract_epi32(acc, 1));
}

const bool kUseFolding = HasCarrylessMultiply();

#endif

}  // namespace

CrcTable::CrcTable() {
    constexpr uint32_t polynomial = 0x04C11DB7;
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t r = Reflect(i, 8) << 24;
        for (int bit = 0; bit < 8; ++bit) r = (r & 0x80000000u) ? (r << 1) ^ polynomial : r << 1;
        entries[i] = Reflect(r, 32);
    }
}

uint32_t CrcUpdateBytewise(const CrcTable& table, uint32_t r, const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) r = (r >> 8) ^ table.entries[(r ^ p[i]) & 0xFF];
    return r;
}

uint32_t CrcUpdateSliced(const CrcTable&, uint32_t r, const void* data, size_t size) {
    return CrcSliced(r, static_cast<const uint8_t*>(data), size);
}

bool CrcFoldingAvailable() {
#ifdef VARNHOLT_CRC_CLMUL
    return kUseFolding;
#else
    return false;
#endif
}

uint32_t CrcUpdate(const CrcTable&, uint32_t r, const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
#ifdef VARNHOLT_CRC_CLMUL
    if (kUseFolding && size >= 64) {
        const size_t whole = size & ~size_t{15};
        r = CrcFolded(r, p, whole);
        p += whole;
        size -= whole;
    }
#endif
    return CrcSliced(r, p, size);
}

std::optional<uint32_t> CrcWorker(const CrcJob& job) {
    uint32_t r = 0xFFFFFFFF;
    // Sharing read only: nobody may change the file while it is summed.
    fw::FileHandle file(CreateFileW(fw::SystemPath(job.fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file) {
        auto buffer = std::make_unique<uint8_t[]>(kCrcChunkSize);
        for (;;) {
            DWORD got = 0;
            const BOOL ok = ReadFile(file.get(), buffer.get(), static_cast<DWORD>(kCrcChunkSize), &got, nullptr);
            r = CrcUpdate(*job.table, r, buffer.get(), got);
            if (!ok || got < kCrcChunkSize) break;
            if (job.poll && !job.poll()) return std::nullopt;
        }
    }
    return ~r;
}

std::optional<uint32_t> StartCrc(const std::wstring& fileName, const CrcTable& table, const CrcPoll& poll) {
    const DWORD attributes = GetFileAttributesW(fw::SystemPath(fileName).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0u;
    return CrcWorker(CrcJob{&table, fileName, poll});
}
