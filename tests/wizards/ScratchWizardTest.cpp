// The template-picture wizard and its picture window, driven as a user would.
#include "wizards/NewSkinfromAScratchForm.h"
#include "wizards/ScratchCutter.h"
#include "wizards/ScratchPreviewForm.h"
#include "wizards/WizardTimeLine.h"

#include "document/AuthorDefaults.h"
#include "engine/ScopedService.h"
#include "engine/ScriptedPrompts.h"
#include "store/AcceleratedIniFile.h"
#include "store/StringOps.h"
#include "support/SeeThroughJpeg.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

const QString kNotReady = QStringLiteral("Skinwright is NOT READY YET to create your new personality\n");

class ScratchWizard : public ::testing::Test {
public:
    TempDir dir;
    fs::path engine = dir.path() / "engine";
    QString pictureFile = QString::fromStdString((dir.path() / "window.bmp").string());
    ScriptedPrompts prompts;
    ScopedService<PromptService> installed{prompts};
    TAcceleratedIniFile settings{(dir.path() / "sw.ini").string()};
    TScratchPreviewForm picture;
    std::unique_ptr<TNewSkinfromAScratchForm> wizard;

    void SetUp() override
    {
        fs::create_directories(engine);
        QImage window(120, 80, QImage::Format_RGB32);
        window.fill(qRgb(40, 80, 160));
        window.setPixel(7, 9, qRgb(255, 255, 255));
        ASSERT_TRUE(window.save(pictureFile, "BMP"));
        settings.WriteString("Author", "SkinAuthor", "Ann");
        wizard = std::make_unique<TNewSkinfromAScratchForm>(settings, engine, picture);
        wizard->show();
    }

    template <typename T>
    T* child(const char* name) const
    {
        T* found = wizard->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* button) { child<QPushButton>(button)->click(); }
    void mouse(QEvent::Type type, QPoint at)
    {
        QWidget* canvas = picture.Canvas();
        QMouseEvent event(type, QPointF(at), QPointF(canvas->mapToGlobal(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &event);
    }
    void drag(QPoint from, QPoint to)
    {
        mouse(QEvent::MouseButtonPress, from);
        mouse(QEvent::MouseMove, to);
        mouse(QEvent::MouseButtonRelease, to);
    }
    void loadAndGoTo(int step)
    {
        ASSERT_TRUE(wizard->LoadTemplatePicture(pictureFile));
        wizard->StepChooserMouseAction(step);
        ASSERT_EQ(wizard->Step(), step);
    }
    // Adds a button at step 5 and gives it an area through the size controls.
    void addButton(QRect area)
    {
        click("ButtonAddButton");
        auto* list = child<QTreeWidget>("ListViewBitmaps");
        list->setCurrentItem(list->topLevelItem(list->topLevelItemCount() - 1));
        const char* names[] = {"UpDownButtonLeft", "UpDownButtonTop", "UpDownButtonWidth", "UpDownButtonHeight"};
        const int values[] = {area.left(), area.top(), area.width(), area.height()};
        for (int i = 0; i < 4; ++i)
            child<QSpinBox>(names[i])->setValue(values[i]);
    }
    void nameIt(const char* file, const char* name)
    {
        child<QLineEdit>("EditFileName")->setText(QString::fromLatin1(file));
        child<QLineEdit>("EditName")->setText(QString::fromLatin1(name));
    }
};

TEST_F(ScratchWizard, WithoutAPictureNothingPastStepOne)
{
    EXPECT_EQ(wizard->Step(), 0);
    EXPECT_EQ(wizard->Notice(), "This wizard creates a new personalized skin, based on a template image");
    EXPECT_FALSE(child<QStackedWidget>("pcSteps")->isVisible());
    // The "Finish" label of the time line, clicked as a user would.
    QTest::mouseClick(child<QLabel>("lblTimeLineStep9"), Qt::LeftButton);
    EXPECT_EQ(wizard->Step(), 1);
    EXPECT_FALSE(child<QPushButton>("btnNext")->isEnabled());
    click("btnNext");
    EXPECT_EQ(wizard->Step(), 1);
    EXPECT_FALSE(child<QPushButton>("btnFinish")->isEnabled());
    click("btnBack");
    EXPECT_EQ(wizard->Step(), 0);
}

TEST_F(ScratchWizard, LoadingShowsThePictureFacts)
{
    prompts.choosePath(pictureFile);
    click("LoadBitmapButton");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].dialog.filter,
              "All Graphis Formats|*.jpg;*.jpeg;*.jpe;*.jfif;*.jfi;*.bmp;*.dib;*.rle|Jpeg Files (*.jpg)|"
              "*.jpg;*.jpeg;*.jpe;*.jfif;*.jfi|Bitmap Files (*.bmp)|*.bmp;*.dib;*.rle|All Files (*.*)|*.*");
    EXPECT_TRUE(wizard->ImageLoaded());
    EXPECT_EQ(wizard->Step(), 1);
    EXPECT_EQ(child<QLineEdit>("EditImageWidth")->text(), "120");
    EXPECT_EQ(child<QLineEdit>("EditImageHeight")->text(), "80");
    EXPECT_EQ(child<QLineEdit>("EditImageFormat")->text(), "24 bit (16M colours)");
    EXPECT_TRUE(picture.isVisible());
    EXPECT_EQ(picture.size(), QSize(120, 80));
    EXPECT_EQ(picture.LoupeSize(), QSize(60, 40));
    EXPECT_EQ(picture.BorderMarker(1), QRect(112, 0, 8, 80));
}

