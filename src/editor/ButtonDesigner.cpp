#include "editor/ButtonDesigner.h"

#include "document/FileReference.h"
#include "document/UisFile.h"
#include "engine/EditorState.h"
#include "common/Latin1.h"
#include "editor/ThumbnailDelegate.h"
#include "preview/BitmapImage.h"
#include "preview/DrawSkinBitmap.h"
#include "store/StringOps.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace sw {

namespace {

constexpr QSize kPreviewSize(231, 167);
constexpr int kMarginRange = 4096;

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

MarginLimits marginLimits(int width, int height, int images, int top, int bottom, int left, int right)
{
    const int frameWidth = width / std::max(1, images);
    return {std::max(0, height - bottom - 1), std::max(0, height - top - 1), std::max(0, frameWidth - right - 1),
            std::max(0, frameWidth - left - 1)};
}

TButtonDesignerPage::TButtonDesignerPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PanelButtonDesigner"));
    setMinimumSize(400, 310);
    EditImageFilename = named(new QComboBox, "EditImageFilename");
    EditImageFilename->setMaxVisibleItems(10);
    EditImageFilename->setEditable(true);
    guardLatin1(EditImageFilename);
    thumbnails_ = new ThumbnailDelegate(EditImageFilename, [] {});
    EditImageFilename->setItemDelegate(thumbnails_);
    cbImageToShow = named(new QComboBox, "cbImageToShow");
    auto spin = [](const char* name) {
        auto* box = named(new QSpinBox, name);
        box->setRange(0, kMarginRange);
        box->setValue(1);
        return box;
    };
    UpDownMarginTop = spin("UpDownMarginTop");
    UpDownMarginLeft = spin("UpDownMarginLeft");
    UpDownMarginRight = spin("UpDownMarginRight");
    UpDownMarginBottom = spin("UpDownMarginBottom");
    UpDownNoOfImages = named(new QSpinBox, "UpDownNoOfImages");
    UpDownNoOfImages->setRange(1, 4096);
    UpDownNoOfImages->setValue(2);
    UpDownNoOfImages->hide();
    CheckBoxTransparent = named(new QCheckBox(QStringLiteral("Transparent")), "CheckBoxTransparent");
    RadioStretched = named(new QRadioButton(QStringLiteral("Stretched")), "RadioStretched");
    RadioTiled = named(new QRadioButton(QStringLiteral("Tiled")), "RadioTiled");
    RadioTiled->setChecked(true);
    TrackBarButtonWidth = named(new QSlider(Qt::Horizontal), "TrackBarButtonWidth");
    TrackBarButtonWidth->setRange(0, kPreviewSize.width());
    TrackBarButtonWidth->setValue(100);
    TrackBarButtonHeight = named(new QSlider(Qt::Vertical), "TrackBarButtonHeight");
    TrackBarButtonHeight->setRange(0, kPreviewSize.height());
    TrackBarButtonHeight->setValue(100);
    TrackBarButtonHeight->setInvertedAppearance(true);
    ImageButtonPreview = named(new QLabel, "ImageButtonPreview");
    ImageButtonPreview->setFixedSize(kPreviewSize);
    LabelFileNotFound = named(new QLabel(QStringLiteral("File not found")), "LabelFileNotFound");
    LabelFileNotFound->setAlignment(Qt::AlignCenter);
    LabelFileNotFound->hide();
    ButtonApplyButtonSettings = named(new QPushButton(QStringLiteral("Apply")), "ButtonApplyButtonSettings");

