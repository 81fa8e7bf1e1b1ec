// The preview window as something to act on: its title-bar buttons (pressed,
// dragged, selected), clicks that select the layer's attribute in the explorer,
// its shape, the animation of its edges, the banner's raster effects, and moving
// and resizing it by its own edges.
#include "preview/BannerMenuStyle.h"
#include "preview/PreviewForm.h"

#include "document/UisFile.h"
#include "engine/FileActions.h"
#include "preview/HotTracking.h"
#include "preview/WindowShape.h"
#include "store/CustomIniFile.h"

#include <QActionGroup>
#include <QColorDialog>
#include <QDesktopServices>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QProcess>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

#include <array>

namespace sw {

int TPreviewForm::selectedButton_ = -1;

namespace {

constexpr std::array<const char*, 14> kBannerItems = {
    "Unchanged",
    "Inverse of banner image",
    "Specified color",
    "Inverse of specified color",
    "Merge Inverted - combination of specified color and inverse of banner image",
    "Mask Inverted - combination of colours common to both specified colour and inverse of banner image",
    "Inverted Merge - combination of banner image and inverse of specified colour",
    "Inverted Mask - combination of colours common to both banner image and inverse of specified color",
    "Merge - combination of specified colour and banner image",
    "Inverse Merge - inverse of combination of specified colour and banner image",
    "Mask - combination of colours common to both pen and banner image",
    "Inverse Mask - inverse of combination of colours common to both specified colour and banner image",
    "Xor Mask - combination of colours in either specified colour or banner image, but not both",
    "Inverse Xor Mask - inverse of combination of colours in either specified colour or banner image, but not both",
};
constexpr std::array<const char*, 14> kBannerItemNames = {
    "pmNopItem", "pmNotItem", "pmCopyItem", "pmNotCopyItem", "pmMergePenNotItem", "pmMaskPenNotItem",
    "pmMergeNotPenItem", "pmMaskNotPenItem", "pmMergeItem", "pmNotMergeItem", "pmMaskItem", "pmNotMaskItem",
    "pmXorItem", "pmNotXorItem",
};

QString fromBytes(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

bool isAny(const std::string& name, std::initializer_list<std::string_view> names)
{
    for (std::string_view n : names)
        if (name == n)
            return true;
    return false;
}

QIcon colourIcon(QRgb colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor::fromRgb(colour));
    return QIcon(pixmap);
}

}  // namespace

void TPreviewForm::buildMenus()
{
    bevelTimer_ = new QTimer(this);
    bevelTimer_->setObjectName(QStringLiteral("BevelTimer"));
    bevelTimer_->setInterval(500);
    connect(bevelTimer_, &QTimer::timeout, this, &TPreviewForm::BevelTimerTimer);

    timerAnimation_ = new QTimer(this);
    timerAnimation_->setObjectName(QStringLiteral("TimerAnimation"));
    connect(timerAnimation_, &QTimer::timeout, this, &TPreviewForm::TimerAnimationTimer);

    Warn = [this](const QString& text, const QString& caption) { QMessageBox::warning(this, caption, text); };

    popupMenuImage_ = new QMenu(this);
    popupMenuImage_->setObjectName(QStringLiteral("PopupMenuImage"));
    const char* actions[] = {"&Open", "&Edit", "&Custom Editor"};
    for (int i = 0; i < 3; ++i)
        connect(popupMenuImage_->addAction(QString::fromLatin1(actions[i])), &QAction::triggered, this,
                [this, i] { ImageAction(lastLayer_, i + 1); });
    popupMenuImage_->addSeparator();
    QAction* palette = popupMenuImage_->addAction(QStringLiteral("Show Buttons Patette"));
    palette->setObjectName(QStringLiteral("ShowButtonsPatette"));
    palette->setCheckable(true);
    // Triggering has already switched the mark: a mark now means the palette was hidden.
    connect(palette, &QAction::triggered, this, [this](bool checked) { emit ButtonsPaletteRequested(checked); });

    bannerMenu_ = new QMenu(this);
    bannerMenu_->setObjectName(QStringLiteral("BannerPopupMenu"));
    auto* style = new BannerMenuStyle;
    style->setParent(bannerMenu_);
    bannerMenu_->setStyle(style);
    auto* group = new QActionGroup(bannerMenu_);
    group->setExclusive(true);
    for (std::size_t i = 0; i < kBannerItems.size(); ++i) {
        QAction* item = bannerMenu_->addAction(QString::fromLatin1(kBannerItems[i]));
        item->setObjectName(QString::fromLatin1(kBannerItemNames[i]));
        item->setCheckable(true);
        item->setChecked(i == 0);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, i] { SetBannerEffect(RasterOp(i)); });
    }
    bannerMenu_->addSeparator();
    QAction* filter = bannerMenu_->addAction(QStringLiteral("Specify Filter Color"));
    filter->setObjectName(QStringLiteral("SpecifyFilterColorItem"));
    filter->setIcon(colourIcon(bannerColour_));
    connect(filter, &QAction::triggered, this, [this] {
        const QColor chosen = QColorDialog::getColor(QColor::fromRgb(bannerColour_), this);
        if (chosen.isValid())
            SetFilterColor(chosen.rgb());
    });
}

