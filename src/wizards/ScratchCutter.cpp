#include "wizards/ScratchCutter.h"

#include "document/AuthorDefaults.h"
#include "document/FileReference.h"
#include "document/UisFile.h"
#include "engine/FolderChange.h"
#include "preview/ClassicDesktop.h"
#include "store/CustomIniFile.h"
#include "store/FileBytes.h"
#include "store/PlatformPaths.h"
#include "store/StringOps.h"
#include "wizards/TemplatePicture.h"

#include <QImageWriter>

#include <algorithm>
#include <set>

namespace sw {

namespace fs = std::filesystem;

const char* const kNoButtonReason = "The skin must contain at least one button to continue.";
const char* const kNamesUnchangedReason =
    "Both: \"Personality Name\"  and the \"Personality File Name\" fields has to be changed to continue.";
const char* const kImageAreaReason =
    "You have not defined the area (on the template image) for one or more selected controls.";
const char* const kButtonAreaReason =
    "You have not defined the area (on the template image) for one or more created buttons.";
const char* const kFolderNameReason =
    "The personality file name must be a plain folder name: not empty, no \\ or /, not \"..\".";

BorderAreas borderAreas(QSize picture, const ScratchBorders& borders)
{
    const int w = picture.width(), h = picture.height();
    auto atLeast2 = [](int v) { return std::max(v, 2); };
    BorderAreas areas;
    areas.left = QRect(0, 0, atLeast2(borders.left), atLeast2(h));
    areas.right = QRect(w - borders.right, 0, atLeast2(borders.right), atLeast2(h));
    const int middle = atLeast2(w - borders.right - borders.left);
    areas.top = QRect(areas.left.width(), 0, middle, atLeast2(borders.top));
    areas.bottom = QRect(areas.left.width(), h - borders.bottom, middle, atLeast2(borders.bottom));
    return areas;
}

bool areaUsable(const QRect& area)
{
    return area.width() > 2 && area.height() > 2;
}

int defaultSeeThroughTolerance(const fs::path& picture)
{
    return isJpegName(picture) ? kJpegSeeThroughTolerance : 0;
}

ButtonPlacement buttonPlacement(QSize picture, const QRect& area)
{
    const QRect a = area.normalized();
    // By the button's centre: twice the centre against the picture's size.
    const bool right = a.left() + a.left() + a.width() >= picture.width();
    const bool bottom = a.top() + a.top() + a.height() >= picture.height();
    return {(right ? 1 : 0) + (bottom ? 2 : 0), right ? picture.width() - a.left() : a.left(),
            bottom ? picture.height() - a.top() : a.top()};
}

namespace {

// The pixels an edge's fixed end reaches past the outermost button it holds, so a
// button's shadow or outline just outside its marked area is not stretched either.
constexpr int kEndBeyondButton = 2;
// The room between the caption and the buttons beside it.
constexpr int kCaptionGap = 4;

}  // namespace

std::vector<std::pair<std::string, int>> buttonFrameKeys(const ScratchJob& job)
{
    const QSize size = job.picture.size();
    const BorderAreas borders = borderAreas(size, job.borders);
    // Horizontal edges are measured across (first end at the left), vertical ones down
    // (first end at the top).
    struct Edge {
        const char* name;
        QRect area;
        bool across;
        int first = 0, second = 0;
    } edges[] = {{"Top", borders.top, true}, {"Bottom", borders.bottom, true}, {"Left", borders.left, false},
                 {"Right", borders.right, false}};
    int captionStart = -1, captionEnd = -1;  // picture columns the caption must keep clear of
    for (const ScratchButton& button : job.buttons) {
        const QRect a = button.area.normalized();
        const ButtonPlacement placement = buttonPlacement(size, a);
        const bool right = placement.align & 1, bottom = placement.align & 2;
        for (Edge& edge : edges) {
            if (!edge.area.intersects(a))
                continue;
            const bool towardsSecond = edge.across ? right : bottom;
            const int start = edge.across ? edge.area.left() : edge.area.top();
            const int end = start + (edge.across ? edge.area.width() : edge.area.height());
            const int low = edge.across ? a.left() : a.top();
            const int high = low + (edge.across ? a.width() : a.height());
            if (towardsSecond)
                edge.second = std::max(edge.second, end - low + kEndBeyondButton);
            else
                edge.first = std::max(edge.first, high - start + kEndBeyondButton);
        }
        if (a.intersects(borders.top)) {
            if (right)
                captionEnd = captionEnd < 0 ? a.left() : std::min(captionEnd, a.left());
            else
                captionStart = std::max(captionStart, a.left() + a.width());
        }
    }
    std::vector<std::pair<std::string, int>> keys;
    for (Edge& edge : edges) {
        // Both ends together cannot be longer than the edge the picture gives.
        const int length = edge.across ? edge.area.width() : edge.area.height();
        edge.first = std::min(edge.first, length);
        edge.second = std::min(edge.second, length - edge.first);
        if (edge.first > 0)
            keys.emplace_back(std::string(edge.name) + "TopHeight", edge.first);
        if (edge.second > 0)
            keys.emplace_back(std::string(edge.name) + "BotHeight", edge.second);
    }
    // The caption of a left-aligned title starts TextShift plus the sizing frame after
    // the left edge, and its room ends TextRightClip minus the sizing frame before the
    // right edge.
    const int frame = desktop::FrameWidth;
    if (captionStart >= 0)
        keys.emplace_back("TextShift", std::max(captionStart + kCaptionGap - borders.left.width() - frame, 0));
    if (captionEnd >= 0)
        keys.emplace_back("TextRightClip",
                          std::max(borders.right.left() + frame - captionEnd + kCaptionGap, 0));
    return keys;
}

ScratchAuthor authorFromSettings(TCustomIniFile& settings)
{
    ScratchAuthor author;
    author.author = readAuthorField(settings, "SkinAuthor");
    author.url = readAuthorField(settings, "AuthorsURL");
    author.email = readAuthorField(settings, "AuthorEmail");
    author.notes = readAuthorField(settings, "SpecialNotes");
    return author;
}

std::vector<std::string> readinessProblems(const ScratchJob& job, bool namesUnchanged)
{
    std::vector<std::string> problems;
    if (job.buttons.empty())
        problems.push_back(kNoButtonReason);
    else if (namesUnchanged)
        problems.push_back(kNamesUnchangedReason);
    else if (!isPlainFolderName(job.fileName))
        problems.push_back(kFolderNameReason);
    if (std::any_of(job.images.begin(), job.images.end(), [](const ScratchImage& i) { return !areaUsable(i.area); }))
        problems.push_back(kImageAreaReason);
    if (std::any_of(job.buttons.begin(), job.buttons.end(),
                    [](const ScratchButton& b) { return !areaUsable(b.area); }))
        problems.push_back(kButtonAreaReason);
    return problems;
}

std::vector<std::string> cutFileNames(const ScratchJob& job)
{
    std::vector<std::string> names = {"Top.bmp", "Bottom.bmp", "Left.bmp", "Right.bmp"};
    for (std::size_t k = 0; k < job.buttons.size(); ++k)
        names.push_back("Button" + intToStr(int(k)) + ".bmp");
    // Names are compared as the engine's file system does: without regard to case.
    std::set<std::string> taken;
    for (const std::string& name : names)
        taken.insert(asciiUpper(name));
    for (const ScratchImage& image : job.images) {
        std::string name = image.attribute + ".bmp";
        if (taken.count(asciiUpper(name)))
            name = image.section + image.attribute + ".bmp";
        for (int n = 2; taken.count(asciiUpper(name)); ++n)
            name = image.section + image.attribute + intToStr(n) + ".bmp";
        taken.insert(asciiUpper(name));
        names.push_back(name);
    }
    return names;
}

fs::path scratchTemplatePath(TCustomIniFile& settings)
{
    std::string relative = settings.ReadString("NewFile", "Scratch", "template\\scratch.uis");
    std::replace(relative.begin(), relative.end(), '\\', '/');
    // Template names are matched without regard to case, as on the engine's system.
    if (auto resolved = resolveFileReference(programFolder(), relative))
        return *resolved;
    return programFolder() / relative;
}

fs::path scratchExamplePicture(TCustomIniFile& settings)
{
    std::error_code ec;
    const auto picture = resolveFileReference(scratchTemplatePath(settings).parent_path(), "scratch.bmp");
    return picture && fs::is_regular_file(*picture, ec) ? *picture : fs::path();
}

namespace {

// Cut pictures are always 24-bit, whatever the screen's depth, so the engine reads them.
bool saveBitmap(const QImage& strip, const fs::path& file, std::string& error)
{
    QImageWriter writer(QString::fromStdString(file.string()), "bmp");
    if (!strip.isNull() && writer.write(strip.convertToFormat(QImage::Format_RGB888))) {
        folderChangeStep("written");
        return true;
    }
    error = "Unable to write " + file.string() + (strip.isNull() ? std::string(" (the picture is too large)")
                                                                 : " (" + writer.errorString().toStdString() + ")");
    return false;
}

std::optional<SeeThrough> transparentColour(const ScratchJob& job)
{
    return job.useTransparency ? std::optional<SeeThrough>(SeeThrough(job.transparent, job.transparentTolerance))
                               : std::nullopt;
}

// Writes the personality `name` into the folder; returns the error, empty on success.
std::string writeScratchInto(const fs::path& staged, const ScratchJob& job, const std::string& name,
                             const fs::path& templateFile)
{
    std::string error;
    const fs::path stagedUis = staged / (name + ".uis");
    std::error_code ec;
    // The copy leaves out the template's description of itself.
    bool copied = false;
    if (fs::is_regular_file(templateFile, ec)) {
        try {
            writeFileAtomically(stagedUis, {withoutLeadingComments(readFileBytes(templateFile))});
            copied = true;
        } catch (const std::exception&) {
        }
    }
    if (!copied)
        return "Unable to copy the template personality " + templateFile.string() + " to " + stagedUis.string();
    const std::vector<std::string> files = cutFileNames(job);
    const std::optional<SeeThrough> transparent = transparentColour(job);
    const QImage picture = job.picture.convertToFormat(QImage::Format_RGB32);
    auto reference = [&name](const std::string& file) { return makeFileReference(name, file); };
    try {
        TUisFile document(stagedUis.string());
        document.WriteString("TITLEBARSKIN", "SkinName", job.author.skinName);
        document.WriteString("TITLEBARSKIN", "SkinAuthor", job.author.author);
        document.WriteString("TITLEBARSKIN", "AuthorsURL", job.author.url);
        document.WriteString("TITLEBARSKIN", "AuthorEmail", job.author.email);
        document.WriteString("TITLEBARSKIN", "SpecialNotes", job.author.notes);
        document.DeleteKey("TITLEBARSKIN", "EditorNotes");
        document.WriteString("PERSONALITY", "TOP", reference(files[0]));
        document.WriteString("PERSONALITY", "BOTTOM", reference(files[1]));
        document.WriteString("PERSONALITY", "LEFT", reference(files[2]));
        document.WriteString("PERSONALITY", "RIGHT", reference(files[3]));
        document.WriteBool("PERSONALITY", "UsesTran", job.useTransparency);
        document.UpdateFile();

        const BorderAreas borders = borderAreas(picture.size(), job.borders);
        const struct {
            const QRect& area;
            bool stacked;
        } frame[] = {{borders.top, true}, {borders.bottom, true}, {borders.left, false}, {borders.right, false}};
        for (int i = 0; i < 4; ++i)
            if (!saveBitmap(cutStateStrip(picture, frame[i].area, 2, frame[i].stacked, job.filter, transparent),
                            staged / files[std::size_t(i)], error))
                return error;

        document.WriteInteger("PERSONALITY", "ButtonCount", int(job.buttons.size()));
        std::size_t next = 4;
        for (std::size_t k = 0; k < job.buttons.size(); ++k, ++next) {
            const ScratchButton& button = job.buttons[k];
            const std::string section = "Button" + intToStr(int(k));
            const ButtonPlacement placement = buttonPlacement(picture.size(), button.area);
            document.WriteInteger(section, "Align", placement.align);
            document.WriteInteger(section, "XCoord", placement.x);
            document.WriteInteger(section, "YCoord", placement.y);
            document.WriteInteger(section, "Action", button.action + job.actionShift);
            document.WriteInteger(section, "ShiftAction", 0);
            document.WriteInteger(section, "CtrlAction", 0);
            document.WriteInteger(section, "Visibility", 0);
            document.WriteString(section, "ButtonImage", reference(files[next]));
            if (!saveBitmap(cutStateStrip(picture, button.area, 6, false, job.filter, transparent),
                            staged / files[next], error))
                return error;
        }
        // The template's ends and caption room stay where the buttons need no more.
        for (const auto& [key, least] : buttonFrameKeys(job))
            if (document.ReadInteger("PERSONALITY", key, 0) < least)
                document.WriteInteger("PERSONALITY", key, least);
        for (const ScratchImage& image : job.images) {
            document.WriteString(image.section, image.attribute, reference(files[next]));
            const int states = image.allImages ? 1 : std::clamp(image.imageCount, 1, kMaxListEntries);
            if (!saveBitmap(cutStateStrip(picture, image.area, states, false, job.filter, transparent),
                            staged / files[next], error))
                return error;
            ++next;
        }
        document.UpdateFile();
    } catch (const std::exception& failure) {
        return failure.what();
    }
    return {};
}

}  // namespace

ScratchResult createScratchPersonality(const ScratchJob& job, const fs::path& engineFolder,
                                       const fs::path& templateFile, bool replaceExisting)
{
    ScratchResult result;
    if (!isPlainFolderName(job.fileName)) {
        result.error = "\"" + job.fileName + "\" is not a plain folder name";
        return result;
    }
    const std::string& name = job.fileName;
    const fs::path folder = engineFolder / name;
    result.uisFile = folder / (name + ".uis");
    cleanFolderLeftovers(engineFolder);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(folder, ec)) && !replaceExisting) {
        result.error = folder.string() + " already exists";
        return result;
    }
    // Everything is written into a staging folder that takes the old folder's place
    // only when complete, so a failure or a kill leaves the old personality whole.
    result.error = createFolders(engineFolder);
    if (!result.error.empty())
        return result;
    try {
        FolderChange change(folder, FolderChange::Empty);
        // Messages name the personality's folder, not the staging one.
        result.error = change.inTarget(writeScratchInto(change.staging(), job, name, templateFile));
        if (!result.error.empty())
            return result;
        change.commit();
    } catch (const FolderChangeError& error) {
        result.error = error.what();
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace sw
