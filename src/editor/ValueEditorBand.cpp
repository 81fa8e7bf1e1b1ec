#include "common/Latin1.h"
#include "editor/ValueEditorBand.h"

#include "preview/ClassicDesktop.h"

#include "engine/FileActions.h"

#include "document/FileReference.h"
#include "document/ThumbnailRow.h"
#include "editor/ColorPicker.h"
#include "engine/EditorState.h"
#include "common/GlyphList.h"
#include "editor/EditorHostWindow.h"
#include "editor/ThumbnailDelegate.h"
#include "editor/TuneColour.h"
#include "editor/UISExplorerForm.h"
#include "editor/ValueRules.h"
#include "engine/PromptService.h"
#include "engine/Shell.h"
#include "store/AcceleratedIniFile.h"
#include "store/StringOps.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>

#include <filesystem>

namespace sw {

namespace fs = std::filesystem;

namespace {

QLabel* boldLabel()
{
    auto* label = new QLabel(QStringLiteral("0"));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setMinimumWidth(24);
    return label;
}

}  // namespace

ValueEditorBand::ValueEditorBand(EditorHostWindow& main, QWidget* parent) : QStackedWidget(parent), main_(main)
{
    setObjectName(QStringLiteral("PageControlPropertySelector"));
    setFixedHeight(35);
    setMaximumWidth(490);

    auto row = [](QWidget* page) {
        auto* layout = new QHBoxLayout(page);
        layout->setContentsMargins(4, 2, 4, 2);
        return layout;
    };
    auto named = [](auto* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };

    TabSheetStringAttribEdit = addPage("TabSheetStringAttribEdit");
    EditAttrValue = named(new QLineEdit, "EditAttrValue");
    row(TabSheetStringAttribEdit)->addWidget(EditAttrValue);

    TabSheetInteger = addPage("TabSheetInteger");
    EditNumber = named(new QLineEdit(QStringLiteral("0")), "EditNumber");
    UpDownUp = named(new QToolButton, "UpDownIntegerUp");
    UpDownUp->setArrowType(Qt::UpArrow);
    UpDownDown = named(new QToolButton, "UpDownIntegerDown");
    UpDownDown->setArrowType(Qt::DownArrow);
    auto* numberRow = row(TabSheetInteger);
    numberRow->addWidget(EditNumber);
    numberRow->addWidget(UpDownUp);
    numberRow->addWidget(UpDownDown);
    numberRow->addStretch();

    TabSheetMultipleChioce = addPage("TabSheetMultipleChioce");
    ComboBoxSelection = named(new QComboBox, "ComboBoxSelection");
    ComboBoxSelection->setMinimumWidth(240);
    row(TabSheetMultipleChioce)->addWidget(ComboBoxSelection);
    static_cast<QHBoxLayout*>(TabSheetMultipleChioce->layout())->addStretch();

    TabSheetSwitch = addPage("TabSheetSwitch");
    CheckBoxAtribute = named(new QCheckBox, "CheckBoxAtribute");
    row(TabSheetSwitch)->addWidget(CheckBoxAtribute);

    TabSheetPickFile = addPage("TabSheetPickFile");
    EditFilename = named(new QComboBox, "EditFilename");
    EditFilename->setEditable(true);
    EditFilename->setMinimumWidth(220);
    EditFilename->setInsertPolicy(QComboBox::NoInsert);
    BitBtnPickFile = named(new QPushButton(QStringLiteral("Browse")), "BitBtnPickFile");
    BitBtnOpenFile = named(new QPushButton(QStringLiteral("Open")), "BitBtnOpenFile");
    BitBtnEditFile = named(new QPushButton(QStringLiteral("Edit")), "BitBtnEditFile");
    auto* fileRow = row(TabSheetPickFile);
    for (QWidget* w : std::initializer_list<QWidget*>{EditFilename, BitBtnPickFile, BitBtnOpenFile, BitBtnEditFile})
        fileRow->addWidget(w);

    TabSheetColorChanger = addPage("TabSheetColorChanger");
    ShapeColorPreview = named(new QFrame, "ShapeColorPreview");
    ShapeColorPreview->setFixedSize(40, 25);
    LabelColorValueRed = named(boldLabel(), "LabelColorValueRed");
    LabelColorValueGreen = named(boldLabel(), "LabelColorValueGreen");
    LabelColorValueBlue = named(boldLabel(), "LabelColorValueBlue");
    sbPickColor = named(new QToolButton, "sbPickColor");
    sbPickColor->setIcon(glyphIcon(7));
    sbPickColor->setToolTip(QStringLiteral("Pick a colour from the screen"));
    BitBtnPickaColor = named(new QPushButton(QStringLiteral("Select color")), "BitBtnPickaColor");
    BitBtnFineTuneColor = named(new QPushButton(QStringLiteral("Fine Tune")), "BitBtnFineTuneColor");
    auto* colourRow = row(TabSheetColorChanger);
    colourRow->addWidget(ShapeColorPreview);
    for (auto [caption, label] : {std::pair{"R:", LabelColorValueRed}, std::pair{"G:", LabelColorValueGreen},
                                  std::pair{"B:", LabelColorValueBlue}}) {
        colourRow->addWidget(new QLabel(QString::fromLatin1(caption)));
        colourRow->addWidget(label);
    }
    colourRow->addWidget(sbPickColor);
    colourRow->addWidget(BitBtnPickaColor);
    colourRow->addWidget(BitBtnFineTuneColor);
    paintSwatch(ShapeColorPreview, 0);

    TabSheetNote = addPage("TabSheetNote");
    auto* info = new QLabel;
    info->setPixmap(glyphPixmap(20, 16));
    LabelNote = named(new QLabel, "LabelNote");
    LabelNote->setWordWrap(true);
    auto* noteRow = row(TabSheetNote);
    noteRow->addWidget(info);
    noteRow->addWidget(LabelNote, 1);

    TabSheetPickFont = addPage("TabSheetPickFont");
    EditFontName = named(new QComboBox, "EditFontName");
    EditFontName->setEditable(true);
    EditFontName->setMinimumWidth(220);
    EditFontName->setInsertPolicy(QComboBox::NoInsert);
    BitBtnPickFont = named(new QPushButton(QStringLiteral("Pick Font")), "BitBtnPickFont");
    auto* fontRow = row(TabSheetPickFont);
    fontRow->addWidget(EditFontName);
    fontRow->addWidget(BitBtnPickFont);
    fontRow->addStretch();

    thumbnails_ = new ThumbnailDelegate(EditFilename, [this] {
        if (unreadableShown_)
            return;
        unreadableShown_ = true;
        prompts().message(QStringLiteral("Skinwright detected RLE compressed bitmap it cannot handle. Some images "
                                         "might be unaccessible."),
                          QStringLiteral("RLE compressed bitmap found"), PromptIcon::Error, PromptButtons::Ok);
    });
    plainFiles_ = new QStyledItemDelegate(EditFilename);

    guardLatin1(EditAttrValue);
    guardLatin1(EditNumber);
    guardLatin1(EditFilename);
    guardLatin1(EditFontName);
    connect(EditAttrValue, &QLineEdit::textChanged, this, [this] { AttribValueChange(EditAttrValue); });
    connect(EditNumber, &QLineEdit::textChanged, this, [this] { AttribValueChange(EditNumber); });
    connect(UpDownUp, &QToolButton::clicked, this, [this] { UpDownIntegerClick(1); });
    connect(UpDownDown, &QToolButton::clicked, this, [this] { UpDownIntegerClick(-1); });
    connect(ComboBoxSelection, &QComboBox::activated, this, [this] { AttribValueChange(ComboBoxSelection); });
    connect(CheckBoxAtribute, &QCheckBox::clicked, this, [this] { AttribValueChange(CheckBoxAtribute); });
    connect(EditFilename, &QComboBox::currentTextChanged, this, [this] { AttribValueChange(EditFilename); });
    connect(BitBtnPickFile, &QPushButton::clicked, this, &ValueEditorBand::BitBtnPickFileClick);
    connect(BitBtnOpenFile, &QPushButton::clicked, this, &ValueEditorBand::BitBtnOpenFileClick);
    connect(BitBtnEditFile, &QPushButton::clicked, this, &ValueEditorBand::BitBtnEditFileClick);
    for (QObject* button : {static_cast<QObject*>(sbPickColor), static_cast<QObject*>(BitBtnPickaColor),
                            static_cast<QObject*>(BitBtnFineTuneColor)})
        connect(qobject_cast<QAbstractButton*>(button), &QAbstractButton::clicked, this,
                [this, button] { PickColorClick(button); });
    connect(EditFontName, &QComboBox::currentTextChanged, this, [this] { AttribValueChange(EditFontName); });
    connect(BitBtnPickFont, &QPushButton::clicked, this, &ValueEditorBand::BitBtnPickFontClick);

    PickScreenColour = [this](Colour) -> std::optional<Colour> {
        const QImage screen = TfrmPickColor::GrabScreen();
        if (screen.isNull()) {
            // Some desktops (Wayland) never hand the screen to a program.
            prompts().message(QStringLiteral("This desktop does not let Skinwright read the screen, so no colour can "
                                             "be picked from it. Use \"Select color\" or \"Fine Tune\" instead."),
                              QStringLiteral("Eyedropper"), PromptIcon::Information, PromptButtons::Ok);
            return std::nullopt;
        }
        TfrmPickColor picker(screen, window());
        if (!picker.Execute())
            return std::nullopt;
        return picker.PickedColour();
    };
    SelectColour = [this](Colour start) -> std::optional<Colour> {
        uint32_t c = uint32_t(start);
        QColor chosen = QColorDialog::getColor(QColor(int(c & 255), int((c >> 8) & 255), int((c >> 16) & 255)), window());
        if (!chosen.isValid())
            return std::nullopt;
        return Colour(chosen.red() + chosen.green() * 256 + chosen.blue() * 65536);
    };
    FineTuneColour = [this](Colour start) {
        TFormFineTuneColor dialog(start, window());
        dialog.exec();
        return dialog.colour();
    };
    PickFont = [this](const QString& name) -> std::optional<QString> {
        bool ok = false;
        QFont font = QFontDialog::getFont(&ok, QFont(name), window());
        return ok ? std::optional<QString>(font.family()) : std::nullopt;
    };
    setCurrentWidget(TabSheetNote);
}

QWidget* ValueEditorBand::addPage(const char* objectName)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(objectName));
    addWidget(page);
    return page;
}

