#include "document/FindModel.h"

#include "document/UisFile.h"
#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace sw {
namespace {

using test::readBytes;
using test::writeBytes;

const char* kFindCatalogue =
    "[TITLEBARSKIN,SkinName]\nType=STRING\n"
    "[PERSONALITY,Top]\nType=FILE\n"
    "[PERSONALITY,TopFrame]\nType=INT\n"
    "[Button,Action]\nType=CHOOSE\n"
    "[Button,Visible]\nType=BOOL\n"
    "[Buttons,Visible]\nType=STRING\n";

// \xE9 and \xC9 are e acute in small and capital Latin-1.
const char* kSkin =
    "[TITLEBARSKIN]\nSkinName=Blue Top\nSkinAuthor=blue\n"
    "[PERSONALITY]\nTop=Aqua\\top.bmp\nTopFrame=5\nEmpty=\n"
    "[Button0]\nAction=1\nVisible=TOP\n"
    "[Buttons]\nVisible=top\n"
    "[CloseButton]\nVisible=\xE9 top\n"
    "[Colours]\nNote=\xC9T\xC9\n";

struct FindFixture {
    test::TempDir dir;
    std::filesystem::path file = dir.path() / "Skins" / "Aqua" / "aqua.uis";
    std::unique_ptr<TUisFile> document;
    explicit FindFixture(const std::string& skin = kSkin)
    {
        writeBytes(dir.path() / "uis2.def", kFindCatalogue);
        setProgramFolder(dir.path());
        std::filesystem::create_directories(file.parent_path());
        writeBytes(file, skin);
        document = std::make_unique<TUisFile>(file.string());
        document->FormatVersion();
    }
    ~FindFixture() { setProgramFolder({}); }
};

std::string rows(const std::vector<FindMatch>& matches)
{
    std::string text;
    for (const FindMatch& match : matches)
        text += match.Section + "/" + match.Key + "=" + match.Value + ":" + std::to_string(match.Type) + ";";
    return text;
}

FindOptions options(const char* text, bool names, bool values, bool whole, bool caseSensitive)
{
    return {text, names, values, whole, caseSensitive};
}

TEST(FindModel, MatchesOfTheWholeDocument)
{
    FindFixture f;
    const struct {
        FindOptions options;
        const char* expected;
    } cases[] = {
        // Any section holding BUTTON takes the button types, except BUTTONS.
        {options("top", false, true, false, false),
         "TITLEBARSKIN/SkinName=Blue Top:1;PERSONALITY/Top=Aqua\\top.bmp:5;Button0/Visible=TOP:4;Buttons/Visible=top:1;"
         "CloseButton/Visible=\xE9 top:4;"},
        {options("top", false, true, false, true),
         "PERSONALITY/Top=Aqua\\top.bmp:5;Buttons/Visible=top:1;CloseButton/Visible=\xE9 top:4;"},
        {options("top", true, false, false, false), "PERSONALITY/Top=Aqua\\top.bmp:5;PERSONALITY/TopFrame=5:2;"},
        {options("TOP", false, true, true, false), "Button0/Visible=TOP:4;Buttons/Visible=top:1;"},
        {options("TOP", false, true, true, true), "Button0/Visible=TOP:4;"},
        {options("visible", true, true, true, false),
         "Button0/Visible=TOP:4;Buttons/Visible=top:1;CloseButton/Visible=\xE9 top:4;"},
        // Accented letters fold too.
        {options("\xE9t\xE9", false, true, false, false), "Colours/Note=\xC9T\xC9:0;"},
        {options("\xE9t\xE9", false, true, false, true), ""},
        // An empty text: nothing in part of a string, the empty values as a whole string.
        {options("", true, true, false, false), ""},
        {options("", false, true, true, false), "PERSONALITY/Empty=:0;"},
        {options("TOP", true, false, true, false), "PERSONALITY/Top=Aqua\\top.bmp:5;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows(findInDocument(*f.document, c.options)), c.expected)
            << c.options.Text << " names " << c.options.Names << " values " << c.options.Values << " whole "
            << c.options.WholeString << " case " << c.options.CaseSensitive;
    EXPECT_EQ(rows(findInSection(*f.document, "Buttons", options("top", false, true, false, false))),
              "Buttons/Visible=top:1;");
}

TEST(FindModel, SectionsInFileOrderOnce)
{
    FindFixture f("[Zeta]\na=1\n[alpha]\nb=2\n[ZETA]\nc=3\n[Mid]\nd=4\n");
    EXPECT_EQ(findSections(*f.document), (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
    // A key written twice is one row.
    FindFixture twice("[S]\nk=one\nK=two\n");
    EXPECT_EQ(rows(findInDocument(*twice.document, options("k", true, false, true, false))), "S/k=one:0;");
}

TEST(FindModel, ReplaceText)
{
    const struct {
        const char* value;
        const char* text;
        const char* replacement;
        const char* expected;
    } cases[] = {
        {"top top", "top", "bottom", "bottom bottom"},
        {"aaa", "aa", "b", "ba"},  // left to right, no overlap
        {"abc", "b", "bb", "abbc"},  // the replacement is not searched again
        {"Top", "top", "x", "Top"},  // case-sensitive
        {"abc", "", "x", "abc"},     // nothing to look for
        {"", "a", "b", ""},
        {"a.b.c", ".", "", "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(replaceText(c.value, c.text, c.replacement), c.expected) << c.value << " " << c.text;
}

TEST(FindModel, ReplaceReadsTheValueAsItIsNow)
{
    const struct {
        const char* name;
        void (*change)(TUisFile&);
        const char* expected;
        int written;
    } cases[] = {
        {"changed since found", [](TUisFile& d) { d.WriteString("Buttons", "Visible", "top and top"); },
         "[Buttons]\nVisible=xtop and xtop\n[Other]\nKey=top\n", 1},
        {"removed since found", [](TUisFile& d) { d.DeleteKey("Buttons", "Visible"); }, "[Buttons]\n[Other]\nKey=top\n",
         0},
        {"unchanged", [](TUisFile&) {}, "[Buttons]\nVisible=xtop\n[Other]\nKey=top\n", 1},
    };
    for (const auto& c : cases) {
        FindFixture f("[Buttons]\nVisible=top\n[Other]\nKey=top\n");
        std::vector<FindMatch> found = findInSection(*f.document, "Buttons", options("top", false, true, false, false));
        ASSERT_EQ(found.size(), 1u);
        c.change(*f.document);
        // The same attribute listed twice is still replaced once.
        found.push_back(found[0]);
        found.back().Section = "BUTTONS";
        EXPECT_EQ(replaceInMatches(*f.document, found, "top", "xtop").Written, c.written) << c.name;
        EXPECT_EQ(readBytes(f.file), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace sw
