// The value editor band on a document of its own: what each page shows, when a user
// action counts as a change, and what is written back.
#include "editor/ValueEditorBand.h"

#include "support/FieldInput.h"

#include "editor/ColorPicker.h"
#include "engine/EditorState.h"
#include "mainwindow/MainForm.h"
#include "editor/TuneColour.h"
#include "editor/UISExplorerForm.h"
#include "editor/ValueRules.h"
#include "engine/ScopedService.h"
#include "engine/ScriptedPrompts.h"
#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QAbstractItemDelegate>
#include <QComboBox>
#include <QStyleOptionViewItem>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(ValueRules, ChangeDetectionAndReading)
{
    struct Case {
        const char* what;
        bool changed;
        bool expected;
    } cases[] = {
        {"12abc over 12", numberChanged("12abc", "12"), false},
        {"12abc over 10", numberChanged("12abc", "10"), true},
        {"text over text", numberChanged("x", "y"), false},  // both -256
        {"0 over empty", numberChanged("0", ""), true},
        {"checked over 1", switchChanged(true, "1"), false},
        {"unchecked over 1", switchChanged(false, "1"), true},
        {"unchecked over text", switchChanged(false, "on"), true},  // text reads -1
        {"choice 0 shift 1 over 1", choiceChanged(0, 1, "1"), false},
        {"choice 1 shift 1 over 1", choiceChanged(1, 1, "1"), true},
        {"same text", textChanged("a", "a"), false},
        {"case counts", textChanged("A", "a"), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.changed, c.expected) << c.what;
    EXPECT_EQ(choiceIndex("1", 0, 1), 0);
    EXPECT_EQ(choiceIndex("x", -1, 1), -2);
    EXPECT_EQ(rgbWords("12 34\t56"), (std::array<int, 3>{12, 34, 56}));
    EXPECT_EQ(rgbWords("1 2 3 4"), (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(rgbWords("12 34"), std::nullopt);
    EXPECT_EQ(rgbWords(""), std::nullopt);
    EXPECT_EQ(rgbWords("red green blue"), std::nullopt);
    EXPECT_EQ(channelStem("ActiveTitleR"), "ActiveTitle");
}

class BandTest : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedPrompts prompts;
    ScopedService<PromptService> installed{prompts};
    std::unique_ptr<TMainForm> main;
    fs::path skin;

    void SetUp() override
    {
        writeBytes(dir.path() / "uis2.def",
                   "[Root,Test]\nDescription=Test section\n"
                   "[Test,Name]\nType=STRING\n"
                   "[Test,Count]\nType=INT\nConstraints=0,10\n"
                   "[Test,Mode]\nType=CHOOSE\nConstraints=3\nShiftNumericValue=1\nValue0=One\nValue1=Two\nValue2=Three\n"
                   "[Test,Flag]\nType=BOOL\nDescription=Use the flag\n"
                   "[Test,Pic]\nType=FILE\n"
                   "[Test,ActiveR]\nType=COLOR\n[Test,ActiveG]\nType=COLOR\n[Test,ActiveB]\nType=COLOR\n"
                   "[Test,Tint]\nType=COMBOCOLOR\n"
                   "[Test,UseFont]\nType=ENUMERATOR\nSubType=Font\n"
                   "[Test,UseClock]\nType=ENUMERATOR\nSubType=Clock\n");
        setProgramFolder(dir.path());
        fs::create_directories(dir.path() / "Skins" / "Aqua");
        skin = dir.path() / "Skins" / "Aqua" / "aqua.uis";
        writeBytes(skin, "[TITLEBARSKIN]\r\nSkinAuthor=me\r\nSkinName=Aqua\r\n"
                         "[Test]\r\nName=hello\r\nCount=12\r\nMode=1\r\nFlag=1\r\nPic=Aqua\\a.bmp\r\n"
                         "ActiveR=10\r\nActiveG=20\r\nActiveB=30\r\nTint=bad\r\nUseFont=1\r\nUseClock=0\r\n"
                         "[Font0]\r\nFace=A\r\n[Font1]\r\nFace=B\r\n");
        writeBytes(dir.path() / "Skins" / "Aqua" / "a.bmp", "x");
        writeBytes(dir.path() / "Skins" / "Aqua" / "b.bmp", "x");
        editorState() = EditorState{};
        main = std::make_unique<TMainForm>(QString::fromStdString((dir.path() / "sw.ini").string()));
        main->OpenFileName = QString::fromStdString(skin.string());
        main->FileOpenRoutine();
        ASSERT_NE(main->Explorer(), nullptr);
        main->Explorer()->SectionChange("Test");
    }
    void TearDown() override
    {
        if (editorState().Modified)
            prompts.answer(PromptAnswer::No);
        main.reset();
        setProgramFolder({});
        editorState() = EditorState{};
    }

    ValueEditorBand& band() { return *main->Band(); }
    TUisFile& document() { return *main->Explorer()->Document(); }
    void select(const std::string& key, int editAs = -1)
    {
        main->Explorer()->AttributeSelect("Test", key);
        if (editAs != -1)
            main->EditAttribute(editAs);
    }
    QString rowRaw(const std::string& key)
    {
        QTreeWidget* list = main->Explorer()->ListViewExplorer;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->data(0, Qt::UserRole + 2).toString() == QString::fromStdString(key))
                return list->topLevelItem(i)->data(0, Qt::UserRole + 1).toString();
        return QStringLiteral("<no row>");
    }
};

TEST_F(BandTest, EachTypeGetsItsPageFilledFromTheValue)
{
    struct Case {
        const char* key;
        QWidget* ValueEditorBand::*page;
    } cases[] = {
        {"Name", &ValueEditorBand::TabSheetStringAttribEdit}, {"Count", &ValueEditorBand::TabSheetInteger},
        {"Mode", &ValueEditorBand::TabSheetMultipleChioce},   {"Flag", &ValueEditorBand::TabSheetSwitch},
        {"Pic", &ValueEditorBand::TabSheetPickFile},          {"ActiveG", &ValueEditorBand::TabSheetColorChanger},
        {"Tint", &ValueEditorBand::TabSheetColorChanger},     {"UseFont", &ValueEditorBand::TabSheetMultipleChioce},
    };
    for (const Case& c : cases) {
        select(c.key);
        EXPECT_EQ(band().currentWidget(), band().*c.page) << c.key;
    }
    select("Count");
    EXPECT_EQ(band().EditNumber->text(), QStringLiteral("12"));
    EXPECT_EQ(band().SpinMinimum(), 0);
    EXPECT_EQ(band().SpinMaximum(), 10);
    select("Mode");
    EXPECT_EQ(band().ComboBoxSelection->count(), 3);
    EXPECT_EQ(band().ComboBoxSelection->currentText(), QStringLiteral("One"));  // stored 1, shift 1
    select("Flag");
    EXPECT_TRUE(band().CheckBoxAtribute->isChecked());
    EXPECT_EQ(band().CheckBoxAtribute->text(), QStringLiteral("Use the flag"));
    select("Pic");
    EXPECT_EQ(band().EditFilename->count(), 2);
    EXPECT_EQ(band().EditFilename->currentText(), QStringLiteral("Aqua\\a.bmp"));
    select("ActiveG");
    EXPECT_EQ(band().LabelColorValueRed->text() + band().LabelColorValueGreen->text() + band().LabelColorValueBlue->text(),
              QStringLiteral("102030"));
    // A one-value colour that is not three numbers shows black and stores nothing.
    select("Tint");
    EXPECT_EQ(band().LabelColorValueRed->text() + band().LabelColorValueGreen->text() + band().LabelColorValueBlue->text(),
              QStringLiteral("000"));
    EXPECT_EQ(document().ReadString("Test", "Tint", ""), "bad");
    select("UseFont");
    EXPECT_EQ(band().ComboBoxSelection->count(), 2);
    EXPECT_EQ(band().ComboBoxSelection->currentText(), QStringLiteral("Font1"));
    select("UseClock");
    EXPECT_EQ(band().ComboBoxSelection->count(), 0);
    EXPECT_FALSE(editorState().Modified);
}

TEST_F(BandTest, TypedNumbersAreStoredAsTypedOnlyWhenTheirNumberDiffers)
{
    select("Count");
    QTest::keyClicks(band().EditNumber, QStringLiteral("abc"));  // "12abc" over 12
    EXPECT_EQ(document().ReadString("Test", "Count", ""), "12");
    EXPECT_FALSE(editorState().Modified);
    document().WriteString("Test", "Count", "10");
    main->Explorer()->UpdateRowValue("Count", "10");
    select("Name");
    select("Count");
    band().EditNumber->setText(QStringLiteral("12abc"));
    EXPECT_EQ(document().ReadString("Test", "Count", ""), "12abc");
    EXPECT_EQ(rowRaw("Count"), QStringLiteral("12abc"));
    EXPECT_TRUE(editorState().Modified);
    // The spin wraps at its limits.
    band().EditNumber->setText(QStringLiteral("10"));
    band().UpDownUp->click();
    EXPECT_EQ(band().EditNumber->text(), QStringLiteral("0"));
    EXPECT_EQ(document().ReadString("Test", "Count", ""), "0");
}

TEST_F(BandTest, ChoicesSwitchesAndText)
{
    select("Mode");
    band().ComboBoxSelection->setCurrentIndex(1);
    emit band().ComboBoxSelection->activated(1);
    EXPECT_EQ(document().ReadString("Test", "Mode", ""), "2");
    select("Flag");
    band().CheckBoxAtribute->click();
    EXPECT_EQ(document().ReadString("Test", "Flag", ""), "0");
    EXPECT_EQ(rowRaw("Flag"), QStringLiteral("0"));
    select("Name");
    band().EditAttrValue->setText(QStringLiteral("world"));
    EXPECT_EQ(document().ReadString("Test", "Name", ""), "world");
    EXPECT_NE(readBytes(editorState().WorkingCopyPath).find("Name=world\r\n"), std::string::npos);
}

// A character single-byte text cannot hold is refused, typed or pasted, with a message
// naming it: the field keeps its text and the file its bytes, instead of a "?".
TEST_F(BandTest, CharactersBeyondLatin1AreRefusedByNameAndNothingIsWritten)
{
    using Field = QWidget* (*)(ValueEditorBand&);
    const Field text = [](ValueEditorBand& b) -> QWidget* { return b.EditAttrValue; };
    const Field number = [](ValueEditorBand& b) -> QWidget* { return b.EditNumber; };
    const Field file = [](ValueEditorBand& b) -> QWidget* { return b.EditFilename->lineEdit(); };
    struct Case {
        const char* key;
        Field field;
        bool pasted;
        const char* input;  // UTF-8
        const char* named;  // UTF-8; empty: taken
        const char* stored;
    } cases[] = {
        {"Name", text, true, "\u0100", "\u0100 (U+0100)", "hello"},
        {"Name", text, false, "\u20ac", "\u20ac (U+20AC)", "hello"},
        {"Count", number, true, "1\u01002\u0100", "\u0100 (U+0100)", "12"},
        {"Pic", file, true, "x\u20ac\u0100.bmp", "\u20ac (U+20AC), \u0100 (U+0100)", "Aqua\\a.bmp"},
        {"Pic", file, false, "\U0001F600", "\U0001F600 (U+1F600)", "Aqua\\a.bmp"},
        {"Name", text, true, "\u00e9", "", "hello\xe9"},  // Latin-1 itself is taken, as its byte
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.key) + (c.pasted ? " pasted " : " typed ") + c.input;
        select(c.key);
        QWidget* field = c.field(band());
        const std::string before = readBytes(editorState().WorkingCopyPath);
        const QString shown = static_cast<QLineEdit*>(field)->text();
        const std::size_t prompted = prompts.shown().size();
        const bool refused = *c.named != 0;
        if (refused)
            prompts.answer(PromptAnswer::Ok);
        field->setFocus();
        static_cast<QLineEdit*>(field)->end(false);
        (c.pasted ? pasteInto : typeInto)(field, QString::fromUtf8(c.input));
        EXPECT_EQ(document().ReadString("Test", c.key, ""), c.stored) << what;
        if (!refused) {
            EXPECT_EQ(prompts.shown().size(), prompted) << what;
            continue;
        }
        EXPECT_EQ(readBytes(editorState().WorkingCopyPath), before) << what;
        EXPECT_EQ(static_cast<QLineEdit*>(field)->text(), shown) << what;
        EXPECT_FALSE(editorState().Modified) << what;
        ASSERT_EQ(prompts.shown().size(), prompted + 1) << what;
        EXPECT_EQ(prompts.shown().back().text, refusedMessage(QString::fromUtf8(c.named))) << what;
        EXPECT_EQ(prompts.shown().back().caption, QStringLiteral("Characters refused"));
        EXPECT_EQ(prompts.shown().back().icon, PromptIcon::Error);
    }

    // A file the open dialog hands over is checked the same way.
    select("Pic");
    const std::string before = readBytes(editorState().WorkingCopyPath);
    prompts.choosePath(QString::fromStdString((dir.path() / "Skins" / "Aqua").string()) + QString::fromUtf8("/\u0100.bmp"))
        .answer(PromptAnswer::Ok);
    band().BitBtnPickFile->click();
    EXPECT_EQ(readBytes(editorState().WorkingCopyPath), before);
    EXPECT_EQ(band().EditFilename->currentText(), QStringLiteral("Aqua\\a.bmp"));
    EXPECT_EQ(prompts.shown().back().text, refusedMessage(QString::fromUtf8("\u0100 (U+0100)")));
}

