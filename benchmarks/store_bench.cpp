// The INI store beside inih and SimpleIni doing the same work in the same run:
// parsing a 10 MB file, one million keyed reads, and one write-through edit of a
// 1 MB file beside rewriting its bytes once; and the whole paths of the get and set
// verbs on a 10 MB file beside reading (and writing) the same bytes once.
#include "RatioReporter.h"

#include "store/AcceleratedIniFile.h"
#include "store/FileBytes.h"
#include "store/IniLine.h"
#include "store/IniFile.h"
#include "store/ProfileFile.h"

#include <INIReader.h>
#define SI_CONVERT_ICU  // the converter the packaged library was built with
#include <SimpleIni.h>
#include <ini.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Fixture {
    fs::path folder;
    std::string bigFile, megFile;
    // The last section of the big file: a get or set there walks every byte.
    std::string lastSection;
    std::vector<std::pair<std::string, std::string>> lookups;

    Fixture()
    {
        folder = fs::temp_directory_path() / ("skinwrt-bench-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
        bigFile = (folder / "big.ini").string();
        megFile = (folder / "meg.ini").string();
        lastSection = "Section" + std::to_string(write(bigFile, 10 << 20));
        write(megFile, 1 << 20);
        std::mt19937 random(7);
        for (int i = 0; i < 4096; ++i)
            lookups.emplace_back("Section" + std::to_string(random() % 4000),
                                 "Attribute" + std::to_string(random() % 40));
    }
    ~Fixture() { fs::remove_all(folder); }

    // Sections of 40 attributes with skin-like values, comments and blank lines.
    // Returns the number of the last section.
    static int write(const std::string& path, std::size_t size)
    {
        std::string text;
        int s = 0;
        for (; text.size() < size; ++s) {
            text += "; section " + std::to_string(s) + "\r\n[Section" + std::to_string(s) + "]\r\n";
            for (int k = 0; k < 40; ++k)
                text += "Attribute" + std::to_string(k) + " = " + std::to_string(s * 7 % 256) + " " +
                        std::to_string(k * 13 % 256) + " " + std::to_string((s + k) % 256) + "\r\n";
            text += "\r\n";
        }
        std::ofstream(path, std::ios::binary).write(text.data(), std::streamsize(text.size()));
        return s - 1;
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void ParseOurs(benchmark::State& state)
{
    for (auto _ : state) {
        sw::TAcceleratedIniFile ini(fixture().bigFile);
        benchmark::DoNotOptimize(ini.SectionExists("Section1"));
    }
}
BENCHMARK(ParseOurs)->Unit(benchmark::kMillisecond);

// inih calls back per entry; keeping each entry is the work our parser does too.
void ParseInih(benchmark::State& state)
{
    struct Entry {
        std::string section, name, value;
    };
    for (auto _ : state) {
        std::vector<Entry> entries;
        ini_parse(fixture().bigFile.c_str(),
                  [](void* user, const char* section, const char* name, const char* value) {
                      static_cast<std::vector<Entry>*>(user)->push_back({section, name, value});
                      return 1;
                  },
                  &entries);
        benchmark::DoNotOptimize(entries);
    }
}
BENCHMARK(ParseInih)->Unit(benchmark::kMillisecond);

void ParseSimpleIni(benchmark::State& state)
{
    for (auto _ : state) {
        CSimpleIniA ini;
        benchmark::DoNotOptimize(ini.LoadFile(fixture().bigFile.c_str()));
    }
}
BENCHMARK(ParseSimpleIni)->Unit(benchmark::kMillisecond);

void ReadOurs(benchmark::State& state)
{
    sw::TAcceleratedIniFile ini(fixture().bigFile);
    const auto& lookups = fixture().lookups;
    for (auto _ : state)
        for (int i = 0; i < 1000000; ++i) {
            const auto& [section, key] = lookups[std::size_t(i) & 4095];
            benchmark::DoNotOptimize(ini.ReadString(section, key, ""));
        }
}
BENCHMARK(ReadOurs)->Unit(benchmark::kMillisecond);

void ReadInih(benchmark::State& state)
{
    INIReader ini(fixture().bigFile);
    const auto& lookups = fixture().lookups;
    for (auto _ : state)
        for (int i = 0; i < 1000000; ++i) {
            const auto& [section, key] = lookups[std::size_t(i) & 4095];
            benchmark::DoNotOptimize(ini.Get(section, key, ""));
        }
}
BENCHMARK(ReadInih)->Unit(benchmark::kMillisecond);

void ReadSimpleIni(benchmark::State& state)
{
    CSimpleIniA ini;
    ini.LoadFile(fixture().bigFile.c_str());
    const auto& lookups = fixture().lookups;
    for (auto _ : state)
        for (int i = 0; i < 1000000; ++i) {
            const auto& [section, key] = lookups[std::size_t(i) & 4095];
            benchmark::DoNotOptimize(std::string(ini.GetValue(section.c_str(), key.c_str(), "")));
        }
}
BENCHMARK(ReadSimpleIni)->Unit(benchmark::kMillisecond);

void WriteThroughOneKey(benchmark::State& state)
{
    sw::TIniFile ini(fixture().megFile);
    int i = 0;
    for (auto _ : state)
        ini.WriteInteger("Section100", "Attribute7", i++);
}
BENCHMARK(WriteThroughOneKey)->Unit(benchmark::kMicrosecond);

// The least any whole-file save can do: copy the bytes and write them once.
void RewriteBytesOnce(benchmark::State& state)
{
    std::string bytes(1 << 20, 'x');
    std::string copy(bytes.size(), '\0');
    const std::string target = (fixture().folder / "rewrite.ini").string();
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        std::FILE* file = std::fopen(target.c_str(), "wb");
        std::fwrite(copy.data(), 1, copy.size(), file);
        std::fclose(file);
    }
}
BENCHMARK(RewriteBytesOnce)->Unit(benchmark::kMicrosecond);

// The least a parser can do: walk the lines of the bytes in memory and tell headers
// from entries, keeping nothing.
void ScanBytes(benchmark::State& state)
{
    std::string bytes = sw::readFileBytes(fixture().bigFile);
    for (auto _ : state) {
        std::size_t headers = 0, entries = 0;
        sw::forEachLine(bytes, [&](std::string_view line, std::size_t) {
            sw::IniLine parsed = sw::classifyIniLine(line);
            headers += parsed.kind == sw::IniLineKind::Header;
            entries += parsed.kind == sw::IniLineKind::Entry;
        });
        benchmark::DoNotOptimize(headers + entries);
    }
}
BENCHMARK(ScanBytes)->Unit(benchmark::kMillisecond);

// What "skinwrt get" does after reading its arguments: read the file, find the key.
void GetWholePath(benchmark::State& state)
{
    for (auto _ : state) {
        sw::ProfileFile file(fixture().bigFile);
        benchmark::DoNotOptimize(file.readValue(fixture().lastSection, "Attribute39"));
    }
}
BENCHMARK(GetWholePath)->Unit(benchmark::kMillisecond);

// What cat does: read the file and write its bytes out.
void CatBytes(benchmark::State& state)
{
    int out = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    for (auto _ : state) {
        std::string bytes = sw::readFileBytes(fixture().bigFile);
        benchmark::DoNotOptimize(::write(out, bytes.data(), bytes.size()));
    }
    ::close(out);
}
BENCHMARK(CatBytes)->Unit(benchmark::kMillisecond);

// What "skinwrt set" does: read under the lock, find the key, write the file beside
// and rename it over the old one. The wait for the disk is left out (as cp leaves it
// out) so that both sides measure the work of this program.
void SetWholePath(benchmark::State& state)
{
    const fs::path target = fixture().folder / "set.ini";
    fs::copy_file(fixture().bigFile, target, fs::copy_options::overwrite_existing);
    int i = 0;
    for (auto _ : state) {
        sw::ProfileFile file(target);
        file.setDurable(false);
        file.writeString(fixture().lastSection, "Attribute7", std::to_string(i++ % 1000));
    }
}
BENCHMARK(SetWholePath)->Unit(benchmark::kMillisecond);

// What cp does: read the file and write its bytes to another.
void CopyBytes(benchmark::State& state)
{
    const std::string target = (fixture().folder / "copy.ini").string();
    for (auto _ : state) {
        std::string bytes = sw::readFileBytes(fixture().bigFile);
        int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        benchmark::DoNotOptimize(::write(out, bytes.data(), bytes.size()));
        ::close(out);
    }
}
BENCHMARK(CopyBytes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    sw::bench::RatioReporter reporter({
        {"ParseOurs", "ParseInih", 1.0, "parse 10 MB: ours / inih"},
        {"ParseOurs", "ParseSimpleIni", 1.0, "parse 10 MB: ours / SimpleIni"},
        {"ReadOurs", "ReadInih", 1.0, "1,000,000 keyed reads: ours / inih (INIReader)"},
        {"ReadOurs", "ReadSimpleIni", 1.0, "1,000,000 keyed reads: ours / SimpleIni"},
        {"WriteThroughOneKey", "RewriteBytesOnce", 3.0, "write-through edit of 1 MB / memcpy+write of 1 MB"},
        {"ParseOurs", "ScanBytes", 3.0, "parse 10 MB into the store / scan of the same bytes"},
        {"GetWholePath", "CatBytes", 4.0, "get on 10 MB (read, find) / read+write of the bytes"},
        {"SetWholePath", "CopyBytes", 4.0, "set on 10 MB (lock, read, find, replace) / read+write to a copy"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
