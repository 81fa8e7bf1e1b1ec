// Files just under the size limit, shaped to be expensive: millions of tiny lines,
// millions of sections, nothing but CR bytes, one line of megabytes. The editing verbs and validate must stay
// linear in time and keep their memory within a few copies of the file.
#include "CommandLine.h"
#include "store/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sw {
namespace {

using test::TempDir;
using test::writeBytes;

// The file filled up to the limit with one pattern after a small head.
std::string filled(const std::string& head, const std::string& pattern)
{
    std::string bytes = head;
    bytes.reserve(kMaxIniFileSize);
    while (bytes.size() + pattern.size() <= kMaxIniFileSize)
        bytes += pattern;
    return bytes;
}

struct Cost {
    int code = -1;
    double seconds = 0;  // processor time
    long maxKilobytes = 0;
};

// Runs the verb in a child process of its own, so its peak memory is its own.
Cost measure(const std::vector<std::string>& args)
{
    pid_t pid = fork();
    if (pid == 0) {
        std::ostringstream out, err;
        _exit(runCommandLine(args, out, err));
    }
    Cost cost;
    int status = 0;
    struct rusage usage {};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        return cost;
    cost.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    cost.seconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    cost.maxKilobytes = usage.ru_maxrss;
    return cost;
}

// How long the verbs take on these files is measured by the store benchmark; here
// each verb must do exactly its edit, and (outside sanitized builds, whose allocator
// says nothing of the program's) keep its memory within three copies of the file.
TEST(BigFiles, VerbsDoTheirWorkAndStayWithinThreeCopiesOfTheFile)
{
    TempDir dir;
    const std::string head = "[TITLEBARSKIN]\r\nSkinAuthor=x\r\n[S]\r\nk=1\r\n";
    const struct {
        const char* shape;
        const char* pattern;
    } shapes[] = {
        {"tiny lines", "k=\r\n"},
        {"tiny sections", "[x]\r\n"},
        {"CR bytes", "\r"},
        {"one long line", "a"},  // an entry of a 32 MB value without a key, listed by validate in full
    };
    // The memory a verb may use besides three copies of the file: the program itself.
    const long allowance = 3 * long(kMaxIniFileSize >> 10) + (48 << 10);
    const std::size_t keyAt = head.size() - 5;  // "k=1\r\n"
    for (const auto& shape : shapes) {
        const std::string file = dir.file("big.uis");
        const bool sections = std::string(shape.pattern) == "[x]\r\n";
        // What the file holds after the verb, made from what it held before.
        using Edit = std::function<void(std::string&)>;
        const struct {
            std::vector<std::string> args;
            Edit edit;
            int code = 0;
        } rows[] = {
            {{"get", file, "S", "k"}, [](std::string&) {}},
            {{"set", file, "S", "k", "2"}, [&](std::string& bytes) { bytes[keyAt + 2] = '2'; }},
            {{"unset", file, "S", "k"}, [&](std::string& bytes) { bytes.erase(keyAt, 5); }},
            // The first "[x]" section is the first pattern when the file is made of them.
            {{"erase", file, "x"}, [&](std::string& bytes) {
                 if (sections)
                     bytes.erase(head.size(), 5);
             }},
            // Findings (SkinName is missing, "k" is unknown), the file untouched.
            {{"validate", file}, [](std::string&) {}, 1},
            {{"validate", "--json", file}, [](std::string&) {}, 1},
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(shape.shape) + ", " + row.args[0]);
            // Made afresh each time and let go before the child starts: the child's peak
            // would otherwise count this copy too.
            writeBytes(file, filled(head, shape.pattern));
            ::malloc_trim(0);  // nor the pages freed since, which the allocator may keep
            const Cost cost = measure(row.args);
            EXPECT_EQ(cost.code, row.code);
            std::string expected = filled(head, shape.pattern);
            row.edit(expected);
            const std::string after = readFileBytes(file);
            EXPECT_EQ(after.size(), expected.size());
            EXPECT_TRUE(after == expected);
#ifndef SKINWRT_SANITIZED
            EXPECT_LT(cost.maxKilobytes, allowance);
#endif
        }
    }
}

