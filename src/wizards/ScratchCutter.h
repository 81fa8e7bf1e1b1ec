// A new personality cut from one template picture: the marked areas, the filters and
// the names, the readiness rules, and the writing of the folder, the personality file
// and its bitmaps. The picture wizard's Finish and the `cut` verb both use it.
#pragma once

#include "wizards/ScratchFilter.h"

#include <QImage>
#include <QRect>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace sw {

class TCustomIniFile;

// The border strips' sizes, in pixels.
struct ScratchBorders {
    int top = 22, left = 8, bottom = 8, right = 8;
};

// The four border areas on a picture of the given size. Every area is at least
// 2 x 2 pixels (smaller sizes mark and cut as 2); top and bottom start where the left
// area ends.
struct BorderAreas {
    QRect left, right, top, bottom;
};
BorderAreas borderAreas(QSize picture, const ScratchBorders& borders);

// A title-bar button to create.
struct ScratchButton {
    int action = 4;  // index in the action list
    QRect area;
};

// Another skin picture to cut: the attribute it is for and how many states it has.
struct ScratchImage {
    std::string section, attribute;
    int imageCount = 5;
    bool allImages = false;  // the area already holds every state: cut it once
    QRect area;
};

// An area is usable when it is wider and higher than 2 pixels.
bool areaUsable(const QRect& area);

// How far a JPEG picture's see-through pixels may lie from the chosen colour, per
// channel: compression moves them, and an exact match leaves pink fringes.
inline constexpr int kJpegSeeThroughTolerance = 24;
// The tolerance a picture starts with: kJpegSeeThroughTolerance for a JPEG file, else 0.
int defaultSeeThroughTolerance(const std::filesystem::path& picture);

// Where a cut button goes on the window. A button in the right half of the picture is
// anchored to the right edge, one in the bottom half to the bottom edge, so that it keeps
// its distance from its own edges at every window size.
struct ButtonPlacement {
    int align = 0;  // 0 top left, 1 top right, 2 bottom left, 3 bottom right
    int x = 0, y = 0;  // XCoord and YCoord: distances from the anchoring edges
    bool operator==(const ButtonPlacement&) const = default;
};
ButtonPlacement buttonPlacement(QSize picture, const QRect& area);

// The identity fields written into TITLEBARSKIN.
struct ScratchAuthor {
    std::string skinName, author, url, email, notes;
};

// The four author fields the author gave in the settings' Author section (empty where
// none was given: never a placeholder).
ScratchAuthor authorFromSettings(TCustomIniFile& settings);

struct ScratchJob {
    QImage picture;         // the template picture
    std::string fileName;   // the personality's folder and file name
    ScratchAuthor author;
    ScratchBorders borders;
    bool useTransparency = true;
    QRgb transparent = kMagenta;
    int transparentTolerance = 0;  // per channel: how far a pixel may be from the colour
    ScratchFilter filter;
    int actionShift = 0;  // added to an action index to give the written value
    std::vector<ScratchButton> buttons;
    std::vector<ScratchImage> images;  // only the ones to add
};

// The least values of PERSONALITY keys that a cut skin's buttons need: each edge's
// fixed ends reach past the buttons anchored to that end, so the stretched middle holds
// no picture of a button; the caption starts after the title bar's left-anchored buttons
// (TextShift) and ends before its right-anchored ones (TextRightClip). Keys no button
// needs are left out. In the order they are written.
std::vector<std::pair<std::string, int>> buttonFrameKeys(const ScratchJob& job);

// The reasons a job cannot be written yet, in the order they are checked (the wizard
// shows the last one). Empty when the job is ready. namesUnchanged: the wizard's name
// fields still hold their initial texts.
std::vector<std::string> readinessProblems(const ScratchJob& job, bool namesUnchanged = false);

// The texts of the reasons.
extern const char* const kNoButtonReason;
extern const char* const kImageAreaReason;
extern const char* const kButtonAreaReason;
extern const char* const kFolderNameReason;
extern const char* const kNamesUnchangedReason;

// The file names of the cut pictures, in writing order: Top, Bottom, Left, Right,
// Button<k>, then one per image. An image whose attribute name is taken already
// (several sections call their picture IMAGE) gets its section's name in front.
std::vector<std::string> cutFileNames(const ScratchJob& job);

struct ScratchResult {
    bool ok = false;
    std::filesystem::path uisFile;  // <engine>/<name>/<name>.uis
    std::string error;              // names the file that failed
};

// Writes the personality: copies the template personality and writes the keys and
// bitmaps into a staging folder that then replaces the folder <engine>/<name> whole
// (an existing one only when replaceExisting is set; nothing outside it changes), so
// a failure or a kill leaves the old folder as it was. The job must be ready.
ScratchResult createScratchPersonality(const ScratchJob& job, const std::filesystem::path& engineFolder,
                                       const std::filesystem::path& templateFile, bool replaceExisting);

// The template personality: the program folder followed by NewFile/Scratch of the
// settings (default "template\scratch.uis").
std::filesystem::path scratchTemplatePath(TCustomIniFile& settings);
// The example template picture shipped beside that template (scratch.bmp), or an
// empty path when it is not there.
std::filesystem::path scratchExamplePicture(TCustomIniFile& settings);

}  // namespace sw
