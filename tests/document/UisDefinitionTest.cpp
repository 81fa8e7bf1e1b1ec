#include "document/UisDefinition.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>

namespace sw {
namespace {

using test::TempDir;
using test::writeBytes;

TEST(UisDefinition, NumberedNamesShareOneDefinition)
{
    struct Case {
        const char* name;
        const char* normal;
    } cases[] = {
        {"Button3,Action", "BUTTON,ACTION"}, {"Font12,Face", "FONT,FACE"},    {"Root,Button3", "ROOT,BUTTON"},
        {"root,Font07", "ROOT,FONT"},        {"Colours", "COLOURS"},          {"Button3", "BUTTON3"},
        {"A1,B2,C3", "A,B2,C3"},             {"Root,Clock1,x2", "ROOT,CLOCK1,X"}, {"12,Face", ",FACE"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TUisDefinition::NormaliseName(c.name), c.normal) << c.name;
}

TEST(UisDefinition, ReadsFollowInheritsForMissingKeys)
{
    TempDir dir;
    writeBytes(dir.file("c.def"),
               "[Button,Action]\nType=CHOOSE\nDescription=What the button does\n"
               "[A,X]\nInherits=B,X\nName=Own name\n"
               "[B,X]\nInherits=Button7,Action\nDescription=From B\n"
               "[Root,Font]\nName=Fonts\n"
               "[Loop1,K]\nInherits=Loop2,K\n[Loop2,K]\nInherits=LOOP3,k\n[Loop3,K]\nInherits=loop1,K\n"
               "[Self,K]\nInherits=Self,K\n"
               "[Dangling,K]\nInherits=Nowhere,K\n");
    TUisDefinition catalogue(dir.file("c.def"));
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Button7,Action", "Type", "CHOOSE"},
        {"button12,action", "description", "What the button does"},
        {"A,X", "Name", "Own name"},
        {"A,X", "Description", "From B"},   // one step
        {"A,X", "Type", "CHOOSE"},          // two steps, through a numbered name
        {"Root,Font3", "Name", "Fonts"},
        {"Loop1,K", "Description", "?"},    // a cycle ends with the default
        {"Self,K", "Description", "?"},
        {"Dangling,K", "Description", "?"},
        {"", "Name", "?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(catalogue.ReadString(c.section, c.key, "?"), c.expected) << c.section << " " << c.key;
    EXPECT_EQ(catalogue.ReadInteger("A,X", "Optional", 1), 1);
    EXPECT_TRUE(catalogue.ValueExists("A,X", "Type"));
    EXPECT_FALSE(catalogue.ValueExists("Loop2,K", "Type"));
}

TEST(UisDefinition, ChainsEndAtTheDepthBoundAndAnswerQuickly)
{
    TempDir dir;
    std::string text;
    // Chains named by their letter, each ending in a section that holds Type; the
    // first section of chain "D<links>" reaches it after that many links.
    const int depths[] = {1, kMaxInheritsDepth - 1, kMaxInheritsDepth, kMaxInheritsDepth + 1, 20000};
    for (int links : depths) {
        std::string chain = "D" + std::to_string(links) + "_";
        for (int i = 0; i < links; ++i)
            text += "[" + chain + std::to_string(i) + "x,K]\nInherits=" + chain + std::to_string(i + 1) + "x,K\n";
        text += "[" + chain + std::to_string(links) + "x,K]\nType=INT\n";
    }
    // A long ring, which many definitions point into.
    const int ring = 20000;
    for (int i = 0; i < ring; ++i)
        text += "[R" + std::to_string(i) + "x,K]\nInherits=R" + std::to_string((i + 1) % ring) + "x,K\n";
    for (int i = 0; i < 200; ++i)
        text += "[A" + std::to_string(i) + "x,K]\nInherits=R" + std::to_string(i * 97 % ring) + "x,K\n";
    writeBytes(dir.file("c.def"), text);
    TUisDefinition catalogue(dir.file("c.def"));
    for (int links : depths) {
        const bool reachable = links <= kMaxInheritsDepth;
        EXPECT_EQ(catalogue.ReadString("D" + std::to_string(links) + "_0x,K", "Type", "?"), reachable ? "INT" : "?")
            << links << " links";
    }
    const std::clock_t start = std::clock();
    for (int round = 0; round < 50; ++round)
        for (int i = 0; i < 200; ++i)
            EXPECT_EQ(catalogue.ReadString("A" + std::to_string(i) + "x,K", "Attr" + std::to_string(round), "?"), "?");
    // 10,000 reads into a 20,000-long ring (processor time): each follows at most the bound.
    EXPECT_LT(double(std::clock() - start) / CLOCKS_PER_SEC, 1.0);
}

}  // namespace
}  // namespace sw
