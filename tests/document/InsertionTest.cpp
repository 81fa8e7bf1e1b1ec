#include "document/Insertion.h"

#include "InsertionFixture.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::InsertionFixture;

std::vector<std::string> names(const std::vector<SectionOffer>& offers)
{
    std::vector<std::string> result;
    for (const SectionOffer& offer : offers)
        result.push_back(offer.Name);
    return result;
}

TEST(Insertion, OffersOnlySectionsThePersonalityCanStillTake)
{
    InsertionFixture f;
    // Sorted by caption ("Extra section", "Font", "Title button"); TITLEBARSKIN and
    // PERSONALITY exist and are no family; Gadgets is a grouping node only.
    std::vector<SectionOffer> offers = offeredSections(*f.document);
    EXPECT_EQ(names(offers), (std::vector<std::string>{"Extra", "Font", "Button"}));
    EXPECT_EQ(offers[1].Caption, "Font");
    EXPECT_EQ(offers[1].Description, "A font");
    EXPECT_EQ(offers[1].Icon, 70);
    EXPECT_EQ(offers[0].Description, "Unknown");
    EXPECT_EQ(offers[0].Icon, 8);
}

TEST(Insertion, NewSectionNames)
{
    InsertionFixture f;
    const struct {
        const char* chosen;
        const char* name;
    } cases[] = {
        {"Font", "Font1"},      // first free number of the family
        {"Button", "Button3"},  // the button count
        {"Extra", "Extra"},
        {"Buttons", "Buttons"},  // an ordinary section, never numbered
    };
    for (const auto& c : cases)
        EXPECT_EQ(newSectionName(*f.document, c.chosen), c.name) << c.chosen;
}

TEST(Insertion, AttributesOfACatalogueSection)
{
    InsertionFixture f;
    std::vector<AttributeOffer> rows = sectionAttributes(*f.document, "Font");
    ASSERT_EQ(rows.size(), 3u);
    const struct {
        const char* attribute;
        const char* caption;
        const char* value;
        const char* optional;
        int icon;
        bool ticked;
    } expected[] = {
        {"FontName", "Face", "Arial", "0", TypeString, true},
        {"FontHeight", "Height", "11", "1", TypeInt, false},
        {"Italics", "Italics", "0", "1", TypeBool, false},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].Attribute, expected[i].attribute);
        EXPECT_EQ(rows[i].Caption, expected[i].caption);
        EXPECT_EQ(rows[i].Value, expected[i].value);
        EXPECT_EQ(rows[i].Optional, expected[i].optional);
        EXPECT_EQ(rows[i].Icon, expected[i].icon);
        EXPECT_EQ(rows[i].Ticked, expected[i].ticked) << rows[i].Attribute;
    }
    EXPECT_EQ(rows[0].Description, "The typeface");
    EXPECT_EQ(rows[2].Description, "Unknown");
    EXPECT_TRUE(sectionAttributes(*f.document, "Extra").empty());
}

TEST(Insertion, MissingAttributesOfASection)
{
    InsertionFixture f;
    const struct {
        const char* section;
        std::vector<std::string> attributes;
        std::vector<bool> ticked;
    } cases[] = {
        // Sorted by caption: Action, Alignment, Picture, X.
        {"Button1", {"Align", "ButtonImage", "XCoord"}, {false, false, true}},
        {"Button0", {"ButtonImage"}, {false}},
        {"Button7", {"Action", "Align", "ButtonImage", "XCoord"}, {true, false, false, true}},
    };
    for (const auto& c : cases) {
        std::vector<AttributeOffer> rows = missingAttributes(*f.document, c.section, "Button");
        ASSERT_EQ(rows.size(), c.attributes.size()) << c.section;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].Attribute, c.attributes[i]) << c.section;
            EXPECT_EQ(rows[i].Ticked, c.ticked[i]) << c.section << " " << c.attributes[i];
        }
    }
    // A choice attribute shows its editor kind 3.
    EXPECT_EQ(missingAttributes(*f.document, "Button7", "Button")[0].Icon, TypeChoose);
    // A section that has every catalogue attribute offers nothing.
    f.document->WriteString("Button0", "ButtonImage", "x.bmp");
    EXPECT_TRUE(missingAttributes(*f.document, "Button0", "Button").empty());
}

