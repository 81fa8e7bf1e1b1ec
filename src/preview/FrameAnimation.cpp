#include "preview/FrameAnimation.h"

#include "document/UisFile.h"
#include "preview/Blitter.h"
#include "preview/DrawSkinBitmap.h"
#include "preview/PreviewSources.h"
#include "preview/SceneRenderer.h"
#include "preview/TitleButtons.h"

#include <algorithm>

namespace sw {

bool animationAllowed(int formatVersion, int interval, const std::array<EdgeParameters, 4>& edges)
{
    if (formatVersion != UisType2 && formatVersion != UisType1p)
        return false;
    if (interval == 0)
        return false;
    return std::all_of(edges.begin(), edges.end(), [](const EdgeParameters& e) { return e.FrameCount >= 2; });
}

int nextAnimationFrame(int frame, int frameCount)
{
    // With fewer than two frames the cycle would divide by zero; it stays on frame 1.
    if (frameCount < 2)
        return 1;
    return std::max((frame + 1) % (frameCount - 1), 1);
}

namespace {

bool strictlyInside(const QRect& r, QPoint p)
{
    return p.x() > r.left() && p.x() < r.left() + r.width() && p.y() > r.top() && p.y() < r.top() + r.height();
}

// The part `rect` of `window` as a picture of its own, drawing straight into the window.
QImage partOf(QImage& window, const QRect& rect)
{
    uchar* bits = window.bits() + qsizetype(rect.top()) * window.bytesPerLine() + qsizetype(rect.left()) * 4;
    return QImage(bits, rect.width(), rect.height(), window.bytesPerLine(), window.format());
}

// Whether the edges can be drawn where they lie in the window: each one inside it
// and none over another, so the order in which they are laid down does not matter.
bool edgesApart(const std::array<QRect, 4>& rects, const QImage& window)
{
    if (window.format() != kSkinFormat)
        return false;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].isEmpty() || !window.rect().contains(rects[i]))
            return false;
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            if (rects[i].intersects(rects[j]))
                return false;
    }
    return true;
}

}  // namespace

