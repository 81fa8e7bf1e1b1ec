// The source bitmaps of one preview window, loaded from the personality's files by
// LoadSkin, with a presence flag for each optional element. The composition cuts
// every layer out of these.
#pragma once

#include "preview/ImageCache.h"
#include "preview/PreviewSettings.h"

#include <QImage>
#include <QRgb>

#include <string>
#include <vector>

namespace sw {

class TUisFile;

class TPreviewSources {
public:
    // The window edges. Version 1p personalities keep both side edges in one bitmap
    // (left half, right half) and the bottom and top edges in another (4 rows per
    // frame of bottom edge, then the top edge); they arrive here already split.
    QImage Left, Right, Top, Bottom;
    QImage Progress, TextBack, PushButton, DialogBack, MenuBar, CheckBox, RadioButton;
    QImage TabBorder, Tabs, ScrollArrows, HorzThumb, HorzTrack, VertThumb, VertTrack;
    QImage AuthorLogo;

    // Cleared when the document has no preview or an edge bitmap is missing; the
    // composition does nothing then and the window keeps its last picture.
    bool PreviewAvailable = false;
    bool HasProgress = false, HasTextBack = false, HasDialogBack = false, HasMenuBar = false;
    bool HasTabBorder = false, HasTabs = false, HasScrollArrows = false;
    bool HasHorzThumb = false, HasHorzTrack = false, HasVertThumb = false, HasVertTrack = false;

    // The plain menu bar's colour (without a menu bar bitmap) and the menu text colour.
    QRgb MenuColour = 0, MenuTextColour = 0;

    // What the loaded bitmaps leave of the personality's budget of decoded pixels;
    // the title-bar buttons take theirs from it.
    PixelBudget Budget;
    // "file: reason" for each named file that exists but was not drawn (not a
    // bitmap, damaged, past the budget), in load order.
    std::vector<std::string> Refused;

    // Loads every source of the document. A file that is missing (or cannot be
    // decoded) leaves its source as it was and clears its flag.
    void LoadSkin(TUisFile& document, const PreviewSettings& settings, TImageCache& cache = TImageCache::Shared());
};

}  // namespace sw
