#include "preview/FrameAnimation.h"

#include "document/UisFile.h"
#include "preview/Blitter.h"
#include "preview/DrawSkinBitmap.h"
#include "preview/PreviewSources.h"
#include "preview/TitleButtons.h"

#include <QPainter>

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

void drawCaptionText(QPainter& painter, const PreviewLayer& label, QPoint shift, QRgb colour)
{
    if (label.Text.isEmpty())
        return;
    const QRect rect = label.Rect.translated(shift);
    painter.setClipRect(rect);
    painter.setFont(label.Font);
    painter.setPen(QColor::fromRgb(colour));
    painter.drawText(rect, Qt::AlignTop | Qt::AlignLeft | Qt::TextSingleLine, label.Text);
}

bool strictlyInside(const QRect& r, QPoint p)
{
    return p.x() > r.left() && p.x() < r.left() + r.width() && p.y() > r.top() && p.y() < r.top() + r.height();
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

    QImage& leftImage = buffers.Edges[EdgeLeft];
    QImage& rightImage = buffers.Edges[EdgeRight];
    QImage& topImage = buffers.Edges[EdgeTop];
    QImage& bottomImage = buffers.Edges[EdgeBottom];
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
        QPainter painter(&topImage);
        const QPoint shift(-topAt.x(), -topAt.y());
        const PreviewLayer* shadow1 = scene.Find("LabelFormCaptionShadow1");
        const PreviewLayer* shadow2 = scene.Find("LabelFormCaptionShadow2");
        if (shadow1 && shadow1->Visible)
            drawCaptionText(painter, *shadow1, shift, shadow1->TextColour);
        if (shadow2 && shadow2->Visible)
            for (const char* name : {"LabelFormCaptionShadow2", "LabelFormCaptionShadow3", "LabelFormCaptionShadow4"})
                if (const PreviewLayer* shadow = scene.Find(name))
                    drawCaptionText(painter, *shadow, shift, shadow->TextColour);
        drawCaptionText(painter, *caption, shift, caption->TextColour);
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

    blit::copy(leftImage, leftImage.rect(), window, left->Rect.topLeft());
    blit::copy(rightImage, rightImage.rect(), window, right->Rect.topLeft());
    blit::copy(bottomImage, bottomImage.rect(), window, bottom->Rect.topLeft());
    blit::copy(topImage, topImage.rect(), window, topAt);
}

}  // namespace sw
