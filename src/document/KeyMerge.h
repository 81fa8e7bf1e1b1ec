// Bringing two lines of edits of one personality together, key by key: the changes
// that turned `base` into `mine` are made to `theirs` in place, as the store's own
// edits make them, so everything else in `theirs` stays byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// A key both sides changed, each to something else (nullopt: absent). An empty key
// stands for a whole section that one side removed while the other changed it.
struct KeyConflict {
    std::string section, key;
    std::optional<std::string> base, mine, theirs;
};

struct KeyMergeResult {
    std::string bytes;
    std::vector<KeyConflict> conflicts;
};

// Comments, blank lines and the order of lines that only `mine` changed are not
// carried over: only values, added and removed keys, and added and removed sections.
// Each conflict takes mine's side when keepMine, else theirs.
KeyMergeResult mergeKeyChanges(std::string_view base, std::string_view mine, std::string_view theirs, bool keepMine);

// "[Section] Key: here "a", there "b"" lines for a question.
std::string describeConflicts(const std::vector<KeyConflict>& conflicts, std::size_t maxLines = 12);

}  // namespace sw
