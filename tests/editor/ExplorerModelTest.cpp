#include "editor/ExplorerModel.h"

#include "document/UisFile.h"
#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeBytes;

// "caption(section)[children]" of a tree, for compact comparison.
std::string outline(const SectionNode& node)
{
    std::string text = node.caption + "<" + std::to_string(node.image) + "," + std::to_string(node.selectedImage) + ">";
    if (!node.children.empty()) {
        text += "[";
        for (std::size_t i = 0; i < node.children.size(); ++i)
            text += (i ? " " : "") + outline(node.children[i]);
        text += "]";
    }
    return text;
}

struct ModelFixture {
    TempDir dir;
    std::unique_ptr<TUisFile> document;
    explicit ModelFixture(const std::string& catalogue, const std::string& skin)
    {
        writeBytes(dir.path() / "uis2.def", catalogue);
        setProgramFolder(dir.path());
        fs::create_directories(dir.path() / "Skins" / "Aqua");
        writeBytes(dir.path() / "Skins" / "Aqua" / "aqua.uis", skin);
        document = std::make_unique<TUisFile>((dir.path() / "Skins" / "Aqua" / "aqua.uis").string());
    }
    ~ModelFixture() { setProgramFolder({}); }
};

TEST(ExplorerModel, SectionsHangUnderTheirCatalogueParents)
{
    ModelFixture f("[Root,Frame]\nName=Window frame\nVirtual=1\n"
                   "[Root,PERSONALITY]\nName=Borders\nParent=Frame\nIconClosed=5\nIconOpened=6\n"
                   "[Root,Buttons]\nName=Push buttons\nParent=Controls\n"
                   "[Root,Controls]\nName=Dialog controls\nParent=Frame\n"
                   "[Root,Button]\nName=Title button\nParent=Frame\n"
                   "[Root,LoopA]\nParent=LoopB\n[Root,LoopB]\nParent=LoopA\n"
                   "[Root,Self]\nParent=Self\n",
                   "[TITLEBARSKIN]\nSkinAuthor=me\n[TitlebarSkinExtra]\nx=1\n[PERSONALITY]\nx=1\n[Buttons]\nx=1\n"
                   "[Button1]\nx=1\n[Button0]\nx=1\n[Colours]\nx=1\n[LoopA]\nx=1\n[Self]\nx=1\n[alpha]\nx=1\n");
    SectionNode tree = buildSectionTree(*f.document, "Aqua");
    EXPECT_EQ(tree.section, "TITLEBARSKIN");
    // Parents are created on demand (Frame and Controls are not in the file), each level
    // is sorted by caption, and circular parents end under the root.
    EXPECT_EQ(outline(tree),
              "Aqua<24,25>[alpha<8,9> Colours<8,9> LoopB<8,9>[LoopA<8,9>] Self<8,9> "
              "Window frame<8,9>[Borders<5,6> Dialog controls<8,9>[Push buttons<8,9>] Title button<8,9> "
              "Title button<8,9>]]");
    // Sections of the file keep their own names for selection.
    const SectionNode& frame = tree.children.back();
    EXPECT_EQ(frame.section, "Frame");
    EXPECT_EQ(frame.children[2].section, "Button1");
    EXPECT_EQ(frame.children[3].section, "Button0");

    f.document->DescriptiveNames = false;
    SectionNode plain = buildSectionTree(*f.document, "Aqua");
    std::vector<std::string> captions;
    for (const SectionNode& node : plain.children)
        captions.push_back(node.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"alpha", "Colours", "Frame", "LoopB", "Self"}));
    ASSERT_EQ(plain.children[2].children.size(), 4u);
    EXPECT_EQ(plain.children[2].children[3].caption, "PERSONALITY");
}

TEST(ExplorerModel, RowsCarryTheirSubItemsInFileOrder)
{
    ModelFixture f("[Button,Action]\nType=CHOOSE\nConstraints=3\nShiftNumericValue=-1\nValue0=Plug-in\nValue1=Close\n"
                   "Name=Action\nDescription=What it does\n"
                   "[Button,Flag]\nType=BOOL\nName=Flag\n"
                   "[Colours,ActiveR]\nType=COLOR\nDescription=Red part\n",
                   "[TITLEBARSKIN]\nSkinAuthor=me\n[Button4]\nFlag=1\n Action = 0 \nFree=text\n"
                   "[Colours]\nActiveR=12\n");
    auto rows = buildAttributeRows(*f.document, "Button4", "Button");
    ASSERT_EQ(rows.size(), 3u);
    struct Expected {
        const char* caption;
        const char* display;
        const char* description;
        const char* raw;
        const char* key;
        int image;
    } expected[] = {
        {"Flag", "Enabled", "Unknown", "1", "Flag", 19},
        {"Action", "Close", "What it does", "0", "Action", 3},
        {"Free", "text", "Unknown", "text", "Free", 0},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].caption, expected[i].caption);
        EXPECT_EQ(rows[i].displayValue, expected[i].display);
        EXPECT_EQ(rows[i].description, expected[i].description);
        EXPECT_EQ(rows[i].rawValue, expected[i].raw);
        EXPECT_EQ(rows[i].key, expected[i].key);
        EXPECT_EQ(rows[i].image, expected[i].image) << rows[i].key;
    }
    auto colour = buildAttributeRows(*f.document, "Colours", "Colours");
    ASSERT_EQ(colour.size(), 1u);
    EXPECT_EQ(colour[0].image, 12);
    EXPECT_EQ(colour[0].description, "Red part");
}

TEST(ExplorerModel, SelectionNames)
{
    struct Case {
        const char* section;
        const char* definition;
        const char* current;
        int button;
    } cases[] = {
        {"Button7", "Button", "Button7", 7}, {"button12", "Button", "button12", 12}, {"Buttons", "Buttons", "Buttons", -1},
        {"Aqua", "Aqua", "TITLEBARSKIN", -1}, {"TITLEBARSKIN", "TITLEBARSKIN", "TITLEBARSKIN", -1},
        {"Colours", "Colours", "Colours", -1}, {"ButtonX", "Button", "ButtonX", -1},
    };
    for (const Case& c : cases) {
        SectionSelection selection = selectionForSection(c.section, "Aqua");
        EXPECT_EQ(selection.definitionSection, c.definition) << c.section;
        EXPECT_EQ(selection.currentSection, c.current) << c.section;
        EXPECT_EQ(selection.currentButton, c.button) << c.section;
    }
}

}  // namespace
}  // namespace sw
