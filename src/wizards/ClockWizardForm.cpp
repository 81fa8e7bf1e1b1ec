#include "wizards/ClockWizardForm.h"

#include "document/UisFile.h"
#include "common/Latin1.h"
#include "preview/ClassicDesktop.h"
#include "wizards/TemplatePicture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace sw {

namespace {

const char* const kSizeWarning = "Warning! plugin height and width values cannot equal zero";
const char* const kSample = "22:00:00";
constexpr QRgb kTransparent = qRgb(255, 0, 255);

QSpinBox* spin(QWidget* parent, const char* name, int minimum, int maximum, int value)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

QLabel* stepTitle(QWidget* parent, const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel* warning(QWidget* parent, const char* name, const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setStyleSheet(QStringLiteral("color: #c00000"));
    label->setWordWrap(true);
    return label;
}

}  // namespace

TAddClockWizardForm::TAddClockWizardForm(TUisFile& document, QWidget* parent) : QDialog(parent), document_(document)
{
    setObjectName(QStringLiteral("AddClockWizardForm"));
    setWindowTitle(QStringLiteral("Add Clock Wizard"));
    textColour_ = toPixel(document_.NamedColour("ActiveText", desktop::CaptionText));

    UpdateTimer = new QTimer(this);
    UpdateTimer->setObjectName(QStringLiteral("UpdateTimer"));
    connect(UpdateTimer, &QTimer::timeout, this, &TAddClockWizardForm::UpdateTimerTimer);

    auto* outer = new QVBoxLayout(this);
    PageControlWizardSteps = new QTabWidget(this);
    PageControlWizardSteps->setObjectName(QStringLiteral("PageControlWizardSteps"));
    PageControlWizardSteps->setDocumentMode(true);
    PageControlWizardSteps->addTab(buildBackgroundPage(), QStringLiteral("Background"));
    PageControlWizardSteps->addTab(buildSettingsPage(), QStringLiteral("Visual Settings"));
    PageControlWizardSteps->addTab(buildEffectsPage(), QStringLiteral("Visual Effects"));
    PageControlWizardSteps->addTab(buildPreviewPage(), QStringLiteral("Preview"));
    outer->addWidget(PageControlWizardSteps, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ButtonBack = new QPushButton(QStringLiteral("< &Back"), this);
    ButtonBack->setObjectName(QStringLiteral("ButtonBack"));
    ButtonNext = new QPushButton(QStringLiteral("&Next >"), this);
    ButtonNext->setObjectName(QStringLiteral("ButtonNext"));
    ButtonFinish = new QPushButton(QStringLiteral("Finish"), this);
    ButtonFinish->setObjectName(QStringLiteral("ButtonFinish"));
    ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    for (QPushButton* button : {ButtonBack, ButtonNext, ButtonFinish, ButtonCancel}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    outer->addLayout(buttons);
    connect(ButtonBack, &QPushButton::clicked, this, [this] { ButtonStepClick(-1); });
    connect(ButtonNext, &QPushButton::clicked, this, [this] { ButtonStepClick(+1); });
    connect(ButtonFinish, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(PageControlWizardSteps, &QTabWidget::currentChanged, this,
            &TAddClockWizardForm::PageControlWizardStepsChange);
    connect(RadioBackgroundTransparent, &QRadioButton::toggled, this,
            &TAddClockWizardForm::RadioGroupClockBackgroundClick);
    connect(cbButtonImageFilename, &QComboBox::currentIndexChanged, this, &TAddClockWizardForm::LoadBitmapButtonClick);
    connect(ButtonFont, &QPushButton::clicked, this, &TAddClockWizardForm::ButtonFontClick);
    connect(ComboBoxAlignment, &QComboBox::activated, this, &TAddClockWizardForm::ComboBoxAlignmentChange);
    connect(CheckBoxFadeEnable, &QCheckBox::toggled, this, &TAddClockWizardForm::CheckBoxFadeEnableClick);
    for (QSpinBox* size : {SpinEditPluginWidth, SpinEditPluginHeight})
        connect(size, &QSpinBox::valueChanged, this, &TAddClockWizardForm::updateSizeWarnings);
    resize(560, 400);
    FormShow();
}

QWidget* TAddClockWizardForm::buildBackgroundPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetBackground"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(stepTitle(page, "Step 1 - select bitmap for clock Background"));
    auto* group = new QGroupBox(QStringLiteral(" Clock Background"), page);
    group->setObjectName(QStringLiteral("RadioGroupClockBackground"));
    auto* radios = new QVBoxLayout(group);
    RadioBackgroundTransparent = new QRadioButton(QStringLiteral("Make clock background transparent"), group);
    RadioBackgroundTransparent->setObjectName(QStringLiteral("RadioBackgroundTransparent"));
    RadioBackgroundBitmap = new QRadioButton(QStringLiteral("I want to use additional background"), group);
    RadioBackgroundBitmap->setObjectName(QStringLiteral("RadioBackgroundBitmap"));
    RadioBackgroundTransparent->setChecked(true);
    radios->addWidget(RadioBackgroundTransparent);
    radios->addWidget(RadioBackgroundBitmap);
    layout->addWidget(group);

    auto* bitmapRow = new QHBoxLayout;
    auto* fields = new QFormLayout;
    cbButtonImageFilename = new QComboBox(page);
    cbButtonImageFilename->setObjectName(QStringLiteral("cbButtonImageFilename"));
    cbButtonImageFilename->setIconSize(QSize(32, 16));
    cbButtonImageFilename->setMinimumWidth(220);
    fields->addRow(QStringLiteral("Clock Background Image file "), cbButtonImageFilename);
    LabelBitmapWidth = new QLabel(page);
    LabelBitmapWidth->setObjectName(QStringLiteral("LabelBitmapWidth"));
    LabelBitmapHeight = new QLabel(page);
    LabelBitmapHeight->setObjectName(QStringLiteral("LabelBitmapHeight"));
    LabelBitmapFormat = new QLabel(page);
    LabelBitmapFormat->setObjectName(QStringLiteral("LabelBitmapFormat"));
    fields->addRow(QStringLiteral("Width:"), LabelBitmapWidth);
    fields->addRow(QStringLiteral("Height:"), LabelBitmapHeight);
    fields->addRow(QStringLiteral("Colour depth:"), LabelBitmapFormat);
    bitmapRow->addLayout(fields);
    ImageBackground = new QLabel(page);
    ImageBackground->setObjectName(QStringLiteral("ImageBackground"));
    ImageBackground->setMinimumSize(120, 60);
    ImageBackground->setAlignment(Qt::AlignCenter);
    ImageBackground->setFrameShape(QFrame::StyledPanel);
    bitmapRow->addWidget(ImageBackground, 1);
    layout->addLayout(bitmapRow);
    layout->addStretch();
    return page;
}

QWidget* TAddClockWizardForm::buildSettingsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetVisualSettings"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(stepTitle(page, "Step 2 - additional settings"));
    auto* grid = new QFormLayout;
    grid->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    SpinEditPluginWidth = spin(page, "SpinEditPluginWidth", 0, 5000, 0);
    SpinEditPluginHeight = spin(page, "SpinEditPluginHeight", 0, 5000, 0);
    grid->addRow(QStringLiteral("Plugin Width"), SpinEditPluginWidth);
    grid->addRow(QStringLiteral("Plugin Height"), SpinEditPluginHeight);
    ComboBoxVisibility = new QComboBox(page);
    ComboBoxVisibility->setObjectName(QStringLiteral("ComboBoxVisibility"));
    ComboBoxAlignment = new QComboBox(page);
    ComboBoxAlignment->setObjectName(QStringLiteral("ComboBoxAlignment"));
    for (QComboBox* list : {ComboBoxVisibility, ComboBoxAlignment})
        list->setMinimumWidth(200);
    grid->addRow(QStringLiteral("Visibility"), ComboBoxVisibility);
    grid->addRow(QStringLiteral("Alignment"), ComboBoxAlignment);
    auto* fontRow = new QHBoxLayout;
    ButtonFont = new QPushButton(QStringLiteral("Select Font"), page);
    ButtonFont->setObjectName(QStringLiteral("ButtonFont"));
    LabelFontSample = new QLabel(QString::fromLatin1(kSample), page);
    LabelFontSample->setObjectName(QStringLiteral("LabelFontSample"));
    fontRow->addWidget(ButtonFont);
    fontRow->addWidget(LabelFontSample, 0, Qt::AlignVCenter);
    fontRow->addStretch();
    grid->addRow(fontRow);
    SpinEditOffsetX = spin(page, "SpinEditOffsetX", 0, 5000, 50);
    SpinEditOffsetY = spin(page, "SpinEditOffsetY", 0, 5000, 0);
    grid->addRow(QStringLiteral("Plugin Offset X"), SpinEditOffsetX);
    grid->addRow(QStringLiteral("Plugin Offset Y"), SpinEditOffsetY);
    auto* timerRow = new QHBoxLayout;
    SpinEditUpdateTimer = spin(page, "SpinEditUpdateTimer", 0, 10000, 900);
    timerRow->addWidget(SpinEditUpdateTimer);
    timerRow->addWidget(new QLabel(QStringLiteral("ms"), page));
    timerRow->addStretch();
    grid->addRow(QStringLiteral("Update the clock every"), timerRow);
    layout->addLayout(grid);
    LabelSizeWarning1 = warning(page, "LabelSizeWarning1", kSizeWarning);
    layout->addWidget(LabelSizeWarning1);
    layout->addStretch();
    return page;
}

QWidget* TAddClockWizardForm::buildEffectsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetVisualEffects"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(stepTitle(page, "Step 3 - set border sizes"));
    CheckBoxFadeEnable = new QCheckBox(QStringLiteral("Enable Button Fading"), page);
    CheckBoxFadeEnable->setObjectName(QStringLiteral("CheckBoxFadeEnable"));
    layout->addWidget(CheckBoxFadeEnable);
    auto* grid = new QFormLayout;
    grid->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    SpinEditFadeButton = spin(page, "SpinEditFadeButton", 0, 100, 0);
    SpinEditAlphaStep = spin(page, "SpinEditAlphaStep", 0, 255, 10);
    SpinEditMinAlpha = spin(page, "SpinEditMinAlpha", 0, 255, 55);
    SpinEditMaxAlpha = spin(page, "SpinEditMaxAlpha", 0, 255, 255);
    grid->addRow(QStringLiteral("Select Button to fade"), SpinEditFadeButton);
    grid->addRow(QStringLiteral("Alpha to alter  by each time"), SpinEditAlphaStep);
    grid->addRow(QStringLiteral("Minimum alpha value"), SpinEditMinAlpha);
    grid->addRow(QStringLiteral("Maximum alpha value"), SpinEditMaxAlpha);
    layout->addLayout(grid);
    LabelFadeWarning = warning(page, "LabelFadeWarning", "Warning! Preview does not support button fading yet.");
    layout->addWidget(LabelFadeWarning);
    layout->addStretch();
    return page;
}

QWidget* TAddClockWizardForm::buildPreviewPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetPreview"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(stepTitle(page, "Step 4 - preview the final effect"));
    layout->addWidget(new QLabel(QStringLiteral("Sample window frame example for align preview purpose"), page));
    PreviewFrame = new QLabel(page);
    PreviewFrame->setObjectName(QStringLiteral("PreviewFrame"));
    PreviewFrame->setFixedSize(kSampleWidth, kSampleHeight);
    layout->addWidget(PreviewFrame, 0, Qt::AlignHCenter);
    LabelSizeWarning2 = warning(page, "LabelSizeWarning2", kSizeWarning);
    layout->addWidget(LabelSizeWarning2);
    layout->addStretch();
    return page;
}

