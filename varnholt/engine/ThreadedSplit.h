#pragma once
// Several groups compared at once, each on a thread of its own: opening a file
// mostly waits for the system, and those waits overlap.
#include <functional>
#include <vector>

#include "varnholt/engine/ContentComparer.h"

// Splits each group by content. `out[i]` holds the sets of groups[i] when
// `finished[i]`; after Cancel the groups not finished are left empty. The
// calling thread keeps the progress window alive and gets `showProgress` with
// the index of the first unfinished group.
// `memory` as for one comparer; what the threads learn is gathered into it.
void SplitEach(const FileCollection& files, const SizeCategoryList& list, ContentSource& source,
               ProgressSink& progress, ReadStats& stats, const std::vector<Group>& groups,
               std::vector<std::vector<Group>>& out, std::vector<char>& finished,
               const std::function<void(size_t)>& showProgress, ContentMemory memory = {});
