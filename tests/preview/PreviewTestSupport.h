// Helpers of the preview tests: pictures whose pixels say where they came from,
// personalities written into temporary folders, and text metrics that do not
// depend on the fonts installed.
#pragma once

#include "preview/TextMeasure.h"
#include "support/TempDir.h"

#include <QImage>

#include <filesystem>
#include <ostream>
#include <string>

// Lets GoogleTest show texts as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace sw::test {

// Every character 6 pixels wide; a line 2 pixels higher than the font's pixel size.
class FixedTextMeasure : public TTextMeasure {
public:
    QSize TextSize(const QFont& font, const QString& text) const override;
    int LineHeight(const QFont& font) const override;
};

// A 32-bit picture of one colour.
QImage filled(int width, int height, QRgb colour);

// A picture whose pixel (x, y) is red x, green y, blue `tag` (x and y below 256).
QImage codedImage(int width, int height, int tag = 0);
// The position a pixel of a coded image came from.
QPoint codeOf(QRgb pixel);

// The folder of the sample personalities shipped beside the program.
std::filesystem::path sampleSkins();

// Writes a 24-bit BMP file.
void writeBmp(const std::filesystem::path& file, const QImage& image);

// A skins root ("skins" in a temporary folder) with one personality folder in it.
class SkinFolder {
public:
    explicit SkinFolder(const std::string& name = "Sample");
    // The temporary folder that holds the skins root.
    const std::filesystem::path& temporary() const { return dir_.path(); }
    const std::filesystem::path& folder() const { return folder_; }
    std::string name() const { return name_; }
    // Writes the personality file (name.uis) and returns its path.
    std::string writeUis(const std::string& text) const;
    void writeBitmap(const std::string& file, const QImage& image) const { writeBmp(folder_ / file, image); }

private:
    TempDir dir_;
    std::string name_;
    std::filesystem::path folder_;
};

}  // namespace sw::test