    auto* margins = named(new QGroupBox(QStringLiteral(" Margins: ")), "GroupBoxMargins");
    auto* marginGrid = new QGridLayout(margins);
    marginGrid->addWidget(UpDownMarginTop, 0, 1);
    marginGrid->addWidget(UpDownMarginLeft, 1, 0);
    marginGrid->addWidget(UpDownMarginRight, 1, 2);
    marginGrid->addWidget(UpDownMarginBottom, 2, 1);
    auto* tiled = named(new QGroupBox(QStringLiteral(" Non margin area: ")), "RadioGroupTiled");
    auto* tiledLayout = new QVBoxLayout(tiled);
    tiledLayout->addWidget(RadioStretched);
    tiledLayout->addWidget(RadioTiled);
    auto* bevel = named(new QFrame, "BevelButtonPreview");
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* bevelLayout = new QVBoxLayout(bevel);
    bevelLayout->setContentsMargins(1, 1, 1, 1);
    bevelLayout->addWidget(ImageButtonPreview);
    bevelLayout->addWidget(LabelFileNotFound);

    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    grid->addWidget(new QLabel(QStringLiteral("Image file:")), 0, 0);
    grid->addWidget(EditImageFilename, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Image to show")), 1, 0);
    grid->addWidget(cbImageToShow, 1, 1, 1, 3);
    grid->addWidget(TrackBarButtonHeight, 2, 0, 1, 1, Qt::AlignRight);
    grid->addWidget(bevel, 2, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(margins);
    side->addWidget(tiled);
    side->addWidget(CheckBoxTransparent);
    side->addWidget(ButtonApplyButtonSettings);
    side->addStretch();
    grid->addLayout(side, 2, 2, 2, 2);
    grid->addWidget(TrackBarButtonWidth, 3, 1);
    grid->addWidget(UpDownNoOfImages, 4, 0);
    // The designer stays centred in the page however large it grows.
    auto* outer = new QGridLayout(this);
    outer->addWidget(panel, 1, 1);
    outer->setRowStretch(0, 1);
    outer->setRowStretch(2, 1);
    outer->setColumnStretch(0, 1);
    outer->setColumnStretch(2, 1);

    connect(EditImageFilename, &QComboBox::currentTextChanged, this, [this] {
        if (!filling_)
            EditImageFilenameChange();
    });
    for (QSpinBox* box : {UpDownMarginTop, UpDownMarginLeft, UpDownMarginRight, UpDownMarginBottom, UpDownNoOfImages})
        connect(box, &QSpinBox::valueChanged, this, [this] { ButtonPreviewUpDownUpdate(); });
    for (QSlider* bar : {TrackBarButtonWidth, TrackBarButtonHeight})
        connect(bar, &QSlider::valueChanged, this, [this] { ButtonPreviewRepaint(); });
    connect(cbImageToShow, &QComboBox::currentIndexChanged, this, [this] { ButtonPreviewRepaint(); });
    connect(CheckBoxTransparent, &QCheckBox::toggled, this, [this] { ButtonPreviewRepaint(); });
    connect(RadioTiled, &QRadioButton::toggled, this, [this] { ButtonPreviewRepaint(); });
    connect(ButtonApplyButtonSettings, &QPushButton::clicked, this,
            &TButtonDesignerPage::ButtonApplyButtonSettingsClick);
}

void TButtonDesignerPage::getImageForButtonDesigner(TUisFile& document)
{
    document_ = &document;
    const EditorState& state = editorState();
    TUisDefinition& catalogue = document.Definition();
    filling_ = true;
    ready_ = false;
    imageKey_ = catalogue.ReadString("Root," + state.DefinitionSection, "Image", "Image");
    const std::string frames = state.CurrentSection + "," + imageKey_;
    cbImageToShow->clear();
    const int count = std::clamp(catalogue.ReadInteger(frames, "ImageCount", 0), 0, kMaxListEntries);
    for (int i = 1; i <= count; ++i)
        cbImageToShow->addItem(
            fromBytes(catalogue.ReadString(frames, "Image" + std::to_string(i), "Image" + std::to_string(i))));
    cbImageToShow->setCurrentIndex(count > 0 ? 0 : -1);
    // The strip holds as many pictures as the catalogue names frames.
    UpDownNoOfImages->setValue(std::max(1, count));

    TStrings files;
    document.FileChoices(state.DefinitionSection, imageKey_, files);
    thumbnails_->Forget();
    EditImageFilename->clear();
    for (const std::string& file : files)
        EditImageFilename->addItem(fromBytes(file));
    const std::string current = document.ReadString(
        state.DefinitionSection, imageKey_, document.ReadString("Buttons", "Bitmap", "bms.bmp"));
    EditImageFilename->setCurrentIndex(EditImageFilename->findText(fromBytes(current), Qt::MatchFixedString));
    EditImageFilename->setEditText(fromBytes(current));
    loadImage();

    // The limits left by the image shown before would cut the stored margins: they are
    // lifted, the margins set, and only then limited by this section's own image.
    const std::string& section = state.CurrentSection;
    for (QSpinBox* box : {UpDownMarginTop, UpDownMarginBottom, UpDownMarginLeft, UpDownMarginRight})
        box->setMaximum(kMarginRange);
    UpDownMarginTop->setValue(std::max(0, document.ReadInteger(section, "TopHeight", 4)));
    UpDownMarginBottom->setValue(std::max(0, document.ReadInteger(section, "BottomHeight", 4)));
    UpDownMarginLeft->setValue(std::max(0, document.ReadInteger(section, "LeftWidth", 4)));
    UpDownMarginRight->setValue(std::max(0, document.ReadInteger(section, "RightWidth", 4)));
    (document.ReadInteger(section, "Tile", 0) == 1 ? RadioTiled : RadioStretched)->setChecked(true);
    CheckBoxTransparent->setChecked(document.ReadBool(section, "Trans", false));
    applyLimits();
    TrackBarButtonWidth->setValue(ready_ ? working_.width() / std::max(1, UpDownNoOfImages->value())
                                         : TrackBarButtonWidth->maximum());
    TrackBarButtonHeight->setValue(ready_ ? working_.height() : TrackBarButtonHeight->maximum());
    filled_ = shown();
    filling_ = false;
    ButtonPreviewRepaint();
}

TButtonDesignerPage::Settings TButtonDesignerPage::shown() const
{
    return {UpDownMarginTop->value(),  UpDownMarginBottom->value(),  UpDownMarginLeft->value(),
            UpDownMarginRight->value(), RadioTiled->isChecked(),     CheckBoxTransparent->isChecked(),
            EditImageFilename->currentText()};
}

void TButtonDesignerPage::loadImage()
{
    auto path = resolveFileReference(editorState().SkinsRoot, toBytes(EditImageFilename->currentText()));
    working_ = path ? readBitmapImage(*path) : QImage();
    ready_ = !working_.isNull();
    LabelFileNotFound->setVisible(!ready_);
    ImageButtonPreview->setVisible(ready_);
}

void TButtonDesignerPage::EditImageFilenameChange()
{
    loadImage();
    ButtonPreviewUpDownUpdate();
}

void TButtonDesignerPage::ButtonPreviewUpDownUpdate()
{
    // While the page is filled the margins are limited once, after all are set.
    if (filling_)
        return;
    applyLimits();
    ButtonPreviewRepaint();
}

void TButtonDesignerPage::applyLimits()
{
    if (working_.isNull())
        return;
    const MarginLimits limits =
        marginLimits(working_.width(), working_.height(), UpDownNoOfImages->value(), UpDownMarginTop->value(),
                     UpDownMarginBottom->value(), UpDownMarginLeft->value(), UpDownMarginRight->value());
    const bool filling = std::exchange(filling_, true);
    UpDownMarginTop->setMaximum(limits.top);
    UpDownMarginBottom->setMaximum(limits.bottom);
    UpDownMarginLeft->setMaximum(limits.left);
    UpDownMarginRight->setMaximum(limits.right);
    filling_ = filling;
}

void TButtonDesignerPage::ButtonPreviewRepaint()
{
    if (!ready_ || filling_)
        return;
    QImage drawn;
    DrawSkinBitmap(working_, drawn, UpDownMarginLeft->value(), UpDownMarginTop->value(), UpDownMarginRight->value(),
                   UpDownMarginBottom->value(), TrackBarButtonHeight->value(), TrackBarButtonWidth->value(),
                   LayoutSideBySide, std::max(0, cbImageToShow->currentIndex()) + 1, std::max(1, cbImageToShow->count()),
                   RadioTiled->isChecked() ? ModeTile : ModeStretch);
    if (CheckBoxTransparent->isChecked()) {
        // Magenta is the skin's see-through colour.
        drawn = drawn.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < drawn.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(drawn.scanLine(y));
            for (int x = 0; x < drawn.width(); ++x)
                if ((row[x] & 0xffffff) == 0xff00ff)
                    row[x] = 0;
        }
    }
    picture_ = QImage(kPreviewSize, QImage::Format_RGB32);
    picture_.fill(palette().color(QPalette::Window));
    QPainter painter(&picture_);
    painter.drawImage(0, 0, drawn);
    painter.end();
    ImageButtonPreview->setPixmap(QPixmap::fromImage(picture_));
}

void TButtonDesignerPage::ButtonApplyButtonSettingsClick()
{
    if (!document_)
        return;
    const std::string& section = editorState().CurrentSection;
    const Settings now = shown();
    if (refuseOutsideLatin1(now.image))
        return;
    bool wrote = false;
    // A setting the author left alone keeps its bytes (a clamped or oddly spelt value
    // is not rewritten); one the section lacks is written as the page shows it.
    auto write = [&](std::string_view key, bool changed, const std::string& value) {
        if (changed || !document_->ValueExists(section, key)) {
            document_->WriteString(section, key, value);
            wrote = true;
        }
    };
    write("TopHeight", now.top != filled_.top, intToStr(now.top));
    write("BottomHeight", now.bottom != filled_.bottom, intToStr(now.bottom));
    write("LeftWidth", now.left != filled_.left, intToStr(now.left));
    write("RightWidth", now.right != filled_.right, intToStr(now.right));
    write("Tile", now.tiled != filled_.tiled, now.tiled ? "1" : "0");
    write(imageKey_, now.image != filled_.image, toBytes(now.image));
    write("Trans", now.transparent != filled_.transparent, now.transparent ? "1" : "0");
    filled_ = now;
    if (wrote)
        emit Applied();
}

}  // namespace sw
