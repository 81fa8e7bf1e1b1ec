#include "editor/LayersModel.h"

#include "common/GlyphList.h"

#include <QApplication>
#include <QMimeData>
#include <QPainter>
#include <QPalette>
#include <QStyle>

namespace sw {

namespace {

// The button's picture with its magenta made transparent.
QImage withoutMagenta(const QImage& picture)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == 0x00FF00FFu)
                line[x] = 0;
    }
    return image;
}

}  // namespace

QPoint thumbnailOffset(int align, QSize picture, QSize box)
{
    const int right = box.width() - picture.width(), bottom = box.height() - picture.height();
    const int across = right / 2, down = bottom / 2;
    switch (align) {
    case 1:
    case 9: return {right, 0};
    case 2: return {0, bottom};
    case 3: return {right, bottom};
    case 4: return {across, 0};
    case 5: return {across, bottom};
    case 6: return {0, down};
    case 7: return {right, down};
    default: return {0, 0};
    }
}

QImage checkeredPattern()
{
    QImage pattern(8, 8, QImage::Format_RGB32);
    pattern.fill(Qt::white);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            pattern.setPixel(4 + x, y, 0xFFDDDDDDu);
            pattern.setPixel(x, 4 + y, 0xFFDDDDDDu);
        }
    return pattern;
}

QImage layerThumbnail(const QImage& picture, int align, QColor frame)
{
    QImage box(kThumbnailWidth, kThumbnailHeight, QImage::Format_RGB32);
    QPainter painter(&box);
    painter.fillRect(box.rect(), QBrush(checkeredPattern()));
    if (!picture.isNull()) {
        const QRect inner(2, 2, kThumbnailWidth - 4, kThumbnailHeight - 4);
        painter.setClipRect(inner);
        painter.drawImage(inner.topLeft() + thumbnailOffset(align, picture.size(), inner.size()), withoutMagenta(picture));
        painter.setClipping(false);
    }
    painter.setPen(frame);
    painter.drawRect(0, 0, kThumbnailWidth - 1, kThumbnailHeight - 1);
    return box;
}

LayersModel::LayersModel(QObject* parent) : QAbstractTableModel(parent) {}

int LayersModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int LayersModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

int LayersModel::StateGlyph(int row) const
{
    if (row != current_ && current_ >= 0 && chains_.InChain(row, current_))
        return kGlyphChained;
    if (row == selected_)
        return kGlyphSelected;
    return kGlyphHidden;
}

QVariant LayersModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const ButtonLayerRow& row = rows_[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == PictureColumn)
            return row.Action;
        if (index.column() == AlignmentColumn)
            return row.Alignment;
        return {};
    case Qt::ToolTipRole:
        return index.column() == PictureColumn ? QString(row.Action + QStringLiteral("\n") + row.Alignment) : QVariant();
    case VisibleRole: return row.Visible;
    case EyeGlyphRole: return row.Visible ? kGlyphVisible : kGlyphHidden;
    case StateGlyphRole: return StateGlyph(index.row());
    case ThumbnailRole: return row.Picture;
    case AlignRole: return row.Align;
    case HighlightRole: return highlighted_ && index.row() == current_;
    default: return {};
    }
}

Qt::ItemFlags LayersModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList LayersModel::mimeTypes() const
{
    return {QString::fromLatin1(MimeType())};
}

QMimeData* LayersModel::mimeData(const QModelIndexList& indexes) const
{
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(MimeType()), QByteArray::number(indexes.isEmpty() ? -1 : indexes.front().row()));
    return mime;
}

void LayersModel::SetRows(std::vector<ButtonLayerRow> rows)
{
    const bool sameCount = rows.size() == rows_.size();
    if (!sameCount)
        beginResetModel();
    rows_ = std::move(rows);
    while (chains_.Count() < int(rows_.size()))
        chains_.AddButton();
    while (chains_.Count() > int(rows_.size()))
        chains_.DeleteButton(chains_.Count() - 1);
    if (current_ >= int(rows_.size()))
        current_ = -1;
    if (!sameCount)
        endResetModel();
    else if (!rows_.empty())
        emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, ColumnCount - 1));
}

void LayersModel::ChainsChanged()
{
    if (!rows_.empty())
        emit dataChanged(index(0, StateColumn), index(int(rows_.size()) - 1, StateColumn));
}

void LayersModel::SetCurrentRow(int row, bool highlighted)
{
    current_ = row >= 0 && row < int(rows_.size()) ? row : -1;
    highlighted_ = highlighted && current_ >= 0;
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, ColumnCount - 1));
}

void LayersModel::SetSelectedButton(int button)
{
    selected_ = button;
    ChainsChanged();
}

QSize LayersDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option);
    return {index.column() == LayersModel::StateColumn ? 40 : 200, kLayerRowHeight};
}

void LayersDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QPalette& palette = option.palette;
    const QRect cell = option.rect;
    painter->save();
    if (index.column() == LayersModel::StateColumn) {
        // A raised cell: highlight outside, shadow inside, button face.
        painter->fillRect(cell, palette.color(QPalette::Button));
        painter->setPen(palette.color(QPalette::Light));
        painter->drawLine(cell.topLeft(), cell.topRight());
        painter->drawLine(cell.topLeft(), cell.bottomLeft());
        painter->setPen(palette.color(QPalette::Dark));
        painter->drawLine(cell.bottomLeft() + QPoint(1, 0), cell.bottomRight());
        painter->drawLine(cell.topRight() + QPoint(0, 1), cell.bottomRight());
        painter->drawPixmap(cell.topLeft() + QPoint(3, 9), glyphPixmap(index.data(LayersModel::EyeGlyphRole).toInt()));
        const int state = index.data(LayersModel::StateGlyphRole).toInt();
        if (state != kGlyphHidden)
            painter->drawPixmap(cell.topLeft() + QPoint(21, 9), glyphPixmap(state));
    } else if (index.column() == LayersModel::PictureColumn) {
        const bool highlighted = index.data(LayersModel::HighlightRole).toBool();
        painter->fillRect(cell, palette.color(highlighted ? QPalette::Highlight : QPalette::Base));
        painter->drawImage(cell.topLeft() + QPoint(2, 1),
                           layerThumbnail(index.data(LayersModel::ThumbnailRole).value<QImage>(),
                                          index.data(LayersModel::AlignRole).toInt(),
                                          palette.color(QPalette::WindowText)));
        painter->setPen(palette.color(highlighted ? QPalette::HighlightedText : QPalette::ButtonText));
        QFont font = option.font;
        font.setBold(true);
        painter->setFont(font);
        painter->drawText(QRect(cell.left() + 46, cell.top() + 10, 18, 16), Qt::AlignRight | Qt::AlignTop,
                          QString::number(index.row()));
        font.setBold(false);
        painter->setFont(font);
        painter->drawText(QRect(cell.left() + 70, cell.top() + 3, cell.width() - 72, 15), Qt::AlignLeft | Qt::AlignTop,
                          index.data(Qt::DisplayRole).toString());
        painter->drawText(QRect(cell.left() + 70, cell.top() + 19, cell.width() - 72, 15), Qt::AlignLeft | Qt::AlignTop,
                          index.model()->index(index.row(), LayersModel::AlignmentColumn).data().toString());
    }
    painter->restore();
}

}  // namespace sw
