// The difference between two versions of a personality file, line by line, as a
// unified diff whose hunk headers name the section the change is in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sw {

struct DiffLine {
    char kind;  // ' ' context, '-' only in the old text, '+' only in the new one
    std::string text;
};

struct DiffHunk {
    int oldStart = 0, oldCount = 0;  // 1-based first line and number of lines
    int newStart = 0, newCount = 0;
    std::string section;  // the header line in force at the hunk's first change, or empty
    std::vector<DiffLine> lines;
};

// Lines are compared without their line ends. Very large blocks of changes that have
// nothing in common are reported as removed and added whole.
std::vector<DiffHunk> diffLines(std::string_view oldText, std::string_view newText, int context = 3);

// "--- old\n+++ new\n@@ -a,b +c,d @@ [Section]\n" and the lines; empty when equal.
std::string unifiedDiff(const std::vector<DiffHunk>& hunks, std::string_view oldName, std::string_view newName);

}  // namespace sw