// ---------------------------------------------------------------- title-bar buttons

ButtonFrame TPreviewForm::currentButtonFrame() const
{
    if (!scene_)
        return {};
    return buttonFrame(*scene_, document_ && document_->FormatVersion() == UisType1p);
}

void TPreviewForm::LoadButtons()
{
    if (!document_)
        return;
    // From what the edges and pictures left, anew on every load.
    PixelBudget budget = sources_.Budget;
    buttons_.Load(*document_, active_, &budget);
    RePaintButtons();
    refreshLayers();
}

void TPreviewForm::RePaintButtons()
{
    if (!document_ || !scene_ || buttons_.Count() <= 0)
        return;
    buttons_.RePaint(*document_, currentButtonFrame());
    refreshLayers();
}

void TPreviewForm::ChangeButtonState(int index, int state)
{
    buttons_.ChangeState(index, state);
    refreshLayers();
}

void TPreviewForm::ShowButton(int index)
{
    buttons_.Show(index);
    refreshLayers();
}

void TPreviewForm::HideButton(int index)
{
    buttons_.Hide(index);
    refreshLayers();
}

void TPreviewForm::BevelRealign()
{
    const int selected = selectedButton_;
    if (selected >= 0 && selected < buttons_.Count()) {
        buttons_.ChangeState(selected, kButtonHot);
        buttons_.BringToFront(selected);
        bevelShown_ = true;
        bevelTimer_->start();
    } else {
        if (selected >= 0 && active_ && Warn)
            Warn(QStringLiteral("This Button was probably added manually. Button number cannot be greater or equal to "
                                "the number declared as ButtonCount"),
                 QStringLiteral("Skinwright detected invalid redundant button!"));
        bevelShown_ = false;
        bevelTimer_->stop();
    }
    refreshLayers();
}

void TPreviewForm::BevelTimerTimer()
{
    bevelInverted_ = !bevelInverted_;
    refreshLayers();
}

void TPreviewForm::ButtonMouseDown(int index, QPoint at)
{
    if (index < 0 || index >= buttons_.Count())
        return;
    pressedButton_ = index;
    buttons_.BringToFront(index);
    BevelRealign();
    ChangeButtonState(index, kButtonPressed);
    if (document_) {
        dragging_ = true;
        moved_ = false;
        pressAt_ = at;
        layerAtPress_ = buttons_.Button(index).Layer.Rect.topLeft();
    }
}

void TPreviewForm::ButtonMouseMove(QPoint at)
{
    if (!dragging_ || pressedButton_ < 0 || pressedButton_ >= buttons_.Count())
        return;
    moved_ = true;
    PreviewLayer& layer = buttons_.Button(pressedButton_).Layer;
    layer.Rect.moveTopLeft(layerAtPress_ + (at - pressAt_));
    emit StatusText(QStringLiteral("(%1,%2)").arg(layer.Rect.left()).arg(layer.Rect.top()));
    emit DocumentChanged();
    emit CursorOver(at);
    refreshLayers();
}

void TPreviewForm::ButtonMouseUp(QPoint)
{
    if (pressedButton_ < 0 || pressedButton_ >= buttons_.Count())
        return;
    const bool wasDragging = dragging_;
    dragging_ = false;
    ChangeButtonState(pressedButton_, kButtonHot);
    if (document_ && wasDragging && moved_)
        ButtonReleased(pressedButton_);
    moved_ = false;
}

