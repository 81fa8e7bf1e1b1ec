// Inserting sections, attributes and buttons through the dialogs, and the button
// layers palette, on the sample skins.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "editor/AttribDefForm.h"
#include "editor/AttributeAddForm.h"
#include "editor/AttributeChecklist.h"
#include "editor/DocumentHistory.h"
#include "editor/FrmLayers.h"
#include "editor/LayersModel.h"
#include "editor/SectionAddForm.h"
#include "editor/UISExplorerForm.h"
#include "preview/PreviewForm.h"
#include "store/AcceleratedIniFile.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;

using InsertionFormsTest = EditorFixture;

// Runs `answer` on the next modal dialog of type T once it is shown.
template <class T, class F>
void whenShown(F answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

int rowOf(const AttributeChecklist& list, const std::string& attribute)
{
    for (std::size_t i = 0; i < list.Rows().size(); ++i)
        if (list.Rows()[i].Attribute == attribute)
            return int(i);
    return -1;
}

void selectSection(TSectionAddForm& form, const std::string& name)
{
    for (int i = 0; i < form.ListViewSection->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = form.ListViewSection->topLevelItem(i);
        if (form.Sections()[std::size_t(item->data(0, Qt::UserRole).toInt())].Name == name)
            form.ListViewSection->setCurrentItem(item);
    }
}

void selectAttribute(QTreeWidget* list, int row)
{
    list->clearSelection();
    list->setCurrentItem(list->topLevelItem(row));
}

TEST_F(InsertionFormsTest, InsertSectionDialogOffersAndChooses)
{
    Opened o = openTidewater();
    TSectionAddForm form(o.document());
    EXPECT_EQ(form.windowTitle(), "Insert Section");
    EXPECT_FALSE(form.ButtonOK->isEnabled());
    EXPECT_EQ(form.LabelAttributeDescription->text(), "Check all atibutes you want to add together with your new section.");
    std::vector<std::string> offered;
    for (const SectionOffer& offer : form.Sections())
        offered.push_back(offer.Name);
    // Tidewater has PERSONALITY but Font is a family and Button is numbered by the count.
    EXPECT_EQ(std::count(offered.begin(), offered.end(), "PERSONALITY"), 0);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), "Font"), 1);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), "Button"), 1);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), "Gadgets"), 0);

    selectSection(form, "Button");
    ASSERT_TRUE(form.ButtonOK->isEnabled());
    EXPECT_EQ(form.LabelSectionDescription->text(), "One button drawn on the window frame");
    AttributeChecklist& list = form.Attributes();
    // "Manditory attributes only" is applied on choosing: Action, Align, XCoord, YCoord.
    std::vector<std::string> ticked;
    for (const AttributeWrite& write : list.Writes())
        ticked.push_back(write.Key);
    std::sort(ticked.begin(), ticked.end());
    EXPECT_EQ(ticked, (std::vector<std::string>{"Action", "Align", "XCoord", "YCoord"}));

    // The action is a choice whose first entry stores -3: the third stores -1.
    const int action = rowOf(list, "Action");
    selectAttribute(form.ListViewAttr, action);
    EXPECT_TRUE(form.GroupBoxValue->isEnabled());
    EXPECT_TRUE(form.CheckBoxMandatoryAttribute->isChecked());
    EXPECT_FALSE(form.EditValue->isEditable());
    EXPECT_EQ(form.EditValue->count(), 44);
    EXPECT_EQ(form.EditValue->currentIndex(), 3);  // Default 0 less the shift -3
    emit form.EditValue->activated(2);
    EXPECT_EQ(list.Rows()[std::size_t(action)].Value, "-1");

    // A plain value is typed.
    const int x = rowOf(list, "XCoord");
    selectAttribute(form.ListViewAttr, x);
    EXPECT_TRUE(form.EditValue->isEditable());
    form.EditValue->setEditText(QStringLiteral("42"));
    EXPECT_EQ(list.Rows()[std::size_t(x)].Value, "42");

    // Several rows selected: nothing to edit.
    form.ListViewAttr->topLevelItem(0)->setSelected(true);
    form.ListViewAttr->topLevelItem(1)->setSelected(true);
    EXPECT_FALSE(form.GroupBoxValue->isEnabled());
}