void TAddClockWizardForm::FormShow()
{
    TStrings names;
    document_.Choices("Button", "Visibility", names);
    for (const std::string& name : names)
        ComboBoxVisibility->addItem(fromBytes(name));
    document_.Choices("Button", "Align", names);
    for (const std::string& name : names)
        ComboBoxAlignment->addItem(fromBytes(name));
    ComboBoxVisibility->setCurrentIndex(ComboBoxVisibility->count() > 1 ? 1 : ComboBoxVisibility->count() - 1);
    ComboBoxAlignment->setCurrentIndex(ComboBoxAlignment->count() > 1 ? 1 : ComboBoxAlignment->count() - 1);
    TStrings bitmaps;
    document_.FileChoices("Button", "ButtonImage", bitmaps);
    {
        const QSignalBlocker quiet(cbButtonImageFilename);
        for (const std::string& reference : bitmaps) {
            QImage thumbnail = loadTemplatePicture(document_.ReferencePath(reference)).image;
            QIcon icon;
            if (!thumbnail.isNull())
                icon = QIcon(QPixmap::fromImage(thumbnail.scaled(32, 16, Qt::KeepAspectRatio)));
            cbButtonImageFilename->addItem(icon, fromBytes(reference));
        }
        cbButtonImageFilename->setCurrentIndex(-1);
    }
    PageControlWizardSteps->setCurrentIndex(0);
    SpinEditFadeButton->setValue(nextClockButton(document_));
    LabelFontSample->setFont(font());
    centreFontSample();
    RadioGroupClockBackgroundClick();
    CheckBoxFadeEnableClick();
    PageControlWizardStepsChange();
}

