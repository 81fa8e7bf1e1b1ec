#include "ValidateCommand.h"

#include "document/UisFile.h"
#include "document/Validator.h"
#include "store/PlatformPaths.h"
#include "store/ProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeBytes;

// Runs in a folder of its own and goes back to the previous one afterwards.
struct CurrentFolder {
    fs::path previous = fs::current_path();
    explicit CurrentFolder(const fs::path& folder) { fs::current_path(folder); }
    ~CurrentFolder() { fs::current_path(previous); }
};

const char* kUnknownFormat = "This is file format is either not supported or the file is corrupted.";

TEST(ValidateCommand, SampleSkinsValidateClean)
{
    const fs::path skins = programFolder() / "skins";
    std::vector<std::string> files;
    std::string expected;
    for (const char* file : {"Tidewater/Tidewater.uis", "Slate/Slate.uis", "Parchment/Parchment.uis",
                             "Misnamed/Harbour.uis"}) {
        files.push_back((skins / file).string());
        expected += files.back() + "\t\t\tNo errors found\n";
    }
    std::ostringstream out, err;
    EXPECT_EQ(runValidate(files, false, out, err), 0);
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(err.str(), "");
}

// A skins root of small personalities checked against the shipped catalogues.
struct SkinsFixture {
    TempDir dir;
    SkinsFixture()
    {
        fs::create_directories(dir.path() / "Broken");
        writeBytes(dir.path() / "Broken" / "Broken.uis",
                   "[TITLEBARSKIN]\r\nSkinName=Broken\r\nSkinAuthor=me\r\nBogus=caf\xe9 \"q\\\"\r\n");
        fs::create_directories(dir.path() / "Plain");
        writeBytes(dir.path() / "Plain" / "Plain.uis", "[Other]\r\nKey=1\r\n");
        // A plug-in catalogue beside the skin is merged as the editor merges it; its
        // malformed limit stops the check.
        fs::create_directories(dir.path() / "Gauge");
        writeBytes(dir.path() / "Gauge" / "gauge.def",
                   "[PluginInfo]\nUisType=2\n[Root,Gauge]\nName=Gauge\n[Gauge,Size]\nType=INT\nConstraints=0,5\n"
                   "[Gauge,Level]\nType=INT\nConstraints=1,ten\n");
        writeBytes(dir.path() / "Gauge" / "Gauge.uis",
                   "[TITLEBARSKIN]\nSkinName=Gauge\nSkinAuthor=me\nOdd=1\n[Gauge]\nSize=3\nLevel=5\nOdd=2\n");
    }
    std::string file(const std::string& name) const { return (dir.path() / name).string(); }
};

