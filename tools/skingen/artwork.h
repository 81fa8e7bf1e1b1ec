// The suite's own pictures, drawn here so anyone can remake them.
#pragma once

#include <QString>

// Writes data/tvx.jpg and desktop/icons/ (SVG and PNGs) under the repository folder.
bool writeArtwork(const QString& repository);
