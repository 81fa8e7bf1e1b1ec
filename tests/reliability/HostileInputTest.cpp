// Files a skin author may open by mistake or receive from anyone: far too large, all
// NUL bytes, binary, catalogues with endless or cyclic Inherits chains, personalities
// whose values point outside the skins root, values no number can be read from. None
// may crash or hang the program; a file that is refused is named in the message; and
// nothing is lost from any file.
#include "CommandLine.h"
#include "document/UisFile.h"
#include "store/FileBytes.h"
#include "store/IniFile.h"
#include "store/PlatformPaths.h"
#include "store/StringOps.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>
#include <sstream>

namespace sw {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

const std::string kInputHead = "[TITLEBARSKIN]\r\nSkinAuthor=Me\r\n";

// A file that starts with kInputHead and is then filled with NUL bytes up to the size; the
// filesystem keeps the fill sparse, so even 200 MB costs no time to make.
void makeSizedFile(const fs::path& file, std::uintmax_t size)
{
    writeBytes(file, kInputHead);
    fs::resize_file(file, size);
}

// The ways the program opens a file: each store, the document and the command line.
std::string openingError(const std::string& how, const std::string& file)
{
    try {
        if (how == "in memory") {
            TAcceleratedIniFile ini(file);
            return ini.ReadString("TITLEBARSKIN", "SkinAuthor", "") == "Me" ? "" : "read wrong";
        }
        if (how == "write-through") {
            // Same size: a file at the limit may be edited as long as it does not grow.
            TIniFile ini(file);
            ini.WriteString("TITLEBARSKIN", "SkinAuthor", "Us");
            return "";
        }
        TUisFile document(file);
        return document.FormatVersion() == UisType2 ? "" : "wrong version";
    } catch (const EIniFileException& error) {
        return error.what();
    }
}

TEST(HostileInput, FilesOverTheSizeLimitAreRefusedByName)
{
    TempDir dir;
    struct Case {
        std::uintmax_t size;
        bool opens;
    } cases[] = {
        {kMaxIniFileSize, true},
        {kMaxIniFileSize + 1, false},
        {200ull << 20, false},
    };
    for (const Case& c : cases) {
        for (const char* how : {"in memory", "write-through", "document"}) {
            SCOPED_TRACE(std::to_string(c.size) + " bytes, " + how);
            const std::string file = dir.file("big.uis");
            makeSizedFile(file, c.size);
            std::string error = openingError(how, file);
            if (c.opens) {
                EXPECT_EQ(error, "");
                continue;
            }
            EXPECT_EQ(error, "Unable to read " + file + " (the file is larger than 32 MB)");
            // Nothing of the refused file is touched.
            EXPECT_EQ(fs::file_size(file), c.size);
            std::ifstream in(file, std::ios::binary);
            std::string head(kInputHead.size(), '\0');
            in.read(head.data(), std::streamsize(head.size()));
            EXPECT_EQ(head, kInputHead);
        }
    }
}

TEST(HostileInput, TheCommandLineNamesAFileTooLargeToOpen)
{
    TempDir dir;
    const std::string file = dir.file("big.uis");
    makeSizedFile(file, 200ull << 20);
    for (std::vector<std::string> args : {std::vector<std::string>{"get", file, "TITLEBARSKIN", "SkinAuthor"},
                                          std::vector<std::string>{"set", file, "TITLEBARSKIN", "SkinName", "x"},
                                          std::vector<std::string>{"unset", file, "TITLEBARSKIN", "SkinAuthor"}}) {
        SCOPED_TRACE(args[0]);
        std::ostringstream out, err;
        EXPECT_EQ(runCommandLine(args, out, err), ExitUsage);
        EXPECT_EQ(err.str(), "skinwrt: Unable to read " + file + " (the file is larger than 32 MB)\n");
        EXPECT_EQ(fs::file_size(file), 200ull << 20);
    }
}

TEST(HostileInput, AnEndlessDeviceIsRefusedAtOnce)
{
    if (!fs::exists("/dev/zero"))
        GTEST_SKIP() << "no /dev/zero here";
    // Its size reads as 0 and it never ends: it is not a file to read at all.
    EXPECT_THROW(
        {
            try {
                TAcceleratedIniFile ini("/dev/zero");
            } catch (const EIniFileException& error) {
                EXPECT_STREQ(error.what(), "Unable to read /dev/zero (not a regular file)");
                throw;
            }
        },
        EIniFileException);
}

// Bytes of a binary file: a bitmap header, then noise that holds CR, LF, "[" and "=".
std::string binaryBytes()
{
    std::string bytes = "BM\x36\x00\x0c\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00";
    std::mt19937 random(7);
    while (bytes.size() < 256 * 1024)
        bytes += char(random() & 0xFF);
    return bytes;
}

TEST(HostileInput, NulAndBinaryFilesOpenAsUnknownAndKeepEveryByte)
{
    struct Case {
        const char* name;
        std::string bytes;
        int version;
    } cases[] = {
        {"all NUL bytes", std::string(64 * 1024, '\0'), UisTypeUnknown},
        {"binary renamed .uis", binaryBytes(), UisTypeUnknown},
        {"NUL inside a value", "[TITLEBARSKIN]\r\nSkinAuthor=M\0e\r\n"s, UisType2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string file = dir.file("skin.uis");
        writeBytes(file, c.bytes);
        {
            TUisFile document(file);
            EXPECT_EQ(document.FormatVersion(), c.version);
            TStrings sections;
            document.ReadSections(sections);
            for (const std::string& section : sections)
                document.SectionCaption(section);
            EXPECT_EQ(readBytes(file), c.bytes);
            // An edit adds its lines and leaves every byte that was there.
            document.WriteString("Added", "Key", "Value");
            std::string after = readBytes(file);
            ASSERT_GE(after.size(), c.bytes.size());
            EXPECT_EQ(after.substr(0, c.bytes.size()), c.bytes);
            EXPECT_EQ(document.ReadString("Added", "Key", ""), "Value");
        }
        TUisFile reopened(file);
        EXPECT_EQ(reopened.ReadString("Added", "Key", ""), "Value");
    }
    TempDir dir;
    writeBytes(dir.file("nul.uis"), std::string(16, '\0'));
    TIniFile nul(dir.file("nul.uis"));
    nul.WriteString("S", "K", "V");
    EXPECT_EQ(readBytes(dir.file("nul.uis")), std::string(16, '\0') + "\r\n[S]\r\nK=V\r\n");
}

// A catalogue whose section Link,A0 inherits from Link,A1 and so on down to the last,
// which holds the description; with `cyclic` the last inherits from the first instead.
std::string chainCatalogue(int length, bool cyclic)
{
    std::string text;
    text.reserve(std::size_t(length) * 40);
    for (int i = 0; i < length; ++i) {
        text += "[Link,A" + std::to_string(i) + "]\r\n";
        if (i + 1 < length)
            text += "Inherits=Link,A" + std::to_string(i + 1) + "\r\n";
        else if (cyclic)
            text += "Inherits=Link,A0\r\n";
        else
            text += "Description=the far end\r\n";
        if (i == length / 2)
            text += "Type=INT\r\n";
    }
    return text;
}

TEST(HostileInput, LongAndCyclicInheritsChainsEnd)
{
    struct Case {
        const char* name;
        std::string catalogue;
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"as long as the bound, found at the end", chainCatalogue(kMaxInheritsDepth + 1, false), "Link,A0",
         "Description", "the far end"},
        {"10,000 long, beyond the bound", chainCatalogue(10000, false), "Link,A0", "Description", "default"},
        {"10,000 long, found within the bound", chainCatalogue(10000, false), "Link,A4990", "Type", "INT"},
        {"10,000 long, missing", chainCatalogue(10000, false), "Link,A0", "Missing", "default"},
        {"10,000 long cycle, found", chainCatalogue(10000, true), "Link,A4950", "Type", "INT"},
        {"10,000 long cycle, missing", chainCatalogue(10000, true), "Link,A1", "Description", "default"},
        {"inherits itself", "[A,X]\r\nInherits=a,x\r\n", "A,X", "Description", "default"},
        {"inherits itself once normalised", "[BUTTON,X]\r\nInherits=Button7,X\r\n", "Button3,X", "Description",
         "default"},
        {"two-step cycle", "[A,X]\r\nInherits=B,X\r\n[B,X]\r\nInherits=A,X\r\nName=b\r\n", "A,X", "Name", "b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeBytes(dir.file("uis2.def"), c.catalogue);
        TUisDefinition definitions(dir.file("uis2.def"));
        auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(definitions.ReadString(c.section, c.key, "default"), c.expected);
        // The document's queries go through the same look-up.
        fs::create_directories(dir.path() / "Skin");
        writeBytes(dir.path() / "Skin" / "Skin.uis", kInputHead);
        fs::path previous = programFolder();
        setProgramFolder(dir.path());
        {
            TUisFile document((dir.path() / "Skin" / "Skin.uis").string());
            std::string section(c.section);
            std::string documentSection = section.substr(0, section.find(','));
            std::string attribute = section.substr(section.find(',') + 1);
            EXPECT_EQ(document.Definition().ReadString(c.section, c.key, "default"), c.expected);
            document.AttributeTypeOf(documentSection, attribute);
            document.EditorKind(documentSection, attribute);
        }
        setProgramFolder(previous);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    }
}

TEST(HostileInput, ReferencesLeavingTheSkinsRootAreRefused)
{
    TempDir dir;
    const fs::path root = dir.path() / "Skins";
    fs::create_directories(root / "Skin");
    fs::create_directories(dir.path() / "Private");
    writeBytes(root / "Skin" / "top.bmp", "BM");
    writeBytes(dir.path() / "Private" / "secret.bmp", "BM");
    fs::create_directory_symlink(dir.path() / "Private", root / "Skin" / "Linked");
    fs::create_directory_symlink("/etc", root / "Skin" / "System");
    fs::create_symlink("Loop", root / "Skin" / "Loop");

    struct Case {
        const char* value;
        bool resolves;
    } cases[] = {
        {"Skin\\top.bmp", true},
        {"skin\\TOP.BMP", true},
        {"..\\..\\..\\etc\\passwd", false},
        {"../../../etc/passwd", false},
        {"Skin\\..\\..\\Private\\secret.bmp", false},
        {"/etc/passwd", false},
        {"\\etc\\passwd", false},
        {"C:\\Windows\\win.ini", false},
        {"\\\\server\\share\\skin.bmp", false},
        {"Skin\\Linked\\secret.bmp", false},
        {"Skin\\System\\passwd", false},
        {"Skin\\Loop\\top.bmp", false},
        {"", false},
    };
    std::string text = "[TITLEBARSKIN]\r\nSkinAuthor=Me\r\n[PERSONALITY]\r\n";
    for (std::size_t i = 0; i < std::size(cases); ++i)
        text += "Ref" + std::to_string(i) + "=" + cases[i].value + "\r\n";
    text += "Top=..\\..\\..\\etc\\passwd\r\nLeft=/etc/passwd\r\nRight=Skin\\top.bmp\r\n";
    const fs::path file = root / "Skin" / "Skin.uis";
    writeBytes(file, text);

    TUisFile document(file.string());
    ASSERT_EQ(document.FormatVersion(), UisType2);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].value);
        fs::path path = document.ReferencePath(document.ReadString("PERSONALITY", "Ref" + std::to_string(i), ""));
        if (cases[i].resolves)
            EXPECT_EQ(path, root / "Skin" / "top.bmp");
        else
            EXPECT_EQ(path, fs::path());
    }
    EXPECT_EQ(document.FrameBitmapPath("Top"), fs::path());
    EXPECT_EQ(document.FrameBitmapPath("Left"), fs::path());
    EXPECT_EQ(document.FrameBitmapPath("Right"), root / "Skin" / "top.bmp");
    EXPECT_EQ(readBytes(file), text);
}

