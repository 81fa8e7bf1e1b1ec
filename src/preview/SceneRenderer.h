// Paints a composed scene: the window's background colour, then every visible layer
// from the bottom of the stack up, magenta left out of transparent images. Pixels
// that an opaque layer higher up paints over are not painted first by the ones below.
#pragma once

#include "preview/PreviewScene.h"

#include <QImage>

namespace sw {

// Paints into `target`, which takes the scene's client size (its memory is reused
// when the size does not change).
void RenderScene(const PreviewScene& scene, QImage& target);

QImage RenderScene(const PreviewScene& scene);

// Draws a label's text into `target` as the scene's paint does, copying the pixels
// it left last time when the same label lies over the same pixels again.
void drawLabelReusingPrint(const PreviewLayer& label, QImage& target);

// Combines a banner colour with a pixel below it as the raster operation says.
QRgb combineRaster(RasterOp op, QRgb colour, QRgb below);

}  // namespace sw
