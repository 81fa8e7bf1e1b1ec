#include "preview/DrawSkinBitmap.h"

#include "preview/Blitter.h"

#include <algorithm>

namespace sw {

namespace {

constexpr uint32_t kBlank = 0xFFFFFFFFu;  // what a freshly sized bitmap shows

// A rectangle from its left, top, right and bottom sides (right and bottom exclusive).
QRect sides(int l, int t, int r, int b)
{
    return QRect(l, t, r - l, b - t);
}

// Gives dest the size w x h in the skin format. Pixels it had stay where they were
// and new ones are blank, unless everything is about to be drawn over anyway.
void resizeDest(QImage& dest, int w, int h, bool allDrawn)
{
    if (dest.width() == w && dest.height() == h && dest.format() == kSkinFormat)
        return;
    if (w <= 0 || h <= 0) {
        dest = QImage();
        return;
    }
    QImage sized(w, h, kSkinFormat);
    if (!allDrawn) {
        sized.fill(kBlank);
        if (!dest.isNull())
            blit::copy(toSkinFormat(dest), dest.rect(), sized, QPoint(0, 0));
    }
    dest = std::move(sized);
}

}  // namespace

QRect skinFrameRect(QSize bitmap, int layout, int frameIndex, int frameCount)
{
    if (frameCount < 1)
        frameCount = 1;
    const int w = bitmap.width(), h = bitmap.height();
    // A frame far outside the strip stays far outside it, without overflowing.
    const auto along = [&](int64_t size) {
        const int64_t start = size * (int64_t(frameIndex) - 1);
        return int(std::clamp<int64_t>(start, -(int64_t(1) << 30), int64_t(1) << 30));
    };
    switch (layout) {
    case LayoutStacked: {
        const int fh = h / frameCount;
        return QRect(0, along(fh), w, fh);
    }
    case LayoutSideBySide: {
        const int fw = w / frameCount;
        return QRect(along(fw), 0, fw, h);
    }
    default:
        return QRect(0, 0, w, h);
    }
}

bool DrawSkinBitmap(const QImage& sourceImage, QImage& dest, int left, int top, int right, int bottom, int height,
                    int width, int layout, int frameIndex, int frameCount, int mode)
{
    // Everything is checked and converted once, here.
    const QImage source = toSkinFormat(sourceImage);  // shares the pixels when nothing needs converting
    // Margins beyond any bitmap's size change nothing but the arithmetic's safety.
    constexpr int largestMargin = 1 << 24;
    left = std::clamp(left, 0, largestMargin);
    top = std::clamp(top, 0, largestMargin);
    right = std::clamp(right, 0, largestMargin);
    bottom = std::clamp(bottom, 0, largestMargin);
    const QRect frame = skinFrameRect(source.size(), layout, frameIndex, frameCount);
    const int FL = frame.left(), FT = frame.top(), FR = FL + frame.width(), FB = FT + frame.height();
    const QRect inner = sides(FL + left, FT + top, FR - right, FB - bottom);
    const int innerW = inner.width(), innerH = inner.height();

    if (mode != ModeCentre) {
        const int h = std::max(height < 0 ? FB - FT : height, 0);
        const int w = std::max(width < 0 ? FR - FL : width, 0);
        const bool fillingMode = mode == ModeStretch || mode == ModeTile || mode == ModeHollow || mode == ModeTileAcross;
        const bool allDrawn = fillingMode && !source.isNull() && source.rect().contains(frame) && innerW > 0 &&
                              innerH > 0 && w >= left + right && h >= top + bottom;
        resizeDest(dest, w, h, allDrawn);
    } else if (!dest.isNull() && dest.format() != kSkinFormat) {
        dest = dest.convertToFormat(kSkinFormat);
    }
    if (dest.isNull() || source.isNull())
        return true;
    const int DW = dest.width(), DH = dest.height();

    // The middle.
    switch (mode) {
    case ModeStretch:
        blit::stretch(source, inner, dest, sides(left, top, DW - right, DH - bottom));
        break;
    case ModeStretchAcross:
        blit::stretch(source, sides(inner.left(), inner.top(), inner.left() + innerW, FT + top + (DH - bottom)), dest,
                      sides(left, top, DW - right, DH - bottom));
        break;
    case ModeTile:
        blit::tile(source, inner, dest, sides(left, top, DW, DH));
        break;
    case ModeHollow:
        blit::fill(dest, sides(left, top, DW - right, DH - bottom), kMagenta);
        break;
    case ModeTileAcross: {
        const int workH = DH - bottom - top;
        // The middle, stretched to the height, is repeated across; where it is wider
        // than the room it is drawn once, so only the columns that show are made.
        const int usedW = std::min(innerW, std::max(0, DW - left));
        if (usedW > 0 && workH > 0) {
            QImage work(usedW, workH, kSkinFormat);
            work.fill(kBlank);
            blit::stretch(source, QRect(inner.left(), inner.top(), usedW, inner.height()), work, work.rect());
            blit::tile(work, work.rect(), dest, sides(left, top, DW, top + workH));
        }
        break;
    }
    case ModeCentre:
        if (innerW > 0 && innerH > 0)
            blit::copyTransparent(source, inner, dest,
                                  QPoint((DW + inner.left() - (FR - right)) / 2, (DH + inner.top() - (FB - bottom)) / 2));
        break;
    default:
        break;
    }

    // The left and right edges: stretched down, or tiled downwards from Top.
    const bool stretchSides = mode == ModeStretch || mode == ModeHollow || mode == ModeTileAcross;
    const auto sideEdge = [&](int sourceLeft, int margin, int destLeft) {
        const QRect strip = sides(sourceLeft, FT + top, sourceLeft + margin, FB - bottom);
        if (stretchSides)
            blit::stretch(source, strip, dest, sides(destLeft, top, destLeft + margin, DH - bottom));
        else
            blit::tile(source, strip, dest, sides(destLeft, top, destLeft + strip.width(), DH));
    };
    if (left != 0)
        sideEdge(FL, left, 0);
    if (right != 0)
        sideEdge(FR - right, right, DW - right);

    // The top and bottom edges: stretched across, or tiled across from Left.
    const bool stretchEnds = mode == ModeStretch || mode == ModeHollow;
    const auto endEdge = [&](int sourceTop, int margin, int destTop) {
        const QRect strip = sides(FL + left, sourceTop, FR - right, sourceTop + margin);
        if (stretchEnds)
            blit::stretch(source, strip, dest, sides(left, destTop, DW - right, destTop + margin));
        else
            blit::tile(source, strip, dest, sides(left, destTop, DW, destTop + strip.height()));
    };
    if (top != 0)
        endEdge(FT, top, 0);
    if (bottom != 0)
        endEdge(FB - bottom, bottom, DH - bottom);

    // The corners, one to one.
    if (left != 0 && top != 0)
        blit::copy(source, sides(FL, FT, FL + left, FT + top), dest, QPoint(0, 0));
    if (right != 0 && top != 0)
        blit::copy(source, sides(FR - right, FT, FR, FT + top), dest, QPoint(DW - right, 0));
    if (left != 0 && bottom != 0)
        blit::copy(source, sides(FL, FB - bottom, FL + left, FB), dest, QPoint(0, DH - bottom));
    if (right != 0 && bottom != 0)
        blit::copy(source, sides(FR - right, FB - bottom, FR, FB), dest, QPoint(DW - right, DH - bottom));
    return true;
}

}  // namespace sw
