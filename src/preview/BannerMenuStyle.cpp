#include "preview/BannerMenuStyle.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

namespace sw {

namespace {
constexpr int kExtraWidth = 30;
}  // namespace

QSize BannerMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                        const QWidget* widget) const
{
    QSize measured = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuItem)
        measured.rwidth() += kExtraWidth;
    return measured;
}

void BannerMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item || item->menuItemType == QStyleOptionMenuItem::Separator) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect r = item->rect;
    const bool selected = item->state & State_Selected;
    painter->save();
    painter->fillRect(r, selected ? item->palette.highlight() : item->palette.window());
    const QColor text = selected ? item->palette.highlightedText().color() : item->palette.windowText().color();
    if (item->checked) {
        // The round mark of the chosen effect, where the symbol glyph would stand.
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(text);
        painter->drawEllipse(QRect(r.left() + 6, r.top() + (r.height() - 7) / 2, 7, 7));
    } else if (!item->icon.isNull()) {
        // "Specify Filter Color": the colour, 3 pixels inside the left part.
        const QRect swatch(r.left() + 3, r.top() + 3, kExtraWidth - 6, r.height() - 6);
        painter->fillRect(swatch, item->icon.pixmap(swatch.size()).toImage().pixelColor(swatch.width() / 2,
                                                                                           swatch.height() / 2));
        painter->setPen(text);
        painter->drawRect(swatch.adjusted(0, 0, -1, -1));
    }
    painter->setPen(item->state & State_Enabled ? text : item->palette.color(QPalette::Disabled, QPalette::WindowText));
    painter->setFont(item->font);
    const QRect caption(r.left() + kExtraWidth, r.top() + 2, r.width() - kExtraWidth, r.height() - 2);
    painter->drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, item->text);
    painter->restore();
}

}  // namespace sw
