// The animation of the window's edges: the frame cycle of each edge and the quick
// repaint that redraws only the edges (with the caption and the title-bar buttons
// painted onto them) straight into the window's picture, without composing anew.
#pragma once

#include "preview/PreviewScene.h"

#include <QImage>

#include <array>

namespace sw {

class TPreviewSources;
class TTitleButtons;

// Whether the edges can animate: a version 2 or 1p document, a non-zero interval and
// at least two frames on each of the four edges.
bool animationAllowed(int formatVersion, int interval, const std::array<EdgeParameters, 4>& edges);

// The frame after `frame` of an edge with `frameCount` frames: 1, 2 ... N - 2, 1 ...
int nextAnimationFrame(int frame, int frameCount);

// The edge bitmaps of the last quick repaint that could not draw straight into the
// window, kept so that each tick reuses their memory.
struct AnimationBuffers {
    std::array<QImage, 4> Edges;  // by Edge
};

// Redraws the four edges of `scene` in the frames `frames` (by Edge) into `window`, the
// window's picture, at their layers' places: straight into it where the edges lie
// apart inside it, else into bitmaps of their own copied in left, right, bottom, top.
// The caption background, the caption with its shadows and the visible title-bar
// buttons are painted onto the edges.
void FastPaint(const TPreviewSources& sources, const PreviewScene& scene, const std::array<int, 4>& frames,
               const TTitleButtons* buttons, AnimationBuffers& buffers, QImage& window);

}  // namespace sw
