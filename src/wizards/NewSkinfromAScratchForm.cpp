#include "wizards/NewSkinfromAScratchForm.h"

#include "common/Latin1.h"
#include "engine/PromptService.h"
#include "store/CustomIniFile.h"
#include "wizards/AuthorEdits.h"
#include "wizards/ScratchPreviewForm.h"
#include "wizards/WizardTimeLine.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr int kLastScratchStep = 9;
const char* const kScratchStartNotice = "This wizard creates a new personalized skin, based on a template image";
const char* const kUndefinedArea = "Undefined area!";
const char* const kPictureFilter =
    "All Graphis Formats|*.jpg;*.jpeg;*.jpe;*.jfif;*.jfi;*.bmp;*.dib;*.rle|Jpeg Files (*.jpg)|"
    "*.jpg;*.jpeg;*.jpe;*.jfif;*.jfi|Bitmap Files (*.bmp)|*.bmp;*.dib;*.rle|All Files (*.*)|*.*";

const Qt::PenStyle kPenStyles[] = {Qt::SolidLine,      Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                   Qt::DashDotDotLine, Qt::NoPen,    Qt::SolidLine};
const Qt::BrushStyle kBrushStyles[] = {Qt::SolidPattern, Qt::NoBrush,     Qt::HorPattern,   Qt::VerPattern,
                                       Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};

}  // namespace

TNewSkinfromAScratchForm::TNewSkinfromAScratchForm(TCustomIniFile& settings, fs::path engineFolder,
                                                   TScratchPreviewForm& picture, QWidget* parent)
    : QDialog(parent), settings_(settings), engineFolder_(std::move(engineFolder)), picture_(picture)
{
    setObjectName(QStringLiteral("NewSkinfromAScratchForm"));
    setWindowTitle(QStringLiteral("New skin wizard"));
    // A modal dialog blocks every other window but its own children: the picture
    // window must be one of them, or no area could be drawn on it.
    previousPictureParent_ = picture_.parentWidget();
    picture_.setParent(this, picture_.windowFlags() | Qt::Tool);
    // The UIS 2 catalogue gives the action list and the pictures that can be cut.
    catalogue_ = loadScratchCatalogue();

    UpdateTimer = new QTimer(this);
    UpdateTimer->setObjectName(QStringLiteral("UpdateTimer"));
    UpdateTimer->setInterval(100);
    connect(UpdateTimer, &QTimer::timeout, this, &TNewSkinfromAScratchForm::UpdateTimerTimer);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 8);
    outer->addWidget(buildHeader());
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 4, 8, 0);
    timeLine_ = new TWizardTimeLine({QStringLiteral("Start"), QStringLiteral("Template"),
                                     QStringLiteral("Transparency"), QStringLiteral("Filters"),
                                     QStringLiteral("Borders"), QStringLiteral("Buttons"),
                                     QStringLiteral("Other images"), QStringLiteral("Disclaimer"),
                                     QStringLiteral("Personalization"), QStringLiteral("Finish")},
                                    this);
    connect(timeLine_, &TWizardTimeLine::StepChosen, this, &TNewSkinfromAScratchForm::StepChooserMouseAction);
    body->addWidget(timeLine_);
    auto* right = new QVBoxLayout;
    pcSteps = new QStackedWidget(this);
    pcSteps->setObjectName(QStringLiteral("pcSteps"));
    for (QWidget* page : {buildStep1(), buildStep2(), buildStep3(), buildStep4(), buildStep5(), buildStep6(),
                          buildStep7(), buildStep8()})
        pcSteps->addWidget(page);
    right->addWidget(pcSteps, 1);
    lblNotice = new QLabel(this);
    lblNotice->setObjectName(QStringLiteral("lblNotice"));
    lblNotice->setWordWrap(true);
    lblNotice->setMinimumHeight(40);
    right->addWidget(lblNotice);
    body->addLayout(right, 1);
    outer->addLayout(body, 1);

    const WizardButtons buttons = addWizardButtons(this, outer);
    btnBack = buttons.back;
    btnNext = buttons.next;
    btnFinish = buttons.finish;
    btnCancel = buttons.cancel;
    connect(btnBack, &QPushButton::clicked, this, [this] { btnStepClick(-1); });
    connect(btnNext, &QPushButton::clicked, this, [this] { btnStepClick(+1); });
    connect(btnFinish, &QPushButton::clicked, this, &TNewSkinfromAScratchForm::ButtonCreateSkinClick);
    connect(btnCancel, &QPushButton::clicked, this, &TNewSkinfromAScratchForm::reject);

    connect(&picture_, &TScratchPreviewForm::TransparentColourPicked, this,
            &TNewSkinfromAScratchForm::TransparentColourPicked);
    connect(&picture_, &TScratchPreviewForm::AreaChanged, this, &TNewSkinfromAScratchForm::PictureAreaChanged);

    // FormCreate / FormShow.
    initialFileName_ = EditFileName->text();
    initialSkinName_ = EditName->text();
    showAuthorFields(settings_, {EditSkinAuthor, EditAuthorsURL, EditAuthorsEmail, EditSpecialNotes});
    loadingControls_ = true;
    for (const ScratchImageChoice& choice : catalogue_.images) {
        ScratchEntry entry;
        entry.caption = fromBytes(choice.caption);
        entry.imageCount = choice.imageCount;
        entry.section = choice.section;
        entry.attribute = choice.attribute;
        entry.valid = true;
        auto* item = new QTreeWidgetItem(ListViewImages);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        ShowEntry(item, entry);
        images_.push_back(entry);
    }
    loadingControls_ = false;
    TransparentColourPicked(picture_.TransparentColour());
    ShapeStyleChange();
    btnFinish->setEnabled(false);
    resize(640, 480);
    RefreshStep();
}

