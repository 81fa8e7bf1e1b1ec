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

TEST(BigFiles, EditingVerbsStayLinearAndWithinThreeCopiesOfTheFile)
{
#ifdef SKINWRT_SANITIZED
    GTEST_SKIP() << "memory and time of a sanitized build say nothing of the program's";
#endif
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
    for (const auto& shape : shapes) {
        const std::string file = dir.file("big.uis");
        for (const std::vector<std::string>& args : {
                 std::vector<std::string>{"get", file, "S", "k"},
                 std::vector<std::string>{"set", file, "S", "k", "2"},
                 std::vector<std::string>{"unset", file, "S", "k"},
                 std::vector<std::string>{"erase", file, "x"},
             }) {
            SCOPED_TRACE(std::string(shape.shape) + ", " + args[0]);
            // Made afresh each time and let go before the child starts: the child's peak
            // would otherwise count this copy too.
            writeBytes(file, filled(head, shape.pattern));
            const Cost cost = measure(args);
            EXPECT_EQ(cost.code, 0);
            EXPECT_LT(cost.seconds, 3.0);
            EXPECT_LT(cost.maxKilobytes, allowance);
        }
    }
}

}  // namespace
}  // namespace sw
