// The clock wizard: the keys it adds, where its preview puts the clock, and its pages.
#include "wizards/ClockWizardForm.h"
#include "wizards/ClockWizardKeys.h"

#include "document/UisFile.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeZone>
#include <QTimer>

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

const char* const kHead = "[TITLEBARSKIN]\r\nSkinAuthor=Ann\r\n\r\n";

class ClockFixture : public ::testing::Test {
public:
    TempDir dir;
    fs::path folder = dir.path() / "Mine";
    fs::path file = folder / "Mine.uis";

    std::unique_ptr<TUisFile> personality(const std::string& rest)
    {
        fs::create_directories(folder);
        writeBytes(file, kHead + rest);
        auto document = std::make_unique<TUisFile>(file.string());
        EXPECT_EQ(document->FormatVersion(), UisType2);
        return document;
    }
};

TEST_F(ClockFixture, TheClockBecomesTheNextButton)
{
    struct Case {
        const char* personality;
        const char* button;
        const char* count;
    } cases[] = {
        {"[PERSONALITY]\r\nButtonCount=3\r\n", "Button3", "4"},
        {"[PERSONALITY]\r\nTop=x.bmp\r\n", "Button0", "1"},
        {"", "Button0", "1"},
        {"[PERSONALITY]\r\nButtonCount=2x\r\n", "Button2", "3"},
        // Nothing usable in the count: the clock takes the first number, never "Button-1".
        {"[PERSONALITY]\r\nButtonCount=\r\n", "Button0", "1"},
        {"[PERSONALITY]\r\nButtonCount=-4\r\n", "Button0", "1"},
    };
    for (const Case& c : cases) {
        auto document = personality(c.personality);
        EXPECT_EQ(writeClockKeys(*document, ClockKeys{}), c.button) << c.personality;
        EXPECT_EQ(document->ReadString("PERSONALITY", "ButtonCount", ""), c.count) << c.personality;
        EXPECT_EQ(document->ReadString(c.button, "DllName", ""), "clock.dll") << c.personality;
    }
}

TEST_F(ClockFixture, KeysAreWrittenInTheirOrder)
{
    auto document = personality("");
    ClockKeys keys;
    keys.background = "Mine\\face.bmp";
    keys.fontHeight = -13;
    keys.fontName = "Liberation Sans";
    keys.updateInterval = 500;
    keys.fading = true;
    keys.fadeButton = 2;
    keys.alphaStep = 5;
    keys.minAlpha = 40;
    keys.maxAlpha = 200;
    keys.offsetX = 61;
    keys.offsetY = 3;
    keys.width = 58;
    keys.height = 16;
    keys.align = 3;
    keys.visibility = 1;
    writeClockKeys(*document, keys);
    document->UpdateFile();
    EXPECT_EQ(readBytes(file), std::string(kHead) +
                                   "[PERSONALITY]\r\nButtonCount=1\r\n\r\n"
                                   "[Clock]\r\nBackground=Mine\\face.bmp\r\nFontSize=13\r\nFontName=Liberation Sans\r\n"
                                   "UpdateTimer=500\r\nButtonNo=2\r\nAlphaInc=5\r\nmaxAlpha=200\r\nminAlpha=40\r\n\r\n"
                                   "[Button0]\r\nXCoord=61\r\nYCoord=3\r\nWidth=58\r\nHeight=16\r\nAction=-3\r\n"
                                   "DllName=clock.dll\r\nAlign=3\r\nVisibility=1\r\n");
}

TEST_F(ClockFixture, WithoutFadingOrBackgroundTheirKeysGo)
{
    auto document = personality("[Clock]\r\nBackground=Mine\\old.bmp\r\nButtonNo=1\r\nAlphaInc=3\r\nmaxAlpha=9\r\n"
                                "minAlpha=1\r\nFontSize=8\r\n");
    ClockKeys keys;
    keys.fontHeight = -20;
    writeClockKeys(*document, keys);
    for (const char* key : {"Background", "ButtonNo", "AlphaInc", "maxAlpha", "minAlpha"})
        EXPECT_FALSE(document->ValueExists("Clock", key)) << key;
    EXPECT_EQ(document->ReadString("Clock", "FontSize", ""), "20");
}