void ValueEditorBand::ShowNote(const QString& note)
{
    LabelNote->setText(note);
    setCurrentWidget(TabSheetNote);
}

void ValueEditorBand::Reset()
{
    document_ = nullptr;
    type_ = -1;
    changed_ = false;
    unreadableShown_ = false;
}

bool ValueEditorBand::TakeChange()
{
    bool changed = changed_;
    changed_ = false;
    return changed;
}

void ValueEditorBand::SelectAttribute(TUisFile& document, int type)
{
    document_ = &document;
    const EditorState& state = editorState();
    const std::string& key = state.CurrentAttribute;
    const std::string& value = state.ValueAtSelection;
    type_ = type != -1 ? type : document.AttributeTypeOf(state.DefinitionSection, key);
    const std::string definition = state.DefinitionSection + "," + key;
    TUisDefinition& catalogue = document.Definition();
    filling_ = true;
    switch (type_) {
    case TypeUnknown:
    case TypeString:
        EditAttrValue->setText(fromBytes(value));
        setCurrentWidget(TabSheetStringAttribEdit);
        break;
    case TypeInt:
        EditNumber->setText(QString::number(lenientInteger(value, 0)));
        try {
            minimum_ = document.Minimum(state.DefinitionSection, key);
            maximum_ = document.Maximum(state.DefinitionSection, key);
        } catch (const EConvertError& error) {
            // The catalogue's limits are broken; keep the widest ones and say why once.
            minimum_ = -32766;
            maximum_ = 32767;
            prompts().message(QString::fromLatin1(error.what()), QStringLiteral("Error"), PromptIcon::Error,
                              PromptButtons::Ok);
        }
        setCurrentWidget(TabSheetInteger);
        break;
    case TypeChoose: {
        TStrings choices;
        shift_ = document.Choices(state.DefinitionSection, key, choices);
        ComboBoxSelection->clear();
        for (const std::string& choice : choices)
            ComboBoxSelection->addItem(fromBytes(choice));
        int def = catalogue.ReadInteger(definition, "Default", -shift_);
        ComboBoxSelection->setCurrentIndex(choiceIndex(value, def, shift_));
        setCurrentWidget(TabSheetMultipleChioce);
        break;
    }
    case TypeBool:
        CheckBoxAtribute->setChecked(lenientInteger(value, catalogue.ReadInteger(definition, "Default", 0)) != 0);
        CheckBoxAtribute->setText(fromBytes(catalogue.ReadString(definition, "Description", "")));
        setCurrentWidget(TabSheetSwitch);
        break;
    case TypeFile: {
        TStrings files;
        int selected = document.FileChoices(state.DefinitionSection, key, files);
        EditFilename->clear();
        // Bitmaps are listed with thumbnails, other files as plain names.
        thumbnails_->Forget();
        EditFilename->setItemDelegate(document.EditorKind(state.DefinitionSection, key) == 5 ? thumbnails_
                                                                                            : plainFiles_);
        for (const std::string& file : files)
            EditFilename->addItem(fromBytes(file));
        EditFilename->setCurrentIndex(selected);
        EditFilename->setEditText(fromBytes(value));
        setCurrentWidget(TabSheetPickFile);
        break;
    }
    case TypeColor: {
        // The three keys of one stem hold the channels; they live in the section shown.
        std::string stem = channelStem(key);
        int red = lenientInteger(document.ReadString(state.CurrentSection, stem + "R", "0"), 0);
        int green = lenientInteger(document.ReadString(state.CurrentSection, stem + "G", "0"), 0);
        int blue = lenientInteger(document.ReadString(state.CurrentSection, stem + "B", "0"), 0);
        showChannels(red, green, blue);
        setCurrentWidget(TabSheetColorChanger);
        break;
    }
    case TypeComboColor: {
        auto rgb = rgbWords(value);
        int red = rgb ? (*rgb)[0] : 0, green = rgb ? (*rgb)[1] : 0, blue = rgb ? (*rgb)[2] : 0;
        showChannels(red, green, blue);
        setCurrentWidget(TabSheetColorChanger);
        break;
    }
    case TypeFont:
        if (EditFontName->count() == 0)
            EditFontName->addItems(skinFontNames(QFontDatabase::families()));
        EditFontName->setEditText(fromBytes(value));
        setCurrentWidget(TabSheetPickFont);
        break;
    case TypeEnumerator: {
        static const char* families[] = {"Font", "Colour", "Layout", "Button", "Script"};
        int kind = document.EditorKind(state.DefinitionSection, key);
        ComboBoxSelection->clear();
        shift_ = document.Shift(state.DefinitionSection, key);
        if (kind >= 70 && kind <= 74)
            for (int i = 0; document.SectionExists(families[kind - 70] + intToStr(i)); ++i)
                ComboBoxSelection->addItem(QString::fromLatin1(families[kind - 70]) + QString::number(i));
        ComboBoxSelection->setCurrentIndex(lenientInteger(value, 0));
        setCurrentWidget(TabSheetMultipleChioce);
        break;
    }
    default:
        break;
    }
    filling_ = false;
}

