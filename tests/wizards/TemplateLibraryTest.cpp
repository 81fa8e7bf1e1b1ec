// The template personalities shipped for the gallery: each one validates clean, draws
// every title-bar button once at its own distance from the right edge at any window
// size, and skins the sample dialog's controls instead of leaving the bare stand-ins.
#include "wizards/NewSkinForm.h"
#include "wizards/ScratchFilter.h"

#include "document/UisFile.h"
#include "document/Validator.h"
#include "preview/Composition.h"
#include "preview/ImageCache.h"
#include "preview/PreviewSources.h"
#include "preview/SceneRenderer.h"
#include "preview/TitleButtons.h"
#include "store/AcceleratedIniFile.h"
#include "store/PlatformPaths.h"
#include "store/StringOps.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QListWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace sw {
namespace {

namespace fs = std::filesystem;

const fs::path kTemplates = fs::path(SKINWRT_SOURCE_DIR) / "data" / "template";

// The template personalities in the folder: every .uis but the two wizards' own.
std::vector<std::string> templateNames(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string stem = entry.path().stem().string();
        if (asciiLower(entry.path().extension().string()) == ".uis" && stem != "wizard" && stem != "scratch")
            names.push_back(stem);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A template read as the gallery reads it: its references resolve from its own folder.
struct OpenTemplate {
    explicit OpenTemplate(const fs::path& uisFile, const fs::path& pictures)
        : document(uisFile.string(), TUisFile::ReadOnly{})
    {
        document.SetFolder(pictures);
        sources.LoadSkin(document, PreviewSettings{}, cache);
    }
    TUisFile document;
    TImageCache cache;
    TPreviewSources sources;

    QImage render(QSize size, bool active, std::optional<PreviewScene>* kept = nullptr)
    {
        auto scene = ComposePreview(document, sources, size, active);
        if (!scene)
            return {};
        addTitleButtons(document, *scene);
        QImage window = RenderScene(*scene).convertToFormat(QImage::Format_RGB32);
        if (kept)
            *kept = std::move(scene);
        return window;
    }
};

// Whether the opaque pixels of `picture` are those of `window` at `at`.
bool drawnAt(const QImage& window, const QImage& picture, QPoint at)
{
    if (!window.rect().contains(QRect(at, picture.size())))
        return false;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            if (p != kMagenta && window.pixel(at.x() + x, at.y() + y) != p)
                return false;
        }
    return true;
}

// Where in the rows above `rows` the picture's opaque pixels show.
std::vector<QPoint> placesOf(const QImage& window, const QImage& picture, int rows)
{
    std::vector<QPoint> found;
    for (int y = 0; y + picture.height() <= std::min(rows, window.height()); ++y)
        for (int x = 0; x + picture.width() <= window.width(); ++x)
            if (drawnAt(window, picture, {x, y}))
                found.push_back({x, y});
    return found;
}

TEST(TemplateLibrary, TheFolderShipsAtLeastSixTemplatesAndTheGalleryListsEach)
{
    const std::vector<std::string> names = templateNames(kTemplates);
    EXPECT_GE(names.size(), 6u);
    TAcceleratedIniFile ini((kTemplates / "templates.ini").string());
    std::set<std::string> listed;
    for (const TemplateEntry& entry : readTemplateGallery(ini))
        if (entry.type == "3")
            listed.insert(entry.file);
    EXPECT_EQ(listed, std::set<std::string>(names.begin(), names.end()));
}

TEST(TemplateLibrary, EveryTemplateValidatesClean)
{
    for (const std::string& name : templateNames(kTemplates)) {
        SCOPED_TRACE(name);
        const fs::path file = kTemplates / (name + ".uis");
        TUisFile document(file.string(), TUisFile::ReadOnly{});
        const ValidationResult result = validate(document, file, kTemplates);
        std::string findings;
        for (const ValidationFinding& finding : result.findings)
            findings += finding.caption + " [" + finding.section + "] " + finding.attribute + "\n";
        EXPECT_TRUE(result.clean()) << findings;
    }
}

TEST(TemplateLibrary, EveryTitleButtonIsDrawnOnceAtItsPlaceInSixStates)
{
    const QSize sizes[] = {{640, 480}, {400, 300}, {320, 260}};
    for (const std::string& name : templateNames(kTemplates)) {
        SCOPED_TRACE(name);
        OpenTemplate skin(kTemplates / (name + ".uis"), kTemplates / name);
        ASSERT_TRUE(skin.sources.PreviewAvailable);
        EXPECT_TRUE(skin.sources.Refused.empty());
        EXPECT_TRUE(skin.document.ReadBool("PERSONALITY", "TripleImages", false));
        const int count = skin.document.ReadInteger("PERSONALITY", "ButtonCount", 0);
        EXPECT_GE(count, 3);
        for (const QSize size : sizes)
            for (bool active : {true, false}) {
                SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << (active ? "" : " inactive"));
                std::optional<PreviewScene> scene;
                const QImage window = skin.render(size, active, &scene);
                ASSERT_EQ(window.size(), size);
                EXPECT_LE(scene->MinimumSize.width(), size.width());
                EXPECT_LE(scene->MinimumSize.height(), size.height());
                const int titleHeight = scene->Layer("ImageTop").Rect.height();
                const QRect caption = scene->Layer("LabelFormCaption").Rect;
                for (int i = 0; i < count; ++i) {
                    const std::string section = buttonSection(i);
                    SCOPED_TRACE(section);
                    const QImage strip(QString::fromStdString(
                        skin.document.ReferencePath(skin.document.ReadString(section, "ButtonImage", "")).string()));
                    ASSERT_FALSE(strip.isNull());
                    // Normal, pressed, hot for the active window, then for the inactive one.
                    ASSERT_EQ(strip.width() % 6, 0);
                    const int frameWidth = strip.width() / 6;
                    for (int f = 0; f < 6; ++f)
                        for (int g = f + 1; g < 6; ++g)
                            EXPECT_NE(strip.copy(f * frameWidth, 0, frameWidth, strip.height()),
                                      strip.copy(g * frameWidth, 0, frameWidth, strip.height()))
                                << "states " << f + 1 << " and " << g + 1 << " look alike";
                    const QImage normal = strip.copy(active ? 0 : 3 * frameWidth, 0, frameWidth, strip.height())
                                              .convertToFormat(QImage::Format_RGB32);
                    // Every button is anchored to the right edge, so a wider window keeps it
                    // at the same distance from that edge.
                    ASSERT_EQ(skin.document.ReadInteger(section, "Align", 0), 1);
                    const QPoint place(size.width() - skin.document.ReadInteger(section, "XCoord", 0),
                                       skin.document.ReadInteger(section, "YCoord", 0));
                    const QRect area(place, normal.size());
                    EXPECT_GE(area.top(), 0);
                    EXPECT_LE(area.bottom(), titleHeight - 1) << "below the title bar";
                    EXPECT_LT(area.right(), size.width() - scene->Layer("ImageRight").Rect.width() + 1);
                    EXPECT_GT(area.left(), caption.right()) << "under the caption";
                    const std::vector<QPoint> found = placesOf(window, normal, titleHeight);
                    ASSERT_EQ(found.size(), 1u);
                    EXPECT_EQ(found.front(), place);
                }
            }
    }
}

