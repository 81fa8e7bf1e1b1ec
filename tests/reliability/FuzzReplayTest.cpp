// Every input that once made a fuzz target fail is kept under tests/data/<target>/ and
// run through the same target here: it must pass every invariant of the target now,
// and in the sanitizer build (./test --sanitize) raise no report either.
#include "FuzzTargets.h"

#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sw {
namespace {

namespace fs = std::filesystem;

class FuzzReplay : public testing::TestWithParam<std::string> {};

using Run = void (*)(std::string_view);

Run targetNamed(const std::string& name)
{
    for (const fuzz::Target& target : fuzz::targets())
        if (name == target.name)
            return target.run;
    return nullptr;
}

TEST_P(FuzzReplay, KeptInputsPass)
{
    const fs::path folder = fs::path(SKINWRT_TEST_DATA_DIR) / GetParam();
    auto run = targetNamed(GetParam());
    ASSERT_NE(run, nullptr);
    std::vector<fs::path> inputs;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file())
            inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    ASSERT_FALSE(inputs.empty()) << "no kept inputs in " << folder;

    // The personality target points the program folder at its own catalogues.
    const fs::path programFolderBefore = programFolder();
    for (const fs::path& input : inputs) {
        try {
            run(test::readBytes(input));
        } catch (const fuzz::InvariantBroken& broken) {
            ADD_FAILURE() << input << ": " << broken.what();
        } catch (const std::exception& error) {
            ADD_FAILURE() << input << ": unexpected exception: " << error.what();
        }
    }
    setProgramFolder(programFolderBefore);
}

std::vector<std::string> targetNames()
{
    std::vector<std::string> names;
    for (const fuzz::Target& target : fuzz::targets())
        names.push_back(target.name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, testing::ValuesIn(targetNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace sw