void ValueEditorBand::showChannels(int red, int green, int blue)
{
    // The labels keep the stored numbers as they are; the swatch shows their colour.
    paintSwatch(ShapeColorPreview, Colour(red + green * 256 + blue * 65536));
    LabelColorValueRed->setText(QString::number(red));
    LabelColorValueGreen->setText(QString::number(green));
    LabelColorValueBlue->setText(QString::number(blue));
}

void ValueEditorBand::setColourLabels(Colour colour)
{
    uint32_t c = uint32_t(colour);
    paintSwatch(ShapeColorPreview, colour);
    LabelColorValueRed->setText(QString::number(c & 255));
    LabelColorValueGreen->setText(QString::number((c >> 8) & 255));
    LabelColorValueBlue->setText(QString::number((c >> 16) & 255));
}

Colour ValueEditorBand::swatchColour() const
{
    return Colour(ShapeColorPreview->property("colour").toInt());
}

void ValueEditorBand::returnFocus()
{
    if (TUISExplorerForm* explorer = main_.Explorer())
        explorer->ListViewExplorer->setFocus();
}

void ValueEditorBand::AttribValueChange(QObject* control)
{
    if (filling_ || !document_)
        return;
    const std::string& value = editorState().ValueAtSelection;
    bool changed = false;
    if (control == EditAttrValue)
        changed = textChanged(toBytes(EditAttrValue->text()), value);
    else if (control == EditFilename || control == BitBtnPickFile)
        changed = textChanged(toBytes(EditFilename->currentText()), value);
    else if (control == EditNumber)
        changed = numberChanged(toBytes(EditNumber->text()), value);
    else if (control == CheckBoxAtribute)
        changed = switchChanged(CheckBoxAtribute->isChecked(), value);
    else if (control == ComboBoxSelection)
        changed = choiceChanged(ComboBoxSelection->currentIndex(), shift_, value);
    else if (control == sbPickColor || control == BitBtnPickaColor || control == BitBtnFineTuneColor)
        changed = true;
    else if (control == BitBtnPickFont || control == EditFontName)
        changed = textChanged(toBytes(EditFontName->currentText()), value);
    if (changed) {
        AttributeChange();
        changed_ = true;
        // Typing into a field makes one step of the whole value, not one per key.
        const bool typed = control == EditAttrValue || control == EditNumber || control == EditFilename ||
                           control == EditFontName;
        const EditorState& state = editorState();
        main_.NotifyModification(state.CurrentAttribute.empty() ? QStringLiteral("Edit Value")
                                                                : QStringLiteral("Edit ") + fromBytes(state.CurrentAttribute),
                                 typed ? fromBytes(state.CurrentSection + "," + state.CurrentAttribute) : QString());
    }
    if (control == ComboBoxSelection || control == CheckBoxAtribute)
        returnFocus();
}

