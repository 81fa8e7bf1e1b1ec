#include "PreviewTestSupport.h"

#include "store/PlatformPaths.h"


#include <fstream>
#include <stdexcept>

namespace sw::test {

namespace fs = std::filesystem;

QSize FixedTextMeasure::TextSize(const QFont& font, const QString& text) const
{
    return QSize(6 * int(text.size()), LineHeight(font));
}

int FixedTextMeasure::LineHeight(const QFont& font) const
{
    return font.pixelSize() + 2;
}

QImage filled(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage codedImage(int width, int height, int tag)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x, y, tag));
    return image;
}

QPoint codeOf(QRgb pixel)
{
    return QPoint(qRed(pixel), qGreen(pixel));
}

fs::path sampleSkins()
{
    return programFolder() / "skins";
}

void writeBmp(const fs::path& file, const QImage& image)
{
    if (!image.convertToFormat(QImage::Format_RGB888).save(QString::fromStdString(file.string()), "BMP"))
        throw std::runtime_error("cannot write " + file.string());
}

SkinFolder::SkinFolder(const std::string& name) : name_(name), folder_(dir_.path() / "skins" / name)
{
    fs::create_directories(folder_);
}

std::string SkinFolder::writeUis(const std::string& text) const
{
    const fs::path file = folder_ / (name_ + ".uis");
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
}

}  // namespace sw::test
