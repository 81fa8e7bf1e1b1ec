// The editor's one numbered icon set (ImageListGlyphs and ImageListBigGlyphs):
// attribute types and editor kinds, tree nodes, validator findings, palette states
// and menu images are all addressed by their number in it.
#pragma once

#include <QIcon>
#include <QPixmap>

#include <vector>

namespace sw {

// The numbers that have a picture of their own, in ascending order.
const std::vector<int>& glyphIndices();

// The small (16 x 16) or big (32 x 32) picture of a number; numbers without a picture
// of their own get a plain grey square with the number in it.
QPixmap glyphPixmap(int index, int size = 16);
QIcon glyphIcon(int index);

// A short description of what the number stands for, for the debug totals window.
QString glyphMeaning(int index);

}  // namespace sw