void ValueEditorBand::AttributeChange()
{
    TUISExplorerForm* explorer = main_.Explorer();
    if (!document_ || !explorer || explorer->ListViewExplorer->selectedItems().size() != 1)
        return;
    EditorState& state = editorState();
    std::string v;
    QWidget* page = currentWidget();
    if (page == TabSheetStringAttribEdit) {
        v = toBytes(EditAttrValue->text());
    } else if (page == TabSheetInteger) {
        v = toBytes(EditNumber->text());
    } else if (page == TabSheetPickFile) {
        v = toBytes(EditFilename->currentText());
    } else if (page == TabSheetPickFont) {
        v = toBytes(EditFontName->currentText());
    } else if (page == TabSheetMultipleChioce) {
        v = intToStr(shift_ + ComboBoxSelection->currentIndex());
    } else if (page == TabSheetSwitch) {
        v = CheckBoxAtribute->isChecked() ? "1" : "0";
    } else if (page == TabSheetColorChanger) {
        const std::string red = toBytes(LabelColorValueRed->text()), green = toBytes(LabelColorValueGreen->text()),
                          blue = toBytes(LabelColorValueBlue->text());
        if (type_ == TypeColor) {
            std::string stem = channelStem(state.CurrentAttribute);
            document_->WriteString(state.CurrentSection, stem + "R", red);
            document_->WriteString(state.CurrentSection, stem + "G", green);
            document_->WriteString(state.CurrentSection, stem + "B", blue);
            explorer->UpdateRowValue(stem + "R", red);
            explorer->UpdateRowValue(stem + "G", green);
            explorer->UpdateRowValue(stem + "B", blue);
            char channel = asciiUpper(state.CurrentAttribute.empty() ? ' ' : state.CurrentAttribute.back());
            v = channel == 'R' ? red : channel == 'G' ? green : blue;
        } else {
            v = red + " " + green + " " + blue;
        }
    } else {
        return;
    }
    document_->WriteString(state.CurrentSection, state.CurrentAttribute, v);
    state.ValueAtSelection = v;
    explorer->UpdateRowValue(state.CurrentAttribute, v);
}