void TPreviewForm::ButtonReleased(int index)
{
    if (!document_ || index < 0 || index >= buttons_.Count())
        return;
    const std::string section = buttonSection(index);
    const int align = document_->ReadInteger(section, "Align", 0);
    const std::optional<QPoint> coordinates =
        buttonCoordinates(align, buttons_.Button(index).Layer.Rect.topLeft(), currentButtonFrame());
    // An alignment the placement does not know has no coordinates to write: the values
    // in the file stay as they are rather than being replaced by guesses.
    if (!coordinates)
        return;
    const int oldX = document_->ReadInteger(section, "XCoord", 0);
    const int oldY = document_->ReadInteger(section, "YCoord", 0);
    emit ButtonShifted(index, coordinates->x() - oldX, coordinates->y() - oldY);
    document_->WriteInteger(section, "XCoord", coordinates->x());
    document_->WriteInteger(section, "YCoord", coordinates->y());
    // After the writes, so the change is recorded as one step with the chained shifts.
    emit DocumentChanged();
    RePaintButtons();
    if (document_->ReadInteger(section, "CombineOp", -1) >= 0)
        SetWindowRegion();
    emit ButtonCoordinatesWritten(index);
}

void TPreviewForm::refreshLayers()
{
    if (!scene_)
        return;
    buttons_.AddTo(*scene_, selectedButton_, bevelShown_);
    for (PreviewLayer& layer : scene_->Layers)
        if (layer.Kind == LayerKind::SelectionFrame)
            layer.Raster = bevelInverted_ ? RasterOp::NotXor : RasterOp::Xor;
    for (const char* name : {"ImageTop", "ImageBottom", "ImageLeft", "ImageRight"})
        scene_->Layer(name).Visible = !animating_;
    PreviewLayer& textBack = scene_->Layer("ImageTextBack");
    textBack.Visible = !animating_ && !textBack.Image.isNull();
    applyBanner();
    pictureCurrent_ = false;
    update();
}

// ---------------------------------------------------------------- hot tracking

void TPreviewForm::ImageHotTrackClick(const std::string& layer)
{
    if (!document_)
        return;
    if (const std::optional<LayerTarget> target = hotTrackTarget(layer))
        emit HotTrack(fromBytes(target->Section), fromBytes(target->Attribute));
}

QString TPreviewForm::ImageFile(const std::string& layer)
{
    if (!document_)
        return {};
    std::string value;
    if (const std::optional<LayerTarget> target = imageActionTarget(layer); target && !target->Section.empty())
        value = document_->ReadString(target->Section, target->Attribute, "");
    std::filesystem::path file = value.empty() ? std::filesystem::path() : document_->ReferencePath(value);
    if (file.empty())
        file = document_->SkinsRoot() / "";
    return QString::fromStdString(file.string());
}

void TPreviewForm::setOnTop(bool onTop)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    setVisible(visible);  // changing the flags hides a window
}

void TPreviewForm::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    emit Moved(event->pos() - event->oldPos());
}

void TPreviewForm::ImageAction(const std::string& layer, int action)
{
    if (!document_)
        return;
    if (action >= 1 && action <= 3)
        runFileAction(FileAction(action), ImageFile(layer),
                      fromBytes(settings_.ReadString("General", "CustomEditor", "")));
}

// ---------------------------------------------------------------- window shape

namespace {

ShapeRules shapeRules(TCustomIniFile& settings, TUisFile& document)
{
    ShapeRules rules;
    rules.ShowTransparency = settings.ReadBool("General", "ShowPreviewTransparrency", true);
    rules.NoShape = document.ReadBool("PERSONALITY", "NoShape", false);
    rules.CombineTextBack = document.ReadInteger("PERSONALITY", "CombineTextBack", 0);
    return rules;
}

}  // namespace

void TPreviewForm::SetWindowRegion()
{
    if (!document_ || !scene_)
        return;
    const ShapeRules rules = shapeRules(settings_, *document_);
    std::optional<QRegion> region = windowRegion(*scene_, rules);
    if (!region) {
        // A window that was shaped before becomes a plain rectangle again.
        if (shape_) {
            shape_.reset();
            clearMask();
        }
        return;
    }
    shape_ = std::move(region);
    setMask(*shape_);
    CombineButtons();
}

void TPreviewForm::CombineButtons()
{
    if (!document_ || !shape_)
        return;
    if (std::optional<QRegion> combined = combineButtons(*shape_, buttons_, shapeRules(settings_, *document_))) {
        shape_ = std::move(combined);
        setMask(*shape_);
    }
}

// ---------------------------------------------------------------- animation

bool TPreviewForm::AnimationAllowed()
{
    return document_ && scene_ && animationAllowed(document_->FormatVersion(), timerAnimation_->interval(), scene_->Edges);
}

void TPreviewForm::Animate(bool on)
{
    if (on && !AnimationAllowed())
        on = false;
    if (on == animating_)
        return;
    animating_ = on;
    if (on)
        timerAnimation_->start();
    else
        timerAnimation_->stop();
    refreshLayers();
}

