// The composition of the sample skins: where every layer lies, which layers show,
// which frames the edges and controls use, the caption after shortening, shadows,
// alignment, the fall-backs of a skin without control bitmaps and the author line.
// Texts are measured with fixed metrics (6 pixels a character), so the geometry
// does not depend on the fonts of the machine.
#include "PreviewTestSupport.h"

#include "document/UisFile.h"
#include "preview/BuiltInPictures.h"
#include "preview/ClassicDesktop.h"
#include "preview/Composition.h"
#include "preview/PreviewSources.h"

#include "support/TempDir.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace sw::test {
namespace {

namespace fs = std::filesystem;

const FixedTextMeasure kMeasure;

// A loaded personality, ready to compose.
struct Loaded {
    std::unique_ptr<TUisFile> document;
    TPreviewSources sources;

    explicit Loaded(const fs::path& file, const PreviewSettings& settings = {})
        : document(std::make_unique<TUisFile>(file.string()))
    {
        TImageCache cache;
        sources.LoadSkin(*document, settings, cache);
    }

    PreviewScene compose(QSize client, bool active, int logoMode = 1)
    {
        CompositionOptions options;
        options.LogoMode = logoMode;
        options.Measure = &kMeasure;
        auto scene = ComposePreview(*document, sources, client, active, options);
        if (!scene)
            throw std::runtime_error("no preview");
        return *scene;
    }
};

QImage sampleBitmap(const char* skin, const char* file)
{
    return QImage(QString::fromStdString((sampleSkins() / skin / file).string())).convertToFormat(QImage::Format_RGB32);
}

// ---------------------------------------------------------------- layer geometry

struct Placed {
    const char* name;
    QRect rect;
};

struct GeometryCase {
    std::string name;
    const char* file;
    QSize client;
    bool active;
    std::vector<Placed> shown;
    std::vector<const char*> hidden;
    QSize minimum;
};

void PrintTo(const GeometryCase& c, std::ostream* out)
{
    *out << c.name;
}

class CompositionGeometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(CompositionGeometry, PlacesEveryLayer)
{
    const GeometryCase& c = GetParam();
    Loaded skin(sampleSkins() / c.file);
    const PreviewScene scene = skin.compose(c.client, c.active);
    for (const Placed& p : c.shown) {
        SCOPED_TRACE(p.name);
        const PreviewLayer& layer = scene.Layer(p.name);
        EXPECT_TRUE(layer.Visible);
        EXPECT_EQ(layer.Rect, p.rect);
    }
    for (const char* name : c.hidden)
        EXPECT_FALSE(scene.Layer(name).Visible) << name;
    EXPECT_EQ(scene.MinimumSize, c.minimum);
    // Every layer is there, in stacking order.
    ASSERT_EQ(scene.Layers.size(), kPreviewLayerNames.size());
    for (std::size_t i = 0; i < scene.Layers.size(); ++i)
        EXPECT_EQ(scene.Layers[i].Name, kPreviewLayerNames[i]);
}

const GeometryCase kGeometryCases[] = {
    {"TidewaterActive331x297",
     "Tidewater/Tidewater.uis",
     {331, 297},
     true,
     {{"ImageLeft", {0, 0, 6, 297}},
      {"ImageRight", {325, 0, 6, 297}},
      {"ImageTop", {6, 0, 319, 26}},
      {"ImageBottom", {6, 277, 319, 20}},
      {"ImageDlgBack", {6, 26, 319, 251}},
      {"LabelFormCaption", {36, 6, 150, 14}},
      {"ImageTextBack", {24, 0, 174, 26}},
      {"LabelFormCaptionShadow1", {37, 7, 150, 14}},
      {"ImageMenu", {6, 26, 319, 19}},
      {"LabelMenu", {16, 29, 114, 13}},
      {"ImageScrLArr", {6, 261, 16, 16}},
      {"ImageScrRArr", {293, 261, 16, 16}},
      {"ImageScrTArr", {309, 45, 16, 16}},
      {"ImageScrBArr", {309, 245, 16, 16}},
      {"ImageCorner", {309, 261, 16, 16}},
      {"ImageHScroll", {22, 261, 271, 16}},
      {"ImageHSlider", {112, 261, 67, 16}},
      {"ImageVScroll", {309, 61, 16, 184}},
      {"ImageVSlider", {309, 122, 16, 61}},
      {"ImageSkinwright", {72, 49, 170, 36}},
      {"ShapeBanner", {72, 49, 170, 36}},
      {"LabelCreator", {6, 90, 319, 14}},
      {"ImageProgressBack", {72, 109, 170, 14}},
      {"ImageProgressDone", {72, 109, 85, 14}},
      {"ImageButtonCancel", {224, 221, 70, 25}},
      {"ImageButtonOK", {224, 186, 70, 25}},
      {"LabelButton1", {241, 227, 36, 13}},
      {"LabelButton2", {238, 192, 42, 13}},
      {"ImageCheckBoxChecked", {21, 192, 13, 13}},
      {"ImageCheckBoxUnChecked", {21, 227, 13, 13}},
      {"LabelCheckBoxChecked", {36, 192, 42, 13}},
      {"LabelCheckBoxUnChecked", {36, 227, 54, 13}},
      {"ImageRadioChecked", {100, 192, 13, 13}},
      {"ImageRadioUnChecked", {100, 227, 13, 13}},
      {"LabelRadioChecked", {115, 192, 48, 13}},
      {"LabelRadioUnChecked", {115, 227, 60, 13}},
      {"ImageTabsPanel", {11, 176, 293, 80}},
      {"ImageTab1", {11, 158, 97, 20}},
      {"ImageTab2", {108, 158, 97, 20}},
      {"LabelTab1", {35, 161, 48, 13}},
      {"LabelTab2", {126, 161, 60, 13}}},
     {"ShapeMenuBar", "ImageCreator", "LabelFormCaptionShadow2", "LabelFormCaptionShadow3",
      "LabelFormCaptionShadow4", "BevelButtonFrame"},
     {203, 267}},
    {"TidewaterInactive500x400",
     "Tidewater/Tidewater.uis",
     {500, 400},
     false,
     {{"ImageLeft", {0, 0, 6, 400}},
      {"ImageRight", {494, 0, 6, 400}},
      {"ImageTop", {6, 0, 488, 26}},
      {"ImageBottom", {6, 380, 488, 20}},
      {"LabelFormCaption", {36, 6, 162, 14}},
      {"ImageTextBack", {24, 0, 186, 26}},
      {"ImageScrLArr", {6, 364, 16, 16}},
      {"ImageHScroll", {22, 364, 440, 16}},
      {"ImageHSlider", {168, 364, 110, 16}},
      {"ImageVScroll", {478, 61, 16, 287}},
      {"ImageVSlider", {478, 156, 16, 95}},
      {"ImageSkinwright", {157, 49, 170, 36}},
      {"LabelCreator", {6, 90, 488, 14}},
      {"ImageProgressBack", {157, 109, 170, 14}},
      {"ImageButtonCancel", {393, 324, 70, 25}},
      {"ImageButtonOK", {393, 289, 70, 25}},
      {"LabelButton1", {404, 330, 48, 13}},
      {"LabelButton2", {407, 295, 42, 13}},
      {"ImageCheckBoxChecked", {21, 295, 13, 13}},
      {"ImageTabsPanel", {11, 279, 462, 80}},
      {"ImageTab1", {11, 261, 154, 20}}},
     {"ShapeMenuBar", "ImageCreator", "LabelFormCaptionShadow1", "LabelFormCaptionShadow2",
      "LabelFormCaptionShadow3", "LabelFormCaptionShadow4"},
     {203, 267}},
    {"SlateActive331x297",
     "Slate/Slate.uis",
     {331, 297},
     true,
     {{"ImageLeft", {0, 0, 4, 297}},
      {"ImageRight", {327, 0, 4, 297}},
      {"ImageTop", {4, 0, 323, 22}},
      {"ImageBottom", {4, 293, 323, 4}},
      {"LabelFormCaption", {66, 4, 126, 13}},
      {"ShapeMenuBar", {4, 23, 323, 19}},
      {"LabelMenu", {14, 28, 114, 13}},
      {"ImageScrLArr", {4, 277, 16, 16}},
      {"ImageScrRArr", {295, 277, 16, 16}},
      {"ImageScrTArr", {311, 42, 16, 16}},
      {"ImageScrBArr", {311, 261, 16, 16}},
      {"ImageCorner", {311, 277, 16, 16}},
      {"ImageHScroll", {20, 277, 275, 16}},
      {"ImageHSlider", {111, 277, 68, 16}},
      {"ImageVScroll", {311, 58, 16, 203}},
      {"ImageVSlider", {311, 125, 16, 67}},
      {"ImageSkinwright", {72, 46, 170, 36}},
      {"LabelCreator", {4, 87, 323, 13}},
      {"ImageButtonCancel", {231, 242, 70, 25}},
      {"ImageButtonOK", {231, 207, 70, 25}},
      {"ImageCheckBoxChecked", {14, 213, 13, 13}},
      {"ImageCheckBoxUnChecked", {14, 248, 13, 13}},
      {"LabelCheckBoxUnChecked", {29, 248, 54, 13}},
      {"ImageRadioChecked", {93, 213, 13, 13}},
      {"LabelRadioChecked", {108, 213, 48, 13}}},
     {"ImageDlgBack", "ImageTextBack", "ImageMenu", "LabelFormCaptionShadow1", "LabelFormCaptionShadow2",
      "LabelFormCaptionShadow3", "LabelFormCaptionShadow4", "ImageProgressBack", "ImageProgressDone",
      "ImageTabsPanel", "ImageTab1", "ImageTab2", "LabelTab1", "LabelTab2", "ImageCreator"},
     {199, 195}},
    {"SlateInactive400x320",
     "Slate/Slate.uis",
     {400, 320},
     false,
     {{"ImageLeft", {0, 0, 4, 320}},
      {"ImageRight", {396, 0, 4, 320}},
      {"ImageTop", {4, 0, 392, 22}},
      {"LabelFormCaption", {95, 4, 138, 13}},
      {"ImageScrLArr", {4, 300, 16, 16}},
      {"ImageHScroll", {20, 300, 344, 16}},
      {"ImageHSlider", {134, 300, 86, 16}},
      {"ImageVScroll", {380, 58, 16, 226}},
      {"ImageVSlider", {380, 133, 16, 75}},
      {"ImageSkinwright", {107, 46, 170, 36}},
      {"LabelCreator", {4, 87, 392, 13}},
      {"ImageButtonCancel", {300, 265, 70, 25}},
      {"ImageButtonOK", {300, 230, 70, 25}},
      {"LabelButton1", {311, 271, 48, 13}}},
     {"ImageDlgBack", "ImageMenu", "ImageTabsPanel", "ImageTab1", "LabelTab1"},
     {199, 195}},
};

INSTANTIATE_TEST_SUITE_P(SampleSkins, CompositionGeometry, ::testing::ValuesIn(kGeometryCases),
                         [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------- frames, texts, colours

// The active look shows the first frame of each edge strip, the inactive look the
// last (version 2) or the frame BORDERS names for the window state (version 1p).
TEST(CompositionFrames, EdgesAndControlsUseTheFramesOfTheirLook)
{
    struct Probe {
        const char* layer;
        QPoint at;
        const char* bitmap;
        QPoint activeSource, inactiveSource;
    };
    struct SkinProbes {
        const char* skin;
        const char* file;
        std::vector<Probe> probes;
    };
    const SkinProbes skins[] = {
        {"Tidewater",
         "Tidewater/Tidewater.uis",
         {{"ImageTop", {0, 13}, "top.bmp", {0, 13}, {0, 104 + 13}},
          {"ImageLeft", {2, 10}, "left.bmp", {2, 10}, {24 + 2, 10}},
          {"ImageRight", {3, 10}, "right.bmp", {3, 10}, {24 + 3, 10}},
          {"ImageBottom", {10, 10}, "bottom.bmp", {10, 10}, {10, 80 + 10}},
          {"ImageButtonCancel", {35, 12}, "button.bmp", {35, 12}, {140 + 35, 12}},
          {"ImageButtonOK", {35, 1}, "button.bmp", {210 + 35, 1}, {70 + 35, 1}},
          {"ImageCheckBoxChecked", {6, 6}, "check.bmp", {13 + 6, 6}, {39 + 6, 6}},
          {"ImageCheckBoxUnChecked", {6, 6}, "check.bmp", {6, 6}, {26 + 6, 6}},
          {"ImageRadioChecked", {6, 6}, "radio.bmp", {13 + 6, 6}, {39 + 6, 6}},
          {"ImageTextBack", {0, 12}, "captionback.bmp", {0, 12}, {0, 26 + 12}},
          {"ImageMenu", {1, 1}, "menubar.bmp", {1, 1}, {1, 20 + 1}},
          {"ImageTab1", {2, 1}, "tabs.bmp", {40 + 2, 1}, {40 + 2, 1}},
          {"ImageScrLArr", {7, 8}, "scrollarrows.bmp", {7, 8}, {7, 8}},
          {"ImageScrBArr", {7, 8}, "scrollarrows.bmp", {12 * 16 + 7, 8}, {12 * 16 + 7, 8}},
          {"ImageCorner", {12, 12}, "scrollarrows.bmp", {22 * 16 + 12, 12}, {22 * 16 + 12, 12}}}},
        {"Slate",
         "Slate/Slate.uis",
         {{"ImageLeft", {1, 10}, "vframe.bmp", {1, 10}, {4 + 1, 10}},
          {"ImageRight", {1, 10}, "vframe.bmp", {8 + 1, 10}, {12 + 1, 10}},
          {"ImageTop", {0, 5}, "hframe.bmp", {0, 8 + 5}, {0, 30 + 5}},
          {"ImageBottom", {0, 1}, "hframe.bmp", {0, 1}, {0, 4 + 1}}}},
    };
    for (const SkinProbes& skin : skins) {
        Loaded loaded(sampleSkins() / skin.file);
        for (bool active : {true, false}) {
            const PreviewScene scene = loaded.compose({331, 297}, active);
            for (const Probe& p : skin.probes) {
                SCOPED_TRACE(std::string(skin.skin) + " " + p.layer + (active ? " active" : " inactive"));
                const QImage source = sampleBitmap(skin.skin, p.bitmap);
                EXPECT_EQ(scene.Layer(p.layer).Image.pixel(p.at),
                          source.pixel(active ? p.activeSource : p.inactiveSource));
            }
        }
    }
}

TEST(CompositionTexts, CaptionAndLabelsCarryTheirTextsFontsAndColours)
{
    Loaded tidewater(sampleSkins() / "Tidewater/Tidewater.uis");
    const PreviewScene active = tidewater.compose({331, 297}, true);
    const PreviewScene inactive = tidewater.compose({331, 297}, false);

    const PreviewLayer& caption = active.Layer("LabelFormCaption");
    EXPECT_EQ(caption.Text, QStringLiteral("Tidewater - Active Window"));
    EXPECT_EQ(caption.Font.family(), QStringLiteral("Liberation Sans"));  // stands in for Tahoma
    EXPECT_EQ(caption.Font.pixelSize(), 12);
    EXPECT_TRUE(caption.Font.bold());
    EXPECT_EQ(caption.TextColour, qRgb(255, 255, 255));
    EXPECT_FALSE(caption.ShortcutMarks);
    EXPECT_EQ(active.Layer("LabelFormCaptionShadow1").TextColour, qRgb(16, 32, 56));
    EXPECT_EQ(active.Layer("LabelFormCaptionShadow1").Text, caption.Text);

    // 27 characters do not fit beside TextShift and TextRightClip in 331 pixels.
    const PreviewLayer& inactiveCaption = inactive.Layer("LabelFormCaption");
    EXPECT_EQ(inactiveCaption.Text, QStringLiteral("Tidewater - Inactive Wi..."));
    EXPECT_EQ(inactiveCaption.TextColour, qRgb(64, 74, 90));

    const PreviewLayer& menu = active.Layer("LabelMenu");
    EXPECT_EQ(menu.Text, QStringLiteral("&File   Edit   About"));
    EXPECT_TRUE(menu.ShortcutMarks);
    EXPECT_EQ(menu.TextColour, qRgb(24, 36, 52));
    EXPECT_EQ(menu.Font.pixelSize(), 11);
    EXPECT_FALSE(menu.Font.bold());

    const std::map<std::string, std::pair<QString, QString>> labels = {
        {"LabelButton1", {"&Normal", "&Disabled"}},
        {"LabelButton2", {"&Focused", "&Pressed"}},
        {"LabelCheckBoxChecked", {"Checked", "Checked"}},
        {"LabelCheckBoxUnChecked", {"Unchecked", "Unchecked"}},
        {"LabelRadioChecked", {"Selected", "Selected"}},
        {"LabelRadioUnChecked", {"Unselected", "Unselected"}},
        {"LabelTab1", {"Selected", "Selected"}},
        {"LabelTab2", {"Unselected", "Unselected"}},
        {"LabelCreator", {"Created by Skinwright samples", "Created by Skinwright samples"}},
    };
    for (const auto& [name, texts] : labels) {
        EXPECT_EQ(active.Layer(name).Text, texts.first) << name;
        EXPECT_EQ(inactive.Layer(name).Text, texts.second) << name;
    }
    EXPECT_EQ(active.Layer("LabelButton1").TextColour, qRgb(24, 36, 52));     // ButtonText
    EXPECT_EQ(inactive.Layer("LabelButton1").TextColour, qRgb(128, 138, 150));  // GrayText
    EXPECT_EQ(inactive.Layer("LabelButton2").TextColour, qRgb(24, 36, 52));
    EXPECT_EQ(active.Layer("LabelTab1").TextColour, qRgb(24, 36, 52));
    EXPECT_TRUE(active.Layer("LabelCreator").Centred);
    EXPECT_EQ(active.Layer("LabelCreator").Font, caption.Font);
    EXPECT_EQ(active.Background, qRgb(222, 229, 237));
}

// Transparency: the edges, the caption background, the hollow tab panel, and the
// controls whose bar section says Trans.
TEST(CompositionTexts, ASkinFaceFindsItsFamilyAlsoWhenTwoFoundriesInstalledIt)
{
    const QStringList families = {QStringLiteral("DejaVu Sans"), QStringLiteral("Nimbus Roman [UKWN]"),
                                  QStringLiteral("Nimbus Roman [urw]"), QStringLiteral("P052 [urw]"),
                                  QStringLiteral("Nimbus Sans"), QStringLiteral("Nimbus Sans Narrow")};
    const struct {
        const char* face;
        const char* family;
    } cases[] = {
        {"Nimbus Roman", "Nimbus Roman [UKWN]"}, {"p052", "P052 [urw]"}, {"nimbus sans", "Nimbus Sans"},
        {"Nimbus", ""}, {"[urw]", ""}, {"DejaVu Sans", "DejaVu Sans"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchingFamily(families, QString::fromLatin1(c.face)), QString::fromLatin1(c.family)) << c.face;
    // The font list offers each face once, by the name a skin gives it.
    EXPECT_EQ(skinFontNames(families), (QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Nimbus Roman"),
                                                    QStringLiteral("P052"), QStringLiteral("Nimbus Sans"),
                                                    QStringLiteral("Nimbus Sans Narrow")}));
}

TEST(CompositionTexts, TransparentLayersAreTheEdgesCaptionBackAndTransControls)
{
    Loaded tidewater(sampleSkins() / "Tidewater/Tidewater.uis");
    const PreviewScene scene = tidewater.compose({331, 297}, true);
    for (const char* name : {"ImageLeft", "ImageRight", "ImageTop", "ImageBottom", "ImageTextBack",
                             "ImageTabsPanel", "ImageButtonOK", "ImageProgressBack", "ImageHSlider", "ImageScrLArr"})
        EXPECT_TRUE(scene.Layer(name).Transparent) << name;
    for (const char* name : {"ImageDlgBack", "ImageMenu", "ImageHScroll", "ImageVScroll", "ImageSkinwright"})
        EXPECT_FALSE(scene.Layer(name).Transparent) << name;
    // The panel is hollow: its middle is magenta.
    const PreviewLayer& panel = scene.Layer("ImageTabsPanel");
    EXPECT_EQ(panel.Image.pixel(panel.Image.width() / 2, panel.Image.height() / 2), 0xFFFF00FFu);
}

// A click finds the topmost visible layer under the mouse.
TEST(CompositionTexts, TheLayerUnderAPointIsTheTopmostVisibleOne)
{
    Loaded tidewater(sampleSkins() / "Tidewater/Tidewater.uis");
    const PreviewScene scene = tidewater.compose({331, 297}, true);
    const std::pair<QPoint, const char*> clicks[] = {
        {{40, 8}, "LabelFormCaption"},  // over the shadow, the text back and the top edge
        {{25, 3}, "ImageTextBack"},      {{2, 100}, "ImageLeft"},        {{100, 150}, "ImageDlgBack"},
        {{245, 228}, "LabelButton1"},    {{225, 222}, "ImageButtonCancel"}, {{80, 60}, "ShapeBanner"},
    };
    for (const auto& [point, name] : clicks) {
        const PreviewLayer* layer = scene.LayerAt(point);
        ASSERT_NE(layer, nullptr) << name;
        EXPECT_EQ(layer->Name, name);
    }
}

// ---------------------------------------------------------------- caption shortening

TEST(CompositionCaption, ATooWideCaptionEndsInDotsAndStopsAtTheDots)
{
    struct Row {
        int width;
        QString text;
        int labelWidth;
    };
    // TextShift 26 and TextRightClip 136 leave the top edge's width less 162 pixels.
    const Row rows[] = {
        {331, QStringLiteral("Tidewater - Active Window"), 150},  // 162 + 150 < 319
        {325, QStringLiteral("Tidewater - Active Window"), 150},  // 162 + 150 < 313
        {324, QStringLiteral("Tidewater - Active Wi..."), 150},   // 162 + 150 = 312 does not fit
        {323, QStringLiteral("Tidewater - Active Wi..."), 149},
        {220, QStringLiteral("Tid..."), 46},
        {178, QStringLiteral("..."), 4},
        {170, QStringLiteral("..."), 0},
    };
    Loaded tidewater(sampleSkins() / "Tidewater/Tidewater.uis");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.width);
        const PreviewScene scene = tidewater.compose({row.width, 297}, true);
        const PreviewLayer& caption = scene.Layer("LabelFormCaption");
        EXPECT_EQ(caption.Text, row.text);
        EXPECT_EQ(caption.Rect.width(), row.labelWidth);
        EXPECT_EQ(scene.Layer("LabelFormCaptionShadow1").Text, row.text);
    }
}

// ---------------------------------------------------------------- alignment and shadows

// A plain personality: edges of 4 pixels, a top edge 20 high, named Plain.
class PlainSkin {
public:
    explicit PlainSkin(bool version1p, const std::string& extra) : skin_("Plain")
    {
        // The extra lines continue the last section: CAPTION, or PERSONALITY.
        if (version1p) {
            skin_.writeBitmap("v.bmp", codedImage(8, 30));
            skin_.writeBitmap("h.bmp", codedImage(60, 24));
            file_ = skin_.writeUis("[TITLEBARSKIN]\nSkinName=Plain\n[BORDERS]\nvertFrame=Plain\\v.bmp\n"
                                   "horzFrame=Plain\\h.bmp\nFrameCount=1\n[CAPTION]\nBUTTONCOUNT=0\n" + extra);
        } else {
            skin_.writeBitmap("side.bmp", codedImage(4, 30));
            skin_.writeBitmap("top.bmp", codedImage(60, 20));
            skin_.writeBitmap("bottom.bmp", codedImage(60, 4));
            file_ = skin_.writeUis("[TITLEBARSKIN]\nSkinName=Plain\nSkinAuthor=Someone\n[PERSONALITY]\n"
                                   "LEFT=Plain\\side.bmp\nRIGHT=Plain\\side.bmp\nTOP=Plain\\top.bmp\n"
                                   "BOTTOM=Plain\\bottom.bmp\n" + extra);
        }
    }
    const std::string& file() const { return file_; }
    const SkinFolder& folder() const { return skin_; }

private:
    SkinFolder skin_;
    std::string file_;
};

struct CaptionCase {
    std::string name;
    bool version1p;
    std::string extra;
    bool active;
    QString text;
    QRect caption;
    std::vector<QPoint> shadows;  // offsets of shadows 1 to 4 that show
    std::vector<bool> shadowShown;
};

void PrintTo(const CaptionCase& c, std::ostream* out)
{
    *out << c.name;
}

class CompositionCaptionPlace : public ::testing::TestWithParam<CaptionCase> {};

// The plain skin at 300 x 250: the top edge is 292 wide from x 4, 20 high; the
// bottom edge lies at y 246; captions in the desktop's caption font are 13 high.
TEST_P(CompositionCaptionPlace, PlacesTheCaptionAndItsShadows)
{
    const CaptionCase& c = GetParam();
    PlainSkin plain(c.version1p, c.extra);
    Loaded skin(plain.file());
    const PreviewScene scene = skin.compose({300, 250}, c.active);
    const PreviewLayer& caption = scene.Layer("LabelFormCaption");
    EXPECT_EQ(caption.Text, c.text);
    EXPECT_EQ(caption.Rect, c.caption);
    const char* names[] = {"LabelFormCaptionShadow1", "LabelFormCaptionShadow2", "LabelFormCaptionShadow3",
                           "LabelFormCaptionShadow4"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(names[i]);
        const PreviewLayer& shadow = scene.Layer(names[i]);
        EXPECT_EQ(shadow.Visible, c.shadowShown[std::size_t(i)]);
        if (shadow.Visible) {
            EXPECT_EQ(shadow.Rect, caption.Rect.translated(c.shadows[std::size_t(i)]));
            EXPECT_EQ(shadow.Text, caption.Text);
        }
    }
}

const std::vector<bool> kNoShadows = {false, false, false, false};

const CaptionCase kCaptionCases[] = {
    {"LeftAligned", false, "", true, "Plain - Active Window", {8, 3, 126, 13}, {}, kNoShadows},
    {"Centred", false, "TextAlignment=1\nTextShift=10\nTextRightClip=30\n", true, "Plain - Active Window",
     {81, 3, 126, 13}, {}, kNoShadows},
    {"RightAligned", false, "TextAlignment=2\nTextShift=10\nTextRightClip=30\nTXTBackRight=5\n", true,
     "Plain - Active Window", {121, 3, 126, 13}, {}, kNoShadows},
    {"UnknownAlignmentKeepsTheLeftPlace", false, "TextAlignment=7\n", true, "Plain - Active Window",
     {8, 3, 126, 13}, {}, kNoShadows},
    {"OnTheBottomEdge", false, "TextOnBottom=1\nTextShiftVert=2\n", true, "Plain - Active Window",
     {8, 232, 126, 13}, {}, kNoShadows},
    {"FrontAndBackStrings", false, "FrontString=[\nBackString=]\n", true, "[Plain - Active Window]",
     {8, 3, 138, 13}, {}, kNoShadows},
    {"OneShadowDownRight", false, "[Text]\nUse3DText=1\nShadowOffset=2\n", true, "Plain - Active Window",
     {8, 3, 126, 13}, {{2, 2}}, {true, false, false, false}},
    {"FourShadowsAround", false, "[Text]\nUse3DText=2\n", true, "Plain - Active Window", {8, 3, 126, 13},
     {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}}, {true, true, true, true}},
    {"ShadowsOffOnTheInactiveLook", false, "[Text]\nUse3DText=2\nNoShadowInactiveText=1\n", false,
     "Plain - Inactive Window", {8, 3, 138, 13}, {}, kNoShadows},
    {"ShadowsStayOnTheActiveLook", false, "[Text]\nUse3DText=2\nNoShadowInactiveText=1\n", true,
     "Plain - Active Window", {8, 3, 126, 13}, {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}}, {true, true, true, true}},
    {"Version1pLeftAligned", true, "TextLeftShift=12\n", true, "Plain - Active Window",
     {8, 3, 126, 13}, {}, kNoShadows},
    {"Version1pRightAligned", true, "TextAlignment=2\nTextRightClip=20\n", true,
     "Plain - Active Window", {146, 3, 126, 13}, {}, kNoShadows},
};

