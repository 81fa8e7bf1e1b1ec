// The verbs on files they must not touch: anything that is not a regular file is
// refused at once by every verb, and render never writes over a personality nor
// leaves a half-written picture.
#include "CommandLine.h"
#include "RenderCommand.h"

#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(VerbSafety, EveryVerbRefusesWhatIsNotARegularFileAtOnce)
{
    TempDir dir;
    const std::string fifo = dir.file("pipe.uis");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const std::string link = dir.file("link.uis");
    fs::create_symlink(fifo, link);
    const std::string folder = dir.file("folder.uis");
    fs::create_directory(folder);
    for (const std::string& file : {fifo, link, folder}) {
        const struct {
            std::vector<std::string> args;
            std::string err;
        } rows[] = {
            {{"get", file, "S", "K"}, "skinwrt: " + file + ": not a file\n"},
            {{"set", file, "S", "K", "v"}, "skinwrt: Unable to write to " + file + " (not a regular file)\n"},
            {{"unset", file, "S", "K"}, "skinwrt: " + file + ": not a file\n"},
            {{"erase", file, "S"}, "skinwrt: " + file + ": not a file\n"},
            {{"validate", file}, "skinwrt: " + file + ": not a file\n"},
            {{"render", file, "-o", dir.file("out.png")}, "skinwrt: " + file + ": not a file\n"},
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(row.args[0] + " " + file);
            std::ostringstream out, err;
            // Waiting on the FIFO for a writer would never end; the alarm ends the test.
            alarm(20);
            EXPECT_EQ(runCommandLine(row.args, out, err), 2);
            alarm(0);
            EXPECT_EQ(err.str(), row.err);
            EXPECT_EQ(out.str(), "");
        }
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_FALSE(fs::exists(dir.file("out.png")));
}

TEST(VerbSafety, RenderWritesOnlyPicturesAndWholeOnes)
{
    TempDir dir;
    fs::copy(programFolder() / "skins" / "Tidewater", dir.path() / "Tidewater", fs::copy_options::recursive);
    const std::string skin = (dir.path() / "Tidewater" / "Tidewater.uis").string();
    const std::string skinBytes = readBytes(skin);
    const std::string other = dir.file("Other.UIS");
    const std::string shared = dir.file("shared.png"), sharedTwin = dir.file("twin.png");
    writeBytes(shared, "an older picture");
    fs::create_hard_link(shared, sharedTwin);
    const std::string missingFolder = (dir.path() / "gone" / "out.png").string();
    const struct {
        const char* name;
        std::string out;
        int code;
        std::string err;
    } rows[] = {
        {"onto the personality itself", skin, 2,
         "skinwrt: " + skin + ": will not write the picture over the personality file it is drawn from\n"},
        {"through another name of it", (dir.path() / "Tidewater" / "." / "Tidewater.uis").string(), 2,
         "skinwrt: " + (dir.path() / "Tidewater" / "." / "Tidewater.uis").string() +
             ": will not write the picture over the personality file it is drawn from\n"},
        {"onto any .uis name", other, 2,
         "skinwrt: " + other + ": will not write a picture into a personality file (.uis); name a .png file\n"},
        {"over a picture with two names", shared, 2,
         "skinwrt: " + shared +
             ": cannot write the picture (it has 2 hard links, and replacing it would separate them; edit a copy "
             "instead)\n"},
        {"into a missing folder", missingFolder, 2,
         "skinwrt: " + missingFolder + ": cannot write the picture (No such file or directory)\n"},
        {"a new picture", dir.file("new.png"), 0, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::ostringstream out, err;
        EXPECT_EQ(runCommandLine({"render", skin, "-o", row.out}, out, err), row.code);
        EXPECT_EQ(err.str(), row.err);
    }
    EXPECT_EQ(readBytes(skin), skinBytes);
    EXPECT_FALSE(fs::exists(other));
    EXPECT_EQ(readBytes(shared), "an older picture");
    EXPECT_EQ(readBytes(sharedTwin), "an older picture");
    EXPECT_EQ(readBytes(dir.file("new.png")).substr(0, 8), "\x89PNG\r\n\x1a\n");
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".~sw"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace sw
