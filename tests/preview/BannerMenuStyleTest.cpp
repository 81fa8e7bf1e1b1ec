// The banner effects menu's own drawing: wider items, the swatch of the filter colour.
#include "preview/BannerMenuStyle.h"

#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

namespace sw {
namespace {

QIcon swatchIcon(QColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

TEST(BannerMenuStyle, ItemsAreWiderAndTheFilterItemShowsItsColour)
{
    QMenu plain, drawn;
    auto* style = new BannerMenuStyle;
    style->setParent(&drawn);
    drawn.setStyle(style);
    for (QMenu* menu : {&plain, &drawn}) {
        QAction* effect = menu->addAction(QStringLiteral("Inverse Xor Mask - inverse of combination"));
        effect->setCheckable(true);
        effect->setChecked(true);
        menu->addSeparator();
        menu->addAction(swatchIcon(QColor(10, 200, 30)), QStringLiteral("Specify Filter Color"));
        menu->ensurePolished();
        menu->adjustSize();
    }
    QAction* drawnFilter = drawn.actions().back();
    EXPECT_GE(drawn.sizeHint().width(), plain.sizeHint().width() + 30);

    const QRect item = drawn.actionGeometry(drawnFilter);
    ASSERT_FALSE(item.isEmpty());
    const QImage picture = drawn.grab().toImage();
    EXPECT_EQ(QColor(picture.pixel(item.left() + 15, item.center().y())), QColor(10, 200, 30));
    // The chosen effect's mark sits in the left part, drawn in the text colour.
    const QRect chosen = drawn.actionGeometry(drawn.actions().front());
    EXPECT_EQ(QColor(picture.pixel(chosen.left() + 9, chosen.center().y())),
              drawn.palette().color(QPalette::WindowText));
}

}  // namespace
}  // namespace sw