TNewSkinfromAScratchForm::~TNewSkinfromAScratchForm()
{
    UpdateTimer->stop();
    picture_.SetAreaDrawing(false);
    picture_.SetTransparencyPicking(false);
    // The picture window belongs to the caller; it must outlive this dialog.
    picture_.setParent(previousPictureParent_, picture_.windowFlags());
}

void TNewSkinfromAScratchForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    step_ = 0;
    RefreshStep();
}

void TNewSkinfromAScratchForm::reject()
{
    UpdateTimer->stop();
    QDialog::reject();
}

QString TNewSkinfromAScratchForm::Notice() const
{
    return lblNotice->text();
}

void TNewSkinfromAScratchForm::SetNotice(const QString& text)
{
    lblNotice->setText(text);
}

void TNewSkinfromAScratchForm::btnStepClick(int direction)
{
    if (direction > 0 && (step_ == 0 || imageLoaded_))
        step_ = std::min(step_ + 1, kLastScratchStep);
    else if (direction < 0)
        step_ = std::max(step_ - 1, 0);
    RefreshStep();
}

void TNewSkinfromAScratchForm::StepChooserMouseAction(int step)
{
    step_ = std::clamp(step, 0, kLastScratchStep);
    // Without a picture nothing past the step that loads one makes sense.
    if (!imageLoaded_ && step_ > 1)
        step_ = 1;
    RefreshStep();
}

void TNewSkinfromAScratchForm::RefreshStep()
{
    for (int i = 0; i < kLastScratchStep; ++i) {
        timeLine_->SetMarkerColour(i, i == step_ ? QColor(Qt::green) : QColor(Qt::gray));
        timeLine_->SetLabelBold(i, i == step_);
    }
    timeLine_->SetLabelBold(kLastScratchStep, step_ == kLastScratchStep);
    pcSteps->setVisible(step_ >= 1 && step_ <= 8);
    if (step_ >= 1 && step_ <= 8)
        pcSteps->setCurrentIndex(step_ - 1);
    btnNext->setEnabled(step_ < kLastScratchStep && (step_ == 0 || imageLoaded_));
    btnBack->setEnabled(step_ > 0);

    picture_.SetBordersVisible(step_ == 4);
    const bool pictureSteps = step_ == 2 || step_ == 4 || step_ == 5 || step_ == 6;
    if (pictureSteps)
        UpdateTimer->start();
    else
        UpdateTimer->stop();
    // These steps work on the picture: a picture window closed by the user comes back.
    if (pictureSteps && imageLoaded_ && isVisible() && !picture_.isVisible())
        picture_.show();
    ListViewBitmaps->clearSelection();
    ListViewImages->clearSelection();
    picture_.SetTransparencyPicking(step_ == 2);
    picture_.SetAreaDrawing(false);
    picture_.SetArea(QRect(), false);
    if (step_ == 0)
        SetNotice(QString::fromLatin1(kScratchStartNotice));
    CheckFinishOK();
    if (imageLoaded_)
        SetColorPreview(false);
}