TEST_F(InsertionFormsTest, MandatoryQuestionYesAndNo)
{
    for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
        Opened o = openTidewater();
        TSectionAddForm form(o.document());
        selectSection(form, "Button");
        AttributeChecklist& list = form.Attributes();
        list.SetTicked(rowOf(list, "YCoord"), false);
        list.SetTicked(rowOf(list, "ButtonImage"), true);
        const std::size_t asked = prompts.shown().size();
        prompts.answer(answer);
        form.ButtonOKClick();
        ASSERT_EQ(prompts.shown().size(), asked + 1);
        EXPECT_EQ(prompts.shown().back().text,
                  "Not all attributes that must exist in selected section were checked.\n"
                  "  Press YES for Skinwright to add those attributes for you.\n"
                  "  Press NO to Continue with some manditory attributes unselected?");
        EXPECT_EQ(prompts.shown().back().caption, "Caution");
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(list.Rows()[std::size_t(rowOf(list, "YCoord"))].Ticked, answer == PromptAnswer::Yes);
        EXPECT_TRUE(list.Rows()[std::size_t(rowOf(list, "ButtonImage"))].Ticked);
        o.main->FileCloseItemClick();
    }
}

TEST_F(InsertionFormsTest, InsertSectionCommandIsOneUndoStep)
{
    Opened o = openTidewater();
    ASSERT_NE(o.explorer->Layers(), nullptr);
    const std::string before = readBytes(o.document().DiskPath());
    whenShown<TSectionAddForm>([](TSectionAddForm& form) {
        selectSection(form, "Button");
        form.ButtonOKClick();
    });
    ASSERT_TRUE(o.explorer->SectionAdd());
    EXPECT_EQ(o.document().ButtonCount(), 10);
    EXPECT_EQ(o.document().ReadString("Button9", "Action", "-"), "0");
    EXPECT_EQ(editorState().CurrentSection, "Button9");
    EXPECT_EQ(o.explorer->Layers()->Model().rowCount(), 10);
    QUndoStack& stack = o.main->History().Stack();
    ASSERT_EQ(stack.count(), 1);
    EXPECT_EQ(stack.undoText(), "Insert Section");
    stack.undo();
    EXPECT_EQ(readBytes(o.document().DiskPath()), before);

    // A section chosen with nothing ticked writes nothing and records nothing.
    whenShown<TSectionAddForm>([](TSectionAddForm& form) {
        selectSection(form, "Font");
        form.Attributes().MandatoryOnly();
        for (int i = 0; i < int(form.Attributes().Rows().size()); ++i)
            form.Attributes().SetTicked(i, false);
        form.accept();
    });
    EXPECT_FALSE(o.explorer->SectionAdd());
    EXPECT_EQ(readBytes(o.document().DiskPath()), before);
    EXPECT_EQ(stack.index(), 0);
}

