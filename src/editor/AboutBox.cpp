#include "editor/AboutBox.h"

#include "common/GlyphList.h"
#include "store/Version.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace sw {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Skinwright"));
    auto* picture = new QLabel;
    picture->setPixmap(glyphPixmap(24, 32));
    picture->setAlignment(Qt::AlignCenter);
    auto* product = new QLabel(QStringLiteral("<b>Skinwright</b>"));
    product->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Version %1, build %2")
                                   .arg(QString::fromStdString(programVersion()))
                                   .arg(programBuild()));
    version->setObjectName(QStringLiteral("LabelVersion"));
    version->setAlignment(Qt::AlignCenter);
    auto* purpose = new QLabel(QStringLiteral("Personality creation and editing tool for Corvane Veneerix"));
    purpose->setAlignment(Qt::AlignCenter);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("ButtonOK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : std::initializer_list<QWidget*>{picture, product, version, purpose})
        layout->addWidget(w);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}

void TAboutBox::ShowAsSplash()
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    show();
    // TimerSplash: the box goes after eight seconds at the latest.
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("TimerSplash"));
    timer->setInterval(8000);
    connect(timer, &QTimer::timeout, this, &QWidget::close);
    timer->start();
}

void TAboutBox::mousePressEvent(QMouseEvent* event)
{
    if (windowFlags() & Qt::SplashScreen)
        close();
    else
        QDialog::mousePressEvent(event);
}

}  // namespace sw
