// A JPEG picture of a window with a see-through (magenta) corner, for the tests of the
// loose match of the see-through colour, and how far a pixel lies from magenta.
#pragma once

#include <QImage>
#include <QString>

#include <algorithm>
#include <filesystem>

namespace sw::test {

// Writes a size picture of one blue with a corner x corner magenta square at the top
// left, compressed enough that some of the magenta moves.
inline bool writeSeeThroughJpeg(const std::filesystem::path& file, QSize size, int corner)
{
    QImage window(size, QImage::Format_RGB32);
    window.fill(qRgb(40, 80, 160));
    for (int y = 0; y < corner; ++y)
        for (int x = 0; x < corner; ++x)
            window.setPixel(x, y, qRgb(255, 0, 255));
    return window.save(QString::fromStdString(file.string()), "JPEG", 70);
}

// The largest difference of one channel from magenta.
inline int distanceFromMagenta(QRgb pixel)
{
    return std::max({255 - qRed(pixel), qGreen(pixel), 255 - qBlue(pixel)});
}

}  // namespace sw::test
