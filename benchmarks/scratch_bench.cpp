// Cutting a whole personality out of a 1920 x 1200 template picture (6 buttons,
// 10 other pictures, every bitmap written to disk), beside writing that picture
// once as a 24-bit BMP, the disk work the cut cannot avoid.
#include "RatioReporter.h"

#include "store/PlatformPaths.h"
#include "wizards/ScratchCatalogue.h"
#include "wizards/ScratchCutter.h"

#include <QImageWriter>

#include <filesystem>
#include <random>

namespace {

namespace fs = std::filesystem;
constexpr int W = 1920, H = 1200;

QImage picture()
{
    QImage image(W, H, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < H; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < W; ++x)
            row[x] = 0xFF000000u | (random() & 0xFFFFFFu);
    }
    return image;
}

struct Folder {
    fs::path path = fs::temp_directory_path() / ("skinwrt-bench-" + std::to_string(std::random_device{}()));
    Folder() { fs::create_directories(path); }
    ~Folder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

sw::ScratchJob job()
{
    sw::ScratchJob j;
    j.picture = picture();
    j.fileName = "Bench";
    j.author = {"Bench", "a", "b", "c", "d"};
    j.transparent = qRgb(255, 255, 255);
    j.filter.red = {sw::FilterStyle::Lighten, 20, true};
    const sw::ScratchCatalogue catalogue = sw::loadScratchCatalogue();
    j.actionShift = catalogue.actionShift;
    for (int b = 0; b < 6; ++b)
        j.buttons.push_back({4, QRect(1700 + b * 30, 4, 24, 22)});
    for (std::size_t i = 0; i < 10 && i < catalogue.images.size(); ++i) {
        const auto& c = catalogue.images[i];
        j.images.push_back({c.section, c.attribute, c.imageCount, false, QRect(40 + int(i) * 150, 100, 120, 60)});
    }
    return j;
}

void CutWholeSkin(benchmark::State& state)
{
    const fs::path templateFile = sw::programFolder() / "template" / "scratch.uis";
    if (!fs::exists(templateFile)) {
        state.SkipWithError("the template is not beside the program");
        return;
    }
    const sw::ScratchJob cut = job();
    Folder folder;
    for (auto _ : state) {
        sw::ScratchResult result = sw::createScratchPersonality(cut, folder.path, templateFile, true);
        if (!result.ok) {
            state.SkipWithError(result.error.c_str());
            return;
        }
    }
}
BENCHMARK(CutWholeSkin)->Unit(benchmark::kMillisecond);

void SavePictureAsBmp(benchmark::State& state)
{
    const QImage image = picture();
    Folder folder;
    const QString file = QString::fromStdString((folder.path / "whole.bmp").string());
    for (auto _ : state) {
        QImageWriter writer(file, "bmp");
        writer.write(image.convertToFormat(QImage::Format_RGB888));
    }
}
BENCHMARK(SavePictureAsBmp)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    sw::bench::RatioReporter reporter({
        {"CutWholeSkin", "SavePictureAsBmp", 3.0,
         "cut 1920x1200, 6 buttons, 10 pictures / one 1920x1200 BMP write"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