TEST(Insertion, ChoiceValuesCarryTheShift)
{
    EXPECT_EQ(choiceValue(2, 1), "3");  // the third entry of a list starting at 1
    EXPECT_EQ(choiceValue(0, -1), "-1");
    const struct {
        const char* stored;
        int shift, count, entry;
    } cases[] = {
        {"1", 1, 4, 0}, {"4", 1, 4, 3}, {"5", 1, 4, -1}, {"0", 1, 4, -1}, {" 2 ", 0, 3, 2}, {"two", 0, 3, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(choiceEntry(c.stored, c.shift, c.count), c.entry) << c.stored;
}

TEST(Insertion, InsertingSectionsWritesTheTickedAttributes)
{
    const struct {
        const char* chosen;
        std::vector<AttributeWrite> writes;
        const char* name;
        bool button;
        const char* count;
        const char* appended;
    } cases[] = {
        {"Button", {{"Action", "3"}, {"XCoord", "0"}}, "Button3", true, "4", "\n[Button3]\nAction=3\nXCoord=0\n"},
        {"Font", {{"FontName", "Arial"}}, "Font1", false, "3", "\n[Font1]\nFontName=Arial\n"},
        {"Extra", {{"A", "1"}}, "Extra", false, "3", "\n[Extra]\nA=1\n"},
    };
    for (const auto& c : cases) {
        InsertionFixture f;
        const std::string before = f.bytes();
        InsertedSection inserted = insertSection(*f.document, c.chosen, c.writes);
        EXPECT_EQ(inserted.Name, c.name);
        EXPECT_EQ(inserted.Button, c.button);
        std::string expected = before;
        expected.replace(expected.find("BUTTONCOUNT=3"), 13, std::string("BUTTONCOUNT=") + c.count);
        EXPECT_EQ(f.bytes(), expected + c.appended) << c.chosen;
    }
}

TEST(Insertion, NothingTickedLeavesTheFileAsItWas)
{
    for (const char* chosen : {"Button", "Font", "Extra"}) {
        InsertionFixture f;
        const std::string before = f.bytes();
        EXPECT_TRUE(insertSection(*f.document, chosen, {}).Name.empty());
        EXPECT_EQ(f.bytes(), before) << chosen;
    }
    InsertionFixture f;
    const std::string before = f.bytes();
    EXPECT_EQ(pendingButtonSection(*f.document), "Button3");
    EXPECT_FALSE(commitButton(*f.document, {}));
    EXPECT_EQ(f.bytes(), before);
    EXPECT_EQ(insertAttributes(*f.document, "Button1", {}), 0);
    EXPECT_EQ(f.bytes(), before);
}

TEST(Insertion, AddingAButtonRaisesTheCountWithItsKeys)
{
    InsertionFixture f;
    ASSERT_TRUE(commitButton(*f.document, {{"Action", "2"}}));
    EXPECT_EQ(f.document->ButtonCount(), 4);
    EXPECT_EQ(f.document->ReadString("Button3", "Action", ""), "2");
    EXPECT_EQ(pendingButtonSection(*f.document), "Button4");
    EXPECT_EQ(insertAttributes(*f.document, "Button1", {{"Align", "2"}, {"XCoord", "7"}}), 2);
    EXPECT_NE(f.bytes().find("[Button1]\nAction=2\nAlign=2\nXCoord=7\n"), std::string::npos);
}

TEST(Insertion, AttributeDefinitionAsStored)
{
    InsertionFixture f;
    AttributeDefinition known = attributeDefinition(*f.document, "Button2", "Button", "XCoord");
    EXPECT_EQ(known.Caption, "X");
    EXPECT_EQ(known.Section, "Button2");
    EXPECT_EQ(known.Attribute, "XCoord");
    // Inherited keys (Constraints, Value0 ...) are not part of the entry as stored.
    EXPECT_EQ(known.Entries, (TStrings{"Name=X", "Type=INT", "Optional=0", "Inherits=Button,Align"}));
    EXPECT_EQ(known.Description, "UNDEFINED");
    AttributeDefinition unknown = attributeDefinition(*f.document, "Button2", "Button", "Sparkle");
    EXPECT_EQ(unknown.Caption, "UNDEFINED");
    EXPECT_TRUE(unknown.Entries.empty());
}

}  // namespace
}  // namespace sw