INSTANTIATE_TEST_SUITE_P(PlainSkin, CompositionCaptionPlace, ::testing::ValuesIn(kCaptionCases),
                         [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------- fall-backs

// Slate has no scroll, tab, progress, menu or dialog bitmaps.
TEST(CompositionFallbacks, ASkinWithoutControlBitmapsShowsTheBuiltInLook)
{
    Loaded slate(sampleSkins() / "Slate/Slate.uis");
    const PreviewScene scene = slate.compose({331, 297}, true);
    const QRgb face = qRgb(220, 222, 226), hilight = qRgb(255, 255, 255), dark = qRgb(60, 64, 72);
    const QRgb glyph = qRgb(20, 22, 26);

    // Raised buttons of the desktop's scroll arrow size with their glyphs.
    struct GlyphProbe {
        const char* layer;
        QPoint glyph, face;
    };
    const GlyphProbe arrows[] = {
        {"ImageScrTArr", {7, 6}, {7, 5}},    // up: apex of the triangle
        {"ImageScrBArr", {7, 9}, {7, 10}},   // down
        {"ImageScrLArr", {7, 7}, {6, 7}},    // left, drawn one pixel right
        {"ImageScrRArr", {9, 7}, {10, 7}},   // right
        {"ImageCorner", {7, 7}, {8, 8}},     // grip line, drawn two pixels up and left
    };
    for (const GlyphProbe& p : arrows) {
        SCOPED_TRACE(p.layer);
        const QImage& image = scene.Layer(p.layer).Image;
        ASSERT_EQ(image.size(), QSize(16, 16));
        EXPECT_EQ(image.pixel(0, 0), hilight);
        EXPECT_EQ(image.pixel(15, 15), dark);
        EXPECT_EQ(image.pixel(p.glyph), glyph);
        EXPECT_EQ(image.pixel(p.face), face);
    }
    // The tracks are plain scroll bar colour; thumbs are raised buttons.
    for (const char* track : {"ImageHScroll", "ImageVScroll"}) {
        const QImage& image = scene.Layer(track).Image;
        EXPECT_EQ(image.pixel(0, 0), qRgb(214, 216, 220)) << track;
        EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1), qRgb(214, 216, 220)) << track;
    }
    EXPECT_EQ(scene.Layer("ImageHSlider").Image.pixel(0, 0), hilight);
    // The plain menu bar in the personality's Menu colour.
    EXPECT_EQ(scene.Layer("ShapeMenuBar").Fill, qRgb(226, 228, 231));
    // Without a dialog bitmap the window shows ButtonFace.
    EXPECT_EQ(scene.Background, face);
}

