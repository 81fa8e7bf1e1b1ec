#include "preview/WindowShape.h"

#include "preview/Blitter.h"
#include "preview/TitleButtons.h"

#include <cstring>
#include <vector>

namespace sw {

QRegion magentaRegion(const QImage& source, QPoint at, bool opaque)
{
    if (source.isNull())
        return {};
    const QImage image = toSkinFormat(source);
    const int w = image.width(), h = image.height();
    // Rows with the same runs as the row above extend that row's band, so the rectangles
    // come out in the banded, sorted form QRegion keeps internally.
    std::vector<QRect> rects;
    std::size_t bandStart = 0;   // first rectangle of the current band
    std::vector<std::pair<int, int>> runs, previous;
    const uchar* bits = image.constBits();
    const qsizetype stride = image.bytesPerLine();
    const std::size_t rowBytes = std::size_t(w) * 4;
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(bits + y * stride);
        // A row equal to the one above has its runs too.
        if (y > 0 && std::memcmp(row, bits + (y - 1) * stride, rowBytes) == 0) {
            for (std::size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setHeight(rects[i].height() + 1);
            continue;
        }
        runs.clear();
        int x = 0;
        while (x < w) {
            const int start = blit::runEnd(row, x, w, opaque);
            x = blit::runEnd(row, start, w, !opaque);
            if (x > start)
                runs.emplace_back(start, x - start);
        }
        if (y > 0 && runs == previous && !runs.empty()) {
            for (std::size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setHeight(rects[i].height() + 1);
            continue;
        }
        bandStart = rects.size();
        for (const auto& [start, length] : runs)
            rects.emplace_back(at.x() + start, at.y() + y, length, 1);
        previous.swap(runs);
    }
    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), int(rects.size()));
    return region;
}

std::optional<QRegion> windowRegion(const PreviewScene& scene, const ShapeRules& rules)
{
    if (!rules.Shaped())
        return std::nullopt;
    QRegion region(0, 0, scene.ClientSize.width(), scene.ClientSize.height());
    for (const char* name : {"ImageLeft", "ImageRight", "ImageTop", "ImageBottom"}) {
        const PreviewLayer* edge = scene.Find(name);
        if (edge && !edge->Image.isNull())
            region -= magentaRegion(edge->Image, edge->Rect.topLeft());
    }
    if (rules.CombineTextBack == 1) {
        const PreviewLayer* back = scene.Find("ImageTextBack");
        if (back && back->Visible && !back->Image.isNull())
            region += magentaRegion(back->Image, back->Rect.topLeft(), true);
    }
    return region;
}

std::optional<QRegion> combineButtons(const QRegion& shape, const TTitleButtons& buttons, const ShapeRules& rules)
{
    if (!rules.Shaped())
        return std::nullopt;
    QRegion region = shape;
    bool combined = false;
    for (int i = 0; i < buttons.Count(); ++i) {
        const TitleButton& button = buttons.Button(i);
        if (button.CombineOp < 0 || !button.Layer.Visible)
            continue;
        const QRegion pixels = magentaRegion(button.Layer.Image, button.Layer.Rect.topLeft(), true);
        if (button.CombineOp != 0)
            region += pixels;
        else
            region -= pixels;
        combined = true;
    }
    if (!combined)
        return std::nullopt;
    return region;
}

long long regionArea(const QRegion& region)
{
    long long area = 0;
    for (const QRect& r : region)
        area += (long long)r.width() * r.height();
    return area;
}

}  // namespace sw
