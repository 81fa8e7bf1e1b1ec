// Title-bar buttons: placement by alignment and its inverse, the frames of a strip on
// the active and inactive preview, drawn plug-in buttons, visibility kept by index,
// and dragging a button writing its coordinates back to the file.
#include "PreviewTestSupport.h"

#include "document/UisFile.h"
#include "preview/PreviewForm.h"
#include "preview/TitleButtons.h"
#include "store/AcceleratedIniFile.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

// A version 2 personality "Btn" with plain edges and a button strip b.bmp of 60 x 10
// whose pixels tell their column (red) and row (green).
class ButtonSkin {
public:
    explicit ButtonSkin(const std::string& extra) : skin_("Btn")
    {
        skin_.writeBitmap("side.bmp", codedImage(4, 30));
        skin_.writeBitmap("top.bmp", codedImage(60, 20));
        skin_.writeBitmap("bottom.bmp", codedImage(60, 4));
        skin_.writeBitmap("b.bmp", codedImage(60, 10, 7));
        file_ = skin_.writeUis("[TITLEBARSKIN]\nSkinName=Btn\nSkinAuthor=Someone\n[PERSONALITY]\nLEFT=Btn\\side.bmp\nRIGHT=Btn\\side.bmp\n"
                               "TOP=Btn\\top.bmp\nBOTTOM=Btn\\bottom.bmp\n" + extra);
    }
    const std::string& file() const { return file_; }

private:
    SkinFolder skin_;
    std::string file_;
};

TEST(ButtonPlacement, EveryAlignmentAndItsInverse)
{
    const ButtonFrame frame{.ClientWidth = 300, .ClientHeight = 200, .CaptionLeft = 40, .CaptionRight = 140};
    const struct {
        int align;
        QPoint place;
    } rows[] = {
        {0, {20, 5}}, {1, {280, 5}}, {2, {20, 195}}, {3, {280, 195}}, {4, {170, 5}},
        {5, {170, 195}}, {6, {20, 105}}, {7, {280, 105}}, {8, {60, 5}}, {9, {120, 5}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.align);
        EXPECT_EQ(placeButton(row.align, {20, 5}, frame, {-1, -1}), row.place);
        EXPECT_EQ(buttonCoordinates(row.align, row.place, frame), QPoint(20, 5));
        // A drop 3 pixels further right and 2 lower places back exactly there.
        const auto moved = buttonCoordinates(row.align, row.place + QPoint(3, 2), frame);
        ASSERT_TRUE(moved);
        EXPECT_EQ(placeButton(row.align, *moved, frame, {}), row.place + QPoint(3, 2));
    }
    EXPECT_EQ(placeButton(10, {20, 5}, frame, {7, 8}), QPoint(7, 8));
    EXPECT_FALSE(buttonCoordinates(10, {7, 8}, frame));
    // Version 1p counts XCoord from the sizing frame.
    const ButtonFrame framed{.ClientWidth = 300, .ClientHeight = 200, .XShift = 4};
    EXPECT_EQ(placeButton(1, {20, 5}, framed, {}), QPoint(276, 5));
    EXPECT_EQ(buttonCoordinates(1, {276, 5}, framed), QPoint(20, 5));
    EXPECT_EQ(buttonCoordinates(0, {24, 5}, framed), QPoint(20, 5));
}

TEST(ButtonPlacement, PluginNameIsTheFileNameUpToItsFirstDot)
{
    const struct {
        const char* dll;
        const char* name;
    } rows[] = {{"clock.plugin.dll", "clock"}, {"clock.dll", "clock"}, {"Plugins\\clock.dll", "clock"},
                {"Undefined Plugin Name", "Undefined Plugin Name"}, {"", ""}, {".dll", ""}};
    for (const auto& row : rows)
        EXPECT_EQ(pluginName(row.dll), row.name) << row.dll;
}