// The shipped example picture, beside the template personality, is one click away;
// without it the button cannot be pressed.
TEST_F(ScratchWizard, TheExamplePictureLoadsWithoutADialog)
{
    QPushButton* example = child<QPushButton>("ButtonExamplePicture");
    ASSERT_TRUE(example->isEnabled());
    example->click();
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_TRUE(wizard->ImageLoaded());
    EXPECT_EQ(wizard->Step(), 1);
    const fs::path loaded = child<QLineEdit>("EditImageFilename")->text().toStdString();
    EXPECT_EQ(asciiLower(loaded.filename().string()), "scratch.bmp");
    EXPECT_TRUE(fs::equivalent(loaded.parent_path(), scratchTemplatePath(settings).parent_path()));
    EXPECT_EQ(child<QLineEdit>("EditImageWidth")->text(), "400");
    EXPECT_EQ(child<QLineEdit>("EditImageHeight")->text(), "300");
    EXPECT_EQ(picture.Picture().size(), QSize(400, 300));

    settings.WriteString("NewFile", "Scratch", "template\\gone\\scratch.uis");
    TScratchPreviewForm otherPicture;
    TNewSkinfromAScratchForm other(settings, engine, otherPicture);
    EXPECT_FALSE(other.findChild<QPushButton*>(QStringLiteral("ButtonExamplePicture"))->isEnabled());
}

TEST_F(ScratchWizard, EachStepShowsItsPageAndPictureModes)
{
    ASSERT_TRUE(wizard->LoadTemplatePicture(pictureFile));
    auto* pages = child<QStackedWidget>("pcSteps");
    for (int step = 1; step <= 9; ++step) {
        if (step > 1)
            click("btnNext");
        SCOPED_TRACE(step);
        ASSERT_EQ(wizard->Step(), step);
        EXPECT_EQ(pages->isVisible(), step <= 8);
        if (step <= 8) {
            EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("TabSheetStep%1").arg(step));
        }
        EXPECT_EQ(picture.TransparencyPicking(), step == 2);
        EXPECT_EQ(picture.BordersVisible(), step == 4);
        EXPECT_FALSE(picture.AreaDrawing());
        EXPECT_EQ(child<QPushButton>("btnNext")->isEnabled(), step < 9);
        // The current step's marker is lime; without buttons the readiness marker stays red.
        auto* line = child<TWizardTimeLine>("TimeLine");
        if (step < 9) {
            EXPECT_EQ(line->MarkerColour(step), QColor(Qt::green));
        }
        EXPECT_EQ(line->MarkerColour(step == 1 ? 2 : 1), QColor(Qt::gray));
        EXPECT_EQ(line->MarkerColour(9), QColor(Qt::red));
        EXPECT_EQ(line->Label(step)->font().bold(), true);
    }
}

