// The suite's own pictures: the tweak tool's sample picture (tvx.jpg, the view that the
// transparency colour is laid over) and the program icon as SVG and PNGs.
#include "artwork.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

// A folder window's worth of landscape with a few desktop icons, 160 by 120.
QImage tweakSample()
{
    QImage image(160, 120, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 80);
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(1, QColor(170, 210, 240));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 90));
    p.drawEllipse(QPointF(122, 26), 13, 13);
    QPainterPath far;
    far.moveTo(0, 80);
    far.cubicTo(40, 50, 70, 60, 100, 72);
    far.cubicTo(125, 60, 145, 58, 160, 66);
    far.lineTo(160, 120);
    far.lineTo(0, 120);
    p.setBrush(QColor(70, 120, 80));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(0, 100);
    near.cubicTo(50, 82, 110, 92, 160, 86);
    near.lineTo(160, 120);
    near.lineTo(0, 120);
    p.setBrush(QColor(110, 160, 70));
    p.drawPath(near);
    // Three desktop icons down the left edge, each a sheet with a coloured badge.
    const QColor badges[3] = {QColor(200, 60, 50), QColor(230, 180, 40), QColor(60, 110, 200)};
    for (int i = 0; i < 3; ++i) {
        const QRectF sheet(8, 8 + i * 36, 18, 22);
        p.setBrush(Qt::white);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.drawRect(sheet);
        p.setPen(Qt::NoPen);
        p.setBrush(badges[i]);
        p.drawRect(sheet.adjusted(4, 8, -4, -4));
    }
    return image;
}

// The icon on a 256 unit square: a window with a dark title bar and a pen across it.
void paintIcon(QPainter& p, double scale)
{
    p.save();
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 50, 70), 8));
    p.setBrush(QColor(236, 242, 247));
    p.drawRoundedRect(QRectF(20, 36, 216, 184), 20, 20);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(34, 120, 140));
    QPainterPath bar;
    bar.addRoundedRect(QRectF(24, 40, 208, 48), 16, 16);
    bar.addRect(QRectF(24, 64, 208, 24));
    p.drawPath(bar.simplified());
    p.setBrush(QColor(240, 190, 60));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(160 + i * 24, 64), 8, 8);
    QPainterPath pen;
    pen.moveTo(92, 196);
    pen.lineTo(100, 168);
    pen.lineTo(196, 104);
    pen.lineTo(212, 128);
    pen.lineTo(116, 192);
    pen.closeSubpath();
    p.setBrush(QColor(200, 70, 50));
    p.setPen(QPen(QColor(30, 50, 70), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(pen);
    p.restore();
}

const char* kIconSvg = R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <rect x="20" y="36" width="216" height="184" rx="20" ry="20" fill="#ecf2f7" stroke="#1e3246" stroke-width="8"/>
  <path d="M40 40 H216 A16 16 0 0 1 232 56 V88 H24 V56 A16 16 0 0 1 40 40 Z" fill="#22788c"/>
  <circle cx="160" cy="64" r="8" fill="#f0be3c"/>
  <circle cx="184" cy="64" r="8" fill="#f0be3c"/>
  <circle cx="208" cy="64" r="8" fill="#f0be3c"/>
  <path d="M92 196 L100 168 L196 104 L212 128 L116 192 Z" fill="#c84632" stroke="#1e3246" stroke-width="6"
        stroke-linejoin="round" stroke-linecap="round"/>
</svg>
)";

}  // namespace

bool writeArtwork(const QString& repository)
{
    bool ok = tweakSample().save(repository + QStringLiteral("/data/tvx.jpg"), "JPG", 90);
    const QString icons = repository + QStringLiteral("/desktop/icons");
    QDir().mkpath(icons);
    QFile svg(icons + QStringLiteral("/skinwright.svg"));
    ok = ok && svg.open(QIODevice::WriteOnly) && svg.write(kIconSvg) > 0;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QImage icon(size, size, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        QPainter painter(&icon);
        paintIcon(painter, size / 256.0);
        painter.end();
        ok = icon.save(icons + QStringLiteral("/skinwright-%1.png").arg(size), "PNG") && ok;
    }
    if (!ok)
        std::fprintf(stderr, "skingen: the artwork could not be written under %s\n", qPrintable(repository));
    return ok;
}
