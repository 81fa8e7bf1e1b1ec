// Validating a large personality (10,000 attributes in 400 button sections, with the
// shipped catalogue and bitmaps on disk) beside inih parsing the same bytes; the whole
// validate path (a fresh document each time) beside the whole get path on the same
// file, in this process and as whole "skinwrt" processes on a 1,000-attribute skin;
// and a skin with a hostile catalogue of long inheritance chains.
#include "RatioReporter.h"

#include "ValidateCommand.h"
#include "document/UisFile.h"
#include "document/Validator.h"
#include "store/PlatformPaths.h"
#include "store/ProfileFile.h"

#include <ini.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

using sw::bench::Timing;

void writeText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary).write(text.data(), std::streamsize(text.size()));
}

// A 24-bit BMP header of the given size (the validator reads only the header).
std::string bitmapHeader(int width, int height)
{
    std::string bytes = "BM";
    auto put = [&](uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += char((value >> (8 * i)) & 255);
    };
    put(54, 4), put(0, 4), put(54, 4), put(40, 4), put(uint32_t(width), 4), put(uint32_t(height), 4);
    put(1, 2), put(24, 2);
    bytes.append(24, '\0');
    return bytes;
}

struct Fixture {
    fs::path folder;
    std::string skin, smallSkin;
    fs::path chains;