TEST_F(ScratchWizard, ReadinessNoticeGivesTheLastFailingReason)
{
    loadAndGoTo(5);
    EXPECT_EQ(wizard->Notice(), kNotReady + "The skin must contain at least one button to continue.");
    addButton(QRect(10, 3, 2, 14));  // 2 pixels wide
    EXPECT_EQ(wizard->Buttons().at(0).stateText, "Undefined area!");
    EXPECT_EQ(child<QTreeWidget>("ListViewBitmaps")->topLevelItem(0)->text(0), "Close window");
    EXPECT_EQ(wizard->Notice(), kNotReady +
                                    "You have not defined the area (on the template image) for one or more created "
                                    "buttons.");
    child<QSpinBox>("UpDownButtonWidth")->setValue(3);
    EXPECT_EQ(wizard->Buttons().at(0).stateText, "OK");
    EXPECT_EQ(wizard->Notice(), kNotReady + "Both: \"Personality Name\"  and the \"Personality File Name\" fields "
                                            "has to be changed to continue.");
    nameIt("Cut", "Cut Skin");
    EXPECT_EQ(wizard->Notice(), "Skinwright is now ready to create your new personality");
    EXPECT_TRUE(child<QPushButton>("btnFinish")->isEnabled());
    nameIt("../Cut", "Cut Skin");
    EXPECT_TRUE(wizard->Notice().startsWith(kNotReady + "The personality file name must be a plain folder name"));
    EXPECT_FALSE(child<QPushButton>("btnFinish")->isEnabled());

    // A checked picture without an area blocks Finish too.
    nameIt("Cut", "Cut Skin");
    wizard->StepChooserMouseAction(6);
    auto* images = child<QTreeWidget>("ListViewImages");
    ASSERT_GT(images->topLevelItemCount(), 5);
    images->topLevelItem(2)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(images->topLevelItem(2)->text(1), "Undefined area!");
    EXPECT_EQ(wizard->Notice(), kNotReady + "You have not defined the area (on the template image) for one or more "
                                            "selected controls.");
    images->topLevelItem(2)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(images->topLevelItem(2)->text(1), "");
    EXPECT_TRUE(child<QPushButton>("btnFinish")->isEnabled());
}

TEST_F(ScratchWizard, AreasAreDrawnAndMovedOnThePicture)
{
    loadAndGoTo(5);
    addButton(QRect(0, 0, 0, 0));
    EXPECT_TRUE(picture.AreaDrawing());
    drag({100, 4}, {85, 18});  // drawn up-left: the area still starts at its top-left
    EXPECT_EQ(wizard->Buttons().at(0).area, QRect(85, 4, 15, 14));
    EXPECT_EQ(child<QSpinBox>("UpDownButtonLeft")->value(), 85);
    EXPECT_EQ(child<QSpinBox>("UpDownButtonHeight")->value(), 14);
    drag({90, 10}, {60, 20});  // a press inside moves it
    EXPECT_EQ(wizard->Buttons().at(0).area, QRect(55, 14, 15, 14));
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        QRect area;
    } keys[] = {
        {Qt::Key_Right, Qt::NoModifier, {56, 14, 15, 14}}, {Qt::Key_Up, Qt::NoModifier, {56, 13, 15, 14}},
        {Qt::Key_Left, Qt::ShiftModifier, {56, 13, 14, 14}}, {Qt::Key_Down, Qt::ShiftModifier, {56, 13, 14, 15}},
    };
    for (const auto& k : keys) {
        QTest::keyClick(picture.Canvas(), Qt::Key(k.key), k.modifiers);
        EXPECT_EQ(wizard->Buttons().at(0).area, k.area) << k.key;
    }
    EXPECT_EQ(child<QSpinBox>("UpDownButtonWidth")->value(), 14);
    // The loupe follows the cursor into the opposite quarter.
    mouse(QEvent::MouseMove, {10, 10});
    ASSERT_TRUE(picture.Loupe()->isVisible());
    EXPECT_EQ(picture.Loupe()->geometry(), QRect(120 - 60 - 5, 80 - 40 - 5, 60, 40));
    mouse(QEvent::MouseMove, {110, 70});
    EXPECT_EQ(picture.Loupe()->geometry().topLeft(), QPoint(5, 5));
}