void TAddClockWizardForm::centreFontSample()
{
    // The label's own size is the sample's: the text in its font and nothing more.
    const QFontMetrics metrics(LabelFontSample->font());
    LabelFontSample->setFixedSize(metrics.horizontalAdvance(QString::fromLatin1(kSample)), metrics.height());
    SpinEditPluginWidth->setValue(LabelFontSample->width());
    SpinEditPluginHeight->setValue(LabelFontSample->height());
}

void TAddClockWizardForm::ButtonStepClick(int direction)
{
    const int page = PageControlWizardSteps->currentIndex() + direction;
    if (page >= 0 && page < PageControlWizardSteps->count())
        PageControlWizardSteps->setCurrentIndex(page);
}

void TAddClockWizardForm::updateSizeWarnings()
{
    const bool zero = SpinEditPluginWidth->value() == 0 || SpinEditPluginHeight->value() == 0;
    LabelSizeWarning1->setVisible(zero);
    LabelSizeWarning2->setVisible(zero);
    const bool onPreview = PageControlWizardSteps->currentIndex() == PageControlWizardSteps->count() - 1;
    ButtonFinish->setEnabled(onPreview && !zero);
    ButtonFinish->setDefault(ButtonFinish->isEnabled());
    ButtonNext->setDefault(!ButtonFinish->isEnabled());
}

