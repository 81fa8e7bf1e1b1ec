// The "Image" designer and the "Zoom" magnifier: margin limits, what "Apply" writes,
// the drawn picture, and the magnified pixels.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "editor/ButtonDesigner.h"
#include "editor/UISExplorerForm.h"
#include "editor/ZoomView.h"
#include "preview/PreviewForm.h"
#include "store/IniFile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;

TEST(ButtonDesigner, MarginsLeaveAPixelOfMiddleInOneFrame)
{
    struct Case {
        int width, height, images, top, bottom, left, right;
        MarginLimits expected;
    } cases[] = {
        {60, 20, 2, 0, 0, 0, 0, {19, 19, 29, 29}},
        {60, 20, 2, 5, 4, 10, 12, {15, 14, 17, 19}},  // left + right stays below 30
        {60, 20, 1, 0, 0, 0, 0, {19, 19, 59, 59}},
        {3, 2, 4, 1, 1, 0, 0, {0, 0, 0, 0}},  // never negative
    };
    for (const Case& c : cases) {
        const MarginLimits limits = marginLimits(c.width, c.height, c.images, c.top, c.bottom, c.left, c.right);
        EXPECT_EQ(std::tie(limits.top, limits.bottom, limits.left, limits.right),
                  std::tie(c.expected.top, c.expected.bottom, c.expected.left, c.expected.right))
            << c.width << "x" << c.height << "/" << c.images;
    }
}

using DesignerTest = EditorFixture;

TEST_F(DesignerTest, TheImagePageShowsTheSectionsImageAndApplyWritesItsSettings)
{
    auto main = makeMain();
    main->OpenFileName = QString::fromStdString((engine / "Tidewater" / "Tidewater.uis").string());
    main->FileOpenRoutine();
    TUISExplorerForm& explorer = *main->Explorer();
    explorer.SectionChange("Scrollbar");
    explorer.ShowPage("TabSheetImage");
    TButtonDesignerPage& designer = *explorer.Designer;
    EXPECT_EQ(designer.EditImageFilename->currentText(), QStringLiteral("Tidewater\\scrollarrows.bmp"));
    EXPECT_EQ(designer.cbImageToShow->count(), 23);
    EXPECT_EQ(designer.cbImageToShow->itemText(0), QStringLiteral("Left arrow"));
    EXPECT_EQ(designer.UpDownMarginLeft->value(), 3);
    EXPECT_TRUE(designer.CheckBoxTransparent->isChecked());
    EXPECT_FALSE(designer.LabelFileNotFound->isVisibleTo(&designer));
    // The first frame's corner, drawn as is, with magenta shown as the background.
    const QImage strip = QImage(QString::fromStdString((engine / "Tidewater" / "scrollarrows.bmp").string()));
    const QRgb corner = strip.pixel(0, 0);
    const QRgb expected = (corner & 0xffffff) == 0xff00ff ? designer.palette().color(QPalette::Window).rgb() : corner;
    EXPECT_EQ(designer.Picture().pixel(0, 0), expected);
    EXPECT_EQ(designer.Picture().size(), QSize(231, 167));

    // A missing file: nothing drawn, yet the margins are written.
    designer.EditImageFilename->setEditText(QStringLiteral("Tidewater\\missing.bmp"));
    EXPECT_TRUE(designer.LabelFileNotFound->isVisibleTo(&designer));
    designer.UpDownMarginLeft->setValue(7);
    designer.RadioTiled->setChecked(true);
    designer.ButtonApplyButtonSettings->click();
    const std::string bytes = readBytes(editorState().WorkingCopyPath);
    EXPECT_NE(bytes.find("[Scrollbar]\r\nIMAGE=Tidewater\\missing.bmp\r\nLEFTWIDTH=7\r\nTOPHEIGHT=3\r\nRIGHTWIDTH=3\r\n"
                         "BOTTOMHEIGHT=3\r\nTile=1\r\nTrans=1\r\n"),
              std::string::npos)
        << bytes;
    EXPECT_TRUE(editorState().Modified);
    main->Action(QStringLiteral("EditUndoItem"))->trigger();  // one step
    EXPECT_FALSE(editorState().Modified);
}

