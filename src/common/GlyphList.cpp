#include "common/GlyphList.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <map>

namespace sw {

namespace {

enum class Shape { Tile, Round, Folder, FolderOpen, Diamond, Page, Flag };

struct Glyph {
    Shape shape;
    QRgb colour;
    const char* label;
    const char* meaning;
};

// Types and editor kinds share the first numbers; the rest are named by the windows
// that use them. Colour groups: blue values, green files, red/orange colours,
// purple references, grey structure.
const std::map<int, Glyph>& table()
{
    static const std::map<int, Glyph> glyphs = {
        {0, {Shape::Tile, 0xff9e9e9e, "?", "unknown type"}},
        {1, {Shape::Tile, 0xff3f6fb5, "Ab", "string"}},
        {2, {Shape::Tile, 0xff2f5f9f, "12", "integer"}},
        {3, {Shape::Tile, 0xff5a7fb0, "\u2261", "choice"}},
        {4, {Shape::Tile, 0xff4a8a4a, "\u2713", "boolean"}},
        {5, {Shape::Page, 0xff3d8f5f, "bmp", "bitmap file"}},
        {6, {Shape::Round, 0xffc0392b, "RGB", "colour"}},
        {7, {Shape::Round, 0xffd35400, "\u25d0", "full colour"}},
        {8, {Shape::Folder, 0xffc9a227, "", "section"}},
        {9, {Shape::FolderOpen, 0xffe0b83a, "", "selected section"}},
        {10, {Shape::Tile, 0xff7f8c8d, "\u2026", "text"}},
        {11, {Shape::Tile, 0xff8e44ad, "F", "font"}},
        {12, {Shape::Round, 0xffe74c3c, "R", "red channel"}},
        {13, {Shape::Round, 0xff27ae60, "G", "green channel"}},
        {14, {Shape::Round, 0xff2980b9, "B", "blue channel"}},
        {15, {Shape::Tile, 0xff34495e, "#", "number list"}},
        {16, {Shape::Page, 0xff16a085, ">_", "command"}},
        {17, {Shape::Page, 0xff1abc9c, "\u266a", "sound file"}},
        {18, {Shape::Tile, 0xff95a5a6, "0", "switch off"}},
        {19, {Shape::Tile, 0xff2ecc71, "1", "switch on"}},
        {20, {Shape::Round, 0xff2e86c1, "i", "information"}},
        {24, {Shape::Diamond, 0xff2c3e50, "", "personality"}},
        {25, {Shape::Diamond, 0xff3498db, "", "selected personality"}},
        {30, {Shape::Flag, 0xffc8cdd0, "", "button hidden"}},
        {31, {Shape::Flag, 0xff27ae60, "", "button shown"}},
        {32, {Shape::Round, 0xff2980b9, "\u25b8", "selected button"}},
        {33, {Shape::Round, 0xffe67e22, "\u21c4", "button in the current button's chain"}},
        {43, {Shape::Tile, 0xff7f8c8d, "\u2692", "tool"}},
        {46, {Shape::Page, 0xff8e44ad, "{}", "script file"}},
        {47, {Shape::Tile, 0xff6c3483, "n", "enumerator"}},
        {48, {Shape::Tile, 0xff5d6d7e, "\u25a4", "picture list"}},
        {49, {Shape::Tile, 0xff566573, "\u2195", "size"}},
        {50, {Shape::Tile, 0xff515a5a, "\u2194", "position"}},
        {51, {Shape::Page, 0xffb9770e, "zip", "archive"}},
        {56, {Shape::Tile, 0xff27ae60, "+a", "add attribute"}},
        {57, {Shape::Tile, 0xffc0392b, "\u2212a", "remove attribute"}},
        {58, {Shape::Folder, 0xff27ae60, "+", "add section"}},
        {59, {Shape::Folder, 0xffc0392b, "\u2212", "remove section"}},
        {63, {Shape::Round, 0xffc0392b, "!", "value not allowed or attribute unknown"}},
        {64, {Shape::Round, 0xff7b241c, "?", "no personality file"}},
        {65, {Shape::Round, 0xffa04000, "bmp", "file not found"}},
        {66, {Shape::Round, 0xff27ae60, "\u2713", "no errors found"}},
        {67, {Shape::Round, 0xff8e44ad, "\u25a6", "bitmap size does not fit"}},
        {68, {Shape::Round, 0xffd35400, "\u2193", "below minimum / button visible"}},
        {69, {Shape::Round, 0xffca6f1e, "\u2191", "above maximum / button not visible"}},
        {70, {Shape::Tile, 0xff8e44ad, "Fn", "font reference"}},
        {71, {Shape::Tile, 0xffc0392b, "Cl", "colour reference"}},
        {72, {Shape::Tile, 0xff2471a3, "Ly", "layout reference"}},
        {73, {Shape::Tile, 0xff1e8449, "Bt", "button reference"}},
        {74, {Shape::Tile, 0xff6c3483, "Sc", "script reference"}},
        {75, {Shape::Round, 0xff1e8449, "\u21bb", "reload"}},
    };
    return glyphs;
}

void drawShape(QPainter& p, Shape shape, const QRectF& r, const QColor& colour)
{
    QColor edge = colour.darker(150);
    p.setPen(QPen(edge, r.width() / 16.0));
    p.setBrush(colour);
    const qreal w = r.width(), h = r.height();
    switch (shape) {
    case Shape::Tile:
        p.drawRoundedRect(r.adjusted(w * .04, h * .04, -w * .04, -h * .04), w * .18, h * .18);
        break;
    case Shape::Round:
        p.drawEllipse(r.adjusted(w * .04, h * .04, -w * .04, -h * .04));
        break;
    case Shape::Folder:
    case Shape::FolderOpen: {
        QPainterPath tab;
        tab.addRoundedRect(QRectF(r.left() + w * .06, r.top() + h * .14, w * .4, h * .2), w * .06, h * .06);
        p.drawPath(tab);
        QRectF body(r.left() + w * .06, r.top() + h * .26, w * .88, h * .62);
        if (shape == Shape::FolderOpen) {
            p.drawRect(body);
            QPolygonF lid({QPointF(r.left() + w * .2, r.top() + h * .44), QPointF(r.right() - w * .02, r.top() + h * .44),
                           QPointF(r.right() - w * .14, r.bottom() - h * .12),
                           QPointF(r.left() + w * .06, r.bottom() - h * .12)});
            p.setBrush(colour.lighter(125));
            p.drawPolygon(lid);
        } else {
            p.drawRoundedRect(body, w * .06, h * .06);
        }
        break;
    }
    case Shape::Diamond: {
        QPolygonF diamond({QPointF(r.center().x(), r.top() + h * .04), QPointF(r.right() - w * .04, r.center().y()),
                           QPointF(r.center().x(), r.bottom() - h * .04), QPointF(r.left() + w * .04, r.center().y())});
        p.drawPolygon(diamond);
        break;
    }
    case Shape::Page: {
        QPolygonF page({QPointF(r.left() + w * .12, r.top() + h * .04), QPointF(r.right() - w * .3, r.top() + h * .04),
                        QPointF(r.right() - w * .1, r.top() + h * .24), QPointF(r.right() - w * .1, r.bottom() - h * .04),
                        QPointF(r.left() + w * .12, r.bottom() - h * .04)});
        p.drawPolygon(page);
        break;
    }
    case Shape::Flag: {
        p.drawRect(QRectF(r.left() + w * .12, r.top() + h * .06, w * .08, h * .88));
        QPolygonF flag({QPointF(r.left() + w * .2, r.top() + h * .08), QPointF(r.right() - w * .06, r.top() + h * .3),
                        QPointF(r.left() + w * .2, r.top() + h * .56)});
        p.drawPolygon(flag);
        break;
    }
    }
}

}  // namespace

const std::vector<int>& glyphIndices()
{
    static const std::vector<int> indices = [] {
        std::vector<int> list;
        for (const auto& entry : table())
            list.push_back(entry.first);
        return list;
    }();
    return indices;
}

QPixmap glyphPixmap(int index, int size)
{
    static QHash<quint64, QPixmap> cache;
    const quint64 key = (quint64(quint32(index)) << 32) | quint32(size);
    auto cached = cache.constFind(key);
    if (cached != cache.constEnd())
        return *cached;

    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    auto found = table().find(index);
    Glyph glyph = found != table().end()
                      ? found->second
                      : Glyph{Shape::Tile, 0xffbdc3c7, nullptr, ""};
    QRectF r(0, 0, size, size);
    drawShape(p, glyph.shape, r, QColor::fromRgba(glyph.colour));
    QString label = glyph.label ? QString::fromUtf8(glyph.label) : QString::number(index);
    if (!label.isEmpty()) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(label.size() >= 3 ? size * 5 / 16 : label.size() == 2 ? size * 7 / 16 : size * 10 / 16);
        p.setFont(font);
        p.setPen(Qt::white);
        QRectF textBox = r;
        if (glyph.shape == Shape::Folder || glyph.shape == Shape::FolderOpen)
            textBox.adjust(0, size * .2, 0, 0);
        else if (glyph.shape == Shape::Flag)
            textBox.adjust(size * .1, -size * .2, 0, -size * .2);
        p.drawText(textBox, Qt::AlignCenter, label);
    }
    p.end();
    cache.insert(key, pixmap);
    return pixmap;
}

QIcon glyphIcon(int index)
{
    QIcon icon;
    icon.addPixmap(glyphPixmap(index, 16));
    icon.addPixmap(glyphPixmap(index, 32));
    return icon;
}

QString glyphMeaning(int index)
{
    auto found = table().find(index);
    return found == table().end() ? QString() : QString::fromUtf8(found->second.meaning);
}

}  // namespace sw
