#pragma once
// What earlier searches learned of file contents, kept in a file beside the
// configuration. A file is known by what its folder's listing gives without
// opening it: volume, file id, size, last-write and change time. While these
// are unchanged its hashes are taken from here and the file is not opened; a
// file rewritten with its last-write time put back has another change time, a
// file replaced under the same name another file id.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "varnholt/engine/ContentHash.h"

// The cache of a configuration: beside its config.ini. Off when "ContentCache" is "0".
constexpr const wchar_t* kContentCacheName = L"0026cache.dat";
std::wstring ContentCacheBeside(const std::wstring& configPath);

struct CacheKey {
    uint64_t volume = 0, fileId = 0, size = 0, lastWrite = 0, changeTime = 0;
    bool operator==(const CacheKey&) const = default;
};

struct CachedContent {
    uint64_t firstHash = 0;  // FirstBlockHash of the first block
    bool hasFull = false;    // the whole file was read
    Digest full{};           // BLAKE3 of the whole content
    // Where links to files are not marked, the file was checked at this place
    // (a 32-bit hash of its path, never 0); 0 where no check is needed.
    uint64_t placeHash = 0;
};

class ContentCache {
public:
    // Searches after which an entry not seen again leaves the cache.
    static constexpr int kMaxAge = 8;

    enum class Loaded { Read, Missing, SetAside };
    // A missing file gives an empty cache. One that is truncated, of another
    // format or damaged is set aside (renamed to ".bad") and the cache starts
    // empty; the caller says so once.
    Loaded Load(const std::wstring& path);
    // Load on a thread of its own. A search needs the cache only once its walk
    // is done, and the walk keeps one core busy at most under Wine; a million
    // entries take a second to read. Load, Save, Find and Store wait for it.
    void StartLoad(const std::wstring& path);
    // What the load found, once it is done; rethrows what it threw.
    Loaded AwaitLoad();
    double LoadSeconds() const { return loadSeconds_; }

    ContentCache() = default;
    ContentCache(const ContentCache&) = delete;
    ContentCache& operator=(const ContentCache&) = delete;
    ~ContentCache();
    // Replaces the file atomically with what this search saw or learned, the
    // entries not yet too old, and the entries another search wrote to the file
    // since this one read it. Temporary files of writes that were interrupted
    // (their process is gone) are removed. False when it could not be written.
    bool Save(const std::wstring& path);
    // Save on a thread of its own: writing a million entries takes seconds,
    // and the results are shown meanwhile. Load, Save, Find and Store wait for it.
    // Afterwards the cache holds nothing: the next search reads the file.
    void StartSave(const std::wstring& path);
    // What the save answered, once it is done.
    bool AwaitSave();

    // The content known under this key, checked at this place; marks the entry as seen.
    const CachedContent* Find(const CacheKey& key, uint64_t placeHash);
    void Store(const CacheKey& key, const CachedContent& content);

    size_t Size() const { return entries_.size(); }
    // The bytes Save writes (for tests and the benchmark).
    std::string Serialize() const;
    // False, and nothing kept, when the bytes are not a cache of this format.
    bool Parse(const std::string& bytes);

private:
    struct Entry {
        CacheKey key;
        CachedContent content;
        uint8_t age = 0;
        bool seen = false;
        bool adopted = false;  // written by another search meanwhile: it keeps its age
    };
    // Takes the entries of the file at `path` that this cache does not hold.
    void Adopt(const std::wstring& path);
    struct KeyHash {
        size_t operator()(const CacheKey& k) const;
    };
    // Whether Save would write what Load read: nothing learned, everything seen anew.
    bool SameAsLoaded() const;

    // The slot of `key` in the index: where its entry's number is, or the empty
    // slot where it would go.
    size_t SlotOf(const CacheKey& key) const;
    // Room in the index for `count` entries, at most half of its slots taken.
    void Reserve(size_t count);
    // Adds the entry unless its key is there; true when added.
    bool Add(Entry&& entry);

    // Waits for a load or save started on its own thread.
    void Settle();
    Loaded Read(const std::wstring& path);
    bool Write(const std::wstring& path);

    std::thread worker_;
    Loaded loaded_ = Loaded::Missing;
    bool saved_ = false;
    std::exception_ptr loadError_;
    double loadSeconds_ = 0;

    std::vector<Entry> entries_;
    // Entry numbers plus one by key, 0 for an empty slot (open addressing): one
    // block for a million entries instead of a million small ones.
    std::vector<uint32_t> index_;
    bool learned_ = false;       // an entry added or changed since Load
    WIN32_FILE_ATTRIBUTE_DATA loadedFile_{};  // the file as Load read it; no size and time: none read
};