TEST_F(InsertionFormsTest, AddButtonCancelAndOk)
{
    Opened o = openTidewater();
    const std::string before = readBytes(o.document().DiskPath());
    QUndoStack& stack = o.main->History().Stack();
    whenShown<TAttributeAddForm>([](TAttributeAddForm& form) {
        EXPECT_EQ(form.LabelSectionDescription->text(), "Button");
        EXPECT_EQ(form.LabelAttributeDescription->text(), "Check all atibutes you want to add to this section.");
        form.reject();
    });
    EXPECT_FALSE(o.explorer->ButtonAdd());
    EXPECT_EQ(readBytes(o.document().DiskPath()), before);
    EXPECT_EQ(stack.count(), 0);

    whenShown<TAttributeAddForm>([](TAttributeAddForm& form) {
        AttributeChecklist& list = form.Attributes();
        // Every button attribute is offered for the new section, the mandatory ticked.
        EXPECT_GT(list.Rows().size(), 30u);
        EXPECT_EQ(list.Writes().size(), 4u);
        const int align = rowOf(list, "Align");
        selectAttribute(form.ListViewAttr, align);
        emit form.EditValue->activated(1);
        form.ButtonOK->click();
    });
    ASSERT_TRUE(o.explorer->ButtonAdd());
    EXPECT_EQ(o.document().ButtonCount(), 10);
    EXPECT_EQ(o.document().ReadString("Button9", "Align", "-"), "1");
    EXPECT_EQ(stack.count(), 1);
    EXPECT_EQ(stack.undoText(), "Insert Button");
    EXPECT_EQ(o.explorer->Layers()->Model().rowCount(), 10);
    stack.undo();
    EXPECT_EQ(readBytes(o.document().DiskPath()), before);
    EXPECT_EQ(o.explorer->Layers()->Model().rowCount(), 9);
    stack.redo();
    prompts.answer(PromptAnswer::No);  // "Save Changes to ...?"
    o.main->FileCloseItemClick();
}

TEST_F(InsertionFormsTest, InsertAttributeOffersWhatTheSectionLacks)
{
    Opened o = openTidewater();
    o.explorer->SectionChange("Button1");
    TStrings had;
    o.document().ReadSection("Button1", had);
    TAttributeAddForm form(o.document(), "Button1", "Button");
    for (const AttributeOffer& row : form.Attributes().Rows())
        for (const std::string& key : had)
            EXPECT_FALSE(sameText(row.Attribute, key)) << key;
    whenShown<TAttributeAddForm>([](TAttributeAddForm& dialog) {
        AttributeChecklist& list = dialog.Attributes();
        for (int i = 0; i < int(list.Rows().size()); ++i)
            list.SetTicked(i, list.Rows()[std::size_t(i)].Attribute == "Visibility5" ||
                                  list.Rows()[std::size_t(i)].Attribute == "Visibility6");
        // Visibility5 gets a chosen value; Visibility6 keeps the default it inherits (0).
        selectAttribute(dialog.ListViewAttr, rowOf(list, "Visibility5"));
        EXPECT_FALSE(dialog.EditValue->isEditable());  // a choice: "MDI window" is entry 18
        emit dialog.EditValue->activated(18);
        dialog.accept();
    });
    ASSERT_TRUE(o.explorer->AttributeAdd());
    EXPECT_EQ(o.document().ReadString("Button1", "Visibility5", "-"), "18");
    EXPECT_EQ(o.document().ReadString("Button1", "Visibility6", "-"), "0");
    EXPECT_EQ(o.explorer->ListViewExplorer->topLevelItemCount(), int(had.size()) + 2);
    EXPECT_EQ(o.main->History().Stack().undoText(), "Insert Attribute");
    prompts.answer(PromptAnswer::No);  // "Save Changes to ...?"
    o.main->FileCloseItemClick();
}

TEST_F(InsertionFormsTest, AttributeDefinitionViewer)
{
    Opened o = openTidewater();
    TfrmAttribDef form(attributeDefinition(o.document(), "Button3", "Button", "Align"));
    EXPECT_EQ(form.windowTitle(), "Internal Attribute Definition");
    const QStringList lines = form.reAttribDef->toPlainText().split(QLatin1Char('\n'));
    ASSERT_GT(lines.size(), 10);
    EXPECT_EQ(lines[0], "Alignment");
    EXPECT_EQ(lines[1], "Internal Name: Align");
    EXPECT_EQ(lines[2], "Section: Button3");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[7], "Internal attribute definition");
    EXPECT_EQ(lines[9], "Type=CHOOSE");
    EXPECT_EQ(form.reAttribDef->textCursor().position(), 0);
}

// --- the palette ---