void ValueEditorBand::PickColorClick(QObject* button)
{
    Colour start = swatchColour();
    std::optional<Colour> chosen;
    if (button == sbPickColor)
        chosen = PickScreenColour(start);
    else if (button == BitBtnFineTuneColor)
        chosen = FineTuneColour(start);
    else
        chosen = SelectColour(start);
    if (chosen && *chosen != start) {
        setColourLabels(*chosen);
        AttribValueChange(button);
    }
    returnFocus();
}

void ValueEditorBand::BitBtnPickFileClick()
{
    if (!document_)
        return;
    const EditorState& state = editorState();
    std::string definition = state.DefinitionSection + "," + state.CurrentAttribute;
    FileDialogRequest request;
    request.caption = QStringLiteral("Open");
    request.folder = QString::fromStdString(document_->Folder().string());
    request.defaultSuffix = fromBytes(document_->Definition().ReadString(definition, "Constraints", "*.bmp")).remove(QLatin1String("*."));
    request.filter = fromBytes(document_->Definition().ReadString(definition, "Filter", "Bitmap File|*.bmp|All files|*.*"));
    QString file = prompts().openFile(request);
    const QFileInfo info(file);
    const QString reference = info.dir().dirName() + QStringLiteral("\\") + info.fileName();
    // The fields refuse what is typed; a name the dialog hands over is checked here.
    if (!file.isEmpty() && !refuseOutsideLatin1(reference)) {
        EditFilename->setEditText(reference);
        main_.NotifyModification();
        AttribValueChange(BitBtnPickFile);
    }
    returnFocus();
}

