#include "tweak/TransparencySample.h"

#include <QPainter>

#include <algorithm>

namespace sw::tweak {

QStringList transparencyColourNames()
{
    return {QStringLiteral("Cyan"),
            QStringLiteral("Yellow"),
            QStringLiteral("Magenta"),
            QStringLiteral("Red"),
            QStringLiteral("Green"),
            QStringLiteral("Blue"),
            QStringLiteral("Dark green"),
            QStringLiteral("Clear"),
            QStringLiteral("Inverse Cyan (Red)"),
            QStringLiteral("Inverse Yellow (Blue)"),
            QStringLiteral("Inverse Magenta (Green)"),
            QStringLiteral("Inverse Red (Cyan)"),
            QStringLiteral("Inverse Green (Magenta)"),
            QStringLiteral("Inverse Blue (Yellow)"),
            QStringLiteral("Inverse Dark Green (Dark Magenta)"),
            QStringLiteral("Inverse Image (Black)")};
}

QColor shapeColour(int index)
{
    switch (index) {
    case 0: return QColor(0, 255, 255);
    case 1: case 9: return QColor(255, 255, 0);
    case 2: return QColor(255, 0, 255);
    case 3: case 8: case 11: return QColor(255, 0, 0);
    case 4: case 6: case 12: return QColor(0, 255, 0);
    case 5: case 13: return QColor(0, 0, 255);
    case 10: case 14: return QColor(0, 128, 0);
    default: return QColor(255, 255, 255);
    }
}

QRect shapeRect(QSize size)
{
    return QRect(size.width() / 4, size.height() / 4, std::max(3, size.width() / 2), std::max(3, size.height() / 2));
}

QImage transparencySample(const QImage& picture, int index, bool transparent, QColor background)
{
    const QSize size = picture.isNull() ? QSize(160, 120) : picture.size();
    QImage sample(size, QImage::Format_RGB32);
    if (transparent && !picture.isNull()) {
        QPainter copy(&sample);
        copy.drawImage(0, 0, picture);
    } else {
        sample.fill(background);
    }
    const QRect shape = shapeRect(size);
    if (!transparent) {
        QPainter painter(&sample);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRect(shape.adjusted(0, 0, -1, -1));
        return sample;
    }
    const bool exclusiveOr = index >= 8;
    const QRgb fill = shapeColour(index).rgb() & 0xFFFFFF;
    const QRgb outline = exclusiveOr ? 0xFFFFFF : 0x000000;
    const int left = std::max(0, shape.left()), right = std::min(size.width() - 1, shape.right());
    const int top = std::max(0, shape.top()), bottom = std::min(size.height() - 1, shape.bottom());
    for (int y = top; y <= bottom; ++y) {
        auto* row = reinterpret_cast<QRgb*>(sample.scanLine(y));
        const bool edgeRow = y == shape.top() || y == shape.bottom();
        for (int x = left; x <= right; ++x) {
            const bool edge = edgeRow || x == shape.left() || x == shape.right();
            const QRgb colour = edge ? outline : fill;
            const QRgb pixel = row[x] & 0xFFFFFF;
            row[x] = 0xFF000000u | (exclusiveOr ? pixel ^ colour : pixel & colour);
        }
    }
    return sample;
}

}  // namespace sw::tweak