// Whatever section the page showed before, it shows the next one's stored margins,
// and showing a section is no edit: the working copy, the modified mark and the undo
// stack stay as they were, and "Apply" without a change writes nothing either.
TEST_F(DesignerTest, ShowingASectionShowsItsOwnMarginsAndWritesNothing)
{
    const fs::path file = engine / "Tidewater" / "Tidewater.uis";
    {
        TIniFile skin(file.string());
        skin.WriteString("TABS", "LEFTWIDTH", "20");  // wider than the track's frames allow
        skin.WriteString("TABS", "RIGHTWIDTH", "15");
    }
    auto main = makeMain();
    main->OpenFileName = QString::fromStdString(file.string());
    main->FileOpenRoutine();
    TUISExplorerForm& explorer = *main->Explorer();
    TUisFile& document = *explorer.Document();
    TButtonDesignerPage& designer = *explorer.Designer;
    QAction* undo = main->Action(QStringLiteral("EditUndoItem"));
    const std::string opened = readBytes(editorState().WorkingCopyPath);

    TStrings sections;
    document.ReadSections(sections);
    std::vector<std::string> withImage;
    for (const std::string& section : sections)
        if (document.Definition().ValueExists("Root," + section, "Image"))
            withImage.push_back(section);
    ASSERT_GE(withImage.size(), 4u);
    explorer.SectionChange(withImage.front());
    explorer.ShowPage("TabSheetImage");
    for (const std::string& before : withImage)
        for (const std::string& after : withImage) {
            explorer.SectionChange(before);
            explorer.SectionChange(after);
            const std::string path = before + " then " + after;
            EXPECT_EQ(std::tuple(designer.UpDownMarginTop->value(), designer.UpDownMarginBottom->value(),
                                 designer.UpDownMarginLeft->value(), designer.UpDownMarginRight->value()),
                      std::tuple(document.ReadInteger(after, "TopHeight", 4), document.ReadInteger(after, "BottomHeight", 4),
                                 document.ReadInteger(after, "LeftWidth", 4), document.ReadInteger(after, "RightWidth", 4)))
                << path;
            EXPECT_EQ(designer.RadioTiled->isChecked(), document.ReadInteger(after, "Tile", 0) == 1) << path;
            designer.ButtonApplyButtonSettings->click();
            ASSERT_EQ(readBytes(editorState().WorkingCopyPath), opened) << path;
            EXPECT_FALSE(editorState().Modified) << path;
            EXPECT_FALSE(undo->isEnabled()) << path;
        }

    // The track, then the tabs: the tabs' own 20 and 15, and a change writes that one key.
    explorer.SectionChange("HorzScroll");
    explorer.SectionChange("TABS");
    EXPECT_EQ(designer.UpDownMarginLeft->value(), 20);
    EXPECT_EQ(designer.UpDownMarginRight->value(), 15);
    designer.UpDownMarginRight->setValue(16);
    designer.ButtonApplyButtonSettings->click();
    std::string expected = opened;
    const std::size_t at = expected.find("RIGHTWIDTH=15");
    ASSERT_NE(at, std::string::npos);
    expected.replace(at, 13, "RIGHTWIDTH=16");
    EXPECT_EQ(readBytes(editorState().WorkingCopyPath), expected);
    EXPECT_TRUE(editorState().Modified);
    // A setting the section lacks is written as the page shows it.
    document.DeleteKey("TABS", "Trans");
    explorer.SectionChange("HorzScroll");
    explorer.SectionChange("TABS");
    designer.ButtonApplyButtonSettings->click();
    EXPECT_EQ(readBytes(editorState().WorkingCopyPath), expected.replace(expected.find("Trans=1", at), 7, "Trans=0"));
    prompts.answer(PromptAnswer::No);  // "Save Changes to Tidewater?"
    main->FileCloseItemClick();
}

TEST(ZoomView, EightTimesFillsTheImageFromATwentyPixelSquare)
{
    QImage source(100, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            source.setPixel(x, y, qRgb(x, y, 9));
    const QImage zoomed = zoomImage(source, QPoint(50, 50), QSize(160, 160), 2);
    struct Case {
        QPoint at;
        QRgb expected;
    } cases[] = {{{0, 0}, qRgb(40, 40, 9)},     {{7, 7}, qRgb(40, 40, 9)},    {{8, 0}, qRgb(41, 40, 9)},
                 {{159, 159}, qRgb(59, 59, 9)}, {{80, 0}, qRgb(50, 40, 9)}};
    for (const Case& c : cases)
        EXPECT_EQ(zoomed.pixel(c.at), c.expected) << c.at.x() << "," << c.at.y();
    // Around a corner the part outside the preview is black.
    const QImage corner = zoomImage(source, QPoint(0, 0), QSize(80, 80), 0);  // x 2: 40 x 40 from (-20, -20)
    EXPECT_EQ(corner.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(corner.pixel(40, 40), qRgb(0, 0, 9));
    EXPECT_EQ(corner.pixel(79, 79), qRgb(19, 19, 9));
}

TEST_F(DesignerTest, TheZoomPageFollowsThePreviewAndRedrawsOnlyOnChange)
{
    auto main = makeMain();
    main->OpenFileName = QString::fromStdString((engine / "Tidewater" / "Tidewater.uis").string());
    main->FileOpenRoutine();
    TUISExplorerForm& explorer = *main->Explorer();
    main->Action(QStringLiteral("ToolsZoomItem"))->trigger();
    EXPECT_EQ(explorer.PageControlViewSelector->currentWidget()->objectName(), QStringLiteral("TabSheetZoom"));
    TZoomViewPage& zoom = *explorer.Zoom;
    EXPECT_TRUE(zoom.TimerZoomRefresh->isActive());
    emit explorer.PreviewInactive()->CursorOver(QPoint(30, 12));
    EXPECT_TRUE(zoom.RadioInactive->isChecked());
    zoom.TimerZoomRefreshTimer();
    const int redraws = zoom.Redraws();
    EXPECT_EQ(zoom.Picture(), zoomImage(explorer.PreviewInactive()->Picture(), QPoint(30, 12),
                                           QSize(zoom.TrackBarZoomSizeX->value(), zoom.TrackBarZoomSizeY->value()), 0));
    zoom.TimerZoomRefreshTimer();
    EXPECT_EQ(zoom.Redraws(), redraws);  // nothing changed, nothing drawn
    emit explorer.PreviewActive()->CursorOver(QPoint(31, 12));
    zoom.TimerZoomRefreshTimer();
    EXPECT_EQ(zoom.Redraws(), redraws + 1);
    explorer.ShowPage("TabSheetSection");
    EXPECT_FALSE(zoom.TimerZoomRefresh->isActive());
}

}  // namespace
}  // namespace sw