// The sample dialog's skinned controls: each differs from what the preview draws for a
// personality without the control's section, and shows in the picture.
TEST(TemplateLibrary, EveryTemplateSkinsTheDialogControls)
{
    const char* controls[] = {"ImageButtonOK", "ImageButtonCancel", "ImageCheckBoxChecked", "ImageCheckBoxUnChecked",
                              "ImageRadioChecked", "ImageRadioUnChecked", "ImageTab1", "ImageTab2",
                              "ImageTabsPanel", "ImageProgressBack", "ImageProgressDone", "ImageScrLArr",
                              "ImageScrRArr", "ImageScrTArr", "ImageScrBArr", "ImageHScroll", "ImageHSlider",
                              "ImageVScroll", "ImageVSlider"};
    const char* sections[] = {"BUTTONS", "TABS", "PROGRESS", "Scrollbar", "HorzScroll", "HorzScrollThumb",
                              "VertScroll", "VertScrollThumb"};
    const QSize size(400, 300);
    for (const std::string& name : templateNames(kTemplates)) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        const fs::path bareFile = dir.path() / (name + ".uis");
        fs::copy_file(kTemplates / (name + ".uis"), bareFile);
        {
            TUisFile bare(bareFile.string());
            for (const char* section : sections)
                bare.EraseSection(section);
        }
        OpenTemplate skin(kTemplates / (name + ".uis"), kTemplates / name);
        OpenTemplate bare(bareFile, kTemplates / name);
        std::optional<PreviewScene> skinned, plain;
        const QImage window = skin.render(size, true, &skinned);
        bare.render(size, true, &plain);
        ASSERT_TRUE(skinned && plain);
        for (const char* control : controls) {
            SCOPED_TRACE(control);
            const PreviewLayer& layer = skinned->Layer(control);
            const PreviewLayer& stand = plain->Layer(control);
            ASSERT_TRUE(layer.Visible);
            ASSERT_FALSE(layer.Image.isNull());
            EXPECT_TRUE(!stand.Visible || stand.Image.isNull() ||
                        stand.Image.convertToFormat(QImage::Format_RGB32) !=
                            layer.Image.convertToFormat(QImage::Format_RGB32))
                << "drawn as without the skin";
            // Some pixel of the control's own picture is in the window where it lies.
            const QImage picture = layer.Image.convertToFormat(QImage::Format_RGB32);
            bool shows = false;
            for (int y = 0; y < picture.height() && !shows; ++y)
                for (int x = 0; x < picture.width() && !shows; ++x) {
                    const QPoint at = layer.Rect.topLeft() + layer.ImageOffset + QPoint(x, y);
                    shows = picture.pixel(x, y) != kMagenta && window.rect().contains(at) &&
                            window.pixel(at) == picture.pixel(x, y);
                }
            EXPECT_TRUE(shows);
        }
    }
}