void TAddClockWizardForm::PageControlWizardStepsChange()
{
    const int page = PageControlWizardSteps->currentIndex();
    const int last = PageControlWizardSteps->count() - 1;
    ButtonBack->setEnabled(page > 0);
    ButtonNext->setEnabled(page < last);
    updateSizeWarnings();
    if (page == last) {
        UpdateTimerTimer();
        UpdateTimer->start(SpinEditUpdateTimer->value());
    } else {
        UpdateTimer->stop();
    }
}

void TAddClockWizardForm::RadioGroupClockBackgroundClick()
{
    const bool shown = RadioBackgroundBitmap->isChecked();
    for (QWidget* widget : {static_cast<QWidget*>(cbButtonImageFilename), static_cast<QWidget*>(ImageBackground),
                            static_cast<QWidget*>(LabelBitmapWidth), static_cast<QWidget*>(LabelBitmapHeight),
                            static_cast<QWidget*>(LabelBitmapFormat)})
        widget->setEnabled(shown);
    cbButtonImageFilename->setVisible(shown);
    ImageBackground->setVisible(shown);
    if (shown && cbButtonImageFilename->count() > 0) {
        if (cbButtonImageFilename->currentIndex() == 0)
            LoadBitmapButtonClick();
        else
            cbButtonImageFilename->setCurrentIndex(0);
    }
    if (!shown) {
        bitmap_ = {};
        for (QLabel* label : {LabelBitmapWidth, LabelBitmapHeight, LabelBitmapFormat})
            label->clear();
        // Without its bitmap the clock is as large as its text again, and placed for that.
        centreFontSample();
        ComboBoxAlignmentChange();
    }
}

void TAddClockWizardForm::LoadBitmapButtonClick()
{
    const int index = cbButtonImageFilename->currentIndex();
    if (index < 0 || !RadioBackgroundBitmap->isChecked())
        return;
    const TemplatePicture picture =
        loadTemplatePicture(document_.ReferencePath(toBytes(cbButtonImageFilename->itemText(index))));
    bitmap_ = picture.image;
    if (bitmap_.isNull()) {
        ImageBackground->setText(fromBytes(picture.error));
        for (QLabel* label : {LabelBitmapWidth, LabelBitmapHeight, LabelBitmapFormat})
            label->clear();
        return;
    }
    ImageBackground->setPixmap(QPixmap::fromImage(bitmap_));
    SpinEditPluginWidth->setValue(bitmap_.width());
    SpinEditPluginHeight->setValue(bitmap_.height());
    ComboBoxAlignmentChange();
    LabelBitmapWidth->setText(QString::number(bitmap_.width()));
    LabelBitmapHeight->setText(QString::number(bitmap_.height()));
    LabelBitmapFormat->setText(fromBytes(picture.formatName));
}