bool TNewSkinfromAScratchForm::CheckFinishOK()
{
    const bool namesUnchanged = EditFileName->text() == initialFileName_ || EditName->text() == initialSkinName_;
    const std::vector<std::string> problems = readinessProblems(CurrentJob(), namesUnchanged);
    const bool ready = problems.empty();
    btnFinish->setEnabled(ready);
    timeLine_->SetMarkerColour(kLastScratchStep, ready ? QColor(Qt::gray) : QColor(Qt::red));
    if (step_ != 0)
        SetNotice(ready ? QString::fromLatin1(kWizardReadyNotice)
                        : QString::fromLatin1(kWizardNotReadyNotice) + QLatin1Char('\n') + fromBytes(problems.back()));
    auto colour = [](QLabel* label, bool unchanged) {
        label->setStyleSheet(unchanged ? QStringLiteral("color: red") : QString());
    };
    colour(LabelFileName, EditFileName->text() == initialFileName_);
    colour(LabelName, EditName->text() == initialSkinName_);
    return ready;
}

ScratchFilter TNewSkinfromAScratchForm::CurrentFilter() const
{
    ScratchFilter filter;
    filter.grayscale = PageControlEffect->currentIndex() == 1;
    ChannelFilter* channels[] = {&filter.red, &filter.green, &filter.blue};
    for (int c = 0; c < 3; ++c)
        *channels[c] = {FilterStyle(ChannelStyle[c]->currentIndex()), ChannelAmount[c]->value(),
                        ChannelTarget[c]->currentIndex() == 0};
    filter.brightnessStyle = FilterStyle(ComboBoxBrightness->currentIndex());
    filter.brightness = UpDownBrightness->value();
    return filter;
}

ScratchJob TNewSkinfromAScratchForm::CurrentJob() const
{
    ScratchJob job;
    job.picture = picture_.Picture();
    job.fileName = toBytes(EditFileName->text());
    job.author = {toBytes(EditName->text()), toBytes(EditSkinAuthor->text()), toBytes(EditAuthorsURL->text()),
                  toBytes(EditAuthorsEmail->text()), toBytes(EditSpecialNotes->text())};
    job.borders = {UpDownBorder[0]->value(), UpDownBorder[1]->value(), UpDownBorder[2]->value(),
                   UpDownBorder[3]->value()};
    job.useTransparency = CheckBoxUseTransparency->isChecked();
    job.transparent = picture_.TransparentColour();
    job.transparentTolerance = UpDownTolerance->value();
    job.filter = CurrentFilter();
    job.actionShift = catalogue_.actionShift;
    for (const ScratchEntry& entry : buttons_)
        job.buttons.push_back({entry.action, entry.area});
    for (std::size_t i = 0; i < images_.size(); ++i) {
        const QTreeWidgetItem* item = ListViewImages->topLevelItem(int(i));
        if (item && item->checkState(0) == Qt::Checked) {
            const ScratchEntry& entry = images_[i];
            job.images.push_back({entry.section, entry.attribute, entry.imageCount, entry.allImages, entry.area});
        }
    }
    return job;
}

void TNewSkinfromAScratchForm::LoadBitmapButtonClick()
{
    FileDialogRequest request;
    request.caption = QStringLiteral("Open");
    request.filter = QString::fromLatin1(kPictureFilter);
    request.fileName = EditImageFilename->text();
    const QString file = prompts().openFile(request);
    if (!file.isEmpty())
        LoadTemplatePicture(file);
}