TEST(TitleButtons, StripFramesOnTheActiveAndInactivePreview)
{
    const struct {
        const char* name;
        bool triple;
        bool active;
        int width;                // of one frame
        int firstColumn[4];       // first strip column shown by the load and states 1, 2, 3
    } rows[] = {
        {"three frames, active", false, true, 20, {0, 0, 20, 40}},
        {"three frames, inactive", false, false, 20, {0, 0, 20, 40}},
        {"triple, active", true, true, 10, {0, 0, 10, 20}},
        {"triple, inactive", true, false, 10, {30, 30, 40, 50}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonSkin skin(std::string("ButtonCount=1\nTripleImages=") + (row.triple ? "1" : "0") +
                        "\n[BUTTON0]\nButtonImage=Btn\\b.bmp\n");
        TUisFile document(skin.file());
        TTitleButtons buttons;
        buttons.Load(document, row.active);
        ASSERT_EQ(buttons.Count(), 1);
        const PreviewLayer& layer = buttons.Button(0).Layer;
        EXPECT_EQ(layer.Name, "Button0");
        EXPECT_TRUE(layer.Transparent);
        EXPECT_EQ(layer.Image.size(), QSize(row.width, 10));
        EXPECT_EQ(codeOf(layer.Image.pixel(0, 0)), QPoint(row.firstColumn[0], 0));
        for (int state = 1; state <= 3; ++state) {
            buttons.ChangeState(0, state);
            EXPECT_EQ(codeOf(layer.Image.pixel(0, 0)), QPoint(row.firstColumn[state], 0)) << state;
            EXPECT_EQ(codeOf(layer.Image.pixel(row.width - 1, 9)), QPoint(row.firstColumn[state] + row.width - 1, 9));
        }
    }
}

TEST(TitleButtons, DrawnButtonsAndStandIns)
{
    ButtonSkin skin("ButtonCount=4\nActiveTextR=0\nActiveTextG=255\nActiveTextB=0\n[BUTTON0]\nAction=-3\nDllName=clock.plugin.dll\nWidth=40\nHeight=16\n"
                    "[BUTTON1]\nAction=-3\nDllName=clock.plugin.dll\nWidth=40\nHeight=16\n"
                    "[BUTTON2]\nAction=11\n[BUTTON3]\nButtonImage=Btn\\missing.bmp\n"
                    "[clock]\nFontSize=14\n");
    TUisFile document(skin.file());
    TTitleButtons buttons;
    buttons.Load(document, true);
    ASSERT_EQ(buttons.Count(), 4);
    const QImage& plugin = buttons.Button(0).Layer.Image;
    EXPECT_EQ(plugin.size(), QSize(40, 16));
    int green = 0, other = 0;
    for (int y = 0; y < plugin.height(); ++y)
        for (int x = 0; x < plugin.width(); ++x) {
            const QRgb p = plugin.pixel(x, y) & 0xFFFFFFu;
            green += p == 0x00FF00u;
            other += p != 0x00FF00u && p != 0xFF00FFu;
        }
    EXPECT_GT(green, 20);   // "clock" in ActiveText, nothing in between
    EXPECT_EQ(other, 0);
    EXPECT_EQ(plugin.pixel(0, 0) & 0xFFFFFFu, 0xFF00FFu);  // drawn from (1, 1)
    EXPECT_EQ(buttons.Button(2).Layer.Image, windowIconPicture());
    EXPECT_EQ(buttons.Button(3).Layer.Image, missingButtonPicture());
    // Without a strip, state changes are ignored.
    buttons.ChangeState(3, 2);
    EXPECT_EQ(buttons.Button(3).Layer.Image, missingButtonPicture());
    EXPECT_TRUE(buttons.Button(3).Hint.startsWith(QStringLiteral("Drag to change button 3 position.\nClick to switch to Button3 section.")));
}

TEST(TitleButtons, AButtonAddedSinceTheLastLoadIsShownAndTheOthersKeepTheirState)
{
    ButtonSkin skin("ButtonCount=2\n[BUTTON0]\nButtonImage=Btn\\b.bmp\n");
    TUisFile document(skin.file());
    TTitleButtons buttons;
    buttons.Load(document, true);
    EXPECT_TRUE(buttons.Button(0).Layer.Visible);
    EXPECT_TRUE(buttons.Button(1).Layer.Visible);
    buttons.Hide(1);
    document.WriteInteger("PERSONALITY", "ButtonCount", 4);
    buttons.Load(document, true);
    ASSERT_EQ(buttons.Count(), 4);
    EXPECT_TRUE(buttons.Button(0).Layer.Visible);
    EXPECT_FALSE(buttons.Button(1).Layer.Visible);  // kept by index
    EXPECT_TRUE(buttons.Button(2).Layer.Visible);  // new
    EXPECT_TRUE(buttons.Button(3).Layer.Visible);
    buttons.Hide(3);
    EXPECT_FALSE(buttons.Button(3).Layer.Visible);
    buttons.Show(3);
    buttons.Show(9);  // beyond the count: nothing
    EXPECT_TRUE(buttons.Button(3).Layer.Visible);
}

TEST(PreviewButtons, DraggingAnAlign1ButtonRewritesXCoordAndKeepsAlign)
{
    ButtonSkin skin("ButtonCount=1\n[BUTTON0]\nButtonImage=Btn\\b.bmp\nAlign=1\nXCoord=20\nYCoord=5\n");
    TempDir dir;
    writeBytes(dir.path() / "sw.ini", "");
    TAcceleratedIniFile settings((dir.path() / "sw.ini").string());
    TUisFile document(skin.file());
    TPreviewForm form(settings);
    form.SetDocument(&document);
    form.ReLoadSkin();
    ASSERT_NE(form.Scene(), nullptr);
    const int cw = form.Scene()->ClientSize.width();
    const QRect before = form.Buttons().Button(0).Layer.Rect;
    EXPECT_EQ(before, QRect(cw - 20, 5, 20, 10));

    int changed = 0, written = -1;
    QObject::connect(&form, &TPreviewForm::DocumentChanged, [&] { ++changed; });
    QObject::connect(&form, &TPreviewForm::ButtonCoordinatesWritten, [&](int index) { written = index; });
    const QPoint press = before.topLeft() + QPoint(4, 4);
    form.ButtonMouseDown(0, press);
    form.ButtonMouseMove(press + QPoint(-7, 2));
    form.ButtonMouseUp(press + QPoint(-7, 2));

    EXPECT_GT(changed, 0);
    EXPECT_EQ(written, 0);
    EXPECT_EQ(document.ReadInteger("BUTTON0", "XCoord", 0), 27);
    EXPECT_EQ(document.ReadInteger("BUTTON0", "YCoord", 0), 7);
    EXPECT_EQ(document.ReadInteger("BUTTON0", "Align", 0), 1);
    EXPECT_EQ(form.Buttons().Button(0).Layer.Rect, QRect(cw - 27, 7, 20, 10));
    // Written through to the file, in place.
    const std::string bytes = readBytes(skin.file());
    EXPECT_NE(bytes.find("XCoord=27\nYCoord=7"), std::string::npos) << bytes;
    // The hot frame shows after the release.
    EXPECT_EQ(codeOf(form.Buttons().Button(0).Layer.Image.pixel(0, 0)), QPoint(40, 0));
}

}  // namespace
}  // namespace sw::test