void TPreviewForm::TimerAnimationTimer()
{
    if (!active_ || !scene_)
        return;
    for (Edge edge : {EdgeTop, EdgeLeft, EdgeRight, EdgeBottom}) {
        int& frame = frames_[std::size_t(edge)];
        frame = nextAnimationFrame(frame, scene_->Edges[std::size_t(edge)].FrameCount);
    }
    FastPaint();
}

void TPreviewForm::FastPaint()
{
    if (!scene_)
        return;
    Picture();
    // Before the first tick (and always on the inactive preview, whose frames do not
    // move) an edge shows the frame the composition chose.
    std::array<int, 4> frames = frames_;
    for (std::size_t e = 0; e < frames.size(); ++e)
        if (frames[e] <= 0 || !active_)
            frames[e] = scene_->Edges[e].Frame;
    sw::FastPaint(sources_, *scene_, frames, &buttons_, animationBuffers_, picture_);
    update();
}

// ---------------------------------------------------------------- banner

void TPreviewForm::applyBanner()
{
    if (PreviewLayer* banner = scene_ ? scene_->Find("ShapeBanner") : nullptr) {
        banner->Raster = bannerOp_;
        banner->Fill = bannerColour_;
    }
}

void TPreviewForm::SetBannerEffect(RasterOp op)
{
    bannerOp_ = op;
    const auto items = bannerMenu_->actions();
    if (int(op) >= 0 && int(op) < items.size())
        items[int(op)]->setChecked(true);
    refreshLayers();
}

void TPreviewForm::SetFilterColor(QRgb colour)
{
    bannerColour_ = colour | 0xFF000000u;
    for (QAction* item : bannerMenu_->actions())
        if (item->objectName() == QStringLiteral("SpecifyFilterColorItem"))
            item->setIcon(colourIcon(bannerColour_));
    refreshLayers();
}

// ---------------------------------------------------------------- moving and resizing

int TPreviewForm::DragModeFor(const std::string& name, QPoint at) const
{
    if (isAny(name, {"ImageTop", "LabelFormCaption", "LabelFormCaptionShadow1", "LabelFormCaptionShadow2",
                     "LabelFormCaptionShadow3", "LabelFormCaptionShadow4", "ImageTextBack", "ImageDlgBack",
                     "ImageSkinwright", "ImageMenu", "LabelMenu", "ShapeMenuBar", "ImageTab1", "ImageTab2",
                     "LabelTab1", "LabelTab2", "ImageTabsPanel", "ImageScrLArr", "ImageScrRArr", "ImageScrTArr",
                     "ImageScrBArr", "ImageHScroll", "ImageVScroll", "ImageHSlider", "ImageVSlider"}))
        return 2;
    if (name == "ImageCorner")
        return 16;
    if (name == "ImageLeft" || name == "ImageRight")
        return 4;
    if (name == "ImageBottom")
        return 8;
    if (!name.empty() || !scene_)
        return 0;
    const QRect top = scene_->Layer("ImageTop").Rect;
    const QRect left = scene_->Layer("ImageLeft").Rect;
    const QRect right = scene_->Layer("ImageRight").Rect;
    const QRect bottom = scene_->Layer("ImageBottom").Rect;
    if (at.y() < top.height())
        return 2;
    if (at.y() >= bottom.top() && at.x() >= right.left())
        return 16;
    if (at.x() >= right.left() || at.x() < left.width())
        return 4;
    if (at.y() >= bottom.top())
        return 8;
    return 0;
}

void TPreviewForm::FormMouseDown(QPoint at, QPoint global)
{
    const PreviewLayer* layer = scene_ ? scene_->LayerAt(at) : nullptr;
    const std::string name = layer ? layer->Name : std::string();
    dragMode_ = DragModeFor(name, at);
    resizeFromLeft_ = name == "ImageLeft" || (name.empty() && at.x() < width() / 2);
    dragGlobal_ = global;
    geometryAtPress_ = geometry();
}

void TPreviewForm::FormMouseMove(QPoint at, QPoint global)
{
    if (document_) {
        emit StatusText(QStringLiteral("(%1,%2)").arg(at.x()).arg(at.y()));
        emit CursorOver(at);
    }
    if (dragMode_ == 0)
        return;
    const QPoint d = global - dragGlobal_;
    const QRect g = geometryAtPress_;
    switch (dragMode_) {
    case 2: move(g.topLeft() + d); break;
    case 4:
        if (resizeFromLeft_) {
            // The right side stays where it is, also when the minimum width stops the left.
            const int w = std::clamp(g.width() - d.x(), minimumWidth(), maximumWidth());
            setGeometry(g.right() + 1 - w, g.top(), w, g.height());
        } else {
            resize(g.width() + d.x(), g.height());
        }
        break;
    case 8: resize(g.width(), g.height() + d.y()); break;
    case 16: resize(g.width() + d.x(), g.height() + d.y()); break;
    default: break;
    }
}

