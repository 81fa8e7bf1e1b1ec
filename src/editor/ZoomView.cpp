#include "editor/ZoomView.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace sw {

namespace {

constexpr int kDivisors[3] = {4, 8, 16};

}  // namespace

QImage zoomImage(const QImage& source, QPoint centre, QSize size, int ratio)
{
    const int d = kDivisors[std::clamp(ratio, 0, 2)];
    const QRect area(QPoint(centre.x() - size.width() / d, centre.y() - size.height() / d),
                     QPoint(centre.x() + size.width() / d - 1, centre.y() + size.height() / d - 1));
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::black);
    if (area.isEmpty() || source.isNull() || size.isEmpty())
        return picture;
    // QImage::copy leaves what lies outside the source transparent: black here.
    QImage cut = source.convertToFormat(QImage::Format_RGB32).copy(area);
    cut = cut.convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&picture);
    painter.drawImage(QRect(QPoint(0, 0), size), cut.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return picture;
}

TZoomViewPage::TZoomViewPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PanelZoomView"));
    ImageZoom = new QLabel;
    ImageZoom->setObjectName(QStringLiteral("ImageZoom"));
    BevelZoom = new QFrame;
    BevelZoom->setObjectName(QStringLiteral("BevelZoom"));
    BevelZoom->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* bevelLayout = new QVBoxLayout(BevelZoom);
    bevelLayout->setContentsMargins(1, 1, 1, 1);
    bevelLayout->addWidget(ImageZoom);
    auto slider = [](Qt::Orientation orientation, const char* name) {
        auto* bar = new QSlider(orientation);
        bar->setObjectName(QString::fromLatin1(name));
        bar->setRange(0, 240);
        bar->setValue(160);
        return bar;
    };
    TrackBarZoomSizeX = slider(Qt::Horizontal, "TrackBarZoomSizeX");
    TrackBarZoomSizeY = slider(Qt::Vertical, "TrackBarZoomSizeY");
    TrackBarZoomSizeY->setInvertedAppearance(true);

    auto* over = new QGroupBox(QStringLiteral(" Zoom window: "));
    over->setObjectName(QStringLiteral("RadioGroupCursorOver"));
    auto* overLayout = new QVBoxLayout(over);
    RadioActive = new QRadioButton(QStringLiteral("Active"));
    RadioInactive = new QRadioButton(QStringLiteral("Inactive"));
    RadioActive->setChecked(true);
    overLayout->addWidget(RadioActive);
    overLayout->addWidget(RadioInactive);
    auto* ratios = new QGroupBox(QStringLiteral(" Zoom ratio: "));
    ratios->setObjectName(QStringLiteral("RadioGroupZoomRation"));
    auto* ratioLayout = new QVBoxLayout(ratios);
    const char* captions[3] = {"x 2", "x 4", "x 8"};
    for (int i = 0; i < 3; ++i) {
        RadioRatio[i] = new QRadioButton(QString::fromLatin1(captions[i]));
        ratioLayout->addWidget(RadioRatio[i]);
        connect(RadioRatio[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                RadioGroupZoomRationClick();
        });
    }
    RadioRatio[0]->setChecked(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(TrackBarZoomSizeY, 0, 0);
    grid->addWidget(BevelZoom, 0, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(TrackBarZoomSizeX, 1, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(over);
    side->addWidget(ratios);
    side->addStretch();
    grid->addLayout(side, 0, 2, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);

    // Often enough to follow the mouse; an unchanged picture costs a comparison.
    TimerZoomRefresh = new QTimer(this);
    TimerZoomRefresh->setObjectName(QStringLiteral("TimerZoomRefresh"));
    TimerZoomRefresh->setInterval(15);
    connect(TimerZoomRefresh, &QTimer::timeout, this, &TZoomViewPage::TimerZoomRefreshTimer);
    for (QSlider* bar : {TrackBarZoomSizeX, TrackBarZoomSizeY})
        connect(bar, &QSlider::valueChanged, this, &TZoomViewPage::ZoomSizeChange);
    RadioGroupZoomRationClick();
    ZoomSizeChange();
    TimerZoomRefresh->stop();
}

void TZoomViewPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The size bars reach as far as their room allows.
    TrackBarZoomSizeX->setMaximum(std::max(10, TrackBarZoomSizeX->width() - 10));
    TrackBarZoomSizeY->setMaximum(std::max(10, TrackBarZoomSizeY->height() - 10));
}

int TZoomViewPage::ratio() const
{
    return RadioRatio[2]->isChecked() ? 2 : RadioRatio[1]->isChecked() ? 1 : 0;
}

void TZoomViewPage::SetCentre(QPoint at, bool active)
{
    centre_ = at;
    (active ? RadioActive : RadioInactive)->setChecked(true);
}

void TZoomViewPage::Start()
{
    TimerZoomRefresh->start();
    TimerZoomRefreshTimer();
}

void TZoomViewPage::Stop()
{
    TimerZoomRefresh->stop();
}

void TZoomViewPage::TimerZoomRefreshTimer()
{
    const bool active = RadioActive->isChecked();
    const QImage* source = PreviewPicture ? PreviewPicture(active) : nullptr;
    if (!source)
        return;
    const Inputs inputs{centre_, QSize(TrackBarZoomSizeX->value(), TrackBarZoomSizeY->value()), ratio(), active,
                        source->cacheKey()};
    if (inputs == drawn_)
        return;
    drawn_ = inputs;
    picture_ = zoomImage(*source, inputs.centre, inputs.size, inputs.ratio);
    ImageZoom->setPixmap(QPixmap::fromImage(picture_));
    ++redraws_;
}

void TZoomViewPage::ZoomSizeChange()
{
    const QSize size(TrackBarZoomSizeX->value(), TrackBarZoomSizeY->value());
    ImageZoom->setFixedSize(size);
    BevelZoom->setFixedSize(size + QSize(2, 2));
    TimerZoomRefresh->start();
}

void TZoomViewPage::RadioGroupZoomRationClick()
{
    const int d = kDivisors[ratio()];
    for (QSlider* bar : {TrackBarZoomSizeX, TrackBarZoomSizeY}) {
        bar->setPageStep(d);
        bar->setTickInterval(d);
    }
}

}  // namespace sw