void TAddClockWizardForm::ApplyFont(const QFont& font)
{
    LabelFontSample->setFont(font);
    centreFontSample();
    ComboBoxAlignmentChange();
}

void TAddClockWizardForm::ButtonFontClick()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, LabelFontSample->font(), this, QStringLiteral("Select Font"));
    // The face name goes into the personality as its bytes.
    if (ok && !refuseOutsideLatin1(font.family()))
        ApplyFont(font);
}

void TAddClockWizardForm::ComboBoxAlignmentChange()
{
    // Measured by the clock as the engine draws it: its bitmap, or else its text.
    if (auto offset = clockOffsetForAlignment(ComboBoxAlignment->currentIndex(), SpinEditPluginWidth->value()))
        SpinEditOffsetX->setValue(*offset);  // the control keeps its range: below 0 gives 0
}

void TAddClockWizardForm::CheckBoxFadeEnableClick()
{
    const bool on = CheckBoxFadeEnable->isChecked();
    for (QSpinBox* box : {SpinEditFadeButton, SpinEditAlphaStep, SpinEditMinAlpha, SpinEditMaxAlpha})
        box->setEnabled(on);
    LabelFadeWarning->setVisible(on);
}

QImage TAddClockWizardForm::clockPicture() const
{
    QImage picture;
    if (RadioBackgroundBitmap->isChecked() && !bitmap_.isNull())
        picture = bitmap_.convertToFormat(QImage::Format_ARGB32);
    else {
        picture = QImage(std::max(1, SpinEditPluginWidth->value()), std::max(1, SpinEditPluginHeight->value()),
                         QImage::Format_ARGB32);
        picture.fill(kTransparent);
    }
    // Magenta is the engine's transparent colour.
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (kTransparent & 0xFFFFFF))
                line[x] = 0;
    }
    QPainter p(&picture);
    p.setFont(LabelFontSample->font());
    p.setPen(QColor::fromRgb(textColour_));
    p.drawText(picture.rect(), Qt::AlignCenter, clockTimeText(QDateTime::currentDateTimeUtc()));
    return picture;
}

QImage TAddClockWizardForm::PreviewImage() const
{
    QImage frame(kSampleWidth, kSampleHeight, QImage::Format_ARGB32);
    frame.fill(QColor(236, 233, 216));
    QPainter p(&frame);
    p.fillRect(0, 0, kSampleWidth, 22, QColor(10, 36, 106));
    p.setPen(QColor(128, 128, 128));
    p.drawRect(0, 0, kSampleWidth - 1, kSampleHeight - 1);
    const QPoint at = clockPlacement(ComboBoxAlignment->currentIndex(), SpinEditOffsetX->value(),
                                     SpinEditOffsetY->value(), kSampleWidth, kSampleHeight);
    p.drawImage(at, clockPicture());
    return frame;
}

void TAddClockWizardForm::UpdateTimerTimer()
{
    PreviewFrame->setPixmap(QPixmap::fromImage(PreviewImage()));
}

ClockKeys TAddClockWizardForm::Keys() const
{
    ClockKeys keys;
    if (RadioBackgroundBitmap->isChecked() && cbButtonImageFilename->currentIndex() >= 0)
        keys.background = toBytes(cbButtonImageFilename->currentText());
    keys.fontHeight = clockFontHeight(LabelFontSample->font(), LabelFontSample->logicalDpiY());
    keys.fontName = toBytes(LabelFontSample->font().family());
    keys.updateInterval = SpinEditUpdateTimer->value();
    keys.fading = CheckBoxFadeEnable->isChecked();
    keys.fadeButton = SpinEditFadeButton->value();
    keys.alphaStep = SpinEditAlphaStep->value();
    keys.minAlpha = SpinEditMinAlpha->value();
    keys.maxAlpha = SpinEditMaxAlpha->value();
    keys.offsetX = SpinEditOffsetX->value();
    keys.offsetY = SpinEditOffsetY->value();
    keys.width = SpinEditPluginWidth->value();
    keys.height = SpinEditPluginHeight->value();
    keys.align = std::max(0, ComboBoxAlignment->currentIndex());
    keys.visibility = std::max(0, ComboBoxVisibility->currentIndex());
    return keys;
}

}  // namespace sw
