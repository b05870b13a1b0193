#pragma once
// Grouping by the criteria. Every criterion is an equality, so the groups are
// the partition of each category by the enabled criteria: groups in the order
// of their first member, members in walk order.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/FileStatus.h"
#include "varnholt/engine/FileCollection.h"

struct SearchSettings;

// Members of one category list by their index in walk order.
using Group = std::vector<uint32_t>;

inline bool FirstMemberBefore(const Group& a, const Group& b) { return a.front() < b.front(); }

// Calls onRun(key, members) for every key that two or more members share, from
// (key, member) pairs sorted as pairs, so that each run's members are in walk
// order. Stops and gives false when onRun does.
template <class OnRun>
bool ForEachSharedKey(const std::vector<std::pair<uint64_t, uint32_t>>& sorted, OnRun&& onRun) {
    for (size_t begin = 0; begin < sorted.size();) {
        size_t end = begin + 1;
        while (end < sorted.size() && sorted[end].first == sorted[begin].first) ++end;
        if (end - begin >= 2) {
            Group run;
            run.reserve(end - begin);
            for (size_t k = begin; k < end; ++k) run.push_back(sorted[k].second);
            if (!onRun(sorted[begin].first, std::move(run))) return false;
        }
        begin = end;
    }
    return true;
}

// The criteria of two files as the options define them (the checksums count
// only in one-step mode). Kept for callers that compare two files directly.
bool IsDuplicate(const FileStatus& a, const FileStatus& b, uint32_t checksumA, uint32_t checksumB,
                 const SearchSettings& settings);

// The partition of one category by the enabled criteria other than the checksum:
// classes of two or more, in the order of their first member, members in walk order.
std::vector<Group> PartitionByCriteria(const FileCollection& files, const SizeCategoryList& list,
                                       const SearchSettings& settings);

// Two names of one file are never each other's duplicates: within each group
// the first name in walk order stays and the other names of that file leave it.
// A group left with one member is no group.
void KeepDistinctFiles(const FileCollection& files, const SizeCategoryList& list, std::vector<Group>& groups);
