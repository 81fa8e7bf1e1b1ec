// How the banner effects menu draws its items: each 30 pixels wider than measured,
// the caption 30 pixels in and 2 down, a round mark on the chosen effect and, on
// "Specify Filter Color", a swatch of the filter colour in the left part.
#pragma once

#include <QProxyStyle>

namespace sw {

class BannerMenuStyle : public QProxyStyle {
public:
    // The swatch shows the colour held in the item's data (a QColor).
    using QProxyStyle::QProxyStyle;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace sw