TEST_F(InsertionFormsTest, PaletteOpensWithButtonsAndShowsThem)
{
    Opened o = openTidewater();
    TfrmLayers* layers = o.explorer->Layers();
    ASSERT_NE(layers, nullptr);
    QAbstractItemModelTester tester(&layers->Model());
    EXPECT_TRUE(layers->isVisible());
    EXPECT_EQ(layers->windowTitle(), "Buttons");
    EXPECT_TRUE(o.main->Action(QStringLiteral("WindowButtonPaletteShow"))->isChecked());
    EXPECT_TRUE(o.explorer->PreviewActive()->PopupMenuImage()->findChild<QAction*>("ShowButtonsPatette")->isChecked());
    LayersModel& model = layers->Model();
    ASSERT_EQ(model.rowCount(), 9);
    for (int i = 0; i < 9; ++i) {
        const std::string section = "Button" + std::to_string(i);
        EXPECT_EQ(model.index(i, LayersModel::PictureColumn).data().toString().toStdString(),
                  o.document().ButtonActionCaption(section));
        EXPECT_EQ(model.index(i, LayersModel::AlignmentColumn).data().toString().toStdString(),
                  o.document().ButtonAlignmentText(section));
    }

    // Column 0 near the left toggles the button on both previews.
    layers->GridPress(4, LayersModel::StateColumn, 5);
    EXPECT_FALSE(o.explorer->PreviewActive()->Buttons().Button(4).Layer.Visible);
    EXPECT_FALSE(o.explorer->PreviewInactive()->Buttons().Button(4).Layer.Visible);
    EXPECT_EQ(model.index(4, 0).data(LayersModel::EyeGlyphRole).toInt(), kGlyphHidden);
    layers->GridPress(4, LayersModel::StateColumn, 5);
    EXPECT_TRUE(o.explorer->PreviewActive()->Buttons().Button(4).Layer.Visible);

    // Selecting a row's picture selects the button in the explorer, and back.
    layers->GridPress(6, LayersModel::PictureColumn, 60);
    EXPECT_EQ(editorState().CurrentSection, "Button6");
    EXPECT_EQ(model.CurrentRow(), 6);
    EXPECT_TRUE(model.Highlighted());
    EXPECT_EQ(model.StateGlyph(6), kGlyphSelected);
    EXPECT_TRUE(layers->tbMoveButtonUp->isEnabled());
    o.explorer->SelectRoot();
    EXPECT_FALSE(model.Highlighted());
    EXPECT_FALSE(layers->tbButtonRemove->isEnabled());

    // Hiding writes the place and takes the marks away.
    o.main->Settings().WriteBool("General", "WindowsSizeRestore", true);
    layers->setGeometry(40, 50, 300, 280);
    layers->close();
    EXPECT_FALSE(o.main->Action(QStringLiteral("WindowButtonPaletteShow"))->isChecked());
    EXPECT_EQ(o.main->Settings().ReadInteger("Windows", "LayersLeft", -1), layers->geometry().x());
    EXPECT_EQ(o.main->Settings().ReadInteger("Windows", "LayersWidth", -1), 300);
    EXPECT_EQ(o.main->Settings().ReadInteger("Windows", "LayersHeight", -1), 280);
    // The preview's item shows it again.
    emit o.explorer->PreviewActive()->ButtonsPaletteRequested(true);
    EXPECT_TRUE(layers->isVisible());
    EXPECT_EQ(layers->geometry().width(), 300);
    // F4 hides it and shows it again.
    QAction* f4 = o.main->Action(QStringLiteral("WindowButtonPaletteShow"));
    ASSERT_TRUE(f4->isChecked());
    f4->trigger();
    EXPECT_FALSE(layers->isVisible());
    f4->trigger();
    EXPECT_TRUE(layers->isVisible());
}

