#include "preview/BuiltInPictures.h"

#include "preview/Blitter.h"
#include "preview/ClassicDesktop.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace sw {

QImage raisedButtonPicture(const ButtonColours& c)
{
    constexpr int S = kFallbackButtonSize;
    QImage image(S, S, kSkinFormat);
    image.fill(c.Face);
    // Inner lines first, outer lines last, so the outer ones own the corners.
    blit::fill(image, QRect(1, 1, S - 3, 1), c.Light);
    blit::fill(image, QRect(1, 1, 1, S - 3), c.Light);
    blit::fill(image, QRect(1, S - 2, S - 2, 1), c.Shadow);
    blit::fill(image, QRect(S - 2, 1, 1, S - 2), c.Shadow);
    blit::fill(image, QRect(0, 0, S - 1, 1), c.Hilight);
    blit::fill(image, QRect(0, 0, 1, S - 1), c.Hilight);
    blit::fill(image, QRect(0, S - 1, S, 1), c.DkShadow);
    blit::fill(image, QRect(S - 1, 0, 1, S), c.DkShadow);
    return image;
}

void drawSymbolGlyph(QImage& target, char glyph, QPoint at, int cellHeight, QRgb colour)
{
    if (target.isNull() || cellHeight <= 0)
        return;
    const int h = cellHeight;
    auto plot = [&](int x, int y) {
        const QPoint p = at + QPoint(x, y);
        if (target.valid(p))
            reinterpret_cast<QRgb*>(target.scanLine(p.y()))[p.x()] = colour;
    };
    // Arrows: a triangle k + 1 deep and 2k + 1 wide, centred in the cell.
    const int k = std::max(1, h * 3 / 16);
    const int centre = (h - 1) / 2;
    const int start = (h - (k + 1)) / 2;
    switch (glyph) {
    case '5':  // up
        for (int row = 0; row <= k; ++row)
            for (int x = centre - row; x <= centre + row; ++x)
                plot(x, start + row);
        break;
    case '6':  // down
        for (int row = 0; row <= k; ++row)
            for (int x = centre - (k - row); x <= centre + (k - row); ++x)
                plot(x, start + row);
        break;
    case '3':  // left
        for (int column = 0; column <= k; ++column)
            for (int y = centre - column; y <= centre + column; ++y)
                plot(start + column, y);
        break;
    case '4':  // right
        for (int column = 0; column <= k; ++column)
            for (int y = centre - (k - column); y <= centre + (k - column); ++y)
                plot(start + column, y);
        break;
    case 'o':  // size grip: three pairs of diagonal lines towards the lower right corner
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < h; ++x) {
                const int d = x + y - (h + 2);
                if (d >= 0 && d < 12 && d % 4 < 2)
                    plot(x, y);
            }
        break;
    default:
        break;
    }
}

const QImage& bannerPicture()
{
    static const QImage banner = [] {
        QImage image(kBannerWidth, kBannerHeight, kSkinFormat);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, kBannerWidth, 0);
        gradient.setColorAt(0, QColor(28, 52, 96));
        gradient.setColorAt(1, QColor(52, 126, 150));
        painter.fillRect(image.rect(), gradient);
        painter.setPen(QColor(120, 170, 210));
        painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
        // A small stack of window frames beside the name.
        const QColor frames[] = {QColor(250, 200, 90), QColor(236, 240, 246), QColor(130, 200, 230)};
        for (int i = 0; i < 3; ++i) {
            const QRect window(8 + 4 * i, 7 + 4 * i, 18, 14);
            painter.fillRect(window, QColor(40, 60, 90));
            painter.fillRect(window.adjusted(0, 0, 0, -10), frames[i]);
            painter.setPen(frames[i]);
            painter.drawRect(window.adjusted(0, 0, -1, -1));
        }
        QFont font = desktopFont({"Arial", -17, 700, false});
        painter.setFont(font);
        painter.setPen(QColor(255, 255, 255));
        painter.drawText(QRect(40, 2, kBannerWidth - 44, 22), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Skinwright"));
        font = desktopFont({"Arial", -9, 400, false});
        painter.setFont(font);
        painter.setPen(QColor(200, 224, 240));
        painter.drawText(QRect(41, 22, kBannerWidth - 44, 12), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("skin authoring suite"));
        painter.end();
        return image;
    }();
    return banner;
}

}  // namespace sw