TEST_F(BandTest, ChannelKeysAreWrittenTogetherAndPickersReportOnlyNewColours)
{
    select("ActiveG");
    band().PickScreenColour = [](Colour) { return std::optional<Colour>(); };  // cancelled
    band().sbPickColor->click();
    EXPECT_EQ(document().ReadString("Test", "ActiveR", ""), "10");
    EXPECT_FALSE(editorState().Modified);

    band().SelectColour = [](Colour) { return std::optional<Colour>(1 + 2 * 256 + 3 * 65536); };
    band().BitBtnPickaColor->click();
    EXPECT_EQ(document().ReadString("Test", "ActiveR", ""), "1");
    EXPECT_EQ(document().ReadString("Test", "ActiveG", ""), "2");
    EXPECT_EQ(document().ReadString("Test", "ActiveB", ""), "3");
    for (auto [key, value] : {std::pair{"ActiveR", "1"}, std::pair{"ActiveG", "2"}, std::pair{"ActiveB", "3"}})
        EXPECT_EQ(rowRaw(key), QString::fromLatin1(value)) << key;
    EXPECT_TRUE(editorState().Modified);

    // The full-colour item on a string attribute stores the RGB text form.
    band().FineTuneColour = [](Colour start) { return start == 0 ? Colour(255 + 128 * 256) : start; };
    select("Name", 7);
    EXPECT_EQ(band().currentWidget(), band().TabSheetColorChanger);
    band().BitBtnFineTuneColor->click();
    EXPECT_EQ(document().ReadString("Test", "Name", ""), "255 128 0");
}