TEST_F(InsertionFormsTest, ChainedButtonsFollowADrag)
{
    Opened o = openTidewater();
    TfrmLayers* layers = o.explorer->Layers();
    ASSERT_NE(layers, nullptr);
    o.explorer->SectionChange("Button0");
    ASSERT_EQ(layers->Model().CurrentRow(), 0);
    layers->GridPress(2, LayersModel::StateColumn, 25);  // chain button 2 to 0
    EXPECT_EQ(layers->Model().StateGlyph(2), kGlyphChained);
    const int x2 = o.document().ReadInteger("Button2", "XCoord", 0);
    const int x1 = o.document().ReadInteger("Button1", "XCoord", 0);
    emit o.explorer->PreviewActive()->ButtonShifted(0, 5, 0);
    EXPECT_EQ(o.document().ReadInteger("Button2", "XCoord", 0), x2 + 5);
    EXPECT_EQ(o.document().ReadInteger("Button1", "XCoord", 0), x1);
    // Pressing it again un-chains it.
    layers->GridPress(2, LayersModel::StateColumn, 25);
    EXPECT_EQ(layers->Model().StateGlyph(2), kGlyphHidden);
    emit o.explorer->PreviewActive()->ButtonShifted(0, 5, 0);
    EXPECT_EQ(o.document().ReadInteger("Button2", "XCoord", 0), x2 + 5);

    // Removing a button before a chained one keeps the chain on the moved-down button.
    layers->GridPress(2, LayersModel::StateColumn, 25);
    prompts.answer(PromptAnswer::Yes);
    o.explorer->SectionRemove("Button1");
    ASSERT_EQ(layers->Model().rowCount(), 8);
    EXPECT_EQ(layers->Model().Chains().Members(0), (std::vector<int>{0, 1}));
    EXPECT_EQ(o.document().ReadInteger("Button1", "XCoord", 0), x2 + 5);
    const int y1 = o.document().ReadInteger("Button1", "YCoord", 0);
    emit o.explorer->PreviewActive()->ButtonShifted(0, 0, 2);
    EXPECT_EQ(o.document().ReadInteger("Button1", "YCoord", 0), y1 + 2);
    prompts.answer(PromptAnswer::No);  // "Save Changes to ...?"
    o.main->FileCloseItemClick();
}

TEST_F(InsertionFormsTest, ApplyTriesTheConditionsOnBothPreviews)
{
    Opened o = openTidewater();
    TfrmLayers* layers = o.explorer->Layers();
    ASSERT_NE(layers, nullptr);
    TUisFile& d = o.document();
    for (int i = 0; i < 3; ++i)
        for (const char* key : {"Visibility", "Visibility1", "Visibility2", "Visibility3", "Visibility4",
                                "Visibility5", "Visibility6", "Visibility7", "Visibility8", "Visibility9"})
            d.DeleteKey("Button" + std::to_string(i), key);
    d.WriteInteger("Button0", "Visibility3", 18);
    d.WriteInteger("Button1", "Visibility", 0);
    d.WriteInteger("Button1", "Visibility1", 1);
    d.WriteInteger("Button2", "Visibility7", 1);
    const struct {
        int style;
        bool active[3], inactive[3];
    } cases[] = {
        {1, {true, true, false}, {true, false, false}},
        {0, {false, true, false}, {false, false, false}},
    };
    for (const auto& c : cases) {
        layers->rgWindowStyle->findChildren<QRadioButton*>()[c.style]->setChecked(true);
        layers->btnApplyClick();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(o.explorer->PreviewActive()->Buttons().Button(i).Layer.Visible, c.active[i]) << c.style << i;
            EXPECT_EQ(o.explorer->PreviewInactive()->Buttons().Button(i).Layer.Visible, c.inactive[i]) << c.style << i;
        }
    }
    // "Title text present" follows the sizing choice.
    layers->rgSizeablilty->findChildren<QRadioButton*>()[1]->click();
    EXPECT_FALSE(layers->cbTitleText->isEnabled());
    layers->rgSizeablilty->findChildren<QRadioButton*>()[0]->click();
    EXPECT_TRUE(layers->cbTitleText->isEnabled());
}

