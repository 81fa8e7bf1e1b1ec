#include "preview/PreviewForm.h"

#include "document/UisFile.h"
#include "preview/ClassicDesktop.h"
#include "preview/Composition.h"
#include "preview/PreviewSettings.h"
#include "preview/SceneRenderer.h"
#include "store/CustomIniFile.h"

#include <QHideEvent>
#include <QTimer>

#include <algorithm>
#include <QPainter>
#include <QShowEvent>

namespace sw {

namespace {

constexpr int kMinimumWidth = 200, kMinimumHeight = 208;

}  // namespace

TPreviewForm::TPreviewForm(TCustomIniFile& settings, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), settings_(settings),
      background_(toPixel(desktop::ButtonFace))
{
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Preview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The buttons' hints show while the author works in the main window too, and
    // showing the window never takes the focus (and with it the main window's keys).
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(desktopFont(desktop::WindowFont));
    if (PreviewSettings::Read(settings_).PreviewOnTop)
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    resize(kPreviewSize);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    buildMenus();
}

TPreviewForm::~TPreviewForm()
{
    selectedButton_ = -1;
}

void TPreviewForm::SetDocument(TUisFile* document)
{
    if (document != document_) {
        Animate(false);
        buttons_.Clear();
        pressedButton_ = -1;
        dragging_ = moved_ = false;
    }
    document_ = document;
}

QString TPreviewForm::placeKey(const char* name) const
{
    return (active_ ? QStringLiteral("Active") : QStringLiteral("Inactive")) + QLatin1String(name);
}

void TPreviewForm::Arrange(bool active)
{
    composeOnResize_ = false;
    active_ = active;
    if (PreviewSettings::Read(settings_).WindowsSizeRestore) {
        auto read = [&](const char* name, int def) {
            return settings_.ReadInteger("Windows", placeKey(name).toStdString(), def);
        };
        const int left = read("PreviewLeft", x());
        const int top = read("PreviewTop", y());
        const int height = read("PreviewHeight", 300);
        const int width = read("PreviewWidth", 300);
        move(left, top);
        resize(width, height);
    }
    composeOnResize_ = true;
}

void TPreviewForm::LoadSkin()
{
    if (!document_)
        return;
    sources_.LoadSkin(*document_, PreviewSettings::Read(settings_));
    LoadButtons();
}

void TPreviewForm::ReLoadSkin()
{
    LoadSkin();
    ConstructPreview();
}

void TPreviewForm::ConstructPreview()
{
    if (!document_)
        return;
    CompositionOptions options;
    options.LogoMode = PreviewSettings::Read(settings_).LogoMode;
    std::optional<PreviewScene> scene = ComposePreview(*document_, sources_, size(), active_, options);
    if (!scene)
        return;
    scene_ = std::move(scene);
    background_ = scene_->Background;
    timerAnimation_->setInterval(std::max(scene_->AnimationInterval, 0));
    if (animating_ && !AnimationAllowed())
        Animate(false);
    RePaintButtons();
    SetWindowRegion();
    pictureCurrent_ = false;
    update();
    // A larger minimum resizes the window, which composes again.
    setMinimumSize(scene_->MinimumSize.expandedTo(QSize(1, 1)));
    emit Composed();
}

void TPreviewForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!scene_) {
        painter.fillRect(rect(), QColor::fromRgb(background_));
        return;
    }
    Picture();
    // Until the next composition the window may be larger than its picture.
    if (!picture_.rect().contains(rect()))
        painter.fillRect(rect(), QColor::fromRgb(background_));
    painter.drawImage(0, 0, picture_);
}

const QImage& TPreviewForm::Picture()
{
    if (scene_ && !pictureCurrent_) {
        RenderScene(*scene_, picture_);
        pictureCurrent_ = true;
        // While animating the edges are not layers of the scene: they are painted over.
        if (animating_)
            FastPaint();
    }
    return picture_;
}

void TPreviewForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (composeOnResize_)
        ConstructPreview();
}

void TPreviewForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TPreviewForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TPreviewForm::FormShow()
{
    if (document_)
        background_ = toPixel(document_->NamedColour("ButtonFace", desktop::ButtonFace));
    update();
}

void TPreviewForm::FormHide()
{
    if (PreviewSettings::Read(settings_).WindowsSizeRestore) {
        auto write = [&](const char* name, int value) {
            settings_.WriteInteger("Windows", placeKey(name).toStdString(), value);
        };
        write("PreviewLeft", x());
        write("PreviewTop", y());
        write("PreviewHeight", height());
        write("PreviewWidth", width());
    }
    settings_.WriteBool("General", "PreviewOnTop", windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace sw