// render looks at the file only: a complete skin followed by megabytes of the costly
// shapes draws as the skin alone does, in little more memory than the file.
TEST(BigFiles, RenderDrawsASkinPaddedToTheLimitWithinThreeCopiesOfTheFile)
{
    TempDir dir;
    const std::filesystem::path sample = std::filesystem::path(SKINWRT_SAMPLE_SKINS_DIR) / "Tidewater";
    // Its bitmaps are named through the personality's folder, so the copy keeps that name.
    const std::filesystem::path folder = dir.path() / "Tidewater";
    std::filesystem::create_directory(folder);
    for (const auto& entry : std::filesystem::directory_iterator(sample))
        std::filesystem::copy_file(entry.path(), folder / entry.path().filename());
    const std::string skin = (folder / "Tidewater.uis").string();
    const std::string head = readFileBytes(skin) + "\r\n";
    const std::string picture = dir.file("out.png"), reference = dir.file("reference.png");
    ASSERT_EQ(measure({"render", skin, "-o", reference}).code, 0);
    // Three copies of the file, and the drawing program with its fonts.
    const long allowance = 3 * long(kMaxIniFileSize >> 10) + (96 << 10);
    for (const char* pattern : {"k=\r\n", "[x]\r\n", "\r"}) {
        SCOPED_TRACE(pattern);
        writeBytes(skin, filled(head, pattern));
        ::malloc_trim(0);
        const Cost cost = measure({"render", skin, "-o", picture});
        EXPECT_EQ(cost.code, 0);
        EXPECT_TRUE(readFileBytes(picture) == readFileBytes(reference));
#ifndef SKINWRT_SANITIZED
        EXPECT_LT(cost.maxKilobytes, allowance);
#endif
    }
}

// pack: time linear in the values (each in another letter case than its file, so each
// must be matched against the folder), memory within three copies of what it reads.
TEST(BigFiles, PackIsLinearInTheValuesAndStaysWithinThreeCopies)
{
    TempDir dir;
    const std::filesystem::path folder = dir.path() / "Many";
    std::filesystem::create_directory(folder);
    for (int i = 0; i < 1000; ++i)
        writeBytes(folder / ("F" + std::to_string(i) + ".bmp"), std::string(64, char('a' + i % 26)));
    std::string bitmap(16u << 20, '\0');
    std::uint32_t seed = 7;
    for (char& c : bitmap)
        c = char((seed = seed * 1103515245u + 12345u) >> 23);
    writeBytes(folder / "Big.bmp", bitmap);
    const std::string uis = (folder / "Many.uis").string();
    double seconds[2] = {0, 0};
    for (int round = 0; round < 2; ++round) {
        const int values = round == 0 ? 50000 : 200000;
        std::string text = "[TITLEBARSKIN]\r\nBig=many\\big.bmp\r\n";
        for (int v = 0; v < values; ++v) {
            if (v % 500 == 0)
                text += "[S" + std::to_string(v) + "]\r\n";
            text += "K" + std::to_string(v) + "=many\\f" + std::to_string(v % 1000) + ".bmp\r\n";
        }
        writeBytes(uis, text);
        ::malloc_trim(0);
        const Cost cost = measure({"pack", uis});
        ASSERT_EQ(cost.code, 0);
        seconds[round] = cost.seconds;
#ifndef SKINWRT_SANITIZED
        // Three copies of the personality file and the bitmaps, and the program itself.
        const long allowance = 3 * long((text.size() + bitmap.size() + 64000) >> 10) + (48 << 10);
        EXPECT_LT(cost.maxKilobytes, allowance);
#endif
    }
    // Four times the values: four times the work, with room for noise (quadratic work
    // would take sixteen times as long).
    EXPECT_LT(seconds[1], 7 * seconds[0] + 0.5) << seconds[0] << " s, then " << seconds[1] << " s";
}

}  // namespace
}  // namespace sw