void FastPaint(const TPreviewSources& sources, const PreviewScene& scene, const std::array<int, 4>& frames,
               const TTitleButtons* buttons, AnimationBuffers& buffers, QImage& window)
{
    const PreviewLayer* left = scene.Find("ImageLeft");
    const PreviewLayer* right = scene.Find("ImageRight");
    const PreviewLayer* top = scene.Find("ImageTop");
    const PreviewLayer* bottom = scene.Find("ImageBottom");
    if (!left || !right || !top || !bottom)
        return;
    const int ch = scene.ClientSize.height();
    const int topWidth = top->Rect.width();
    auto edge = [&](Edge e) -> const EdgeParameters& { return scene.Edges[std::size_t(e)]; };
    auto frame = [&](Edge e) { return frames[std::size_t(e)]; };

    // Each edge is drawn into its place in the window when the edges lie apart there,
    // else into a bitmap of its own that is copied in at the end.
    std::array<QRect, 4> rects;
    rects[EdgeLeft] = left->Rect;
    rects[EdgeRight] = right->Rect;
    rects[EdgeTop] = top->Rect;
    rects[EdgeBottom] = bottom->Rect;
    const bool direct = edgesApart(rects, window);
    std::array<QImage, 4> parts;
    std::array<QImage*, 4> images;
    for (std::size_t e = 0; e < 4; ++e) {
        if (direct)
            parts[e] = partOf(window, rects[e]);
        images[e] = direct ? &parts[e] : &buffers.Edges[e];
    }
    QImage& leftImage = *images[EdgeLeft];
    QImage& rightImage = *images[EdgeRight];
    QImage& topImage = *images[EdgeTop];
    QImage& bottomImage = *images[EdgeBottom];
    std::array<const uchar*, 4> placed;
    for (std::size_t e = 0; e < 4; ++e)
        placed[e] = images[e]->constBits();

    const EdgeParameters& l = edge(EdgeLeft);
    DrawSkinBitmap(sources.Left, leftImage, 0, l.FirstEnd, 0, l.SecondEnd, ch, -1, LayoutSideBySide, frame(EdgeLeft),
                   l.FrameCount, l.Mode());
    const EdgeParameters& r = edge(EdgeRight);
    DrawSkinBitmap(sources.Right, rightImage, 0, r.FirstEnd, 0, r.SecondEnd, ch, -1, LayoutSideBySide,
                   frame(EdgeRight), r.FrameCount, r.Mode());
    const EdgeParameters& t = edge(EdgeTop);
    DrawSkinBitmap(sources.Top, topImage, t.FirstEnd, 0, t.SecondEnd, 0, -1, topWidth, LayoutStacked, frame(EdgeTop),
                   t.FrameCount, t.Mode());
    const EdgeParameters& b = edge(EdgeBottom);
    DrawSkinBitmap(sources.Bottom, bottomImage, b.FirstEnd, 0, b.SecondEnd, 0, -1, topWidth, LayoutStacked,
                   frame(EdgeBottom), b.FrameCount, b.Mode());

    const QPoint topAt = top->Rect.topLeft();
    // The caption background is hidden as a layer while the edges animate: whether it
    // exists is the source's business.
    if (const PreviewLayer* back = scene.Find("ImageTextBack"); sources.HasTextBack && back && !back->Image.isNull())
        blit::copyTransparent(toSkinFormat(back->Image), back->Image.rect(), topImage,
                              QPoint(back->Rect.left() - topAt.x(), back->Rect.top() - topAt.y()));

    if (const PreviewLayer* caption = scene.Find("LabelFormCaption"); caption && caption->Visible && !topImage.isNull()) {
        // The caption and its shadows in the top edge's own coordinates; each frame of
        // the edge gives them the same pixels every time it comes round again.
        auto draw = [&](const PreviewLayer& label) {
            PreviewLayer onEdge = label;
            onEdge.Rect.translate(-topAt);
            drawLabelReusingPrint(onEdge, topImage);
        };
        const PreviewLayer* shadow1 = scene.Find("LabelFormCaptionShadow1");
        const PreviewLayer* shadow2 = scene.Find("LabelFormCaptionShadow2");
        if (shadow1 && shadow1->Visible)
            draw(*shadow1);
        if (shadow2 && shadow2->Visible)
            for (const char* name : {"LabelFormCaptionShadow2", "LabelFormCaptionShadow3", "LabelFormCaptionShadow4"})
                if (const PreviewLayer* shadow = scene.Find(name))
                    draw(*shadow);
        draw(*caption);
    }

    if (buttons) {
        struct Target {
            QImage* image;
            QRect rect;
        };
        const Target targets[] = {{&leftImage, QRect(left->Rect.topLeft(), leftImage.size())},
                                  {&topImage, QRect(topAt, topImage.size())},
                                  {&bottomImage, QRect(bottom->Rect.topLeft(), bottomImage.size())},
                                  {&rightImage, QRect(right->Rect.topLeft(), rightImage.size())}};
        for (int index : buttons->Order()) {
            const PreviewLayer& layer = buttons->Button(index).Layer;
            if (!layer.Visible || layer.Image.isNull())
                continue;
            const QRect br = layer.Rect;
            const QPoint corners[] = {br.topLeft(), QPoint(br.left() + br.width(), br.top()),
                                      QPoint(br.left(), br.top() + br.height()),
                                      QPoint(br.left() + br.width(), br.top() + br.height())};
            for (const Target& target : targets) {
                if (std::none_of(std::begin(corners), std::end(corners),
                                 [&](QPoint p) { return strictlyInside(target.rect, p); }))
                    continue;
                blit::copyTransparent(toSkinFormat(layer.Image), layer.Image.rect(), *target.image,
                                      br.topLeft() - target.rect.topLeft());
            }
        }
    }

    // An edge drawn into a bitmap of its own (the edges overlap, or it came out another
    // size than its place) is copied in now, in the order left, right, bottom, top.
    for (Edge e : {EdgeLeft, EdgeRight, EdgeBottom, EdgeTop}) {
        const QImage& image = *images[e];
        if (!direct || image.constBits() != placed[e] || image.size() != rects[e].size())
            blit::copy(image, image.rect(), window, rects[e].topLeft());
    }
}

}  // namespace sw