bool TNewSkinfromAScratchForm::LoadTemplatePicture(const QString& file)
{
    std::string error;
    if (!picture_.LoadPicture(file.toStdString(), &error)) {
        prompts().message(QStringLiteral("Unable to read the picture \"") + file + QStringLiteral("\": ") +
                              QString::fromStdString(error),
                          QStringLiteral("Template image"), PromptIcon::Error, PromptButtons::Ok);
        return false;
    }
    const QImage& image = picture_.Picture();
    EditImageFilename->setText(file);
    EditImageWidth->setText(QString::number(image.width()));
    EditImageHeight->setText(QString::number(image.height()));
    EditImageFormat->setText(QString::fromStdString(picture_.FormatName()));
    // Compression moves a JPEG picture's see-through colour: it is matched loosely.
    const int tolerance = defaultSeeThroughTolerance(file.toStdString());
    UpDownTolerance->setValue(tolerance);
    LabelJpegTolerance->setVisible(tolerance > 0);
    // The picture window sits beside the wizard, not under it.
    if (isVisible() && !picture_.isVisible())
        picture_.show();
    if (isVisible())
        picture_.move(frameGeometry().topRight() + QPoint(8, 0));
    BordersChanged();
    imageLoaded_ = true;
    lastPreviewColour_ = ~picture_.TransparentColour();
    if (step_ < 1)
        step_ = 1;
    RefreshStep();
    return true;
}

void TNewSkinfromAScratchForm::SetColorPreview(bool fromTimer)
{
    const QImage& picture = picture_.Picture();
    if (picture.isNull())
        return;
    const std::optional<SeeThrough> transparent =
        CheckBoxUseTransparency->isChecked()
            ? std::optional<SeeThrough>(SeeThrough(picture_.TransparentColour(), UpDownTolerance->value()))
            : std::nullopt;
    auto render = [&](QLabel* label, const CopyFilter& filter) {
        QImage shown(label->size(), QImage::Format_RGB32);
        shown.fill(palette().window().color());
        filteredCopy(picture, QRect(QPoint(0, 0), shown.size()) & picture.rect(), shown, QPoint(0, 0), filter,
                     transparent);
        label->setPixmap(QPixmap::fromImage(shown));
    };
    if (step_ == 2) {
        if (fromTimer && lastPreviewColour_ == picture_.TransparentColour())
            return;
        lastPreviewColour_ = picture_.TransparentColour();
        render(ImageTransparency, CopyFilter{});
        return;
    }
    const ScratchFilter filter = CurrentFilter();
    render(ImageActive, copyFilterFor(filter, true));
    render(ImageInactive, copyFilterFor(filter, false));
}

void TNewSkinfromAScratchForm::UpdateTimerTimer()
{
    if ((step_ == 5 || step_ == 6) && picture_.TakeAreaChanged())
        PictureAreaChanged(picture_.Area());
    SetColorPreview(true);
}

void TNewSkinfromAScratchForm::TransparentColourPicked(QRgb colour)
{
    QPalette swatch = ShapeTransparentColour->palette();
    swatch.setColor(QPalette::Window, QColor(colour));
    ShapeTransparentColour->setPalette(swatch);
    SetColorPreview(false);
}

int TNewSkinfromAScratchForm::SelectedRow(QTreeWidget* list) const
{
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.size() == 1 ? list->indexOfTopLevelItem(selected.front()) : -1;
}

void TNewSkinfromAScratchForm::ValidateEntry(ScratchEntry& entry, bool checked) const
{
    if (!checked) {
        entry.stateText.clear();
        entry.valid = true;
        return;
    }
    entry.valid = areaUsable(entry.area);
    entry.stateText = entry.valid ? QStringLiteral("OK") : QString::fromLatin1(kUndefinedArea);
}

void TNewSkinfromAScratchForm::ShowEntry(QTreeWidgetItem* item, const ScratchEntry& entry) const
{
    item->setText(0, entry.caption);
    item->setText(1, entry.stateText);
    item->setForeground(1, entry.valid ? palette().text() : QBrush(Qt::red));
}