    Fixture()
    {
        folder = fs::temp_directory_path() / ("skinwrt-validatorbench-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder / "program");
        fs::create_directories(folder / "Skins" / "Big");
        fs::copy_file(sw::programFolder() / "uis2.def", folder / "program" / "uis2.def");
        for (const char* edge : {"top", "bottom", "left", "right"})
            writeText(folder / "Skins" / "Big" / (std::string(edge) + ".bmp"), bitmapHeader(60, 60));
        for (int i = 0; i < 20; ++i)
            writeText(folder / "Skins" / "Big" / ("b" + std::to_string(i) + ".bmp"), bitmapHeader(48, 16));

        // 400 buttons of 25 attributes: choices, integers, files (bitmaps, sounds,
        // scripts), strings and enumerators, as button sections of real skins hold them.
        const std::pair<const char*, const char*> attributes[] = {
            {"Action", "1"},       {"Align", "1"},          {"XCoord", "20"},       {"YCoord", "4"},
            {"Visibility", "0"},   {"Visibility1", "5"},    {"Visibility2", "6"},   {"ButtonImage", "Big\\b%.bmp"},
            {"Type", "0"},         {"Text", "Button %"},    {"Width", "16"},        {"Height", "16"},
            {"CombineOp", "1"},    {"ShiftAction", "9"},    {"NormalFont", "0"},    {"TextColours", "0"},
            {"TextLayout", "0"},   {"DllName", "x.dll"},    {"Sound", "Big\\c.wav"}, {"ScriptAction", "0"},
            {"ScriptMouseEnter", "Big\\s.vxs"}, {"LinkedTo", "0"}, {"Visibility3", "7"}, {"Visibility4", "8"},
            {"Command", "notepad.exe"},
        };
        auto personality = [&](int buttons) {
            std::string text = "[TITLEBARSKIN]\r\nSkinName=Big\r\nSkinAuthor=bench\r\n\r\n[PERSONALITY]\r\n"
                               "ButtonCount=" +
                               std::to_string(buttons) +
                               "\r\nTOP=Big\\top.bmp\r\nBOTTOM=Big\\bottom.bmp\r\nLEFT=Big\\left.bmp\r\n"
                               "RIGHT=Big\\right.bmp\r\n\r\n";
            for (int b = 0; b < buttons; ++b) {
                text += "; button " + std::to_string(b) + "\r\n[Button" + std::to_string(b) + "]\r\n";
                for (const auto& [name, value] : attributes) {
                    std::string v = value;
                    if (auto mark = v.find('%'); mark != std::string::npos)
                        v.replace(mark, 1, std::to_string(b % 20));
                    text += std::string(name) + "=" + v + "\r\n";
                }
                text += "\r\n";
            }
            return text;
        };
        skin = (folder / "Skins" / "Big" / "Big.uis").string();
        writeText(skin, personality(400));
        // 40 buttons of 25 attributes: a skin of 1,000 attributes in the same folder.
        smallSkin = (folder / "Skins" / "Big" / "Small.uis").string();
        writeText(smallSkin, personality(40));
        sw::setProgramFolder(folder / "program");

        // A catalogue of a 100,000-link chain and a 50,000-link ring, about 5 MB.
        fs::create_directories(folder / "Skins" / "Chains");
        std::string catalogue = "[PluginInfo]\r\nUisType=2\r\n";
        constexpr int kChain = 100000, kRing = 50000;
        for (int i = 0; i < kChain; ++i)
            catalogue += "[Chain,A" + std::to_string(i) + "]\r\nInherits=Chain,A" + std::to_string(i + 1) + "\r\n";
        for (int i = 0; i < kRing; ++i)
            catalogue += "[Ring,A" + std::to_string(i) + "]\r\nInherits=Ring,A" + std::to_string((i + 1) % kRing) +
                         "\r\n";
        catalogue += "[Chain,A" + std::to_string(kChain) + "]\r\nOptional=0\r\n";
        writeText(folder / "Skins" / "Chains" / "chains.def", catalogue);
        chains = folder / "Skins" / "Chains" / "Skin.uis";
        writeText(chains, "[TITLEBARSKIN]\r\nSkinName=Chains\r\nSkinAuthor=me\r\n[Chain]\r\nA5=1\r\n[Ring]\r\nA7=2\r\n");
    }
    ~Fixture() { fs::remove_all(folder); }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void ValidatePersonality(benchmark::State& state)
{
    sw::TUisFile document(fixture().skin);
    std::size_t findings = 0;
    for (auto _ : state) {
        sw::ValidationResult result = sw::validate(document);
        findings = result.findings.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["findings"] = double(findings);
}
BENCHMARK(ValidatePersonality)->Unit(benchmark::kMillisecond);

void ParseSameBytesInih(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<std::string> values;
        ini_parse(fixture().skin.c_str(),
                  [](void* user, const char*, const char*, const char* value) {
                      static_cast<std::vector<std::string>*>(user)->push_back(value);
                      return 1;
                  },
                  &values);
        benchmark::DoNotOptimize(values);
    }
}
BENCHMARK(ParseSameBytesInih)->Unit(benchmark::kMillisecond);

// The validate verb's work on one file: read it into a new document, validate, report.
void ValidateWholePath(benchmark::State& state)
{
    for (auto _ : state) {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(sw::runValidate({fixture().skin}, false, out, err));
    }
}
BENCHMARK(ValidateWholePath)->Unit(benchmark::kMillisecond);

// The get verb's work on the same file: read it, find the last key.
void GetSameFile(benchmark::State& state)
{
    for (auto _ : state) {
        sw::ProfileFile file(fixture().skin);
        benchmark::DoNotOptimize(file.readValue("Button399", "Command"));
    }
}
BENCHMARK(GetSameFile)->Unit(benchmark::kMillisecond);

// Runs the program users call with these arguments, its output thrown away, and
// returns its wall time and its processor time (user and system) in seconds.
Timing runProgram(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    std::string program = SKINWRT_FRONT;
    argv.push_back(program.data());
    std::vector<std::string> args = arguments;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = -1;
    Timing timing;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        struct rusage usage {};
        wait4(pid, &status, 0, &usage);
        timing.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        timing.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    posix_spawn_file_actions_destroy(&actions);
    return timing;
}

// A whole process per iteration. The benchmark's own clocks would see only this
// process waiting, so the child's time is reported as the iteration's time: its wall
// time, or (with cpu) its processor time.
void wholeProcess(benchmark::State& state, const std::vector<std::string>& arguments, bool cpu)
{
    for (auto _ : state) {
        const Timing timing = runProgram(arguments);
        if (timing.wall <= 0) {
            state.SkipWithError("the program could not be started");
            break;
        }
        state.SetIterationTime(cpu ? timing.cpu : timing.wall);
    }
}

// "skinwrt validate" on a fresh 1,000-attribute skin beside "skinwrt get" on the same file.
void ValidateProcess(benchmark::State& state)
{
    wholeProcess(state, {"validate", fixture().smallSkin}, false);
}
BENCHMARK(ValidateProcess)->UseManualTime()->Unit(benchmark::kMillisecond);

void GetProcess(benchmark::State& state)
{
    wholeProcess(state, {"get", fixture().smallSkin, "Button39", "Command"}, false);
}
BENCHMARK(GetProcess)->UseManualTime()->Unit(benchmark::kMillisecond);

void ValidateProcessCpu(benchmark::State& state)
{
    wholeProcess(state, {"validate", fixture().smallSkin}, true);
}
BENCHMARK(ValidateProcessCpu)->UseManualTime()->Unit(benchmark::kMillisecond);

void GetProcessCpu(benchmark::State& state)
{
    wholeProcess(state, {"get", fixture().smallSkin, "Button39", "Command"}, true);
}
BENCHMARK(GetProcessCpu)->UseManualTime()->Unit(benchmark::kMillisecond);

void ValidateChainCatalogue(benchmark::State& state)
{
    for (auto _ : state) {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(sw::runValidate({fixture().chains.string()}, false, out, err));
    }
}
BENCHMARK(ValidateChainCatalogue)->Unit(benchmark::kMillisecond);

// Reading the catalogue's bytes into a store of their own, as inih does.
void ParseChainCatalogueInih(benchmark::State& state)
{
    const std::string catalogue = (fixture().chains.parent_path() / "chains.def").string();
    for (auto _ : state) {
        std::vector<std::string> values;
        ini_parse(catalogue.c_str(),
                  [](void* user, const char*, const char*, const char* value) {
                      static_cast<std::vector<std::string>*>(user)->push_back(value);
                      return 1;
                  },
                  &values);
        benchmark::DoNotOptimize(values);
    }
}
BENCHMARK(ParseChainCatalogueInih)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    fixture();
    sw::bench::RatioReporter reporter({
        {"ValidatePersonality", "ParseSameBytesInih", 8.0, "validate 10,000 attributes / inih parse"},
        // For information: get reads only the section it looks for, validate the whole file.
        {"ValidateWholePath", "GetSameFile", 0, "validate verb (fresh document) / get verb, same file"},
        {"ValidateProcess/manual_time", "GetProcess/manual_time", 2.0, "skinwrt validate / skinwrt get, 1,000 attributes (wall)"},
        {"ValidateProcessCpu/manual_time", "GetProcessCpu/manual_time", 2.0, "skinwrt validate / skinwrt get, 1,000 attributes (CPU)"},
        {"ValidateChainCatalogue", "ParseChainCatalogueInih", 10.0, "validate with a 150,000-link catalogue / inih parse of it"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