TEST(ValidateCommand, ExitCodesAndLines)
{
    SkinsFixture f;
    CurrentFolder here(f.dir.path());
    const std::string broken = "Broken/Broken.uis\tTITLEBARSKIN\tBogus\tIllegal or unknown attribute  [Bogus] in "
                               "Section [TITLEBARSKIN] value [caf\xe9 \"q\\\"]\n";
    const std::string clean = (programFolder() / "skins" / "Slate" / "Slate.uis").string();
    struct Case {
        std::vector<std::string> files;
        int code;
        std::string out, err;
    } cases[] = {
        {{clean}, 0, clean + "\t\t\tNo errors found\n", ""},
        {{"Broken/Broken.uis"}, 1, broken, ""},
        {{"Plain/Plain.uis"}, 1, std::string("Plain/Plain.uis\t\t\t") + kUnknownFormat + "\n", ""},
        {{"Missing/Missing.uis", clean}, 2, clean + "\t\t\tNo errors found\n",
         "skinwrt: Missing/Missing.uis: no such file\n"},
        {{"Broken", "Broken/Broken.uis"}, 2, broken, "skinwrt: Broken: not a file\n"},
        {{"Gauge/Gauge.uis"}, 2,
         "Gauge/Gauge.uis\tTITLEBARSKIN\tOdd\tIllegal or unknown attribute  [Odd] in Section [TITLEBARSKIN] value [1]\n",
         "skinwrt: Gauge/Gauge.uis: validation stopped at [Gauge] Level by the catalogue: 'ten' is not a valid integer "
         "value\n"},
        {{}, 2, "", "Usage: skinwrt validate [--json] FILE...\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        std::string name = c.files.empty() ? "(none)" : c.files[0];
        EXPECT_EQ(runValidate(c.files, false, out, err), c.code) << name;
        EXPECT_EQ(out.str(), c.out) << name;
        EXPECT_EQ(err.str(), c.err) << name;
    }
}

TEST(ValidateCommand, AFileWhoseOnlyFindingIsBitmapGeometryIsNotCalledClean)
{
    TempDir dir;
    fs::copy(programFolder() / "skins" / "Tidewater", dir.path() / "Tidewater", fs::copy_options::recursive);
    const fs::path skin = dir.path() / "Tidewater" / "Tidewater.uis";
    TUisFile document(skin.string());
    const std::optional<BitmapSize> top = readBitmapSize(document.FrameBitmapPath("Top"));
    ASSERT_TRUE(top);
    // A frame count its top bitmap does not divide into.
    int frames = 2;
    while (top->height % frames == 0)
        ++frames;
    ProfileFile(skin).writeString("PERSONALITY", "TopFrame", std::to_string(frames));
    std::ostringstream out, err;
    EXPECT_EQ(runValidate({skin.string()}, false, out, err), 1);
    const std::string lines = out.str();
    EXPECT_EQ(lines.find("No errors found"), std::string::npos) << lines;
    EXPECT_EQ(lines.rfind(skin.string() + "\tPERSONALITY\tTOP\tFrame size mismatch - ", 0), 0u) << lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
}

TEST(ValidateCommand, JsonForBulkChecks)
{
    SkinsFixture f;
    CurrentFolder here(f.dir.path());
    std::ostringstream out, err;
    EXPECT_EQ(runValidateCommand({"--json", "Broken/Broken.uis", "Plain/Plain.uis", "Gone\\x.uis"}, out, err), 2);
    EXPECT_EQ(out.str(),
              "[\n"
              "{\"file\": \"Broken/Broken.uis\", \"version\": 2, \"status\": \"findings\", \"error\": null, "
              "\"findings\": [{\"kind\": \"catalogue\", \"icon\": 63, \"section\": \"TITLEBARSKIN\", \"attribute\": "
              "\"Bogus\", \"message\": \"Illegal or unknown attribute  [Bogus] in Section [TITLEBARSKIN] value "
              "[caf\\u00e9 \\\"q\\\\\\\"]\"}]},\n"
              "{\"file\": \"Plain/Plain.uis\", \"version\": 0, \"status\": \"findings\", \"error\": null, "
              "\"findings\": [{\"kind\": \"format\", \"icon\": 64, \"section\": \"\", \"attribute\": \"\", "
              "\"message\": \"This is file format is either not supported or the file is corrupted.\"}]},\n"
              "{\"file\": \"Gone\\\\x.uis\", \"version\": null, \"status\": \"error\", \"error\": \"no such file\", "
              "\"findings\": []}\n"
              "]\n");
    EXPECT_EQ(err.str(), "skinwrt: Gone\\x.uis: no such file\n");

    std::ostringstream cleanOut, cleanErr;
    const std::string slate = (programFolder() / "skins" / "Slate" / "Slate.uis").string();
    EXPECT_EQ(runValidateCommand({"--json", slate}, cleanOut, cleanErr), 0);
    std::string slateJson;  // a backslash of a Windows path is escaped in JSON
    for (char c : slate)
        slateJson += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_EQ(cleanOut.str(), "[\n{\"file\": \"" + slateJson +
                                  "\", \"version\": 11, \"status\": \"clean\", \"error\": null, \"findings\": "
                                  "[{\"kind\": \"catalogue\", \"icon\": 66, \"section\": \"\", \"attribute\": \"\", "
                                  "\"message\": \"No errors found\"}]}\n]\n");
}

TEST(ValidateCommand, Arguments)
{
    SkinsFixture f;
    CurrentFolder here(f.dir.path());
    writeBytes(f.dir.path() / "--json", "");
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string outStart, err;
    } cases[] = {
        {{"--help"}, 0, "Usage: skinwrt validate [--json] FILE...\n", ""},
        {{"--jsn", "Broken/Broken.uis"}, 2, "",
         "skinwrt: validate: unknown option --jsn\nUsage: skinwrt validate [--json] FILE...\n"},
        {{"--json"}, 2, "", "Usage: skinwrt validate [--json] FILE...\n"},
        // After "--" every argument is a file.
        {{"--", "--json"}, 1, "--json\t\t\tThis is file", ""},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runValidateCommand(c.args, out, err), c.code) << c.args[0];
        EXPECT_EQ(out.str().substr(0, c.outStart.size()), c.outStart) << c.args[0];
        EXPECT_EQ(err.str(), c.err) << c.args[0];
    }
}

// A file of very many bad lines: the first findings of each kind are listed, the rest
// counted in one last line (and in "omitted" of the JSON), whatever the number.
TEST(ValidateCommand, FindingsPastTheLimitOfTheirKindAreCountedNotListed)
{
    TempDir dir;
    const fs::path skin = dir.path() / "Many" / "Many.uis";
    fs::create_directories(skin.parent_path());
    const struct {
        std::size_t unknown;
        std::size_t omitted;
    } rows[] = {{kMaxFindingsListed, 0}, {kMaxFindingsListed + 1, 1}, {kMaxFindingsListed + 250, 250}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.unknown);
        std::string text = "[TITLEBARSKIN]\r\nSkinName=Many\r\nSkinAuthor=me\r\n";
        for (std::size_t i = 0; i < row.unknown; ++i)
            text += "Bogus" + std::to_string(i) + "=1\r\n";
        writeBytes(skin, text);
        std::ostringstream out, err;
        EXPECT_EQ(runValidate({skin.string()}, false, out, err), 1);
        const std::string lines = out.str();
        EXPECT_EQ(std::size_t(std::count(lines.begin(), lines.end(), '\n')),
                  std::min(row.unknown, kMaxFindingsListed) + (row.omitted ? 1 : 0));
        EXPECT_NE(lines.find("[Bogus0] in Section"), std::string::npos);
        const std::string tail = skin.string() + "\t\t\t" + std::to_string(row.omitted) +
                                 " more findings not listed (at most " + std::to_string(kMaxFindingsListed) +
                                 " of each kind are)\n";
        EXPECT_EQ(lines.size() >= tail.size() && lines.compare(lines.size() - tail.size(), tail.size(), tail) == 0,
                  row.omitted != 0);
        std::ostringstream json, jsonErr;
        runValidate({skin.string()}, true, json, jsonErr);
        EXPECT_EQ(json.str().find("\"omitted\": " + std::to_string(row.omitted) + "}") != std::string::npos,
                  row.omitted != 0);
    }
}

}  // namespace
}  // namespace sw
