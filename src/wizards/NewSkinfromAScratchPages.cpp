// The pages of the template-picture wizard: its controls and their initial values.
#include "wizards/NewSkinfromAScratchForm.h"
#include "wizards/WizardTimeLine.h"

#include "common/Latin1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace sw {

namespace {

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* note(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QSpinBox* upDown(const char* name, int low, int high, int value, QWidget* parent)
{
    auto* box = named(new QSpinBox(parent), name);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QLabel* previewLabel(const char* name, QSize size, QWidget* parent)
{
    auto* label = named(new QLabel(parent), name);
    label->setFixedSize(size);
    label->setFrameShape(QFrame::Box);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

const char* const kStyles[] = {"Darken", "Same", "Lighten"};

}  // namespace

QWidget* TNewSkinfromAScratchForm::buildHeader()
{
    // shWhiteTitle: the white band across the top with the wizard's name and a
    // small picture of a window cut into pieces.
    class Header : public QWidget {
    public:
        using QWidget::QWidget;

    protected:
        void paintEvent(QPaintEvent*) override
        {
            QPainter p(this);
            p.fillRect(rect(), Qt::white);
            p.setPen(QColor(160, 160, 160));
            p.drawLine(0, height() - 1, width(), height() - 1);
            const QRect window(width() - 86, 10, 64, 44);
            p.fillRect(window, QColor(236, 236, 236));
            p.fillRect(window.left(), window.top(), window.width(), 10, QColor(48, 96, 168));
            for (int i = 0; i < 3; ++i)
                p.fillRect(window.right() - 10 - i * 10, window.top() + 2, 7, 6, QColor(220, 228, 240));
            p.setPen(QPen(Qt::red, 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(window.adjusted(-3, -3, 3, 3));
            p.drawLine(window.left() - 6, window.top() + 10, window.right() + 6, window.top() + 10);
        }
    };
    auto* band = named(new Header(this), "shWhiteTitle");
    band->setFixedHeight(64);
    auto* layout = new QHBoxLayout(band);
    layout->setContentsMargins(16, 8, 100, 8);
    auto* title = named(new QLabel(QStringLiteral("New Skin From Template"), band), "LabelHeader");
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    title->setFont(font);
    layout->addWidget(title);
    layout->addStretch();
    return band;
}

QWidget* TNewSkinfromAScratchForm::buildStep1()
{
    auto* page = named(new QWidget, "TabSheetStep1");
    auto* form = new QGridLayout(page);
    auto* browse = named(new QPushButton(QStringLiteral("Browse"), page), "LoadBitmapButton");
    connect(browse, &QPushButton::clicked, this, &TNewSkinfromAScratchForm::LoadBitmapButtonClick);
    EditImageFilename = named(new QLineEdit(page), "EditImageFilename");
    EditImageFilename->setReadOnly(true);
    EditImageWidth = named(new QLineEdit(page), "EditImageWidth");
    EditImageHeight = named(new QLineEdit(page), "EditImageHeight");
    EditImageFormat = named(new QLineEdit(page), "EditImageFormat");
    for (QLineEdit* edit : {EditImageWidth, EditImageHeight, EditImageFormat})
        edit->setReadOnly(true);
    form->addWidget(new QLabel(QStringLiteral("Template image:"), page), 0, 0);
    // A first try needs no picture of one's own: the shipped example is one click away.
    auto* example = named(new QPushButton(QStringLiteral("Use the example picture"), page), "ButtonExamplePicture");
    const std::filesystem::path examplePicture = scratchExamplePicture(settings_);
    example->setEnabled(!examplePicture.empty());
    example->setToolTip(examplePicture.empty() ? QStringLiteral("The example picture scratch.bmp is not installed.")
                                               : QString::fromStdString(examplePicture.string()));
    connect(example, &QPushButton::clicked, this,
            [this, examplePicture] { LoadTemplatePicture(QString::fromStdString(examplePicture.string())); });
    form->addWidget(EditImageFilename, 0, 1);
    form->addWidget(browse, 0, 2);
    form->addWidget(example, 1, 2);
    form->addWidget(new QLabel(QStringLiteral("Width:"), page), 1, 0);
    form->addWidget(EditImageWidth, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Height:"), page), 2, 0);
    form->addWidget(EditImageHeight, 2, 1);
    form->addWidget(new QLabel(QStringLiteral("Colour depth:"), page), 3, 0);
    form->addWidget(EditImageFormat, 3, 1);
    form->addWidget(note(QStringLiteral("The template image is a picture of a window (BMP or JPEG) that holds "
                                        "everything the skin needs: the four borders, the title bar with its "
                                        "buttons and any other pictures. It opens in the Template View window, "
                                        "where you mark the parts to cut. The example picture is such a window; its "
                                        "borders fit the sizes the wizard starts with.\n\nWARNING!\nYour screen colour depth "
                                        "must be 24-bit for the wizard to generate valid files!"),
                         page),
                    4, 0, 1, 3);
    form->setRowStretch(5, 1);
    return page;
}

QWidget* TNewSkinfromAScratchForm::buildStep2()
{
    auto* page = named(new QWidget, "TabSheetStep2");
    auto* grid = new QGridLayout(page);
    ImageTransparency = previewLabel("ImageTransparency", QSize(241, 149), page);
    ShapeTransparentColour = named(new QLabel(page), "ShapeTransparentColour");
    ShapeTransparentColour->setFixedSize(40, 24);
    ShapeTransparentColour->setFrameShape(QFrame::Box);
    ShapeTransparentColour->setAutoFillBackground(true);
    CheckBoxUseTransparency = named(new QCheckBox(QStringLiteral("Use this colour for transparency"), page),
                                    "CheckBoxUseTransparency");
    CheckBoxUseTransparency->setChecked(true);
    connect(CheckBoxUseTransparency, &QCheckBox::toggled, this, [this] {
        SetColorPreview(false);
    });
    auto* toleranceRow = new QHBoxLayout;
    toleranceRow->addWidget(new QLabel(QStringLiteral("Match within"), page));
    UpDownTolerance = named(new QSpinBox(page), "UpDownTolerance");
    UpDownTolerance->setRange(0, 255);
    UpDownTolerance->setToolTip(QStringLiteral("How far a pixel's red, green and blue may each lie from the "
                                               "see-through colour for the pixel to be see-through."));
    connect(UpDownTolerance, &QSpinBox::valueChanged, this, [this] { SetColorPreview(false); });
    toleranceRow->addWidget(UpDownTolerance);
    toleranceRow->addWidget(new QLabel(QStringLiteral("per channel"), page));
    toleranceRow->addStretch();
    LabelJpegTolerance = named(note(QStringLiteral("This is a JPEG picture: its compression shifts colours a "
                                                   "little, so pixels near the see-through colour are taken as "
                                                   "see-through too, within the number above. Raise it if pink "
                                                   "fringes remain; lower it if parts of the picture vanish."),
                                    page),
                               "LabelJpegTolerance");
    LabelJpegTolerance->hide();
    grid->addWidget(ImageTransparency, 0, 0, 5, 1);
    grid->addWidget(ShapeTransparentColour, 0, 1);
    grid->addWidget(CheckBoxUseTransparency, 1, 1);
    grid->addLayout(toleranceRow, 2, 1);
    grid->addWidget(note(QStringLiteral("Click the picture in the Template View window to pick the colour "
                                        "that stands for see-through parts. It is shown here as magenta."),
                         page),
                    3, 1);
    grid->addWidget(LabelJpegTolerance, 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    return page;
}

QWidget* TNewSkinfromAScratchForm::buildStep3()
{
    auto* page = named(new QWidget, "TabSheetStep3");
    auto* layout = new QHBoxLayout(page);
    auto* previews = new QGridLayout;
    ImageActive = previewLabel("ImageActive", QSize(105, 74), page);
    ImageInactive = previewLabel("ImageInactive", QSize(105, 74), page);
    previews->addWidget(new QLabel(QStringLiteral("Active"), page), 0, 0);
    previews->addWidget(ImageActive, 1, 0);
    previews->addWidget(new QLabel(QStringLiteral("Inactive"), page), 2, 0);
    previews->addWidget(ImageInactive, 3, 0);
    previews->setRowStretch(4, 1);
    layout->addLayout(previews);

    PageControlEffect = named(new QTabWidget(page), "PageControlEffect");
    auto* rgb = named(new QWidget, "TabSheetRGB");
    auto* rgbGrid = new QGridLayout(rgb);
    const char* channels[] = {"Red", "Green", "Blue"};
    rgbGrid->addWidget(new QLabel(QStringLiteral("Style"), rgb), 0, 1);
    rgbGrid->addWidget(new QLabel(QStringLiteral("Amount"), rgb), 0, 2);
    rgbGrid->addWidget(new QLabel(QStringLiteral("Apply to"), rgb), 0, 3);
    for (int c = 0; c < 3; ++c) {
        const QString name = QString::fromLatin1(channels[c]);
        ChannelStyle[c] = new QComboBox(rgb);
        ChannelStyle[c]->setObjectName(QStringLiteral("ComboBox%1Style").arg(name));
        for (const char* style : kStyles)
            ChannelStyle[c]->addItem(QString::fromLatin1(style));
        ChannelAmount[c] = new QSpinBox(rgb);
        ChannelAmount[c]->setObjectName(QStringLiteral("UpDown%1").arg(name));
        ChannelAmount[c]->setRange(0, 255);
        ChannelAmount[c]->setValue(20);
        ChannelTarget[c] = new QComboBox(rgb);
        ChannelTarget[c]->setObjectName(QStringLiteral("ComboBox%1Target").arg(name));
        ChannelTarget[c]->addItems({QStringLiteral("Active"), QStringLiteral("Inactive")});
        ChannelTarget[c]->setCurrentIndex(1);
        rgbGrid->addWidget(new QLabel(name + QLatin1Char(':'), rgb), c + 1, 0);
        rgbGrid->addWidget(ChannelStyle[c], c + 1, 1);
        rgbGrid->addWidget(ChannelAmount[c], c + 1, 2);
        rgbGrid->addWidget(ChannelTarget[c], c + 1, 3);
    }
    rgbGrid->setRowStretch(4, 1);
    PageControlEffect->addTab(rgb, QStringLiteral("RGB Filter"));

    auto* grayPage = named(new QWidget, "TabSheetGrayscale");
    auto* grayGrid = new QGridLayout(grayPage);
    ComboBoxBrightness = named(new QComboBox(grayPage), "ComboBoxBrightness");
    for (const char* style : kStyles)
        ComboBoxBrightness->addItem(QString::fromLatin1(style));
    UpDownBrightness = upDown("UpDownBrightness", 0, 255, 20, grayPage);
    grayGrid->addWidget(new QLabel(QStringLiteral("Brightness:"), grayPage), 0, 0);
    grayGrid->addWidget(ComboBoxBrightness, 0, 1);
    grayGrid->addWidget(UpDownBrightness, 0, 2);
    grayGrid->addWidget(note(QStringLiteral("Active pictures keep their colours; inactive ones are turned to gray."),
                             grayPage),
                        1, 0, 1, 3);
    grayGrid->setRowStretch(2, 1);
    PageControlEffect->addTab(grayPage, QStringLiteral("Grayscale"));
    layout->addWidget(PageControlEffect, 1);

    // Every filter control redraws the previews a moment after the last change.
    auto later = [this] { UpdateTimer->start(); };
    for (int c = 0; c < 3; ++c) {
        connect(ChannelStyle[c], &QComboBox::currentIndexChanged, this, later);
        connect(ChannelAmount[c], &QSpinBox::valueChanged, this, later);
        connect(ChannelTarget[c], &QComboBox::currentIndexChanged, this, later);
    }
    connect(ComboBoxBrightness, &QComboBox::currentIndexChanged, this, later);
    connect(UpDownBrightness, &QSpinBox::valueChanged, this, later);
    connect(PageControlEffect, &QTabWidget::currentChanged, this, [this] { SetColorPreview(false); });
    return page;
}

QWidget* TNewSkinfromAScratchForm::buildStep4()
{
    auto* page = named(new QWidget, "TabSheetStep4");
    auto* layout = new QHBoxLayout(page);
    auto* sizes = named(new QGroupBox(QStringLiteral("Border sizes"), page), "GroupBoxBorders");
    auto* form = new QFormLayout(sizes);
    const struct {
        const char* name;
        const char* caption;
        int value;
    } borders[] = {{"UpDownTop", "Top height:", 22}, {"UpDownLeft", "Left width:", 8},
                   {"UpDownBottom", "Bottom height:", 8}, {"UpDownRight", "Right width:", 8}};
    for (int i = 0; i < 4; ++i) {
        UpDownBorder[i] = upDown(borders[i].name, 0, 100, borders[i].value, sizes);
        form->addRow(QString::fromLatin1(borders[i].caption), UpDownBorder[i]);
        connect(UpDownBorder[i], &QSpinBox::valueChanged, this, &TNewSkinfromAScratchForm::BordersChanged);
    }
    layout->addWidget(sizes);

    auto* look = named(new QGroupBox(QStringLiteral("Marker"), page), "GroupBoxMarker");
    auto* grid = new QGridLayout(look);
    ComboBoxPenStyle = named(new QComboBox(look), "ComboBoxPenStyle");
    ComboBoxPenStyle->addItems({QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"),
                                QStringLiteral("DashDot"), QStringLiteral("DashDotDot"), QStringLiteral("Clear"),
                                QStringLiteral("InsideFrame")});
    ComboBoxPenStyle->setCurrentIndex(2);
    ComboBoxBrushStyle = named(new QComboBox(look), "ComboBoxBrushStyle");
    ComboBoxBrushStyle->addItems({QStringLiteral("Solid"), QStringLiteral("Clear"), QStringLiteral("Horizontal"),
                                  QStringLiteral("Vertical"), QStringLiteral("FDiagonal"), QStringLiteral("BDiagonal"),
                                  QStringLiteral("Cross"), QStringLiteral("DiagCross")});
    ComboBoxBrushStyle->setCurrentIndex(5);
    auto* penColour = named(new QPushButton(QStringLiteral("Colour..."), look), "ButtonPenColour");
    auto* brushColour = named(new QPushButton(QStringLiteral("Colour..."), look), "ButtonBrushColour");
    ShapeSample = named(new QLabel(look), "ShapeSample");
    ShapeSample->setFixedSize(80, 48);
    grid->addWidget(new QLabel(QStringLiteral("Pen:"), look), 0, 0);
    grid->addWidget(ComboBoxPenStyle, 0, 1);
    grid->addWidget(penColour, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Brush:"), look), 1, 0);
    grid->addWidget(ComboBoxBrushStyle, 1, 1);
    grid->addWidget(brushColour, 1, 2);
    grid->addWidget(ShapeSample, 2, 1);
    grid->setRowStretch(3, 1);
    layout->addWidget(look, 1);
    connect(ComboBoxPenStyle, &QComboBox::currentIndexChanged, this, &TNewSkinfromAScratchForm::ShapeStyleChange);
    connect(ComboBoxBrushStyle, &QComboBox::currentIndexChanged, this, &TNewSkinfromAScratchForm::ShapeStyleChange);
    connect(penColour, &QPushButton::clicked, this, [this] { ButtonColourClick(true); });
    connect(brushColour, &QPushButton::clicked, this, [this] { ButtonColourClick(false); });
    return page;
}

QWidget* TNewSkinfromAScratchForm::buildAreaControls(const QString& suffix, QSpinBox* (&boxes)[4])
{
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    const char* names[] = {"Left", "Top", "Width", "Height"};
    for (int i = 0; i < 4; ++i) {
        boxes[i] = new QSpinBox(panel);
        boxes[i]->setObjectName(QStringLiteral("UpDown%1%2").arg(suffix, QString::fromLatin1(names[i])));
        boxes[i]->setRange(0, 8000);
        connect(boxes[i], &QSpinBox::valueChanged, this, &TNewSkinfromAScratchForm::SaveButtonValues);
    }
    grid->addWidget(new QLabel(QStringLiteral("Position on image:"), panel), 0, 0);
    grid->addWidget(boxes[0], 0, 1);
    grid->addWidget(boxes[1], 0, 2);
    grid->addWidget(new QLabel(suffix == QLatin1String("Button") ? QStringLiteral("Button size:") : QStringLiteral("Size:"), panel), 1, 0);
    grid->addWidget(boxes[2], 1, 1);
    grid->addWidget(boxes[3], 1, 2);
    return panel;
}

QWidget* TNewSkinfromAScratchForm::buildStep5()
{
    auto* page = named(new QWidget, "TabSheetStep5");
    auto* layout = new QGridLayout(page);
    ListViewBitmaps = named(new QTreeWidget(page), "ListViewBitmaps");
    ListViewBitmaps->setHeaderLabels({QStringLiteral("Action Buttons"), QStringLiteral("State")});
    ListViewBitmaps->setRootIsDecorated(false);
    ListViewBitmaps->header()->resizeSection(0, 200);
    auto* add = named(new QPushButton(QStringLiteral("Add Button"), page), "ButtonAddButton");
    ButtonRemoveButton = named(new QPushButton(QStringLiteral("Remove"), page), "ButtonRemoveButton");
    ButtonRemoveButton->setEnabled(false);
    PanelButtonArea = named(new QWidget(page), "PanelButtonArea");
    auto* panelLayout = new QVBoxLayout(PanelButtonArea);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    ComboBoxButtonActions = named(new QComboBox(PanelButtonArea), "ComboBoxButtonActions");
    for (const std::string& action : catalogue_.actions)
        ComboBoxButtonActions->addItem(fromBytes(action));
    auto* actionRow = new QHBoxLayout;
    actionRow->addWidget(new QLabel(QStringLiteral("Action:"), PanelButtonArea));
    actionRow->addWidget(ComboBoxButtonActions, 1);
    panelLayout->addLayout(actionRow);
    panelLayout->addWidget(buildAreaControls(QStringLiteral("Button"), ButtonArea));
    PanelButtonArea->hide();
    layout->addWidget(ListViewBitmaps, 0, 0, 3, 1);
    layout->addWidget(add, 0, 1);
    layout->addWidget(ButtonRemoveButton, 1, 1);
    layout->addWidget(PanelButtonArea, 3, 0, 1, 2);
    layout->setRowStretch(2, 1);
    connect(add, &QPushButton::clicked, this, &TNewSkinfromAScratchForm::ButtonAddButtonClick);
    connect(ButtonRemoveButton, &QPushButton::clicked, this, &TNewSkinfromAScratchForm::ButtonRemoveButtonClick);
    connect(ListViewBitmaps, &QTreeWidget::itemSelectionChanged, this, [this] { ListSelectionChanged(true); });
    connect(ComboBoxButtonActions, &QComboBox::currentIndexChanged, this, &TNewSkinfromAScratchForm::SaveButtonValues);
    return page;
}

QWidget* TNewSkinfromAScratchForm::buildStep6()
{
    auto* page = named(new QWidget, "TabSheetStep6");
    auto* layout = new QVBoxLayout(page);
    ListViewImages = named(new QTreeWidget(page), "ListViewImages");
    ListViewImages->setHeaderLabels(
        {QStringLiteral("Common Images. Check to add to created skin."), QStringLiteral("State")});
    ListViewImages->setRootIsDecorated(false);
    ListViewImages->header()->resizeSection(0, 280);
    PanelImageArea = named(new QWidget(page), "PanelImageArea");
    auto* panelLayout = new QVBoxLayout(PanelImageArea);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    ComboBoxImageContents = named(new QComboBox(PanelImageArea), "ComboBoxImageContents");
    ComboBoxImageContents->addItems({QStringLiteral("one state image"), QStringLiteral("all of images")});
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Area holds:"), PanelImageArea));
    row->addWidget(ComboBoxImageContents, 1);
    panelLayout->addLayout(row);
    panelLayout->addWidget(buildAreaControls(QStringLiteral("Image"), ImageArea));
    PanelImageArea->hide();
    layout->addWidget(ListViewImages, 1);
    layout->addWidget(PanelImageArea);
    connect(ListViewImages, &QTreeWidget::itemSelectionChanged, this, [this] { ListSelectionChanged(false); });
    connect(ComboBoxImageContents, &QComboBox::currentIndexChanged, this, &TNewSkinfromAScratchForm::SaveButtonValues);
    connect(ListViewImages, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        const int row = ListViewImages->indexOfTopLevelItem(item);
        if (column != 0 || row < 0 || loadingControls_)
            return;
        ValidateEntry(images_[std::size_t(row)], item->checkState(0) == Qt::Checked);
        ShowEntry(item, images_[std::size_t(row)]);
        CheckFinishOK();
    });
    return page;
}

QWidget* TNewSkinfromAScratchForm::buildStep7()
{
    auto* page = named(new QWidget, "TabSheetStep7");
    auto* layout = new QVBoxLayout(page);
    auto* memo = named(new QPlainTextEdit(page), "MemoDisclaimer");
    memo->setReadOnly(true);
    memo->setPlainText(personalityNameNotes());
    layout->addWidget(memo);
    return page;
}

QWidget* TNewSkinfromAScratchForm::buildStep8()
{
    auto* page = named(new QWidget, "TabSheetStep8");
    auto* form = new QFormLayout(page);
    EditFileName = named(new QLineEdit(QStringLiteral("Undefined"), page), "EditFileName");
    EditName = named(new QLineEdit(QStringLiteral("Undefined"), page), "EditName");
    EditSkinAuthor = named(new QLineEdit(page), "EditSkinAuthor");
    EditAuthorsURL = named(new QLineEdit(page), "EditAuthorsURL");
    EditAuthorsEmail = named(new QLineEdit(page), "EditAuthorsEmail");
    EditSpecialNotes = named(new QLineEdit(page), "EditSpecialNotes");
    for (QLineEdit* edit : {EditFileName, EditName, EditSkinAuthor, EditAuthorsURL, EditAuthorsEmail, EditSpecialNotes})
        guardLatin1(edit);
    LabelFileName = named(new QLabel(QStringLiteral("Personality file name:"), page), "LabelFileName");
    LabelName = named(new QLabel(QStringLiteral("Personality Name:"), page), "LabelName");
    form->addRow(LabelFileName, EditFileName);
    form->addRow(LabelName, EditName);
    form->addRow(QStringLiteral("Author:"), EditSkinAuthor);
    form->addRow(QStringLiteral("Author's URL:"), EditAuthorsURL);
    form->addRow(QStringLiteral("Author's Email:"), EditAuthorsEmail);
    form->addRow(QStringLiteral("Special Notes:"), EditSpecialNotes);
    form->addRow(note(QStringLiteral("Skin file name and skin name must be unique & defined!"), page));
    form->addRow(note(QStringLiteral("Make sure no other personality has the same 'Skin name'\n"
                                     "If such situation happens one of those skins may not be available for "
                                     "Veneerix"),
                      page));
    connect(EditFileName, &QLineEdit::textChanged, this, &TNewSkinfromAScratchForm::CheckFinishOK);
    connect(EditName, &QLineEdit::textChanged, this, &TNewSkinfromAScratchForm::CheckFinishOK);
    return page;
}

}  // namespace sw