TEST_F(ScratchWizard, TransparencyIsPickedFromThePicture)
{
    loadAndGoTo(2);
    mouse(QEvent::MouseButtonPress, {7, 9});
    mouse(QEvent::MouseButtonRelease, {7, 9});
    EXPECT_EQ(picture.TransparentColour(), qRgb(255, 255, 255));
    const QImage shown = child<QLabel>("ImageTransparency")->pixmap().toImage();
    EXPECT_EQ(shown.pixel(7, 9), qRgb(255, 0, 255));
    EXPECT_EQ(shown.pixel(8, 9), qRgb(40, 80, 160));
    wizard->StepChooserMouseAction(3);
    mouse(QEvent::MouseButtonPress, {0, 0});  // picking is off elsewhere
    EXPECT_EQ(picture.TransparentColour(), qRgb(255, 255, 255));
    const QImage inactive = child<QLabel>("ImageInactive")->pixmap().toImage();
    EXPECT_EQ(inactive.pixel(0, 0), qRgb(20, 60, 140));
}

TEST_F(ScratchWizard, JpegPicturesMatchTheSeeThroughColourLoosely)
{
    const QString jpeg = QString::fromStdString((dir.path() / "window.jpg").string());
    ASSERT_TRUE(test::writeSeeThroughJpeg(jpeg.toStdString(), {120, 80}, 13));
    // A pixel that compression moved off magenta, but not far.
    const QImage decoded = picture.LoadPicture(jpeg.toStdString()) ? picture.Picture() : QImage();
    ASSERT_FALSE(decoded.isNull());
    QPoint moved(-1, -1);
    for (int y = 0; y < 80 && moved.x() < 0; ++y)
        for (int x = 0; x < 120 && moved.x() < 0; ++x) {
            const int distance = test::distanceFromMagenta(decoded.pixel(x, y));
            if (distance > 0 && distance <= kJpegSeeThroughTolerance)
                moved = QPoint(x, y);
        }
    ASSERT_GE(moved.x(), 0) << "compression moved no magenta pixel a little";

    loadAndGoTo(2);  // a bitmap first: matched exactly
    auto* tolerance = child<QSpinBox>("UpDownTolerance");
    auto* note = child<QLabel>("LabelJpegTolerance");
    EXPECT_EQ(tolerance->value(), 0);
    EXPECT_FALSE(note->isVisible());
    ASSERT_TRUE(wizard->LoadTemplatePicture(jpeg));
    wizard->StepChooserMouseAction(2);
    EXPECT_EQ(tolerance->value(), kJpegSeeThroughTolerance);
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(wizard->CurrentJob().transparentTolerance, kJpegSeeThroughTolerance);
    auto shown = [&] { return child<QLabel>("ImageTransparency")->pixmap().toImage().pixel(moved); };
    EXPECT_EQ(shown(), qRgb(255, 0, 255));
    tolerance->setValue(0);
    EXPECT_NE(shown(), qRgb(255, 0, 255));
    EXPECT_EQ(wizard->CurrentJob().transparentTolerance, 0);
    ASSERT_TRUE(wizard->LoadTemplatePicture(pictureFile));
    EXPECT_EQ(tolerance->value(), 0);
    EXPECT_FALSE(note->isVisible());
}

