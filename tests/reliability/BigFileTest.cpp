// Files just under the size limit, shaped to be expensive: millions of tiny lines,
// millions of sections, nothing but CR bytes. The editing verbs must stay linear in
// time and keep their memory within a few copies of the file.
#include "CommandLine.h"
#include "store/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

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
TEST(BigFiles, EditingVerbsDoTheirEditAndStayWithinThreeCopiesOfTheFile)
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
    };
    // The memory a verb may use besides three copies of the file: the program itself.
    const long allowance = 3 * long(kMaxIniFileSize >> 10) + (48 << 10);
    const std::size_t keyAt = head.size() - 5;  // "k=1\r\n"
    for (const auto& shape : shapes) {
        const std::string file = dir.file("big.uis");
        const std::string before = filled(head, shape.pattern);
        const std::string rest = before.substr(head.size());
        // The first "[x]" section is the first pattern when the file is made of them.
        const std::string erased =
            std::string(shape.pattern) == "[x]\r\n" ? head + rest.substr(5) : before;
        const struct {
            std::vector<std::string> args;
            std::string after;
        } rows[] = {
            {{"get", file, "S", "k"}, before},
            {{"set", file, "S", "k", "2"}, before.substr(0, keyAt) + "k=2\r\n" + rest},
            {{"unset", file, "S", "k"}, before.substr(0, keyAt) + rest},
            {{"erase", file, "x"}, erased},
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(shape.shape) + ", " + row.args[0]);
            writeBytes(file, before);
            const Cost cost = measure(row.args);
            EXPECT_EQ(cost.code, 0);
            const std::string after = readFileBytes(file);
            EXPECT_EQ(after.size(), row.after.size());
            EXPECT_TRUE(after == row.after);
#ifndef SKINWRT_SANITIZED
            EXPECT_LT(cost.maxKilobytes, allowance);
#endif
        }
    }
}

}  // namespace
}  // namespace sw