// The push buttons keep 10 pixels from the scroll bars, 15 when there are tabs.
TEST(CompositionFallbacks, PushButtonsKeepTheirDistanceFromTheScrollBars)
{
    for (const auto& [file, gap] : {std::pair{"Slate/Slate.uis", 10}, std::pair{"Tidewater/Tidewater.uis", 15}}) {
        SCOPED_TRACE(file);
        Loaded skin(sampleSkins() / file);
        const PreviewScene scene = skin.compose({360, 320}, true);
        const QRect cancel = scene.Layer("ImageButtonCancel").Rect;
        EXPECT_EQ(cancel.left() + cancel.width() + gap, scene.Layer("ImageScrTArr").Rect.left());
        EXPECT_EQ(cancel.top() + cancel.height() + gap, scene.Layer("ImageScrLArr").Rect.top());
    }
}

// A personality with neither tab bitmap but only a tab border shows the panel from
// its border and no tabs.
TEST(CompositionFallbacks, ATabBorderAloneShowsThePanelWithoutTabs)
{
    PlainSkin plain(false, "[TABS]\nBorder=Plain\\border.bmp\n");
    plain.folder().writeBitmap("border.bmp", codedImage(9, 9));
    Loaded skin(plain.file());
    const PreviewScene scene = skin.compose({300, 250}, true);
    EXPECT_TRUE(scene.Layer("ImageTabsPanel").Visible);
    EXPECT_EQ(scene.Layer("ImageTabsPanel").Image.pixel(0, 0), qRgb(0, 0, 0));  // border pixel (0, 0)
    for (const char* name : {"ImageTab1", "ImageTab2", "LabelTab1", "LabelTab2"})
        EXPECT_FALSE(scene.Layer(name).Visible) << name;
    // The minimum height counts from the OK button instead of the tabs.
    const QRect ok = scene.Layer("ImageButtonOK").Rect;
    EXPECT_EQ(scene.MinimumSize.height(), 250 - ok.top() + scene.Layer("LabelCreator").Rect.bottom() + 1 + 5);
}