void TPreviewForm::FormMouseUp()
{
    const bool resized = dragMode_ >= 4;
    dragMode_ = 0;
    if (resized)
        SetWindowRegion();
}

void TPreviewForm::Nudge(int dx, int dy)
{
    const int selected = selectedButton_;
    if (selected < 0 || selected >= buttons_.Count()) {
        move(pos() + QPoint(dx, dy));
        return;
    }
    PreviewLayer& layer = buttons_.Button(selected).Layer;
    layer.Rect.translate(dx, dy);
    const QPoint at = layer.Rect.topLeft();
    ButtonReleased(selected);
    emit StatusText(QStringLiteral("(%1,%2)").arg(at.x()).arg(at.y()));
    refreshLayers();
}

// ---------------------------------------------------------------- events

void TPreviewForm::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const QPoint global = event->globalPosition().toPoint();
    const PreviewLayer* layer = scene_ ? scene_->LayerAt(at) : nullptr;
    const std::string name = layer ? layer->Name : std::string();
    if (!name.empty())
        lastLayer_ = name;
    if (event->button() == Qt::RightButton) {
        if (document_ && !name.empty())
            popupMenuImage_->popup(global);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (name == "ShapeBanner") {
        bannerMenu_->popup(global);
        return;
    }
    if (const int button = buttonOfLayer(name); button >= 0) {
        ButtonMouseDown(button, at);
        ImageHotTrackClick(name);
        return;
    }
    emit SizeBarRequested(-1);
    FormMouseDown(at, global);
    if (name.empty())
        return;
    ImageHotTrackClick(name);
    if (isAny(name, {"ImageTop", "ImageTextBack", "LabelFormCaption", "LabelFormCaptionShadow1",
                     "LabelFormCaptionShadow2", "LabelFormCaptionShadow3", "LabelFormCaptionShadow4"}))
        emit SizeBarRequested(0);
    else if (name == "ImageBottom")
        emit SizeBarRequested(1);
    else if (name == "ImageLeft")
        emit SizeBarRequested(2);
    else if (name == "ImageRight")
        emit SizeBarRequested(3);
}

void TPreviewForm::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (dragging_)
        ButtonMouseMove(at);
    else
        FormMouseMove(at, event->globalPosition().toPoint());
}

void TPreviewForm::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragging_ || (pressedButton_ >= 0 && event->button() == Qt::LeftButton && dragMode_ == 0))
        ButtonMouseUp(event->position().toPoint());
    FormMouseUp();
}

void TPreviewForm::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !document_ || lastLayer_.empty())
        return;
    const int mode = settings_.ReadInteger("General", "EditMode", 2);
    if (mode >= 1 && mode <= 3)
        ImageAction(lastLayer_, mode);
}

void TPreviewForm::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: Nudge(-1, 0); break;
    case Qt::Key_Up: Nudge(0, -1); break;
    case Qt::Key_Right: Nudge(1, 0); break;
    case Qt::Key_Down: Nudge(0, 1); break;
    default: QWidget::keyPressEvent(event); return;
    }
}

bool TPreviewForm::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && scene_) {
        auto* help = static_cast<QHelpEvent*>(event);
        const PreviewLayer* layer = scene_->LayerAt(help->pos());
        const int button = layer ? buttonOfLayer(layer->Name) : -1;
        if (button >= 0 && button < buttons_.Count())
            QToolTip::showText(help->globalPos(), buttons_.Button(button).Hint, this);
        else
            QToolTip::hideText();
        return true;
    }
    if (event->type() == QEvent::WindowActivate)
        emit SizeBarRequested(-1);
    if (event->type() == QEvent::WindowDeactivate)
        emit Deactivated();
    // A modal dialog or message box must never sit under a preview that stays on
    // top: the preview steps back while one is up and comes back after.
    if (event->type() == QEvent::WindowBlocked && windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        onTopWhileBlocked_ = true;
        setOnTop(false);
        lower();
    } else if (event->type() == QEvent::WindowUnblocked && onTopWhileBlocked_) {
        onTopWhileBlocked_ = false;
        setOnTop(true);
    }
    return QWidget::event(event);
}

}  // namespace sw
