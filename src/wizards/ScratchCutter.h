// A new personality cut from one template picture: the marked areas, the filters and
// the names, the readiness rules, and the writing of the folder, the personality file
// and its bitmaps. The picture wizard's Finish and the `cut` verb both use it.
#pragma once

#include "wizards/ScratchFilter.h"

#include <QImage>
#include <QRect>

#include <filesystem>
#include <string>
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
    ScratchFilter filter;
    int actionShift = 0;  // added to an action index to give the written value
    std::vector<ScratchButton> buttons;
    std::vector<ScratchImage> images;  // only the ones to add
};


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

}  // namespace sw