// With a scroll bitmap the arrows are its frames 1, 5, 9 and 13, the grip frame 23,
// each a 23rd of its width; ShowDot lays frame 17 (20 upright) on the thumbs.
TEST(CompositionScrollBitmap, ArrowsGripAndDotsComeFromTheScrollBitmap)
{
    for (bool dots : {true, false}) {
        SCOPED_TRACE(dots ? "ShowDot" : "no dots");
        const std::string showDot = dots ? "1" : "0";
        PlainSkin plain(false, "[Scrollbar]\nIMAGE=Plain\\arrows.bmp\n"
                               "[HorzScrollThumb]\nIMAGE=Plain\\thumb.bmp\nShowDot=" + showDot + "\n"
                               "[VertScrollThumb]\nIMAGE=Plain\\thumb.bmp\nShowDot=" + showDot + "\n");
        plain.folder().writeBitmap("arrows.bmp", codedImage(230, 12, 1));
        plain.folder().writeBitmap("thumb.bmp", codedImage(90, 30, 2));
        Loaded skin(plain.file());
        const PreviewScene scene = skin.compose({300, 250}, true);
        const std::pair<const char*, int> parts[] = {
            {"ImageScrLArr", 0}, {"ImageScrRArr", 40}, {"ImageScrTArr", 80}, {"ImageScrBArr", 120}, {"ImageCorner", 220}};
        for (const auto& [name, column] : parts) {
            SCOPED_TRACE(name);
            const QImage& image = scene.Layer(name).Image;
            ASSERT_EQ(image.size(), QSize(10, 12));
            EXPECT_EQ(image.pixel(0, 0), qRgb(column, 0, 1));
            EXPECT_EQ(image.pixel(9, 11), qRgb(column + 9, 11, 1));
        }
        // The horizontal thumb is 12 high; the dot frame's middle lies in its middle.
        const QImage& thumb = scene.Layer("ImageHSlider").Image;
        const QPoint middle((thumb.width() - 10) / 2 + 5, 6);
        EXPECT_EQ(thumb.pixel(middle) == qRgb(165, 6, 1), dots);
        const QImage& upright = scene.Layer("ImageVSlider").Image;
        const QPoint uprightMiddle(5, (upright.height() - 12) / 2 + 6);
        EXPECT_EQ(upright.pixel(uprightMiddle) == qRgb(195, 6, 1), dots);
    }
}