TEST_F(InsertionFormsTest, MovingAButtonDownSwapsTheSections)
{
    Opened o = openTidewater();
    TfrmLayers* layers = o.explorer->Layers();
    ASSERT_NE(layers, nullptr);
    TUisFile& d = o.document();
    TStrings three, four;
    d.ReadSectionValues("Button3", three);
    d.ReadSectionValues("Button4", four);
    ASSERT_NE(three, four);
    o.explorer->SectionChange("Button3");
    layers->tbMoveButtonDown->click();
    TStrings nowThree, nowFour;
    d.ReadSectionValues("Button3", nowThree);
    d.ReadSectionValues("Button4", nowFour);
    EXPECT_EQ(nowThree, four);
    EXPECT_EQ(nowFour, three);
    EXPECT_EQ(editorState().CurrentSection, "Button4");
    EXPECT_EQ(o.main->History().Stack().undoText(), "Move Button");
    // The last button does not move down, the first not up.
    o.explorer->SectionChange("Button8");
    const std::string bytes = readBytes(d.DiskPath());
    layers->MoveButton(false);
    o.explorer->SectionChange("Button0");
    layers->MoveButton(true);
    EXPECT_EQ(readBytes(d.DiskPath()), bytes);
    prompts.answer(PromptAnswer::No);  // "Save Changes to ...?"
    o.main->FileCloseItemClick();
}

TEST_F(InsertionFormsTest, RollUpKeepsThePlaceAndRestoresTheSize)
{
    Opened o = openTidewater();
    TfrmLayers* layers = o.explorer->Layers();
    ASSERT_NE(layers, nullptr);
    layers->resize(280, 320);
    const QPoint place = layers->pos();
    layers->tbRollup->click();
    EXPECT_TRUE(layers->RolledUp());
    EXPECT_LT(layers->height(), 80);
    EXPECT_FALSE(layers->Pages->isVisible());
    layers->tbRollup->click();
    EXPECT_EQ(layers->size(), QSize(280, 320));
    EXPECT_EQ(layers->pos(), place);
}

TEST(LayerThumbnail, PictureIsPlacedByAlignment)
{
    const QSize box(38, 28), picture(10, 6);
    const struct {
        int align;
        QPoint at;
    } cases[] = {{0, {0, 0}},   {1, {28, 0}},  {9, {28, 0}}, {2, {0, 22}}, {3, {28, 22}},
                 {4, {14, 0}},  {5, {14, 22}}, {6, {0, 11}}, {7, {28, 11}}, {8, {0, 0}}};
    for (const auto& c : cases)
        EXPECT_EQ(thumbnailOffset(c.align, picture, box), c.at) << c.align;

    QImage pattern = checkeredPattern();
    EXPECT_EQ(pattern.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(pattern.pixel(4, 0), 0xFFDDDDDDu);
    EXPECT_EQ(pattern.pixel(0, 4), 0xFFDDDDDDu);
    EXPECT_EQ(pattern.pixel(4, 4), 0xFFFFFFFFu);

    // Magenta shows the pattern; the picture sits 2 pixels in, at the right for Align 1.
    QImage button(4, 4, QImage::Format_RGB32);
    button.fill(QColor(255, 0, 255));
    button.setPixel(3, 0, 0xFF102030u);
    QImage thumb = layerThumbnail(button, 1, Qt::black);
    ASSERT_EQ(thumb.size(), QSize(kThumbnailWidth, kThumbnailHeight));
    EXPECT_EQ(thumb.pixel(0, 0), 0xFF000000u);                   // frame
    EXPECT_EQ(thumb.pixel(kThumbnailWidth - 3, 2), 0xFF102030u);  // the picture's top right
    EXPECT_EQ(thumb.pixel(kThumbnailWidth - 4, 2), pattern.pixel((kThumbnailWidth - 4) % 8, 2));
}

}  // namespace
}  // namespace sw
