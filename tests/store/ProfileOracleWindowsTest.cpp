// The platform's own profile functions as the oracle: the same edit made through the
// write-through store and through WritePrivateProfileStringA on copies of one file. Where
// both are meant to agree, the bytes must be the same; where the store keeps what the
// platform rewrites (every line it does not edit stays as it was), the row names the case
// and gives both results. Whatever the store writes, GetPrivateProfileStringA reads back
// the values the store itself reads.
#include "store/ProfileFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace sw {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

struct Edit {
    const char* section;
    const char* key;    // nullptr: erase the section
    const char* value;  // nullptr: delete the key
};

void throughStore(const std::string& file, const Edit& edit)
{
    ProfileFile profile(file);
    if (!edit.key)
        profile.eraseSection(edit.section);
    else if (!edit.value)
        profile.deleteKey(edit.section, edit.key);
    else
        profile.writeString(edit.section, edit.key, edit.value);
}

std::string platformRead(const std::string& file, const char* section, const char* key)
{
    char value[4096] = {};
    ::GetPrivateProfileStringA(section, key, "(missing)", value, sizeof value, file.c_str());
    return value;
}

TEST(ProfileOracle, EditsAgreeWithTheSystemsProfileFunctionsOrDifferOnPurpose)
{
    TempDir dir;
    struct Case {
        const char* start;
        Edit edit;
        const char* store;
        const char* difference;  // nullptr: the platform writes the same bytes
        const char* platform;
    } cases[] = {
        {"[Colours]\r\nActive=1 2 3\r\n", {"Colours", "Active", "4"}, "[Colours]\r\nActive=4\r\n", nullptr, nullptr},
        {"[Colours]\r\nActive=1 2 3\r\n", {"colours", "ACTIVE", "4"}, "[Colours]\r\nActive=4\r\n", nullptr, nullptr},
        {"[A]\r\nx=1\r\ny=2\r\n", {"A", "x", nullptr}, "[A]\r\ny=2\r\n", nullptr, nullptr},
        {"[A]\r\nx=1\r\n[B]\r\ny=2\r\n", {"a", nullptr, nullptr}, "[B]\r\ny=2\r\n", nullptr, nullptr},
        {"[A]\r\nx=1\r\nx=2\r\n", {"A", "x", "9"}, "[A]\r\nx=9\r\nx=2\r\n", nullptr, nullptr},
        {"[A]\r\nx=1\r\n[a]\r\ny=2\r\n", {"a", "y", "3"}, "[A]\r\nx=1\r\ny=3\r\n[a]\r\ny=2\r\n", nullptr, nullptr},
        {"", {"A", "x", "1"}, "[A]\r\nx=1\r\n", nullptr, nullptr},
        {"; top\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", {"A", "z", "3"}, "; top\r\n[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n",
         "the empty line before a section is kept", "; top\r\n[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=2\r\n"},
        {"[A]\r\nx=1\r\n", {"New", "k", "v"}, "[A]\r\nx=1\r\n\r\n[New]\r\nk=v\r\n",
         "a new section follows an empty line", "[A]\r\nx=1\r\n[New]\r\nk=v\r\n"},
        {"[A]\r\nx = 1\r\n", {"A", "x", "2"}, "[A]\r\nx = 2\r\n", "only the value's bytes change",
         "[A]\r\nx=2\r\n"},
        {"[A]\nx=1\n", {"A", "y", "2"}, "[A]\nx=1\ny=2\n", "LF line ends stay LF, and a new line copies them",
         "[A]\r\nx=1\r\ny=2\r\n"},
        {"[A]\r\n;c\r\nx=1\r\n", {"A", "x", "  5  "}, "[A]\r\n;c\r\nx=  5  \r\n", "a value is written as given",
         "[A]\r\n;c\r\nx=5  \r\n"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string ours = dir.file("store" + std::to_string(n) + ".ini");
        const std::string theirs = dir.file("platform" + std::to_string(n) + ".ini");
        ++n;
        SCOPED_TRACE(std::string(c.start) + " / " + c.edit.section + " " + (c.edit.key ? c.edit.key : "(section)"));
        writeBytes(ours, c.start);
        writeBytes(theirs, c.start);
        throughStore(ours, c.edit);
        ASSERT_TRUE(::WritePrivateProfileStringA(c.edit.section, c.edit.key, c.edit.value, theirs.c_str()));
        EXPECT_EQ(readBytes(ours), c.store);
        EXPECT_EQ(readBytes(theirs), c.difference ? c.platform : c.store) << (c.difference ? c.difference : "");
        if (c.edit.key) {
            // What the store wrote reads back through the platform as the store reads it.
            const std::string expected = c.edit.value ? ProfileFile(ours).readValue(c.edit.section, c.edit.key).value_or("?")
                                                      : "(missing)";
            EXPECT_EQ(platformRead(ours, c.edit.section, c.edit.key), expected);
        }
    }
}

}  // namespace
}  // namespace sw
