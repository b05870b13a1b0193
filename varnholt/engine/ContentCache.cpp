#include "varnholt/engine/ContentCache.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>

#include "framework/Errors.h"
#include "framework/Handles.h"
#include "framework/Paths.h"
#include "framework/TextFile.h"
#include "varnholt/engine/ByteCompare.h"
#include "varnholt/engine/Crc32.h"

namespace {

// "VHCC", the format version, the entry count and a CRC-32 of everything after them.
constexpr char kMagic[4] = {'V', 'H', 'C', 'C'};
constexpr uint32_t kVersion = 1;
constexpr size_t kHeaderBytes = 16;

// The change time mostly equals the last write or follows it closely: kept as nothing or
// as the distance after it.
enum Flags : uint8_t { kHasFull = 1, kChangeAfterWrite = 2, kHasPlace = 4, kChangeIsWrite = 8 };

uint32_t Checksum(const char* data, size_t size) {
    static const CrcTable table;
    return ~CrcUpdate(table, 0xFFFFFFFF, data, size);
}

class Writer {
public:
    void Byte(uint8_t b) { out.push_back(static_cast<char>(b)); }
    void Fixed(uint64_t v, int bytes = 8) {
        for (int i = 0; i < bytes; ++i) Byte(static_cast<uint8_t>(v >> (8 * i)));
    }
    // Seven bits a byte, low bits first: ids and sizes are mostly small.
    void Varint(uint64_t v) {
        for (; v >= 0x80; v >>= 7) Byte(static_cast<uint8_t>(v | 0x80));
        Byte(static_cast<uint8_t>(v));
    }
    std::string out;
};

class Reader {
public:
    Reader(const std::string& bytes, size_t at) : bytes_(bytes), at_(at) {}
    bool Byte(uint8_t& b) {
        if (at_ >= bytes_.size()) return false;
        b = static_cast<uint8_t>(bytes_[at_++]);
        return true;
    }
    bool Fixed(uint64_t& v, int bytes = 8) {
        v = 0;
        for (int i = 0; i < bytes; ++i) {
            uint8_t b;
            if (!Byte(b)) return false;
            v |= uint64_t(b) << (8 * i);
        }
        return true;
    }
    bool Varint(uint64_t& v) {
        v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            uint8_t b;
            if (!Byte(b)) return false;
            v |= uint64_t(b & 0x7F) << shift;
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool Bytes(uint8_t* out, size_t n) {
        if (bytes_.size() - at_ < n) return false;
        std::memcpy(out, bytes_.data() + at_, n);
        at_ += n;
        return true;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    const std::string& bytes_;
    size_t at_;
};

}  // namespace

std::wstring ContentCacheBeside(const std::wstring& configPath) {
    const size_t slash = configPath.rfind(L'\\');
    return (slash == std::wstring::npos ? std::wstring() : configPath.substr(0, slash + 1)) + kContentCacheName;
}

size_t ContentCache::KeyHash::operator()(const CacheKey& k) const {
    return static_cast<size_t>(
        Mix(Mix(Mix(Mix(Mix(0x5A17ULL, k.volume), k.fileId), k.size), k.lastWrite), k.changeTime));
}

size_t ContentCache::SlotOf(const CacheKey& key) const {
    const size_t mask = index_.size() - 1;
    for (size_t i = KeyHash{}(key) & mask;; i = (i + 1) & mask)
        if (index_[i] == 0 || entries_[index_[i] - 1].key == key) return i;
}

void ContentCache::Reserve(size_t count) {
    if (count * 2 <= index_.size()) return;
    size_t size = 1024;
    while (size < count * 2) size *= 2;
    index_.assign(size, 0);
    for (size_t n = 0; n < entries_.size(); ++n) index_[SlotOf(entries_[n].key)] = static_cast<uint32_t>(n + 1);
}

bool ContentCache::Add(Entry&& entry) {
    Reserve(entries_.size() + 1);
    const size_t slot = SlotOf(entry.key);
    if (index_[slot] != 0) return false;
    entries_.push_back(std::move(entry));
    index_[slot] = static_cast<uint32_t>(entries_.size());
    return true;
}

const CachedContent* ContentCache::Find(const CacheKey& key, uint64_t placeHash) {
    Settle();
    if (index_.empty()) return nullptr;
    const uint32_t number = index_[SlotOf(key)];
    if (number == 0) return nullptr;
    Entry& e = entries_[number - 1];
    if (e.content.placeHash != placeHash) return nullptr;
    e.seen = true;
    return &e.content;
}

void ContentCache::Store(const CacheKey& key, const CachedContent& content) {
    Settle();
    if (Add({key, content, 0, true})) {
        learned_ = true;
        return;
    }
    Entry& e = entries_[index_[SlotOf(key)] - 1];
    const CachedContent& c = e.content;
    learned_ = learned_ || c.firstHash != content.firstHash || c.hasFull != content.hasFull ||
               (content.hasFull && c.full != content.full) || c.placeHash != content.placeHash;
    e = {key, content, 0, true};
}

std::string ContentCache::Serialize() const {
    std::vector<uint64_t> volumes;
    std::unordered_map<uint64_t, size_t> volumeIndex;
    Writer body;
    uint32_t count = 0;
    Writer entries;
    for (const Entry& e : entries_) {
        const int age = e.seen ? 0 : e.adopted ? e.age : e.age + 1;
        if (age >= kMaxAge) continue;
        const auto [v, added] = volumeIndex.try_emplace(e.key.volume, volumes.size());
        if (added) volumes.push_back(e.key.volume);
        const bool same = e.key.changeTime == e.key.lastWrite, after = e.key.changeTime > e.key.lastWrite;
        entries.Byte(static_cast<uint8_t>((e.content.hasFull ? kHasFull : 0) | (after ? kChangeAfterWrite : 0) |
                                          (same ? kChangeIsWrite : 0) | (e.content.placeHash ? kHasPlace : 0)));
        entries.Byte(static_cast<uint8_t>(age));
        entries.Varint(v->second);
        entries.Varint(e.key.fileId);
        entries.Varint(e.key.size);
        entries.Fixed(e.key.lastWrite);
        if (after) entries.Varint(e.key.changeTime - e.key.lastWrite);
        else if (!same) entries.Fixed(e.key.changeTime);
        entries.Fixed(e.content.firstHash);
        if (e.content.hasFull) entries.out.append(reinterpret_cast<const char*>(e.content.full.data()), 32);
        if (e.content.placeHash) entries.Fixed(e.content.placeHash, 4);
        ++count;
    }
    body.Varint(volumes.size());
    for (uint64_t v : volumes) body.Fixed(v);
    body.out += entries.out;

    Writer head;
    head.out.append(kMagic, 4);
    head.Fixed(kVersion, 4);
    head.Fixed(count, 4);
    head.Fixed(Checksum(body.out.data(), body.out.size()), 4);
    return head.out + body.out;
}

bool ContentCache::Parse(const std::string& bytes) {
    entries_.clear();
    index_.clear();
    if (bytes.size() < kHeaderBytes || std::memcmp(bytes.data(), kMagic, 4) != 0) return false;
    Reader head(bytes, 4);
    uint64_t version = 0, count = 0, checksum = 0;
    head.Fixed(version, 4);
    head.Fixed(count, 4);
    head.Fixed(checksum, 4);
    if (version != kVersion || checksum != Checksum(bytes.data() + kHeaderBytes, bytes.size() - kHeaderBytes))
        return false;
    Reader in(bytes, kHeaderBytes);
    uint64_t volumeCount = 0;
    // Every entry takes at least 20 bytes, every volume 8: counts beyond that are damage.
    if (!in.Varint(volumeCount) || volumeCount > bytes.size() / 8 || count > bytes.size() / 20) return false;
    std::vector<uint64_t> volumes(volumeCount);
    for (uint64_t& v : volumes)
        if (!in.Fixed(v)) return false;
    // Straight into the cache, found through its index as they come; damage leaves nothing.
    entries_.reserve(count);
    Reserve(count);
    auto damaged = [&] {
        entries_.clear();
        index_.clear();
        return false;
    };
    for (uint64_t i = 0; i < count; ++i) {
        Entry e;
        uint8_t flags = 0, age = 0;
        uint64_t volume = 0;
        if (!in.Byte(flags) || !in.Byte(age) || flags > 15 || (flags & kChangeAfterWrite && flags & kChangeIsWrite) ||
            age >= kMaxAge || !in.Varint(volume) ||
            volume >= volumes.size() || !in.Varint(e.key.fileId) || !in.Varint(e.key.size) || !in.Fixed(e.key.lastWrite))
            return damaged();
        e.key.volume = volumes[volume];
        uint64_t distance = 0;
        if (flags & kChangeIsWrite) e.key.changeTime = e.key.lastWrite;
        else if (flags & kChangeAfterWrite && in.Varint(distance) && distance > 0) e.key.changeTime = e.key.lastWrite + distance;
        else if (flags & kChangeAfterWrite || !in.Fixed(e.key.changeTime) || e.key.changeTime >= e.key.lastWrite) return damaged();
        if (!in.Fixed(e.content.firstHash)) return damaged();
        e.content.hasFull = flags & kHasFull;
        if (e.content.hasFull && !in.Bytes(e.content.full.data(), 32)) return damaged();
        if ((flags & kHasPlace) && (!in.Fixed(e.content.placeHash, 4) || e.content.placeHash == 0)) return damaged();
        e.age = age;
        Add(std::move(e));
    }
    if (!in.AtEnd()) return damaged();
    return true;
}

ContentCache::~ContentCache() { Settle(); }

void ContentCache::Settle() {
    if (worker_.joinable()) worker_.join();
}

ContentCache::Loaded ContentCache::Load(const std::wstring& path) {
    Settle();
    return Read(path);
}

void ContentCache::StartLoad(const std::wstring& path) {
    Settle();
    loadError_ = nullptr;
    worker_ = std::thread([this, path] {
        const auto start = std::chrono::steady_clock::now();
        try {
            loaded_ = Read(path);
        } catch (...) {
            loadError_ = std::current_exception();
        }
        loadSeconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
}

ContentCache::Loaded ContentCache::AwaitLoad() {
    Settle();
    if (loadError_) std::rethrow_exception(std::exchange(loadError_, nullptr));
    return loaded_;
}

ContentCache::Loaded ContentCache::Read(const std::wstring& path) {
    entries_.clear();
    index_.clear();
    learned_ = false;
    loadedFile_ = {};
    std::string bytes;
    try {
        bytes = fw::ReadFileBytes(path);
    } catch (const fw::FileError&) {
        return Loaded::Missing;  // none yet (or not readable now): start empty, and the save replaces it
    }
    if (Parse(bytes)) {
        // Taken after the read: a write in between makes them differ, and Save writes then.
        WIN32_FILE_ATTRIBUTE_DATA file{};
        if (GetFileAttributesExW(fw::SystemPath(path).c_str(), GetFileExInfoStandard, &file) &&
            file.nFileSizeLow == bytes.size() && file.nFileSizeHigh == 0)
            loadedFile_ = file;
        return Loaded::Read;
    }
    MoveFileExW(fw::SystemPath(path).c_str(), fw::SystemPath(path + L".bad").c_str(), MOVEFILE_REPLACE_EXISTING);
    return Loaded::SetAside;
}

void ContentCache::Adopt(const std::wstring& path) {
    ContentCache other;
    try {
        if (!other.Parse(fw::ReadFileBytes(path))) return;
    } catch (const fw::FileError&) {
        return;
    }
    Reserve(entries_.size() + other.entries_.size());
    for (Entry& e : other.entries_) {
        e.seen = false;
        e.adopted = true;
        Add(std::move(e));
    }
}

namespace {

// The temporary files "<cache>.new<process id>" of writes whose process is gone:
// one killed while it wrote leaves its file behind.
void RemoveInterruptedWrites(const std::wstring& path) {
    const std::wstring pattern = path + L".new*";
    WIN32_FIND_DATAW found;
    fw::FindHandle find(FindFirstFileW(fw::SystemPath(pattern).c_str(), &found));
    if (!find) return;
    const std::wstring folder = path.substr(0, path.rfind(L'\\') + 1);
    const std::wstring prefix = path.substr(folder.size()) + L".new";
    do {
        const std::wstring name = found.cFileName;
        if (name.size() <= prefix.size() || name.find_first_not_of(L"0123456789", prefix.size()) != std::wstring::npos)
            continue;
        const DWORD id = static_cast<DWORD>(wcstoul(name.c_str() + prefix.size(), nullptr, 10));
        if (id == GetCurrentProcessId()) continue;
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
        const bool running = process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
        if (process) CloseHandle(process);
        if (!running) DeleteFileW(fw::SystemPath(folder + name).c_str());
    } while (FindNextFileW(find.get(), &found));
}

}  // namespace

bool ContentCache::SameAsLoaded() const {
    if (learned_ || loadedFile_.nFileSizeLow == 0) return false;
    return std::all_of(entries_.begin(), entries_.end(), [](const Entry& e) { return e.seen && e.age == 0; });
}

bool ContentCache::Save(const std::wstring& path) {
    Settle();
    return Write(path);
}

void ContentCache::StartSave(const std::wstring& path) {
    Settle();
    worker_ = std::thread([this, path] {
        try {
            saved_ = Write(path);
        } catch (...) {
            saved_ = false;  // out of memory: the file stays as it was
        }
        // Written for the next search, which reads it anew: the memory goes now.
        entries_ = {};
        index_ = {};
    });
}

bool ContentCache::AwaitSave() {
    Settle();
    return saved_;
}

bool ContentCache::Write(const std::wstring& path) {
    RemoveInterruptedWrites(path);
    // A search that learned nothing and saw every entry again would write the
    // same bytes: while the file is as it was read, it stays.
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (SameAsLoaded() && GetFileAttributesExW(fw::SystemPath(path).c_str(), GetFileExInfoStandard, &file) &&
        file.nFileSizeLow == loadedFile_.nFileSizeLow && file.nFileSizeHigh == loadedFile_.nFileSizeHigh &&
        CompareFileTime(&file.ftLastWriteTime, &loadedFile_.ftLastWriteTime) == 0)
        return true;
    // Another search may have written the file since this one read it: its
    // entries stay (a merge, not the last writer's cache alone).
    Adopt(path);
    try {
        fw::ReplaceFileBytes(path, Serialize());
        return true;
    } catch (const fw::FileError&) {
        return false;
    }
}
