#include "varnholt/engine/Partition.h"

#include <algorithm>

#include "varnholt/engine/ByteCompare.h"
#include "varnholt/engine/SearchSettings.h"

namespace {

// One file as the criteria see it.
struct Fields {
    std::wstring_view name;
    uint64_t size;
    uint8_t attributes;
    int64_t creation, modification, access;
};

uint64_t HashName(std::wstring_view name) {
    uint64_t h = 0xCBF29CE484222325ULL;
    for (wchar_t c : name) h = (h ^ static_cast<uint16_t>(c)) * 0x100000001B3ULL;
    return h;
}

template <auto Field>
uint64_t KeyOf(const Fields& f) {
    return static_cast<uint64_t>(f.*Field);
}

// The criteria besides the checksum, in their option order. Equal files have
// equal keys; `same` decides where a key can be shared by different values.
struct Criterion {
    int SearchSettings::*enabled;
    uint64_t (*key)(const Fields&);
    bool (*same)(const Fields&, const Fields&);
};
const Criterion kCriteria[] = {
    {&SearchSettings::sameName, [](const Fields& f) { return HashName(f.name); },
     [](const Fields& a, const Fields& b) { return a.name == b.name; }},  // exact, case-sensitive
    {&SearchSettings::sameSize, KeyOf<&Fields::size>, nullptr},
    {&SearchSettings::sameAttributes, KeyOf<&Fields::attributes>, nullptr},
    {&SearchSettings::sameCreationDate, KeyOf<&Fields::creation>, nullptr},
    {&SearchSettings::sameModificationDate, KeyOf<&Fields::modification>, nullptr},
    {&SearchSettings::sameAccessDate, KeyOf<&Fields::access>, nullptr},
};

std::vector<const Criterion*> Enabled(const SearchSettings& s) {
    std::vector<const Criterion*> on;
    for (const Criterion& c : kCriteria)
        if (s.*c.enabled) on.push_back(&c);
    return on;
}

bool SameIn(const std::vector<const Criterion*>& criteria, const Fields& a, const Fields& b) {
    for (const Criterion* c : criteria)
        if (c->same ? !c->same(a, b) : c->key(a) != c->key(b)) return false;
    return true;
}

Fields FieldsOf(const FileStatus& s) {
    const size_t slash = s.fullName.rfind(L'\\');
    const std::wstring_view name =
        slash == std::wstring::npos ? std::wstring_view(s.fullName) : std::wstring_view(s.fullName).substr(slash + 1);
    return {name, s.size, s.attributes, s.creationTime, s.modificationTime, s.accessTime};
}

Fields FieldsOf(const FileCollection& files, const FileEntry& e) {
    return {files.Name(e), e.size, e.attributes, e.creationTime, e.modificationTime, e.accessTime};
}

}  // namespace

bool IsDuplicate(const FileStatus& a, const FileStatus& b, uint32_t checksumA, uint32_t checksumB,
                 const SearchSettings& s) {
    if (!SameIn(Enabled(s), FieldsOf(a), FieldsOf(b))) return false;
    return !(s.sameChecksum && !s.checksumSecondStep && checksumA != checksumB);
}

std::vector<Group> PartitionByCriteria(const FileCollection& files, const SizeCategoryList& list,
                                       const SearchSettings& s) {
    const auto& entries = list.entries;
    const std::vector<const Criterion*> criteria = Enabled(s);

    // Sorted by size first, so that the comparison meets the sizes in order.
    struct Key {
        uint64_t size;
        uint64_t hash;
        uint32_t index;
    };
    std::vector<Key> keys;
    keys.reserve(entries.size());
    uint32_t index = 0;
    for (const FileEntry& e : entries) {
        const Fields f = FieldsOf(files, e);
        uint64_t h = 0x84222325CBF29CE4ULL;
        for (const Criterion* c : criteria) h = Mix(h, c->key(f));
        keys.push_back({s.sameSize ? e.size : 0, h, index++});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (a.size != b.size) return a.size < b.size;
        if (a.hash != b.hash) return a.hash < b.hash;
        return a.index < b.index;
    });

    std::vector<Group> classes;
    for (size_t begin = 0; begin < keys.size();) {
        size_t end = begin + 1;
        while (end < keys.size() && keys[end].size == keys[begin].size && keys[end].hash == keys[begin].hash) ++end;
        if (end - begin >= 2) {
            // Equal keys almost always mean equal fields; the exact test settles it.
            std::vector<Group> parts;
            for (size_t k = begin; k < end; ++k) {
                const Fields f = FieldsOf(files, entries[keys[k].index]);
                auto part = std::find_if(parts.begin(), parts.end(), [&](const Group& p) {
                    return SameIn(criteria, FieldsOf(files, entries[p.front()]), f);
                });
                if (part == parts.end()) parts.push_back({keys[k].index});
                else part->push_back(keys[k].index);
            }
            for (auto& p : parts)
                if (p.size() >= 2) classes.push_back(std::move(p));
        }
        begin = end;
    }
    std::sort(classes.begin(), classes.end(), FirstMemberBefore);
    return classes;
}

void KeepDistinctFiles(const FileCollection& files, const SizeCategoryList& list, std::vector<Group>& groups) {
    struct Name {
        uint64_t volume, id;
        uint32_t member;
        auto operator<=>(const Name&) const = default;
    };
    std::vector<Name> names;
    std::vector<uint32_t> later;
    for (Group& g : groups) {
        names.clear();
        for (uint32_t m : g)
            if (const FileIdentity id = files.Identity(list.entries[m]); id.Known()) names.push_back({id.volume, id.id, m});
        std::sort(names.begin(), names.end());
        later.clear();
        for (size_t k = 1; k < names.size(); ++k)
            if (names[k].volume == names[k - 1].volume && names[k].id == names[k - 1].id) later.push_back(names[k].member);
        if (later.empty()) continue;
        std::sort(later.begin(), later.end());
        std::erase_if(g, [&](uint32_t m) { return std::binary_search(later.begin(), later.end(), m); });
    }
    std::erase_if(groups, [](const Group& g) { return g.size() < 2; });
}
