#include "wizards/ScratchFilter.h"

#include <algorithm>

namespace sw {

int filterOffset(FilterStyle style, int amount)
{
    return std::clamp(amount, 0, 255) * (int(style) - 1);
}

CopyFilter copyFilterFor(const ScratchFilter& filter, bool active)
{
    CopyFilter copy;
    if (filter.grayscale) {
        // Active pictures keep their colours; only the inactive ones are greyed.
        if (!active) {
            copy.gray = true;
            copy.brightness = filterOffset(filter.brightnessStyle, filter.brightness);
        }
        return copy;
    }
    auto channel = [active](const ChannelFilter& c) { return c.active == active ? filterOffset(c.style, c.amount) : 0; };
    copy.red = channel(filter.red);
    copy.green = channel(filter.green);
    copy.blue = channel(filter.blue);
    return copy;
}

namespace {

inline int clampByte(int value)
{
    return value < 0 ? 0 : value > 255 ? 255 : value;
}

inline bool withinTolerance(QRgb pixel, QRgb key, int tolerance)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        const int difference = int((pixel >> shift) & 0xFF) - int((key >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance)
            return false;
    }
    return true;
}

// One row of pixels; the filter and transparency are fixed for the whole copy, so
// the branches below are taken the same way for every pixel.
void filterRow(QRgb* row, int count, const CopyFilter& filter, bool useTransparent, QRgb transparent, int tolerance)
{
    for (QRgb* end = row + count; row != end; ++row) {
        const QRgb pixel = *row & 0x00FFFFFFu;
        if (useTransparent &&
            (pixel == transparent || (tolerance > 0 && withinTolerance(pixel, transparent, tolerance)))) {
            *row = kMagenta;
            continue;
        }
        const int r = int(pixel >> 16) & 0xFF, g = int(pixel >> 8) & 0xFF, b = int(pixel) & 0xFF;
        if (filter.gray) {
            const int v = clampByte((r + g + b) / 3 + filter.brightness);
            *row = 0xFF000000u | QRgb(v) << 16 | QRgb(v) << 8 | QRgb(v);
        } else {
            *row = 0xFF000000u | QRgb(clampByte(r + filter.red)) << 16 | QRgb(clampByte(g + filter.green)) << 8 |
                   QRgb(clampByte(b + filter.blue));
        }
    }
}

}  // namespace

void filteredCopy(const QImage& picture, const QRect& area, QImage& target, QPoint at, const CopyFilter& filter,
                  std::optional<SeeThrough> transparent)
{
    Q_ASSERT(target.format() == QImage::Format_RGB32);
    const QRect destination = QRect(at, area.size()) & target.rect();
    if (destination.isEmpty())
        return;
    const QImage source = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    const QPoint shift = area.topLeft() - at;  // picture position = target position + shift
    const QRect inside = destination & source.rect().translated(-shift);
    // What the picture does not cover stays see-through.
    if (inside != destination)
        for (int y = destination.top(); y <= destination.bottom(); ++y)
            std::fill_n(reinterpret_cast<QRgb*>(target.scanLine(y)) + destination.left(), destination.width(), kMagenta);
    if (inside.isEmpty())
        return;
    const bool useTransparent = transparent.has_value();
    const QRgb key = useTransparent ? (transparent->colour & 0x00FFFFFFu) : 0;
    const int tolerance = useTransparent ? std::clamp(transparent->tolerance, 0, 255) : 0;
    const qsizetype sourceStride = source.bytesPerLine(), targetStride = target.bytesPerLine();
    const uchar* from = source.constBits() + (inside.top() + shift.y()) * sourceStride +
                        (inside.left() + shift.x()) * qsizetype(sizeof(QRgb));
    uchar* to = target.bits() + inside.top() * targetStride + inside.left() * qsizetype(sizeof(QRgb));
    const int width = inside.width();
    const bool filtering = filter.changesPixels() || useTransparent;
    for (int height = inside.height(); height--; from += sourceStride, to += targetStride) {
        QRgb* row = reinterpret_cast<QRgb*>(to);
        const QRgb* in = reinterpret_cast<const QRgb*>(from);
        for (int i = 0; i < width; ++i)
            row[i] = in[i] | 0xFF000000u;
        if (filtering)
            filterRow(row, width, filter, useTransparent, key, tolerance);
    }
}

QImage cutStateStrip(const QImage& picture, const QRect& area, int states, bool stacked, const ScratchFilter& filter,
                     std::optional<SeeThrough> transparent)
{
    states = std::max(states, 1);
    const QRect cut = area.normalized();
    // A strip no bitmap file can hold is refused before anything is allocated: a
    // catalogue may ask for thousands of states of a large area.
    const qint64 width = stacked ? qint64(cut.width()) : qint64(cut.width()) * states;
    const qint64 height = stacked ? qint64(cut.height()) * states : qint64(cut.height());
    constexpr qint64 kMaxSide = 32767, kMaxPixels = qint64(1) << 28;
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
        return QImage();
    QImage strip(int(width), int(height), QImage::Format_RGB32);
    if (strip.isNull())
        return strip;
    strip.fill(kMagenta);
    // One copy is the picture as it is (a dialog's background, a strip that holds all
    // its states): filtering it as inactive would change colours the author chose.
    const CopyFilter activeFilter = states == 1 ? CopyFilter{} : copyFilterFor(filter, true);
    const CopyFilter inactiveFilter = states == 1 ? CopyFilter{} : copyFilterFor(filter, false);
    for (int i = 1; i <= states; ++i) {
        const QPoint at = stacked ? QPoint(0, (i - 1) * cut.height()) : QPoint((i - 1) * cut.width(), 0);
        filteredCopy(picture, cut, strip, at, i <= states / 2 ? activeFilter : inactiveFilter, transparent);
    }
    return strip;
}

}  // namespace sw
