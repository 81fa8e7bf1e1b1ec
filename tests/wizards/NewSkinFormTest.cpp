// The New Skin gallery: which entries templates.ini gives, what the dialog returns.
#include "wizards/NewSkinForm.h"

#include "document/UisFile.h"
#include "engine/ScopedService.h"
#include "engine/ScriptedPrompts.h"
#include "store/AcceleratedIniFile.h"
#include "support/TempDir.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeBytes;

struct GalleryCase {
    const char* name;
    const char* ini;
    std::vector<std::string> captions;
};

TEST(TemplateGallery, ListsTheSectionsThatExistInNumberOrder)
{
    const GalleryCase cases[] = {
        {"count 2 skips the missing Template1", "[General]\nTemplateCount=2\n[Template2]\nName=B\n[Template0]\nName=A\n",
         {"A", "B"}},
        {"negative count lists nothing", "[General]\nTemplateCount=-1\n[Template0]\nName=A\n", {}},
        {"missing count reads Template0 and Template1", "[Template1]\nName=One\n[Template2]\nName=Two\n", {"One"}},
        {"section past the count is left out", "[General]\nTemplateCount=0\n[Template0]\nIcon=0\n[Template1]\nName=X\n",
         {"Template 0"}},
        {"missing name is Template n", "[General]\nTemplateCount=3\n[Template3]\nIcon=2\n", {"Template 3"}},
        {"a section without keys is not there", "[General]\nTemplateCount=1\n[Template0]\n[Template1]\nName=B\n",
         {"B"}},
        {"leading zeros do not name a section", "[General]\nTemplateCount=1\n[Template01]\nName=Z\n", {}},
    };
    for (const GalleryCase& c : cases) {
        TAcceleratedIniFile ini("");
        ini.LoadText(c.ini);
        std::vector<std::string> captions;
        for (const TemplateEntry& entry : readTemplateGallery(ini))
            captions.push_back(entry.name);
        EXPECT_EQ(captions, c.captions) << c.name;
    }
}

TEST(TemplateGallery, DefaultsAndDescriptionLinesUpToTheFirstGap)
{
    TAcceleratedIniFile ini("");
    ini.LoadText("[General]\nTemplateCount=1\n[Template0]\nName=Plain\n[Template1]\nType=3\nFile=plain\nIcon=4\n"
                 "Description1=first\nDescription3=third\n");
    const std::vector<TemplateEntry> entries = readTemplateGallery(ini);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].icon, 1);
    EXPECT_EQ(entries[0].type, "Internal$2");
    EXPECT_EQ(entries[0].file, "wizard.uis");
    EXPECT_TRUE(entries[0].description.empty());
    EXPECT_EQ(entries[1].icon, 4);
    EXPECT_EQ(entries[1].file, "plain");
    EXPECT_EQ(entries[1].description, std::vector<std::string>{"first"});
}

class NewSkinDialog : public ::testing::Test {
public:
    TempDir dir;
    ScriptedPrompts prompts;
    ScopedService<PromptService> installed{prompts};

    std::unique_ptr<TNewSkinForm> open(const char* ini)
    {
        writeBytes(dir.path() / "templates.ini", ini);
        return std::make_unique<TNewSkinForm>(dir.path());
    }
};

TEST_F(NewSkinDialog, AcceptingGivesTypeAndFileOfTheSelectedEntry)
{
    struct Case {
        const char* name;
        int row;  // -1: nothing selected
        bool ok;  // OK, or else Cancel
        int type;
        std::string file;
        std::size_t messages;
    } cases[] = {
        {"wizard entry", 0, true, 1, "wizard.uis", 0},
        {"template entry", 1, true, 3, "rounded", 0},
        {"no selection", -1, true, 0, "", 0},
        {"cancel", 1, false, 0, "", 0},
        {"type that is no number", 2, true, 0, "odd", 1},
    };
    for (const Case& c : cases) {
        auto form = open("[General]\r\nTemplateCount=2\r\n[Template0]\r\nType=1\r\n[Template1]\r\nType=3\r\n"
                         "File=rounded\r\n[Template2]\r\nType=x3\r\nFile=odd\r\n");
        const std::size_t before = prompts.shown().size();
        ASSERT_EQ(form->ChoiceNewListView->count(), 3) << c.name;
        if (c.row >= 0)
            form->ChoiceNewListView->item(c.row)->setSelected(true);
        if (c.messages)
            prompts.answer(PromptAnswer::Ok);
        (c.ok ? form->Button1 : form->Button2)->click();
        EXPECT_FALSE(form->isVisible()) << c.name;
        EXPECT_EQ(form->ResultType(), c.type) << c.name;
        EXPECT_EQ(form->ResultFile(), c.file) << c.name;
        ASSERT_EQ(prompts.shown().size() - before, c.messages) << c.name;
        if (c.messages) {
            EXPECT_EQ(prompts.shown().back().text, QStringLiteral("'x3' is not a valid integer value"));
            EXPECT_EQ(prompts.shown().back().icon, PromptIcon::Error);
        }
    }
}

TEST_F(NewSkinDialog, SelectingShowsTheDescriptionAndIconsComeFromTheList)
{
    auto form = open("[General]\nTemplateCount=1\n[Template0]\nName=W\nIcon=2\nDescription1=one\nDescription2=two\n"
                     "[Template1]\nName=Far\nIcon=99\n");
    ASSERT_EQ(form->ChoiceNewListView->count(), 2);
    auto argb = [](const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); };
    EXPECT_EQ(argb(form->ChoiceNewListView->item(0)->icon().pixmap(32, 32)), argb(templateIcon(2)));
    EXPECT_NE(argb(templateIcon(2)), argb(templateIcon(3)));
    EXPECT_TRUE(form->ChoiceNewListView->item(1)->icon().isNull());
    form->ChoiceNewListView->item(0)->setSelected(true);
    EXPECT_EQ(form->DescriptionMemo->toPlainText(), QStringLiteral("one\ntwo"));
    form->ChoiceNewListView->item(1)->setSelected(true);
    EXPECT_EQ(form->DescriptionMemo->toPlainText(), QString());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("New Skin"));
}

TEST_F(NewSkinDialog, AMissingFileGivesAnEmptyList)
{
    TNewSkinForm form(dir.path() / "absent");
    EXPECT_EQ(form.ChoiceNewListView->count(), 0);
    form.Button1->click();
    EXPECT_EQ(form.ResultType(), 0);
}

TEST(TemplateGallery, TheShippedGalleryNamesItsTemplatePersonalities)
{
    TAcceleratedIniFile ini(SKINWRT_SOURCE_DIR "/data/template/templates.ini");
    std::vector<std::pair<std::string, std::string>> entries;
    for (const TemplateEntry& entry : readTemplateGallery(ini)) {
        EXPECT_GE(entry.icon, 0);
        EXPECT_LT(entry.icon, templateIconCount());
        EXPECT_FALSE(entry.description.empty()) << entry.name;
        entries.emplace_back(entry.type, entry.type == "3" ? entry.file : "");
        if (entry.type == "3") {
            EXPECT_TRUE(fs::is_regular_file(fs::path(SKINWRT_SOURCE_DIR) / "data" / "template" / (entry.file + ".uis")))
                << entry.file;
        }
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"1", ""}, {"2", ""}, {"3", "plain"}, {"3", "rounded"}, {"3", "thin"},
        {"3", "bevel"}, {"3", "dark"}, {"3", "light"}};
    EXPECT_EQ(entries, expected);
}

}  // namespace
}  // namespace sw