void TNewSkinfromAScratchForm::ButtonAddButtonClick()
{
    ScratchEntry entry;
    entry.caption = catalogue_.actions.size() > std::size_t(kDefaultScratchAction)
                        ? fromBytes(catalogue_.actions[kDefaultScratchAction])
                        : QString();
    entry.stateText = QString::fromLatin1(kUndefinedArea);
    buttons_.push_back(entry);
    auto* item = new QTreeWidgetItem(ListViewBitmaps);
    ShowEntry(item, entry);
    CheckFinishOK();
    // The new button is the one the user draws next.
    ListViewBitmaps->setCurrentItem(item);
}

void TNewSkinfromAScratchForm::ButtonRemoveButtonClick()
{
    const int row = SelectedRow(ListViewBitmaps);
    if (row < 0)
        return;
    buttons_.erase(buttons_.begin() + row);
    delete ListViewBitmaps->takeTopLevelItem(row);
    ListViewBitmaps->clearSelection();
    CheckFinishOK();
}

void TNewSkinfromAScratchForm::ListSelectionChanged(bool buttons)
{
    QTreeWidget* list = buttons ? ListViewBitmaps : ListViewImages;
    QWidget* panel = buttons ? PanelButtonArea : PanelImageArea;
    QSpinBox** boxes = buttons ? ButtonArea : ImageArea;
    const int row = SelectedRow(list);
    if (buttons)
        ButtonRemoveButton->setEnabled(row >= 0);
    if (row < 0) {
        panel->hide();
        picture_.SetAreaDrawing(false);
        picture_.SetArea(QRect(), false);
        return;
    }
    const ScratchEntry& entry = (buttons ? buttons_ : images_)[std::size_t(row)];
    loadingControls_ = true;
    if (buttons)
        ComboBoxButtonActions->setCurrentIndex(entry.action);
    else
        ComboBoxImageContents->setCurrentIndex(entry.allImages ? 1 : 0);
    const int values[] = {entry.area.left(), entry.area.top(), entry.area.width(), entry.area.height()};
    for (int i = 0; i < 4; ++i)
        boxes[i]->setValue(values[i]);
    loadingControls_ = false;
    panel->show();
    picture_.SetAreaDrawing(true);
    picture_.SetArea(entry.area, true);
    picture_.TakeAreaChanged();
    UpdateTimer->start();
}

void TNewSkinfromAScratchForm::PictureAreaChanged(const QRect& area)
{
    QSpinBox** boxes = step_ == 5 ? ButtonArea : step_ == 6 ? ImageArea : nullptr;
    if (!boxes || SelectedRow(step_ == 5 ? ListViewBitmaps : ListViewImages) < 0)
        return;
    loadingControls_ = true;
    const int values[] = {area.left(), area.top(), area.width(), area.height()};
    for (int i = 0; i < 4; ++i)
        boxes[i]->setValue(values[i]);
    loadingControls_ = false;
    SaveButtonValues();
}

void TNewSkinfromAScratchForm::SaveButtonValues()
{
    if (loadingControls_)
        return;
    if (step_ == 5) {
        const int row = SelectedRow(ListViewBitmaps);
        if (row < 0)
            return;
        ScratchEntry& entry = buttons_[std::size_t(row)];
        entry.action = std::max(ComboBoxButtonActions->currentIndex(), 0);
        entry.caption = ComboBoxButtonActions->currentText();
        entry.area = QRect(ButtonArea[0]->value(), ButtonArea[1]->value(), ButtonArea[2]->value(),
                           ButtonArea[3]->value());
        picture_.SetArea(entry.area, true);
        ValidateEntry(entry, true);
        ShowEntry(ListViewBitmaps->topLevelItem(row), entry);
    } else if (step_ == 6) {
        const int row = SelectedRow(ListViewImages);
        QTreeWidgetItem* item = row < 0 ? nullptr : ListViewImages->topLevelItem(row);
        if (!item)
            return;
        ScratchEntry& entry = images_[std::size_t(row)];
        entry.allImages = ComboBoxImageContents->currentIndex() == 1;
        entry.area = QRect(ImageArea[0]->value(), ImageArea[1]->value(), ImageArea[2]->value(), ImageArea[3]->value());
        picture_.SetArea(entry.area, true);
        loadingControls_ = true;
        ValidateEntry(entry, item->checkState(0) == Qt::Checked);
        ShowEntry(item, entry);
        loadingControls_ = false;
    }
    CheckFinishOK();
}