QString ValueEditorBand::ReferencedFile() const
{
    // References are relative to the folder that holds the skin's folder, wherever
    // that is; the engine folder has nothing to do with it.
    auto path = resolveFileReference(editorState().SkinsRoot, toBytes(EditFilename->currentText()));
    return path ? QString::fromStdString(path->string()) : EditFilename->currentText();
}

void ValueEditorBand::BitBtnOpenFileClick()
{
    runFileAction(FileAction::Open, ReferencedFile(), QString());
}

void ValueEditorBand::BitBtnEditFileClick()
{
    TAcceleratedIniFile& settings = main_.Settings();
    const bool custom = settings.ReadBool("General", "EditButtonMode", false);
    runFileAction(custom ? FileAction::CustomEditor : FileAction::Edit, ReferencedFile(),
                  fromBytes(settings.ReadString("General", "CustomEditor", "")));
}

void ValueEditorBand::BitBtnPickFontClick()
{
    if (auto font = PickFont(EditFontName->currentText()); font && !refuseOutsideLatin1(*font)) {
        EditFontName->setEditText(*font);
        AttribValueChange(BitBtnPickFont);
    }
}

void ValueEditorBand::UpDownIntegerClick(int step)
{
    // The spin wraps around at its limits.
    int value = lenientInteger(toBytes(EditNumber->text()), 0) + step;
    if (value > maximum_)
        value = minimum_;
    else if (value < minimum_)
        value = maximum_;
    EditNumber->setText(QString::number(value));
}

}  // namespace sw
