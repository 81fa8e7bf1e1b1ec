// skinwrt pack and skinwrt install on files of their own.
#include "VerbRun.h"

#include "ZipFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::makeZip;
using test::run;
using test::VerbRun;
using test::TempDir;
using test::writeBytes;

TEST(PackCommand, PacksAndReportsOrRefuses)
{
    TempDir dir;
    const fs::path skin = dir.path() / "MySkin";
    fs::create_directories(skin);
    writeBytes(skin / "MySkin.uis", "[A]\r\nX=MySkin\\Top.bmp\r\nY=MySkin\\..\\..\\secret\r\nZ=myskin\\gone.bmp\r\n");
    writeBytes(skin / "Top.bmp", "top");
    writeBytes(dir.path() / "secret", "s");

    VerbRun r = run({"pack", (skin / "MySkin.uis").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const fs::path archive = skin / "myskin.zip";
    EXPECT_EQ(r.out, "Zip file created successfully. File size: " + std::to_string(fs::file_size(archive)) +
                         " bytes. ( " + std::to_string(fs::file_size(archive) / 1024) + " KB )\n");
    EXPECT_EQ(test::zipNames(archive), (std::vector<std::string>{"Top.bmp", "MySkin.uis"}));
    EXPECT_NE(r.err.find("outside the personality's folder, left out: "), std::string::npos);
    EXPECT_NE(r.err.find("gone.bmp"), std::string::npos);

    r = run({"pack", (skin / "MySkin.uis").string(), "-o", (dir.path() / "out.vxa").string()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir.path() / "out.vxa"));

    const struct {
        std::vector<std::string> args;
        const char* err;
    } failures[] = {
        {{"pack"}, "Usage: skinwrt pack FILE.uis [-o ARCHIVE]"},
        {{"pack", "a.uis", "b.uis"}, "Usage: skinwrt pack"},
        {{"pack", (dir.path() / "none.uis").string()}, "none.uis: no such file"},
        {{"pack", (skin / "MySkin.uis").string(), "-o", (dir.path() / "no" / "x.zip").string()}, "I/O Error: "},
    };
    for (const auto& f : failures) {
        r = run(f.args);
        EXPECT_EQ(r.code, 2) << f.err;
        EXPECT_NE(r.err.find(f.err), std::string::npos) << r.err;
    }
    r = run({"pack", "--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("Usage: skinwrt pack", 0), 0u);
}

TEST(InstallCommand, InstallsOrNamesTheArchive)
{
    TempDir dir;
    const fs::path skins = dir.path() / "skins";
    fs::create_directories(skins);
    const fs::path good = makeZip(dir.path() / "Pack.vxa", {{"Folder/Blue.uis", "[A]\r\n"}, {"Folder/a.bmp", "a"}});
    VerbRun r = run({"install", good.string(), "--skins", skins.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, (skins / "Blue" / "Blue.uis").string() + "\n");
    EXPECT_TRUE(fs::exists(skins / "Blue" / "a.bmp"));

    const fs::path none = makeZip(dir.path() / "none.zip", {{"a.bmp", "a"}});
    r = run({"install", none.string(), "--skins", skins.string()});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "skinwrt: " + none.string() + ": This package does not contain a personality file or is corrupted\n");

    const struct {
        std::vector<std::string> args;
        const char* err;
    } failures[] = {
        {{"install"}, "Usage: skinwrt install ARCHIVE [--skins FOLDER]"},
        {{"install", good.string(), "--skins"}, "Usage: skinwrt install"},
        {{"install", (dir.path() / "missing.zip").string()}, "missing.zip: no such file"},
        {{"install", good.string(), "--skins", (dir.path() / "nope").string()}, "the skins folder does not exist"},
    };
    for (const auto& f : failures) {
        r = run(f.args);
        EXPECT_EQ(r.code, 2) << f.err;
        EXPECT_NE(r.err.find(f.err), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace sw
