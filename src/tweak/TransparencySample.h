// The sample of the Explorer transparency colour: a coloured shape laid over the
// sample picture, by masking for the plain colours and by exclusive-or for the
// inverse ones, or a plain white shape when the background is not transparent.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QStringList>

namespace sw::tweak {

// The sixteen transparency colours in the engine's order.
QStringList transparencyColourNames();
// The colour of the shape for one of them.
QColor shapeColour(int index);
// Where the shape lies in a sample of this size (its outline included).
QRect shapeRect(QSize size);

// The sample as shown: over the picture when transparent, over `background` otherwise.
QImage transparencySample(const QImage& picture, int index, bool transparent, QColor background);

}  // namespace sw::tweak
