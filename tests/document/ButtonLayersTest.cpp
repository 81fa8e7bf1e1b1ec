#include "document/ButtonLayers.h"

#include "InsertionFixture.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::InsertionFixture;
using Members = std::vector<int>;

TEST(ButtonLayers, ChainingAndUnchaining)
{
    // Each step: the current button, the button pressed, forced; then the chain of
    // every button 0 to 3.
    const struct {
        int current, button;
        bool force;
        std::vector<Members> chains;
    } steps[] = {
        {0, 2, false, {{0, 2}, {}, {0, 2}, {}}},
        {0, 3, false, {{0, 2, 3}, {}, {0, 2, 3}, {0, 2, 3}}},
        // Toggling a member again takes it out and clears its own row.
        {0, 2, false, {{0, 3}, {}, {}, {0, 3}}},
        // A button belongs to one chain: joining 1's chain takes 3 out of 0's.
        {1, 3, false, {{0}, {1, 3}, {}, {1, 3}}},
        // Forcing never takes a member out.
        {1, 3, true, {{0}, {1, 3}, {}, {1, 3}}},
        {1, 1, false, {{0}, {1, 3}, {}, {1, 3}}},  // a button is not chained to itself
    };
    ChainTable table(4);
    int step = 0;
    for (const auto& s : steps) {
        table.GroupCurrentButtonWith(s.current, s.button, s.force);
        for (int b = 0; b < 4; ++b)
            EXPECT_EQ(table.Members(b), s.chains[std::size_t(b)]) << "step " << step << " button " << b;
        ++step;
    }
}

TEST(ButtonLayers, ChainTableFollowsAddedRemovedAndSwappedButtons)
{
    ChainTable table(4);
    table.GroupCurrentButtonWith(1, 3, false);  // 1 and 3 chained
    table.SwapButtons(0, 1);                    // now 0 and 3
    EXPECT_EQ(table.Members(0), (Members{0, 3}));
    EXPECT_EQ(table.Members(3), (Members{0, 3}));
    EXPECT_EQ(table.Members(1), Members{});
    table.DeleteButton(1);  // 3 becomes 2
    EXPECT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Members(0), (Members{0, 2}));
    EXPECT_EQ(table.Members(2), (Members{0, 2}));
    table.AddButton();
    EXPECT_EQ(table.Count(), 4);
    EXPECT_EQ(table.Members(3), Members{});
    EXPECT_EQ(table.Members(0), (Members{0, 2}));
    table.DeleteButton(0);  // the chain loses its head; 2 (now 1) stays marked alone
    EXPECT_EQ(table.Members(1), (Members{1}));
}

TEST(ButtonLayers, ChainAlignedOrder)
{
    EXPECT_EQ(chainAlignedOrder(2, 5), (Members{4, 3, 0, 1}));
    EXPECT_EQ(chainAlignedOrder(0, 3), (Members{2, 1}));
    EXPECT_EQ(chainAlignedOrder(2, 3), (Members{0, 1}));
}

TEST(ButtonLayers, DraggingAChainedButtonMovesTheOthers)
{
    InsertionFixture f;
    ChainTable table(3);
    table.GroupCurrentButtonWith(0, 2, false);
    const std::string before = f.bytes();
    // Button 0 (measured from the right) had 5 added to XCoord, 5 pixels to the left:
    // button 2 (from the left) follows to the left, nothing else is written.
    EXPECT_TRUE(shiftChainedButtons(*f.document, table.Members(0), 0, 5, 0));
    std::string expected = before;
    expected.replace(expected.find("XCoord=20"), 9, "XCoord=15");
    EXPECT_EQ(f.bytes(), expected);
    // A vertical move adds YCoord where there was none.
    EXPECT_TRUE(shiftChainedButtons(*f.document, table.Members(2), 2, 0, -3));
    EXPECT_EQ(f.document->ReadInteger("Button0", "YCoord", 99), -3);
    EXPECT_EQ(f.document->ReadInteger("Button0", "XCoord", 99), 5);
    EXPECT_EQ(f.document->ReadInteger("Button2", "YCoord", 99), 99);
    // No move, or no chain, writes nothing.
    const std::string after = f.bytes();
    EXPECT_FALSE(shiftChainedButtons(*f.document, table.Members(0), 0, 0, 0));
    EXPECT_FALSE(shiftChainedButtons(*f.document, table.Members(1), 1, 4, 4));
    EXPECT_EQ(f.bytes(), after);
}