// Numbers far outside any window's range (a damaged file) are taken as the largest
// the desktop knows, so no sum overflows: the caption gets no room at all.
TEST(CompositionFallbacks, DamagedNumbersLeaveNoRoomInsteadOfOverflowing)
{
    PlainSkin plain(false, "TextShift=2147483647\nTextRightClip=2147483647\nTXTBackLeft=-2147483648\n"
                           "TopFrame=2147483647\nTextBack=Plain\\back.bmp\n[Text]\nUse3DText=2\n"
                           "ShadowOffset=-2147483648\nShadowTextR=2147483647\n");
    plain.folder().writeBitmap("back.bmp", codedImage(8, 8));
    Loaded skin(plain.file());
    for (bool active : {true, false}) {
        SCOPED_TRACE(active ? "active" : "inactive");
        const PreviewScene scene = skin.compose({300, 250}, active);
        const PreviewLayer& caption = scene.Layer("LabelFormCaption");
        EXPECT_EQ(caption.Text, QStringLiteral("..."));
        EXPECT_EQ(caption.Rect.width(), 0);
        EXPECT_EQ(scene.Layer("LabelFormCaptionShadow4").Rect.topLeft(), caption.Rect.topLeft() + QPoint(-32767, -32767));
        // A 20-row strip cut into 32767 frames has frames of no rows.
        EXPECT_EQ(scene.Layer("ImageTop").Rect.height(), 0);
    }
}

