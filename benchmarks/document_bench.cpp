// Opening a large personality (construct, detect, load the catalogue, merge two
// plug-ins) and catalogue queries with inheritance, beside inih parsing the same bytes.
#include "RatioReporter.h"

#include "document/UisFile.h"
#include "store/PlatformPaths.h"

#include <ini.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

void writeText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary).write(text.data(), std::streamsize(text.size()));
}

struct Fixture {
    fs::path folder;
    std::string skin;
    std::vector<std::pair<std::string, std::string>> queries;

    Fixture()
    {
        folder = fs::temp_directory_path() / ("skinwrt-docbench-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder / "program");
        fs::create_directories(folder / "Skins" / "Big");
        // The shipped catalogue, beside the benchmark program.
        fs::copy_file(sw::programFolder() / "uis2.def", folder / "program" / "uis2.def");
        writeText(folder / "Skins" / "Big" / "a.def", "[PluginInfo]\r\nUisType=2\r\n[Root,Clock2]\r\nName=Clock\r\n");
        writeText(folder / "Skins" / "Big" / "b.def", "[PluginInfo]\r\nUisType=2\r\n[Root,Meter]\r\nName=Meter\r\n");

        // 10,000 attributes: 400 numbered buttons of 25 attributes each.
        const char* attributes[] = {"Action", "Align", "XCoord", "YCoord", "Visibility", "Visibility1",
                                    "Visibility2", "ButtonImage", "Type", "Text", "Width", "Height",
                                    "CombineOp", "ShiftAction", "CtrlAction", "NormalFont", "DllName",
                                    "Visibility3", "Visibility4", "Visibility5", "Visibility6", "Visibility7",
                                    "Visibility8", "Visibility9", "Command"};
        std::string text = "[TITLEBARSKIN]\r\nSkinName=Big\r\nSkinAuthor=bench\r\n\r\n[PERSONALITY]\r\nButtonCount=400\r\n\r\n";
        for (int b = 0; b < 400; ++b) {
            text += "; button " + std::to_string(b) + "\r\n[Button" + std::to_string(b) + "]\r\n";
            for (const char* a : attributes)
                text += std::string(a) + "=" + std::to_string(b % 17) + "\r\n";
            text += "\r\n";
        }
        skin = (folder / "Skins" / "Big" / "Big.uis").string();
        writeText(skin, text);
        std::mt19937 random(3);
        for (int i = 0; i < 1024; ++i)
            queries.emplace_back("Button" + std::to_string(random() % 400), attributes[random() % 25]);
        sw::setProgramFolder(folder / "program");
    }
    ~Fixture() { fs::remove_all(folder); }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void OpenPersonality(benchmark::State& state)
{
    for (auto _ : state) {
        sw::TUisFile document(fixture().skin);
        document.MergePluginDefinitions((fixture().folder / "Skins" / "Big" / "a.def").string());
        document.MergePluginDefinitions((fixture().folder / "Skins" / "Big" / "b.def").string());
        benchmark::DoNotOptimize(document.FormatVersion());
    }
}
BENCHMARK(OpenPersonality)->Unit(benchmark::kMillisecond);

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

// 100,000 queries as the explorer asks them for each row: type, editor kind,
// display name and description, each resolving Button<n> and Inherits chains.
void CatalogueQueries(benchmark::State& state)
{
    sw::TUisFile document(fixture().skin);
    const auto& queries = fixture().queries;
    for (auto _ : state)
        for (int i = 0; i < 100000; i += 4) {
            const auto& [section, attribute] = queries[std::size_t(i) & 1023];
            benchmark::DoNotOptimize(document.AttributeTypeOf(section, attribute));
            benchmark::DoNotOptimize(document.EditorKind(section, attribute));
            benchmark::DoNotOptimize(document.AttributeDisplayName(section, attribute, attribute));
            benchmark::DoNotOptimize(document.AttributeDescription(section, attribute, ""));
        }
}
BENCHMARK(CatalogueQueries)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    fixture();
    sw::bench::RatioReporter reporter({
        {"OpenPersonality", "ParseSameBytesInih", 20.0, "open 10,000 attributes + catalogue / inih parse"},
        {"CatalogueQueries", "ParseSameBytesInih", 100.0, "100,000 catalogue queries / inih parse"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
