// CRC-32 throughput: the update methods on a buffer in memory, and StartCrc on
// a file that is already in the page cache.
//   crc_bench [file size in MB, default 256] [folder for the file, default the temporary folder]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "varnholt/engine/Crc32.h"

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) { return ((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; };
    return seconds(kernel) + seconds(user);
}

// Best of several runs, in MB/s (10^6 bytes per second): by the clock on the
// wall, and by the processor time this process used (user and kernel), which
// shows the rate apart from other load on a shared machine.
struct Rate {
    double wall = 0, cpu = 0;
};

template <class F>
Rate BestRate(size_t bytes, int runs, F&& run) {
    Rate best;
    for (int i = 0; i < runs; ++i) {
        const double cpuStart = CpuSeconds();
        const auto start = Clock::now();
        run();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const double cpu = CpuSeconds() - cpuStart;
        if (seconds > 0) best.wall = std::max(best.wall, bytes / seconds / 1e6);
        if (cpu > 0) best.cpu = std::max(best.cpu, bytes / cpu / 1e6);
    }
    return best;
}

void Print(const char* what, Rate rate) {
    std::printf("%-28s %9.0f MB/s wall %9.0f MB/s cpu\n", what, rate.wall, rate.cpu);
}

volatile uint32_t g_sink;

}  // namespace

int main(int argc, char** argv) {
    const size_t fileMb = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 256;
    std::wstring folder;
    if (argc > 2) {
        std::string a = argv[2];
        folder.assign(a.begin(), a.end());
    } else {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = temp;
    }
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';

    const CrcTable table;
    std::printf("build: %d-bit, carry-less folding %s\n", static_cast<int>(sizeof(void*) * 8),
                CrcFoldingAvailable() ? "in use" : "not available");

    // In memory: one chunk-sized buffer, the size the file reader hands over.
    std::vector<unsigned char> buffer(kCrcChunkSize);
    std::mt19937 gen(1);
    for (auto& b : buffer) b = static_cast<unsigned char>(gen());
    const size_t memBytes = 512u << 20;
    const size_t rounds = memBytes / buffer.size();
    auto over = [&](auto update) {
        return [&, update] {
            uint32_t r = 0xFFFFFFFF;
            for (size_t i = 0; i < rounds; ++i) r = update(table, r, buffer.data(), buffer.size());
            g_sink = r;
        };
    };
    const size_t done = rounds * buffer.size();
    Print("memory  CrcUpdate", BestRate(done, 5, over(CrcUpdate)));
    Print("memory  CrcUpdateSliced", BestRate(done, 5, over(CrcUpdateSliced)));
    Print("memory  CrcUpdateBytewise", BestRate(done / 8, 3, [&] {
        uint32_t r = 0xFFFFFFFF;
        for (size_t i = 0; i < rounds / 8; ++i) r = CrcUpdateBytewise(table, r, buffer.data(), buffer.size());
        g_sink = r;
    }));

    // A file in the page cache: written, read once, then summed several times.
    const std::wstring path = folder + L"crc_bench_" + std::to_wstring(GetCurrentProcessId()) + L".bin";
    const size_t fileBytes = fileMb << 20;
    {
        fw::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (!file) {
            std::fprintf(stderr, "cannot create the bench file\n");
            return 1;
        }
        std::vector<unsigned char> block(1 << 20);
        for (size_t written = 0; written < fileBytes; written += block.size()) {
            for (auto& b : block) b = static_cast<unsigned char>(gen());
            DWORD n = 0;
            WriteFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &n, nullptr);
        }
    }
    const auto warm = StartCrc(path, table);
    std::printf("file    %zu MB, crc %08X\n", fileMb, warm ? *warm : 0);
    Print("file    StartCrc", BestRate(fileBytes, 5, [&] { g_sink = *StartCrc(path, table); }));
    // The same reading with the byte-by-byte table step, for comparison.
    Print("file    bytewise reading", BestRate(fileBytes, 2, [&] {
        fw::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        uint32_t r = 0xFFFFFFFF;
        DWORD got = 0;
        while (ReadFile(file.get(), buffer.data(), static_cast<DWORD>(kCrcChunkSize), &got, nullptr) && got) {
            r = CrcUpdateBytewise(table, r, buffer.data(), got);
            if (got < kCrcChunkSize) break;
        }
        g_sink = ~r;
    }));
    DeleteFileW(path.c_str());
    return 0;
}