TEST(CompositionFallbacks, NoPreviewWithoutItsEdgeBitmaps)
{
    Loaded parchment(sampleSkins() / "Parchment/Parchment.uis");
    EXPECT_FALSE(ComposePreview(*parchment.document, parchment.sources, {331, 297}, true).has_value());
}

// ---------------------------------------------------------------- author line and logo

TEST(CompositionAuthor, LogoModeChoosesTheAuthorLineTheLogoOrNeither)
{
    SkinFolder logoFolder("Logos");
    QImage logoPicture(24, 10, QImage::Format_RGB32);
    logoPicture.fill(qRgb(10, 200, 30));
    logoFolder.writeBitmap("logo.bmp", logoPicture);
    PreviewSettings settings;
    settings.LogoImage = (logoFolder.folder() / "logo.bmp").string();

    struct Row {
        int logoMode;
        bool withLogo;
        bool labelShown, logoShown;
        QRect logo;
        int progressTop;
    };
    // Tidewater at 331 x 297: the banner spans x 72 to 242 and ends at y 85.
    const Row rows[] = {
        {1, true, true, false, {}, 109},
        {0, true, false, false, {}, 90},
        {3, true, false, false, {}, 90},
        {2, true, false, true, {72, 90, 170, 10}, 105},
        {2, false, false, true, {72, 90, 170, 0}, 95},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("LogoMode " + std::to_string(row.logoMode));
        Loaded tidewater(sampleSkins() / "Tidewater/Tidewater.uis", row.withLogo ? settings : PreviewSettings{});
        const PreviewScene scene = tidewater.compose({331, 297}, true, row.logoMode);
        EXPECT_EQ(scene.Layer("LabelCreator").Visible, row.labelShown);
        const PreviewLayer& logo = scene.Layer("ImageCreator");
        EXPECT_EQ(logo.Visible, row.logoShown);
        if (row.logoShown) {
            EXPECT_EQ(logo.Rect, row.logo);
            if (row.withLogo) {
                EXPECT_EQ(logo.ImageOffset, QPoint(73, 0));  // centred on the banner
                EXPECT_EQ(logo.Image.pixel(0, 0), qRgb(10, 200, 30));
            }
        }
        EXPECT_EQ(scene.Layer("ImageProgressBack").Rect.top(), row.progressTop);
    }
}