TEST(ButtonLayers, ChainedButtonsMoveTheSameDistanceOnTheWindow)
{
    // The dragged button 0's Align and change of coordinates; the chained button 1's
    // Align and the change its coordinates get.
    const struct {
        int movedAlign, memberAlign;
        int dx, dy;
        int memberDx, memberDy;
    } cases[] = {
        {0, 0, 10, 3, 10, 3},     {1, 1, 10, 3, 10, 3},     {1, 0, 10, 0, -10, 0},  {0, 1, -10, 0, 10, 0},
        {0, 3, 4, 6, -4, -6},     {3, 2, 4, 6, -4, 6},      {5, 0, 0, 7, 0, -7},    {4, 7, 2, 2, -2, 2},
        {9, 8, 3, 0, -3, 0},      {6, 5, 0, 2, 0, -2},      {12, 1, 5, 5, -5, 5},   {2, 2, -1, -1, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "Align " << c.movedAlign << " moved by " << c.dx << "," << c.dy
                                        << ", chained Align " << c.memberAlign);
        InsertionFixture f("[PERSONALITY]\nBUTTONCOUNT=2\n[Button0]\nAlign=" + std::to_string(c.movedAlign) +
                           "\nXCoord=30\nYCoord=30\n[Button1]\nAlign=" + std::to_string(c.memberAlign) +
                           "\nXCoord=50\nYCoord=50\n");
        ChainTable table(2);
        table.GroupCurrentButtonWith(0, 1, false);
        shiftChainedButtons(*f.document, table.Members(0), 0, c.dx, c.dy);
        EXPECT_EQ(f.document->ReadInteger("Button1", "XCoord", 0), 50 + c.memberDx);
        EXPECT_EQ(f.document->ReadInteger("Button1", "YCoord", 0), 50 + c.memberDy);
        EXPECT_EQ(f.document->ReadInteger("Button0", "XCoord", 0), 30);  // the dragged one is written by the preview
    }
}

TEST(ButtonLayers, VisibilityConditionsAreReadFromAllTenKeys)
{
    InsertionFixture f;
    f.document->WriteInteger("Button1", "Visibility", 0);
    f.document->WriteInteger("Button1", "Visibility3", 18);
    f.document->WriteInteger("Button1", "Visibility9", 1);
    f.document->WriteInteger("Button1", "Visibility10", 25);  // not one of the ten
    EXPECT_EQ(buttonConditions(*f.document, 1), (std::set<int>{0, 1, 18}));
    EXPECT_TRUE(buttonConditions(*f.document, 0).empty());
}

TEST(ButtonLayers, ApplyTable)
{
    VisibilityOptions normal;  // every group at its first item, nothing ticked
    VisibilityOptions mdi = normal;
    mdi.WindowStyle = 1;
    VisibilityOptions fixed = normal;
    fixed.Sizing = 1;
    VisibilityOptions rich = normal;
    rich.MinButton = rich.HelpButton = rich.TitleText = rich.SystemIcon = rich.RolledUp = true;
    rich.Ordering = 1;
    VisibilityOptions desktop = normal;
    desktop.Ordering = 2;
    VisibilityOptions maxOnly = normal;
    maxOnly.MaxButton = true;
    const struct {
        const char* name;
        std::set<int> conditions;
        VisibilityOptions options;
        bool active, inactive;
    } cases[] = {
        {"MDI button on MDI", {18}, mdi, true, true},
        {"MDI button on normal", {18}, normal, false, false},
        {"normal-window button", {19}, normal, true, true},
        {"always", {0}, mdi, true, true},
        {"no conditions", {}, normal, false, false},
        {"sizable", {24}, normal, true, true},
        {"sizable on fixed", {24}, fixed, false, false},
        {"not sizable", {25}, fixed, true, true},
        {"help missing", {14}, normal, true, true},
        {"help present", {13}, rich, true, true},
        {"help present wanted, absent", {13}, normal, false, false},
        {"min missing", {23}, normal, true, true},
        {"min present", {22}, rich, true, true},
        {"max missing", {21}, normal, true, true},
        {"max present", {20}, maxOnly, true, true},
        {"min or max", {26}, maxOnly, true, true},
        {"min or max, neither", {26}, normal, false, false},
        {"system icon", {27}, rich, true, true},
        {"no system icon", {28}, normal, true, true},
        {"title text", {29}, rich, true, true},
        {"no title text", {30}, normal, true, true},
        {"rolled up", {5}, rich, true, true},
        {"not rolled up", {6}, normal, true, true},
        {"on top", {7}, rich, true, true},
        {"not on top", {8}, normal, true, true},
        {"not on top, but on top", {8}, rich, false, false},
        {"desktop", {9}, desktop, true, true},
        {"not desktop", {10}, normal, true, true},
        {"not desktop, but desktop", {10}, desktop, false, false},
        // Conditions 1 and 2 split the two previews and never show a button alone.
        {"always, active only", {0, 1}, normal, true, false},
        {"always, inactive only", {0, 2}, normal, false, true},
        {"active only alone", {1}, normal, false, false},
        {"inactive only alone", {2}, mdi, false, false},
        {"both marks", {0, 1, 2}, normal, false, false},
        {"MDI active only on normal", {18, 1}, normal, false, false},
    };
    for (const auto& c : cases) {
        ButtonVisibility visibility = applyVisibility(c.conditions, c.options);
        EXPECT_EQ(visibility.Active, c.active) << c.name;
        EXPECT_EQ(visibility.Inactive, c.inactive) << c.name;
    }
}