TEST(TemplateLibrary, TheGalleryShowsAPreviewOfEveryTemplateAndIconsForTheWizards)
{
    const fs::path shipped = programFolder() / "template";
    QElapsedTimer clock;
    clock.start();
    TNewSkinForm form(shipped);
    const qint64 elapsed = clock.elapsed();
    TAcceleratedIniFile ini((shipped / "templates.ini").string());
    const std::vector<TemplateEntry> entries = readTemplateGallery(ini);
    ASSERT_EQ(form.ChoiceNewListView->count(), int(entries.size()));
    for (int i = 0; i < form.ChoiceNewListView->count(); ++i) {
        const TemplateEntry& entry = entries[std::size_t(i)];
        SCOPED_TRACE(entry.name);
        QListWidgetItem* item = form.ChoiceNewListView->item(i);
        const bool isTemplate = entry.type == "3";
        EXPECT_EQ(item->data(kPreviewRole).toBool(), isTemplate);
        const QImage picture = item->icon().pixmap(kGalleryPictureSize).toImage();
        ASSERT_FALSE(picture.isNull());
        if (!isTemplate)
            continue;
        // A picture of a window, wider than high, with a frame and a dialog in it.
        EXPECT_GT(picture.width(), picture.height());
        std::set<QRgb> colours;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                colours.insert(picture.pixel(x, y));
        EXPECT_GT(colours.size(), 20u);
    }
    // Drawing every preview keeps the dialog quick to open.
    EXPECT_LT(elapsed, 1500) << "ms";
}

TEST(TemplateLibrary, ABrokenTemplateKeepsItsIcon)
{
    test::TempDir dir;
    const fs::path folder = dir.path();
    test::writeBytes(folder / "templates.ini",
                     "[General]\nTemplateCount=2\n"
                     "[Template0]\nName=Missing pictures\nIcon=3\nType=3\nFile=gone\n"
                     "[Template1]\nName=Not a personality\nIcon=4\nType=3\nFile=junk\n"
                     "[Template2]\nName=No file\nIcon=3\nType=3\nFile=absent\n");
    test::writeBytes(folder / "gone.uis", "[TITLEBARSKIN]\nVXVer=200\n[PERSONALITY]\nButtonCount=0\nTOP=gone\\top.bmp\n");
    fs::create_directories(folder / "gone");
    test::writeBytes(folder / "junk.uis", std::string("\0\xff\xfe garbage", 11));
    fs::create_directories(folder / "junk");
    TNewSkinForm form(folder);
    ASSERT_EQ(form.ChoiceNewListView->count(), 3);
    for (int i = 0; i < 3; ++i) {
        QListWidgetItem* item = form.ChoiceNewListView->item(i);
        SCOPED_TRACE(item->text().toStdString());
        EXPECT_FALSE(item->data(kPreviewRole).toBool());
        EXPECT_EQ(item->icon().pixmap(32, 32).toImage(), templateIcon(i == 1 ? 4 : 3).toImage());
    }
}

}  // namespace
}  // namespace sw