TEST_F(ScratchWizard, FinishWritesThePersonalityAndCloses)
{
    loadAndGoTo(5);
    addButton(QRect(100, 4, 15, 14));
    nameIt("Cut", "Cut Skin");
    prompts.answer(PromptAnswer::Ok);
    click("btnFinish");
    ASSERT_EQ(prompts.shown().size(), 1u) << describePrompt(prompts.shown().back()).toStdString();
    EXPECT_EQ(prompts.shown()[0].text, "Skinwright will open the skin you have just created.");
    EXPECT_EQ(prompts.shown()[0].caption, "Skin outline successfully created.");
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_EQ(wizard->CreatedFile().toStdString(), (engine / "Cut" / "Cut.uis").string());
    TAcceleratedIniFile uis((engine / "Cut" / "Cut.uis").string());
    EXPECT_EQ(uis.ReadString("TITLEBARSKIN", "SkinName", ""), "Cut Skin");
    EXPECT_EQ(uis.ReadString("TITLEBARSKIN", "SkinAuthor", ""), "Ann");
    // In the right half of the 120-pixel picture: 20 pixels from the right edge.
    EXPECT_EQ(uis.ReadString("Button0", "Align", ""), "1");
    EXPECT_EQ(uis.ReadString("Button0", "XCoord", ""), "20");
    EXPECT_EQ(QImage(QString::fromStdString((engine / "Cut" / "Button0.bmp").string())).size(), QSize(90, 14));
}

// The author fields show what the author gave last time, with the placeholders only
// as hints; a finished wizard remembers what was typed, and a placeholder stored as a
// value (the preferences' defaults) is never written into a skin.
TEST_F(ScratchWizard, AuthorFieldsAreRememberedAndPlaceholdersNeverWritten)
{
    settings.WriteString("Author", "AuthorsURL", authorPlaceholder("AuthorsURL"));
    wizard.reset();
    wizard = std::make_unique<TNewSkinfromAScratchForm>(settings, engine, picture);
    EXPECT_EQ(child<QLineEdit>("EditSkinAuthor")->text(), "Ann");
    EXPECT_EQ(child<QLineEdit>("EditAuthorsURL")->text(), "");
    EXPECT_EQ(child<QLineEdit>("EditAuthorsURL")->placeholderText().toStdString(), authorPlaceholder("AuthorsURL"));
    EXPECT_EQ(child<QLineEdit>("EditAuthorsEmail")->text(), "");
    loadAndGoTo(5);
    addButton(QRect(100, 4, 15, 14));
    nameIt("Cut", "Cut Skin");
    child<QLineEdit>("EditSkinAuthor")->setText(QStringLiteral("Bea"));
    child<QLineEdit>("EditAuthorsEmail")->setText(QStringLiteral("bea@example.org"));
    prompts.answer(PromptAnswer::Ok);
    click("btnFinish");
    ASSERT_EQ(wizard->result(), QDialog::Accepted);
    TAcceleratedIniFile uis((engine / "Cut" / "Cut.uis").string());
    const std::pair<const char*, const char*> written[] = {
        {"SkinAuthor", "Bea"}, {"AuthorsURL", ""}, {"AuthorEmail", "bea@example.org"}, {"SpecialNotes", ""}};
    for (const auto& [key, value] : written) {
        EXPECT_EQ(uis.ReadString("TITLEBARSKIN", key, "(missing)"), value) << key;
        EXPECT_EQ(settings.ReadString("Author", key, "(missing)"), value) << key;
    }
    wizard.reset();
    wizard = std::make_unique<TNewSkinfromAScratchForm>(settings, engine, picture);
    EXPECT_EQ(child<QLineEdit>("EditSkinAuthor")->text(), "Bea");
}