TEST(ButtonLayers, VisibilityOptionsEnabling)
{
    const struct {
        const char* name;
        const char* extra;  // keys added to the sample
        int sizing;
        bool titleText, ordering, systemIcon, rolledUp;
    } cases[] = {
        {"plain", "", 0, true, false, false, false},
        {"not sizable", "", 1, false, false, false, false},
        {"on-top action", "[Button1]\nCtrlAction=7\n", 0, true, true, false, false},
        {"shift action 6", "[Button1]\nShiftAction=6\n", 0, true, true, false, false},
        {"action 9 is no ordering", "[Button1]\nShiftAction=9\n", 0, true, false, false, false},
        {"icon button", "[Button2]\nAction=11\n", 0, true, false, true, false},
        {"roll-up size", "[PERSONALITY]\nRollupSize=4\n", 0, true, false, false, true},
        // Only buttons below the count count.
        {"redundant button", "[Button3]\nAction=7\n", 0, true, false, false, false},
    };
    for (const auto& c : cases) {
        InsertionFixture f;
        std::string extra = c.extra;
        if (!extra.empty()) {
            std::size_t end = extra.find(']');
            std::string section = extra.substr(1, end - 1);
            std::string entry = extra.substr(end + 2);
            std::size_t eq = entry.find('=');
            f.document->WriteString(section, entry.substr(0, eq), entry.substr(eq + 1, entry.size() - eq - 2));
        }
        VisibilityOptions options;
        options.Sizing = c.sizing;
        VisibilityEnabling enabling = visibilityEnabling(*f.document, options);
        EXPECT_EQ(enabling.TitleText, c.titleText) << c.name;
        EXPECT_EQ(enabling.Ordering, c.ordering) << c.name;
        EXPECT_EQ(enabling.SystemIcon, c.systemIcon) << c.name;
        EXPECT_EQ(enabling.RolledUp, c.rolledUp) << c.name;
    }
}

TEST(ButtonLayers, SwappingTwoButtonsSections)
{
    const std::string text = "; buttons\r\n[Button2]\r\nA=2\r\n[ BUTTON3 ] ; three\r\nA=3\r\n[Button4]\r\nA=4\r\n"
                             "[Button30]\r\nA=30\r\n[Button3x]\r\nB=1";
    EXPECT_EQ(swapButtonSections(text, 3, 4),
              "; buttons\r\n[Button2]\r\nA=2\r\n[Button4] ; three\r\nA=3\r\n[Button3]\r\nA=4\r\n"
              "[Button30]\r\nA=30\r\n[Button3x]\r\nB=1");
    EXPECT_EQ(swapButtonSections(text, 7, 8), text);

    // Moving button 1 down: each section keeps its keys under the other's name.
    InsertionFixture f;
    f.document->ReplaceBytes(swapButtonSections(f.document->DiskBytes(), 1, 2));
    EXPECT_EQ(f.document->ReadInteger("Button1", "Action", 0), 3);
    EXPECT_EQ(f.document->ReadInteger("Button1", "XCoord", 0), 20);
    EXPECT_EQ(f.document->ReadInteger("Button2", "Action", 0), 2);
    EXPECT_EQ(f.document->ReadInteger("Button2", "XCoord", -1), -1);
    EXPECT_NE(f.bytes().find("[Button2]\nAction=2\n[Button1]\nAction=3\nXCoord=20\n"), std::string::npos);
}

TEST(ButtonLayers, RowTexts)
{
    InsertionFixture f;
    // Action 1 less the shift 1 is the first value; no Align gives value 0.
    EXPECT_EQ(buttonActionText(*f.document, 0), "Close");
    EXPECT_EQ(buttonAlignmentText(*f.document, 0), "Aligned Right");
    EXPECT_EQ(buttonAlignmentText(*f.document, 1), "Aligned Left");
    f.document->WriteInteger("Button1", "Align", 9);
    EXPECT_EQ(buttonAlignmentText(*f.document, 1), "Aligned Unaligned");
    f.document->WriteInteger("Button1", "Action", 40);
    EXPECT_EQ(buttonActionText(*f.document, 1), "Undefined");
    // A button without Action takes the catalogue's Default (1: "Close").
    EXPECT_EQ(buttonActionText(*f.document, 5), "Close");
}

}  // namespace
}  // namespace sw