void TNewSkinfromAScratchForm::BordersChanged()
{
    const ScratchBorders borders{UpDownBorder[0]->value(), UpDownBorder[1]->value(), UpDownBorder[2]->value(),
                                 UpDownBorder[3]->value()};
    picture_.SetBorderMarkers(borderAreas(picture_.Picture().size(), borders));
}

void TNewSkinfromAScratchForm::ShapeStyleChange()
{
    const int pen = std::clamp(ComboBoxPenStyle->currentIndex(), 0, 6);
    const int brush = std::clamp(ComboBoxBrushStyle->currentIndex(), 0, 7);
    const QPen markerPen(penColour_, 1, kPenStyles[pen]);
    const QBrush markerBrush(brushColour_, kBrushStyles[brush]);
    QImage sample(ShapeSample->size(), QImage::Format_RGB32);
    sample.fill(palette().window().color());
    {
        QPainter painter(&sample);
        painter.setPen(markerPen);
        painter.setBrush(markerBrush);
        painter.drawRect(sample.rect().adjusted(0, 0, -1, -1));
    }
    ShapeSample->setPixmap(QPixmap::fromImage(sample));
    picture_.SetMarkerLook(markerPen, markerBrush);
}

void TNewSkinfromAScratchForm::ButtonColourClick(bool pen)
{
    QColor& colour = pen ? penColour_ : brushColour_;
    const QColor chosen = QColorDialog::getColor(colour, this);
    if (!chosen.isValid())
        return;
    colour = chosen;
    ShapeStyleChange();
}

void TNewSkinfromAScratchForm::ButtonCreateSkinClick()
{
    const QString imageFile = EditImageFilename->text();
    std::error_code ec;
    if (imageFile.isEmpty() || !fs::is_regular_file(imageFile.toStdString(), ec)) {
        prompts().message(QLatin1Char('"') + imageFile + QStringLiteral("\" not found"),
                          QStringLiteral("File not found error"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    if (EditFileName->text().isEmpty()) {
        prompts().message(QStringLiteral("You have to enter a name for personality"),
                          QStringLiteral("Personality name error"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    if (!CheckFinishOK())
        return;
    UpdateTimer->stop();
    const ScratchJob job = CurrentJob();
    const fs::path folder = engineFolder_ / job.fileName;
    bool replace = false;
    if (fs::exists(fs::symlink_status(folder, ec))) {
        const PromptAnswer answer = prompts().message(
            QStringLiteral("The personality folder \"") + QString::fromStdString(folder.string()) +
                QStringLiteral("\" already exists.\nReplace it? Every file in it will be deleted."),
            QStringLiteral("Replace personality"), PromptIcon::Warning, PromptButtons::OkCancel);
        if (answer != PromptAnswer::Ok)
            return;
        replace = true;
    }
    const ScratchResult result = createScratchPersonality(job, engineFolder_, scratchTemplatePath(settings_), replace);
    if (!result.ok) {
        prompts().message(QString::fromStdString(result.error), QStringLiteral("Unable to create the personality"),
                          PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    rememberAuthorFields(settings_, {EditSkinAuthor, EditAuthorsURL, EditAuthorsEmail, EditSpecialNotes});
    createdFile_ = QString::fromStdString(result.uisFile.string());
    prompts().message(QStringLiteral("Skinwright will open the skin you have just created."),
                      QStringLiteral("Skin outline successfully created."), PromptIcon::Information,
                      PromptButtons::Ok);
    accept();
}

}  // namespace sw