// The fallback material itself: a raised button from the five COLOURS entries.
TEST(CompositionFallbacks, TheBuiltInButtonIsRaisedInThePersonalitysColours)
{
    Loaded tidewater(sampleSkins() / "Tidewater/Tidewater.uis");
    const QImage button = tidewater.compose({331, 297}, true).FallbackButton;
    ASSERT_EQ(button.size(), QSize(kFallbackButtonSize, kFallbackButtonSize));
    const QRgb face = qRgb(222, 229, 237), shadow = qRgb(140, 156, 178), light = qRgb(236, 240, 245);
    const QRgb hilight = qRgb(255, 255, 255), dark = qRgb(52, 68, 92);
    const std::pair<QPoint, QRgb> probes[] = {
        {{0, 0}, hilight},  {{30, 0}, hilight}, {{0, 30}, hilight}, {{31, 0}, dark},    {{0, 31}, dark},
        {{31, 31}, dark},   {{1, 1}, light},    {{29, 1}, light},   {{1, 29}, light},   {{30, 1}, shadow},
        {{1, 30}, shadow},  {{30, 30}, shadow}, {{2, 2}, face},     {{16, 16}, face},   {{29, 29}, face},
    };
    for (const auto& [point, colour] : probes)
        EXPECT_EQ(button.pixel(point), colour) << point.x() << "," << point.y();
}

}  // namespace
}  // namespace sw::test