TEST_F(ScratchWizard, FinishProblemsKeepTheWizardOpen)
{
    loadAndGoTo(5);
    addButton(QRect(100, 4, 15, 14));
    nameIt("Cut", "Cut Skin");
    fs::create_directories(engine / "Cut");
    writeBytes(engine / "Cut" / "mine.bmp", "mine");

    prompts.answer(PromptAnswer::Cancel);
    click("btnFinish");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].caption, "Replace personality");
    EXPECT_EQ(prompts.shown()[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(readBytes(engine / "Cut" / "mine.bmp"), "mine");
    EXPECT_TRUE(wizard->isVisible());

    fs::remove(pictureFile.toStdString());
    prompts.answer(PromptAnswer::Ok);
    click("btnFinish");
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[1].text, "\"" + pictureFile + "\" not found");
    EXPECT_EQ(prompts.shown()[1].caption, "File not found error");
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_TRUE(wizard->CreatedFile().isEmpty());
    EXPECT_EQ(readBytes(engine / "Cut" / "mine.bmp"), "mine");
}

TEST_F(ScratchWizard, UnreadablePictureOrTemplateIsReported)
{
    writeBytes(pictureFile.toStdString(), "not a picture");
    prompts.answer(PromptAnswer::Ok);
    EXPECT_FALSE(wizard->LoadTemplatePicture(pictureFile));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_TRUE(prompts.shown()[0].text.startsWith("Unable to read the picture \"" + pictureFile + "\""));
    EXPECT_EQ(prompts.shown()[0].caption, "Template image");
    EXPECT_FALSE(wizard->ImageLoaded());
    EXPECT_EQ(wizard->Step(), 0);

    QImage window(50, 40, QImage::Format_RGB32);
    window.fill(Qt::blue);
    ASSERT_TRUE(window.save(pictureFile, "BMP"));
    settings.WriteString("NewFile", "Scratch", "template\\gone.uis");
    loadAndGoTo(5);
    addButton(QRect(1, 1, 9, 9));
    nameIt("Cut", "Cut Skin");
    prompts.answer(PromptAnswer::Ok);
    click("btnFinish");
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[1].caption, "Unable to create the personality");
    EXPECT_TRUE(prompts.shown()[1].text.startsWith("Unable to copy the template personality "));
    EXPECT_TRUE(prompts.shown()[1].text.contains("gone.uis"));
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_TRUE(wizard->CreatedFile().isEmpty());
}

}  // namespace
}  // namespace sw

namespace sw {
namespace {

TEST(ScratchPicture, WindowTakesThePictureSizeUnlessTheScreenIsSmaller)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    const QSize cases[] = {{120, 80}, {1, 1}, {screen.width() * 2, 90}, {screen.width() + 500, screen.height() + 500}};
    for (const QSize& size : cases) {
        SCOPED_TRACE(size.width());
        TScratchPreviewForm picture;
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::gray);
        picture.SetPicture(image);
        picture.show();
        // The picture is always drawn whole and at 1:1; only the window may be smaller.
        EXPECT_EQ(picture.Canvas()->size(), size);
        if (size.width() <= screen.width() && size.height() <= screen.height()) {
            EXPECT_EQ(picture.size(), size);
        } else {
            EXPECT_LE(picture.width(), screen.width());
            EXPECT_LE(picture.height(), screen.height());
            EXPECT_LT(picture.width(), size.width());
        }
    }
}

// A picture opened while the window stands near the screen's corner brings the
// whole window back inside the screen.
TEST(ScratchPicture, ThePictureWindowOpensInsideTheScreen)
{
    QTemporaryDir dir;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QString file = dir.filePath(QStringLiteral("big.bmp"));
    QImage image(QSize(area.width() / 2, area.height() / 2), QImage::Format_RGB32);
    image.fill(Qt::gray);
    ASSERT_TRUE(image.save(file));
    TScratchPreviewForm picture;
    picture.move(area.right() - 20, area.bottom() - 20);
    ASSERT_TRUE(picture.LoadPicture(file.toStdString()));
    EXPECT_TRUE(area.contains(picture.frameGeometry()))
        << picture.frameGeometry().x() << "," << picture.frameGeometry().y();
    EXPECT_EQ(picture.Canvas()->size(), image.size());
}

}  // namespace
}  // namespace sw