// The conversion as the program has always defined it: drop the byte at which a
// decimal conversion fails and try again.
int32_t lenientByDropping(std::string work, int32_t fallback)
{
    while (!work.empty()) {
        std::size_t at = 0;
        if (auto value = valInteger(work, &at, false))
            return *value;
        if (at > work.size())
            return fallback;
        work.erase(at - 1, 1);
    }
    return fallback;
}

TEST(HostileInput, LenientNumbersOfAnyLengthConvertInOnePass)
{
    const char* fixed[] = {"", " ", "-", "+", "1x2", "x", " - 5", "--5", "+-7", "5 -3", "x 5", "$1F", "  -",
                           "99999999999", "2147483647", "2147483648", "-2147483648", "-2147483649", "-21474836489",
                           "00012", "12-", "\t5", "5\t", "-0", "2147483649 7"};
    for (const char* text : fixed)
        EXPECT_EQ(lenientInteger(text, -99), lenientByDropping(text, -99)) << '"' << text << '"';
    std::mt19937 random(11);
    const std::string alphabet = " -+0123456789x$\t";
    for (int i = 0; i < 20000; ++i) {
        std::string text(random() % 16, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        ASSERT_EQ(lenientInteger(text, -99), lenientByDropping(text, -99)) << '"' << text << '"';
    }

    // A choice value of 4 MB of letters with one digit: shown at once, not after minutes.
    TempDir dir;
    fs::create_directories(dir.path() / "program");
    writeBytes(dir.path() / "program" / "uis2.def",
               "[TITLEBARSKIN,Mode]\r\nType=CHOOSE\r\nConstraints=3\r\nValue0=off\r\nValue1=on\r\nValue2=auto\r\n");
    fs::create_directories(dir.path() / "Skin");
    std::string value(4 << 20, 'x');
    value[value.size() / 2] = '2';
    writeBytes(dir.path() / "Skin" / "Skin.uis", kInputHead + "Mode=" + value + "\r\n");
    fs::path previous = programFolder();
    setProgramFolder(dir.path() / "program");
    TUisFile document((dir.path() / "Skin" / "Skin.uis").string());
    setProgramFolder(previous);
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(document.ValueForDisplay("TITLEBARSKIN", "Mode", document.ReadString("TITLEBARSKIN", "Mode", "")), "auto");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

}  // namespace
}  // namespace sw