namespace sw::test {
namespace {

TEST(CompositionTexts, SkinFontsTakeTheirFaceAndOneHeightRule)
{
    // The caption's face is the one the skin names when the machine has it.
    struct Face {
        const char* stored;
        const char* family;
    } faces[] = {{"DejaVu Serif", "DejaVu Serif"}, {"liberation mono", "Liberation Mono"},
                 {"Courier New", "Liberation Mono"}, {"Tahoma", "Liberation Sans"}};
    for (const Face& f : faces) {
        TempDir dir;
        fs::create_directories(dir.path() / "Tidewater");
        for (const auto& entry : fs::directory_iterator(sampleSkins() / "Tidewater"))
            fs::copy_file(entry.path(), dir.path() / "Tidewater" / entry.path().filename());
        {
            TUisFile skin((dir.path() / "Tidewater" / "Tidewater.uis").string());
            skin.WriteString("Fonts", "FontName", f.stored);
            skin.WriteString("Fonts", "FontHeight", "13");
        }
        Loaded loaded(dir.path() / "Tidewater" / "Tidewater.uis");
        const PreviewScene scene = loaded.compose({331, 297}, true);
        const PreviewLayer& caption = scene.Layer("LabelFormCaption");
        EXPECT_EQ(caption.Font.families().value(0), QString::fromLatin1(f.family)) << f.stored;
        // Button and plug-in fonts read a stored height as the caption does.
        EXPECT_EQ(skinFont(f.stored, 13, 400, false).pixelSize(), caption.Font.pixelSize()) << f.stored;
    }
    // A positive height is the character cell: the letters are smaller than it, never
    // taken as points (11 points would be 15 pixels).
    for (int height : {11, 16, 24}) {
        const QFont font = skinFont("Arial", height, 400, false);
        EXPECT_LE(QFontMetrics(font).height(), height + 1) << height;
        EXPECT_LT(font.pixelSize(), height) << height;
    }
    EXPECT_EQ(skinFont("Arial", -13, 400, false).pixelSize(), 13);
    EXPECT_TRUE(skinFont("Arial", -13, 500, false).bold());
}

}  // namespace
}  // namespace sw::test