TEST(ClockRules, PlacementByAlignment)
{
    struct Case {
        int align;
        QPoint at;
    } cases[] = {
        {0, {50, 10}},  {1, {250, 10}}, {2, {50, 110}}, {3, {250, 110}}, {4, {200, 10}},
        {5, {200, 110}}, {6, {50, 70}}, {7, {250, 70}}, {8, {50, 10}},   {-1, {50, 10}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clockPlacement(c.align, 50, 10, 300, 120), c.at) << c.align;
    EXPECT_EQ(clockPlacement(3, 50, 0, 300, 120), QPoint(250, 120));
}

TEST(ClockRules, OffsetSuggestedByAlignment)
{
    const std::pair<int, std::optional<int>> cases[] = {
        {0, std::nullopt}, {1, 57}, {2, std::nullopt}, {3, 57}, {4, -28},
        {5, -28},          {6, std::nullopt}, {7, 57}, {8, std::nullopt},
    };
    for (const auto& [align, offset] : cases)
        EXPECT_EQ(clockOffsetForAlignment(align, 57), offset) << align;
}

TEST(ClockRules, TimeTextAndFontHeight)
{
    const QDateTime utc(QDate(2026, 1, 2), QTime(3, 4, 5), QTimeZone::utc());
    EXPECT_EQ(clockTimeText(utc), QStringLiteral("3:4:5"));
    EXPECT_EQ(clockTimeText(QDateTime(QDate(2026, 1, 2), QTime(23, 40, 10), QTimeZone(3600))),
              QStringLiteral("22:40:10"));
    QFont points(QStringLiteral("Liberation Sans"));
    points.setPointSize(10);
    EXPECT_EQ(clockFontHeight(points, 96), -13);
    EXPECT_EQ(clockFontHeight(points, 120), -17);
    QFont pixels(QStringLiteral("Liberation Sans"));
    pixels.setPixelSize(20);
    EXPECT_EQ(clockFontHeight(pixels, 96), -20);
}

class ClockWizard : public ClockFixture {
public:
    std::unique_ptr<TUisFile> document;
    std::unique_ptr<TAddClockWizardForm> wizard;

    void SetUp() override
    {
        document = personality("[PERSONALITY]\r\nButtonCount=3\r\n[Colours]\r\nActiveText=0 0 255\r\n");
        QImage face(40, 18, QImage::Format_RGB32);
        face.fill(qRgb(0, 160, 0));
        ASSERT_TRUE(face.save(QString::fromStdString((folder / "face.bmp").string()), "BMP"));
        wizard = std::make_unique<TAddClockWizardForm>(*document);
        wizard->show();
    }
};

TEST_F(ClockWizard, StartsWithItsDefaults)
{
    EXPECT_EQ(wizard->windowTitle(), QStringLiteral("Add Clock Wizard"));
    EXPECT_EQ(wizard->PageControlWizardSteps->currentIndex(), 0);
    EXPECT_EQ(wizard->ComboBoxVisibility->currentIndex(), 1);
    EXPECT_EQ(wizard->ComboBoxVisibility->currentText(), QStringLiteral("Active window only"));
    EXPECT_EQ(wizard->ComboBoxAlignment->currentIndex(), 1);
    EXPECT_EQ(wizard->ComboBoxAlignment->currentText(), QStringLiteral("Top right"));
    EXPECT_EQ(wizard->SpinEditFadeButton->value(), 3);
    EXPECT_EQ(wizard->SpinEditPluginWidth->value(), wizard->LabelFontSample->width());
    EXPECT_EQ(wizard->SpinEditPluginHeight->value(), wizard->LabelFontSample->height());
    EXPECT_GT(wizard->LabelFontSample->width(), 0);
    // Top right, as far from the right edge as the clock is wide: it ends at the edge.
    EXPECT_EQ(wizard->SpinEditOffsetX->value(), wizard->LabelFontSample->width());
    EXPECT_EQ(wizard->SpinEditUpdateTimer->value(), 900);
    EXPECT_EQ(wizard->cbButtonImageFilename->count(), 1);
    EXPECT_FALSE(wizard->cbButtonImageFilename->isVisible());
    EXPECT_FALSE(wizard->SpinEditAlphaStep->isEnabled());
    EXPECT_FALSE(wizard->LabelFadeWarning->isVisible());
    EXPECT_FALSE(wizard->ButtonFinish->isEnabled());
    const ClockKeys keys = wizard->Keys();
    EXPECT_EQ(keys.background, "");
    EXPECT_FALSE(keys.fading);
    EXPECT_EQ(keys.align, 1);
    EXPECT_EQ(keys.visibility, 1);
}

TEST_F(ClockWizard, FinishOnlyOnThePreviewWithASize)
{
    struct Case {
        int page;
        int width, height;
        bool back, next, finish, warning, timer;
    } cases[] = {
        {0, 30, 10, false, true, false, false, false}, {1, 30, 10, true, true, false, false, false},
        {2, 30, 10, true, true, false, false, false},  {3, 30, 10, true, false, true, false, true},
        {3, 0, 10, true, false, false, true, true},    {3, 30, 0, true, false, false, true, true},
        {1, 0, 0, true, true, false, true, false},
    };
    for (const Case& c : cases) {
        wizard->SpinEditPluginWidth->setValue(c.width);
        wizard->SpinEditPluginHeight->setValue(c.height);
        wizard->PageControlWizardSteps->setCurrentIndex(c.page);
        SCOPED_TRACE(c.page);
        EXPECT_EQ(wizard->ButtonBack->isEnabled(), c.back);
        EXPECT_EQ(wizard->ButtonNext->isEnabled(), c.next);
        EXPECT_EQ(wizard->ButtonFinish->isEnabled(), c.finish);
        EXPECT_EQ(wizard->ButtonFinish->isDefault(), c.finish);
        EXPECT_EQ(wizard->ButtonNext->isDefault(), !c.finish);
        EXPECT_EQ(wizard->LabelSizeWarning1->isHidden(), !c.warning);
        EXPECT_EQ(wizard->UpdateTimer->isActive(), c.timer);
    }
    wizard->SpinEditUpdateTimer->setValue(250);
    wizard->PageControlWizardSteps->setCurrentIndex(0);
    wizard->ButtonNext->click();
    wizard->ButtonNext->click();
    wizard->ButtonNext->click();
    EXPECT_EQ(wizard->PageControlWizardSteps->currentIndex(), 3);
    EXPECT_EQ(wizard->UpdateTimer->interval(), 250);
}

TEST_F(ClockWizard, AlignmentMovesTheOffset)
{
    const int width = wizard->LabelFontSample->width();
    const std::pair<int, int> cases[] = {{0, 77}, {3, width}, {4, 0}, {6, 77}, {7, width}};
    for (const auto& [align, offset] : cases) {
        wizard->SpinEditOffsetX->setValue(77);
        wizard->ComboBoxAlignment->setCurrentIndex(align);
        wizard->ComboBoxAlignmentChange();
        EXPECT_EQ(wizard->SpinEditOffsetX->value(), offset) << align;
    }
    QFont big = wizard->font();
    big.setPixelSize(30);
    wizard->ComboBoxAlignment->setCurrentIndex(1);
    wizard->ApplyFont(big);
    EXPECT_GT(wizard->LabelFontSample->width(), width);
    EXPECT_EQ(wizard->SpinEditOffsetX->value(), wizard->LabelFontSample->width());
    EXPECT_EQ(wizard->SpinEditPluginHeight->value(), wizard->LabelFontSample->height());
    EXPECT_EQ(wizard->Keys().fontHeight, -30);
}

TEST_F(ClockWizard, ChosenBackgroundSizesTheClockAndShowsInThePreview)
{
    wizard->RadioBackgroundBitmap->click();
    EXPECT_TRUE(wizard->cbButtonImageFilename->isVisible());
    EXPECT_EQ(wizard->cbButtonImageFilename->currentText(), QStringLiteral("Mine\\face.bmp"));
    EXPECT_EQ(wizard->SpinEditPluginWidth->value(), 40);
    EXPECT_EQ(wizard->SpinEditPluginHeight->value(), 18);
    EXPECT_EQ(wizard->LabelBitmapWidth->text(), QStringLiteral("40"));
    EXPECT_FALSE(wizard->LabelBitmapFormat->text().isEmpty());
    wizard->ComboBoxAlignment->setCurrentIndex(0);
    wizard->SpinEditOffsetX->setValue(10);
    wizard->SpinEditOffsetY->setValue(30);
    QImage preview = wizard->PreviewImage();
    EXPECT_EQ(preview.size(), QSize(300, 120));
    EXPECT_EQ(preview.pixel(10, 30), qRgb(0, 160, 0));
    EXPECT_EQ(preview.pixel(49, 47), qRgb(0, 160, 0));
    EXPECT_NE(preview.pixel(50, 48), qRgb(0, 160, 0));
    EXPECT_NE(preview.pixel(9, 29), qRgb(0, 160, 0));
    // The time text is drawn on the clock in the personality's active text colour.
    bool blue = false;
    for (int y = 30; y < 48; ++y)
        for (int x = 10; x < 50; ++x)
            blue = blue || (qBlue(preview.pixel(x, y)) > 200 && qGreen(preview.pixel(x, y)) < 100);
    EXPECT_TRUE(blue);
    EXPECT_EQ(wizard->Keys().background, "Mine\\face.bmp");

    wizard->RadioBackgroundTransparent->click();
    EXPECT_EQ(wizard->Keys().background, "");
    // Without a bitmap the clock's ground is the transparent colour, so the frame shows.
    const QRgb frame = wizard->PreviewImage().pixel(5, 60);
    EXPECT_EQ(wizard->PreviewImage().pixel(10, 30), frame);
}

TEST_F(ClockWizard, TheClockStaysInsideTheFrame)
{
    // At the start, after a larger font, with a bitmap behind it and without it again:
    // the clock's picture lies inside the sample frame, as large as its text or bitmap.
    auto clockInside = [&](const char* when, int width, int height) {
        SCOPED_TRACE(when);
        EXPECT_EQ(wizard->SpinEditPluginWidth->value(), width);
        EXPECT_EQ(wizard->SpinEditPluginHeight->value(), height);
        const QPoint at = clockPlacement(wizard->ComboBoxAlignment->currentIndex(), wizard->SpinEditOffsetX->value(),
                                         wizard->SpinEditOffsetY->value(), TAddClockWizardForm::kSampleWidth,
                                         TAddClockWizardForm::kSampleHeight);
        EXPECT_TRUE(QRect(0, 0, TAddClockWizardForm::kSampleWidth, TAddClockWizardForm::kSampleHeight)
                        .contains(QRect(at, QSize(width, height))))
            << at.x() << "," << at.y() << " " << width << "x" << height;
    };
    clockInside("start", wizard->LabelFontSample->width(), wizard->LabelFontSample->height());
    QFont big = wizard->font();
    big.setPixelSize(24);
    wizard->ApplyFont(big);
    clockInside("larger font", wizard->LabelFontSample->width(), wizard->LabelFontSample->height());
    wizard->RadioBackgroundBitmap->click();
    clockInside("bitmap", 40, 18);
    wizard->RadioBackgroundTransparent->click();
    clockInside("transparent again", wizard->LabelFontSample->width(), wizard->LabelFontSample->height());
}

TEST_F(ClockWizard, FadingControlsFollowTheCheckBox)
{
    wizard->CheckBoxFadeEnable->click();
    for (QSpinBox* box : {wizard->SpinEditFadeButton, wizard->SpinEditAlphaStep, wizard->SpinEditMinAlpha,
                          wizard->SpinEditMaxAlpha})
        EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();
    EXPECT_FALSE(wizard->LabelFadeWarning->isHidden());
    const ClockKeys keys = wizard->Keys();
    EXPECT_TRUE(keys.fading);
    EXPECT_EQ(keys.alphaStep, 10);
    EXPECT_EQ(keys.minAlpha, 55);
    EXPECT_EQ(keys.maxAlpha, 255);
    wizard->CheckBoxFadeEnable->click();
    EXPECT_FALSE(wizard->SpinEditMaxAlpha->isEnabled());
    EXPECT_TRUE(wizard->LabelFadeWarning->isHidden());
}

}  // namespace
}  // namespace sw
