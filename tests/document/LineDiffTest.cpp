// The line difference behind "Changes Since Save": hunks, their section and context.
#include "document/LineDiff.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(LineDiff, UnifiedHunksNameTheirSection)
{
    const std::string base = "[A]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\ne=5\r\nf=6\r\ng=7\r\nh=8\r\n[B]\r\nx=1\r\n";
    struct Case {
        const char* what;
        std::string oldText, newText;
        int context;
        std::string expected;
    } cases[] = {
        {"equal", base, base, 3, ""},
        {"only line ends differ", "[A]\na=1\n", "[A]\r\na=1\r\n", 3, ""},
        {"changed value", base, "[A]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\ne=5\r\nf=6\r\ng=7\r\nh=8\r\n[B]\r\nx=9\r\n", 1,
         "--- o\n+++ n\n@@ -10,2 +10,2 @@ [B]\n [B]\n-x=1\n+x=9\n"},
        {"added at the end", "[A]\na=1\n", "[A]\na=1\nb=2\n", 3, "--- o\n+++ n\n@@ -1,2 +1,3 @@ [A]\n [A]\n a=1\n+b=2\n"},
        {"removed first line", "[A]\na=1\n", "a=1\n", 0, "--- o\n+++ n\n@@ -1,1 +0,0 @@\n-[A]\n"},
        {"inserted with no context", "[A]\na=1\n", "[A]\nz=0\na=1\n", 0, "--- o\n+++ n\n@@ -1,0 +2,1 @@ [A]\n+z=0\n"},
        {"two distant changes", base,
         "[A]\r\na=0\r\nb=2\r\nc=3\r\nd=4\r\ne=5\r\nf=6\r\ng=7\r\nh=8\r\n[B]\r\nx=2\r\n", 1,
         "--- o\n+++ n\n@@ -1,3 +1,3 @@ [A]\n [A]\n-a=1\n+a=0\n b=2\n@@ -10,2 +10,2 @@ [B]\n [B]\n-x=1\n+x=2\n"},
        {"close changes share a hunk", "1\n2\n3\n4\n", "0\n2\n3\n5\n", 1,
         "--- o\n+++ n\n@@ -1,4 +1,4 @@\n-1\n+0\n 2\n 3\n-4\n+5\n"},
        {"moved line", "a\nb\nc\n", "c\na\nb\n", 0, "--- o\n+++ n\n@@ -0,0 +1,1 @@\n+c\n@@ -3,1 +3,0 @@\n-c\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(unifiedDiff(diffLines(c.oldText, c.newText, c.context), "o", "n"), c.expected) << c.what;
}

}  // namespace
}  // namespace sw
