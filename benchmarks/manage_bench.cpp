// The skin browser on an engine folder of 200 personalities: listing them in the tree,
// and drawing their thumbnails (first time, and again from the cache), beside a plain
// scan of the same folder. The listing must stay well under a second.
#include "RatioReporter.h"

#include "engine/EditorState.h"
#include "mainwindow/MainForm.h"
#include "manage/BrowserForm.h"
#include "manage/SkinThumbnails.h"
#include "store/PlatformPaths.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

namespace fs = std::filesystem;

constexpr int kSkins = 200;

// 200 copies of the full sample skin, each in a folder of its own name; their values
// still name the sample's bitmaps, which is all the drawing needs.
struct Folder {
    QTemporaryDir dir;
    fs::path engine;
    std::unique_ptr<sw::TMainForm> main;
    Folder()
    {
        engine = fs::path(dir.path().toStdString()) / "engine";
        const fs::path sample = sw::programFolder() / "skins" / "Tidewater";
        fs::create_directories(engine);
        fs::copy(sample, engine / "Tidewater", fs::copy_options::recursive);
        for (int i = 0; i < kSkins - 1; ++i) {
            const std::string name = "Skin" + std::to_string(i);
            fs::create_directories(engine / name);
            fs::copy_file(sample / "Tidewater.uis", engine / name / (name + ".uis"));
        }
        sw::editorState().EngineFolder = engine.string();
        main = std::make_unique<sw::TMainForm>(QString::fromStdString((fs::path(dir.path().toStdString()) / "sw.ini").string()));
    }
};

// Made on first use and closed by main() while the application still exists: the
// editor's windows cannot outlive it.
std::unique_ptr<Folder>& sharedFolder()
{
    static std::unique_ptr<Folder> shared;
    return shared;
}

Folder& folder()
{
    if (!sharedFolder())
        sharedFolder() = std::make_unique<Folder>();
    return *sharedFolder();
}

void ScanFolder(benchmark::State& state)
{
    for (auto _ : state) {
        int found = 0;
        for (const auto& entry : fs::directory_iterator(folder().engine))
            found += fs::exists(entry.path() / (entry.path().filename().string() + ".uis"));
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(ScanFolder)->Unit(benchmark::kMillisecond);

void BrowserLoad200(benchmark::State& state)
{
    sw::TBrowserForm browser(*folder().main, folder().engine);
    for (auto _ : state)
        browser.TreeViewBrowserLoad();
}
BENCHMARK(BrowserLoad200)->Unit(benchmark::kMillisecond);

void Thumbnails200Drawn(benchmark::State& state)
{
    sw::TBrowserForm browser(*folder().main, folder().engine);
    for (auto _ : state) {
        sw::SkinThumbnails::shared().clear();
        browser.TreeViewBrowserLoad();
        browser.FillThumbnails();
    }
}
BENCHMARK(Thumbnails200Drawn)->Unit(benchmark::kMillisecond)->Iterations(2);

void Thumbnails200Cached(benchmark::State& state)
{
    sw::TBrowserForm browser(*folder().main, folder().engine);
    browser.TreeViewBrowserLoad();
    browser.FillThumbnails();
    for (auto _ : state) {
        browser.TreeViewBrowserLoad();
        browser.FillThumbnails();
    }
}
BENCHMARK(Thumbnails200Cached)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    static int qtArgc = 3;
    static char program[] = "manage_bench", option[] = "-platform", platform[] = "offscreen";
    static char* qtArgv[] = {program, option, platform, nullptr};
    QApplication application(qtArgc, qtArgv);
    qputenv("SKINWRT_REGISTRY_DIR", QDir::tempPath().toUtf8() + "/manage-bench-registry");

    benchmark::Initialize(&argc, argv);
    sw::bench::RatioReporter reporter({
        {"BrowserLoad200", "ScanFolder", 20.0, "browser tree of 200 skins / scanning the folder"},
        {"Thumbnails200Cached", "ScanFolder", 30.0, "tree with 200 cached thumbnails / scanning the folder"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    sharedFolder().reset();
}
