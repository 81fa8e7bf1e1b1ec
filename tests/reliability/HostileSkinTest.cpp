// A downloaded skin is untrusted: what lies in its folder may point anywhere, be a
// FIFO or a device, or be built to make the checks slow. Validation must read only
// the skin's own plain files and finish in time on any such folder.
#include "ValidateCommand.h"
#include "document/UisFile.h"
#include "document/Validator.h"
#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeBytes;

const std::string kHostileHead = "[TITLEBARSKIN]\r\nSkinName=Hostile\r\nSkinAuthor=me\r\n";

// A plug-in catalogue that defines one root section; merged, it makes that section known.
std::string pluginDefining(const std::string& section)
{
    return "[PluginInfo]\r\nUisType=2\r\n[Root," + section + "]\r\nName=" + section + "\r\n[" + section +
           ",Value]\r\nType=STRING\r\n";
}

// Validation of a skin as the command line runs it: the exit code, the findings and
// the processor time it took (other work on the machine does not count).
struct ValidationRun {
    int code;
    std::string out, err;
    double seconds;
};

ValidationRun validateSkin(const fs::path& uis)
{
    std::ostringstream out, err;
    std::clock_t start = std::clock();
    int code = runValidate({uis.string()}, false, out, err);
    return {code, out.str(), err.str(), double(std::clock() - start) / CLOCKS_PER_SEC};
}

TEST(HostileSkin, OnlyPlainCatalogueFilesOfTheSkinFolderAreRead)
{
    TempDir dir;
    const fs::path skin = dir.path() / "Skin";
    fs::create_directories(skin / "sub");
    writeBytes(dir.path() / "outside.def", pluginDefining("Outside"));
    writeBytes(skin / "sub" / "nested.data", pluginDefining("Nested"));
    writeBytes(skin / "good.def", pluginDefining("Good"));
    fs::create_symlink(dir.path() / "outside.def", skin / "escape.def");
    fs::create_symlink("sub/nested.data", skin / "inside.def");
    ASSERT_EQ(mkfifo((skin / "pipe.def").c_str(), 0644), 0);
    fs::create_directory(skin / "folder.def");
    if (fs::exists("/dev/zero"))
        fs::create_symlink("/dev/zero", skin / "zero.def");
    writeBytes(skin / "Skin.uis", kHostileHead + "[Good]\r\nValue=1\r\n[Nested]\r\nValue=1\r\n[Outside]\r\nValue=1\r\n");

    std::vector<std::string> offered;
    for (const fs::path& file : pluginCatalogueFiles(skin, dir.path() / "no-program-folder"))
        offered.push_back(file.filename().string());
    EXPECT_EQ(offered, (std::vector<std::string>{"good.def", "inside.def"}));

    // The FIFO would make a careless reader wait for ever; the device never ends.
    alarm(30);
    const ValidationRun run = validateSkin(skin / "Skin.uis");
    alarm(0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.code, 1);
    // Only the section of the catalogue outside the folder is unknown.
    EXPECT_EQ(run.out, (skin / "Skin.uis").string() +
                           "\tOutside\tValue\tIllegal or unknown attribute  [Value] in Section [Outside] value [1]\n");
}

TEST(HostileSkin, AnUnreadablePluginCatalogueIsLeftOut)
{
    TempDir dir;
    writeBytes(dir.file("Skin.uis"), kHostileHead);
    TUisFile document(dir.file("Skin.uis"));
    const struct {
        const char* name;
        std::string file;
        bool merged;
    } rows[] = {
        {"plain", dir.file("good.def"), true},
        {"missing", dir.file("gone.def"), false},
        {"folder", dir.file("folder.def"), false},
        {"other version", dir.file("old.def"), false},
    };
    writeBytes(dir.file("good.def"), pluginDefining("Good"));
    fs::create_directory(dir.file("folder.def"));
    writeBytes(dir.file("old.def"), "[PluginInfo]\r\nUisType=1\r\n");
    EXPECT_EQ(document.AttributeTypeOf("Good", "Value"), TypeUnknown);
    for (const auto& row : rows)
        EXPECT_EQ(document.MergePluginDefinitions(row.file), row.merged) << row.name;
    EXPECT_EQ(document.AttributeTypeOf("Good", "Value"), TypeString);
}