TEST_F(BandTest, BitmapFilesAreListedWithThumbnailRowsAndOneMessageForUnreadableOnes)
{
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString((dir.path() / "Skins" / "Aqua" / "c.bmp").string()), "BMP"));
    select("Name");
    select("Pic");
    QComboBox* files = band().EditFilename;
    ASSERT_EQ(files->count(), 3);
    QAbstractItemDelegate* delegate = files->itemDelegate();
    QStyleOptionViewItem option;
    auto height = [&](int row) { return delegate->sizeHint(option, files->model()->index(row, 0)).height(); };
    prompts.answer(PromptAnswer::Ok);
    EXPECT_EQ(height(0), 19);  // a.bmp holds no picture: the list's own height, and the message
    EXPECT_EQ(height(1), 19);  // b.bmp neither, but the message is shown once per document
    EXPECT_EQ(height(2), 26);  // 20 rows of picture and 6
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("RLE compressed bitmap found"));
}

TEST(ColourDialogs, FineTuneShowsTheStartingColourAndEyedropperCancels)
{
    TFormFineTuneColor white(255 + 255 * 256 + 255 * 65536);
    for (QSlider* slider : {white.TrackBarRed, white.TrackBarGreen, white.TrackBarBlue})
        EXPECT_EQ(slider->value(), 255);
    for (QLabel* label : {white.LabelColorValueRed, white.LabelColorValueGreen, white.LabelColorValueBlue})
        EXPECT_EQ(label->text(), QStringLiteral("255"));
    white.TrackBarGreen->setValue(0);
    EXPECT_EQ(white.colour(), 255 + 255 * 65536);
    white.reject();
    EXPECT_EQ(white.colour(), 255 + 255 * 65536);  // whatever closes it

    QImage screen(100, 80, QImage::Format_RGB32);
    screen.fill(qRgb(10, 20, 30));
    screen.setPixel(50, 40, qRgb(200, 100, 50));
    TfrmPickColor picker(screen);
    QImage magnifier = picker.Magnifier(50, 40);
    EXPECT_EQ(magnifier.size(), QSize(86, 55));
    EXPECT_EQ(magnifier.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(magnifier.pixel(85, 54), qRgb(0, 0, 0));
    EXPECT_EQ(magnifier.pixel(4, 4), qRgb(0, 0, 0));          // the zoom well's rim
    EXPECT_EQ(magnifier.pixel(6, 6), qRgb(10, 20, 30));       // zoomed pixel (46, 36)
    EXPECT_EQ(magnifier.pixel(27 - 2, 27 - 2), qRgb(200, 100, 50));  // the cursor's pixel, five times
    EXPECT_EQ(magnifier.pixel(60, 40), qRgb(200, 100, 50));   // the swatch
    EXPECT_EQ(magnifier.pixel(55, 35), qRgb(0, 0, 0));        // the swatch well's rim
    // Near the edge the part outside the snapshot stays black.
    EXPECT_EQ(picker.Magnifier(0, 0).pixel(6, 6), qRgb(0, 0, 0));

    picker.show();
    QTest::mouseMove(&picker, QPoint(50, 40));
    EXPECT_EQ(picker.DisplayImage->pos(), QPoint(60, 50));
    QTest::keyClick(&picker, Qt::Key_Escape);
    EXPECT_EQ(picker.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace sw
