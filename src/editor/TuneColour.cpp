#include "editor/TuneColour.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace sw {

void paintSwatch(QFrame* swatch, Colour colour)
{
    uint32_t c = uint32_t(colour);
    swatch->setStyleSheet(QStringLiteral("background-color: rgb(%1, %2, %3); border: 1px solid black;")
                              .arg(c & 255)
                              .arg((c >> 8) & 255)
                              .arg((c >> 16) & 255));
    swatch->setProperty("colour", int(colour));
}

TFormFineTuneColor::TFormFineTuneColor(Colour start, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormFineTuneColor"));
    setWindowTitle(QStringLiteral("Fine Tune Color"));
    auto* grid = new QGridLayout;
    auto makeRow = [&](int row, const char* caption, const char* slider, const char* label, const char* letter,
                       const char* shape, QSlider*& sliderOut, QLabel*& labelOut, QFrame*& shapeOut) {
        grid->addWidget(new QLabel(QString::fromLatin1(caption)), row, 0);
        sliderOut = new QSlider(Qt::Horizontal);
        sliderOut->setObjectName(QString::fromLatin1(slider));
        sliderOut->setRange(0, 255);
        sliderOut->setMinimumWidth(200);
        grid->addWidget(sliderOut, row, 1);
        grid->addWidget(new QLabel(QString::fromLatin1(letter)), row, 2);
        labelOut = new QLabel;
        labelOut->setObjectName(QString::fromLatin1(label));
        labelOut->setMinimumWidth(28);
        QFont bold = labelOut->font();
        bold.setBold(true);
        labelOut->setFont(bold);
        grid->addWidget(labelOut, row, 3);
        shapeOut = new QFrame;
        shapeOut->setObjectName(QString::fromLatin1(shape));
        shapeOut->setFixedSize(24, 18);
        grid->addWidget(shapeOut, row, 4);
        connect(sliderOut, &QSlider::valueChanged, this, &TFormFineTuneColor::TrackBarChange);
    };
    makeRow(0, "Red:", "TrackBarRed", "LabelColorValueRed", "R:", "ShapeRed", TrackBarRed, LabelColorValueRed, ShapeRed);
    makeRow(1, "Green:", "TrackBarGreen", "LabelColorValueGreen", "G:", "ShapeGreen", TrackBarGreen,
            LabelColorValueGreen, ShapeGreen);
    makeRow(2, "Blue:", "TrackBarBlue", "LabelColorValueBlue", "B:", "ShapeBlue", TrackBarBlue, LabelColorValueBlue,
            ShapeBlue);
    ShapeColorPreview = new QFrame;
    ShapeColorPreview->setObjectName(QStringLiteral("ShapeColorPreview"));
    ShapeColorPreview->setFixedSize(64, 64);

    auto* ok = new QPushButton(QStringLiteral("&OK"));
    ok->setObjectName(QStringLiteral("ButtonOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* top = new QHBoxLayout;
    top->addLayout(grid);
    top->addWidget(ShapeColorPreview);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    uint32_t c = uint32_t(start);
    const QSignalBlocker r(TrackBarRed), g(TrackBarGreen), b(TrackBarBlue);
    TrackBarRed->setValue(int(c & 255));
    TrackBarGreen->setValue(int((c >> 8) & 255));
    TrackBarBlue->setValue(int((c >> 16) & 255));
    TrackBarChange();
}

void TFormFineTuneColor::TrackBarChange()
{
    const int red = TrackBarRed->value(), green = TrackBarGreen->value(), blue = TrackBarBlue->value();
    paintSwatch(ShapeColorPreview, red + green * 256 + blue * 65536);
    LabelColorValueRed->setText(QString::number(red));
    LabelColorValueGreen->setText(QString::number(green));
    LabelColorValueBlue->setText(QString::number(blue));
    paintSwatch(ShapeRed, red);
    paintSwatch(ShapeGreen, green * 256);
    paintSwatch(ShapeBlue, blue * 65536);
}

Colour TFormFineTuneColor::colour() const
{
    return Colour(ShapeColorPreview->property("colour").toInt());
}

}  // namespace sw