TEST(HostileSkin, WrongCaseReferencesInABigFolderValidateInLinearTime)
{
    TempDir dir;
    const fs::path skin = dir.path() / "Skin";
    fs::create_directories(skin);
    constexpr int kFiles = 10000, kReferences = 2000;
    for (int i = 0; i < kFiles; ++i)
        std::ofstream(skin / ("f" + std::to_string(i) + ".bmp"));
    std::string uis = kHostileHead;
    for (int i = 0; i < kReferences; ++i) {
        // Every other reference names a file that is there, in the wrong case.
        std::string name = i % 2 ? "F" + std::to_string(i) + ".BMP" : "missing" + std::to_string(i) + ".bmp";
        uis += "[Button" + std::to_string(i) + "]\r\nButtonImage=skin\\" + name + "\r\n";
    }
    writeBytes(skin / "Skin.uis", uis);
    const ValidationRun run = validateSkin(skin / "Skin.uis");
    EXPECT_EQ(run.code, 1);
    std::size_t rows = 0;
    for (char c : run.out)
        rows += c == '\n';
    EXPECT_EQ(rows, std::size_t(kReferences / 2));  // the missing ones
    EXPECT_NE(run.out.find("referenced file[" + dir.path().string() + "\\skin\\missing0.bmp]"), std::string::npos);
    EXPECT_EQ(run.out.find("F1.BMP"), std::string::npos);
    EXPECT_LT(run.seconds, 2.0);
}

// The time this takes is measured by the validator benchmark.
TEST(HostileSkin, AHugeCatalogueOfChainsMakesOnlyTheReachableLinksMandatory)
{
    TempDir dir;
    const fs::path skin = dir.path() / "Skin";
    fs::create_directories(skin);
    // About 5 MB: a chain of 100,000 definitions, every one of which must be asked
    // whether it is optional, and a ring of 50,000 more.
    std::string catalogue = "[PluginInfo]\r\nUisType=2\r\n";
    catalogue.reserve(6u << 20);
    constexpr int kChain = 100000, kRing = 50000;
    for (int i = 0; i < kChain; ++i)
        catalogue += "[Chain,A" + std::to_string(i) + "]\r\nInherits=Chain,A" + std::to_string(i + 1) + "\r\n";
    for (int i = 0; i < kRing; ++i)
        catalogue += "[Ring,A" + std::to_string(i) + "]\r\nInherits=Ring,A" + std::to_string((i + 1) % kRing) + "\r\n";
    catalogue += "[Chain,A" + std::to_string(kChain) + "]\r\nOptional=0\r\n";
    writeBytes(skin / "chains.def", catalogue);
    writeBytes(skin / "Skin.uis", kHostileHead + "[Chain]\r\nA5=1\r\n[Ring]\r\nA7=2\r\n");
    const ValidationRun run = validateSkin(skin / "Skin.uis");
    EXPECT_EQ(run.err, "");
    // The flag at the far end of the chain makes mandatory only the definitions within
    // reach of it: the last kMaxInheritsDepth links and the end itself.
    EXPECT_EQ(run.code, 1);
    std::size_t mandatory = 0;
    for (std::size_t at = run.out.find("Manditory attribute [A"); at != std::string::npos;
         at = run.out.find("Manditory attribute [A", at + 1))
        ++mandatory;
    EXPECT_EQ(mandatory, std::size_t(kMaxInheritsDepth + 1));
    EXPECT_NE(run.out.find("Manditory attribute [A" + std::to_string(kChain - kMaxInheritsDepth) + "] not"),
              std::string::npos);
}

}  // namespace
}  // namespace sw
