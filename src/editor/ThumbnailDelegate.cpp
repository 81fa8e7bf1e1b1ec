#include "editor/ThumbnailDelegate.h"

#include "document/FileReference.h"
#include "document/ThumbnailRow.h"
#include "engine/EditorState.h"
#include "common/Latin1.h"
#include "preview/BitmapImage.h"

#include <QPainter>

#include <filesystem>

namespace sw {

namespace fs = std::filesystem;

void ThumbnailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QRect r = option.rect;
    painter->fillRect(r, option.state & QStyle::State_Selected ? option.palette.highlight() : option.palette.base());
    std::optional<QImage> image = load(index);
    ThumbnailRowLayout layout = layoutThumbnailRow({r.left(), r.top(), r.width(), r.height()},
                                                   image ? image->width() : 0, image ? image->height() : 0);
    painter->save();
    const RowRect& clip = layout.textClip;
    painter->setClipRect(QRect(clip.left, clip.top, clip.width, clip.height));
    painter->setPen(option.state & QStyle::State_Selected ? option.palette.highlightedText().color()
                                                           : option.palette.text().color());
    painter->drawText(QRect(layout.textX, layout.textY, clip.width, clip.height), Qt::AlignLeft | Qt::AlignTop,
                      index.data().toString());
    painter->restore();
    if (image)
        painter->drawImage(QPoint(layout.picture.left, layout.picture.top), *image,
                           QRect(0, 0, layout.picture.width, layout.picture.height));
}

QSize ThumbnailDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    std::optional<QImage> image = load(index);
    size.setHeight(thumbnailRowHeight(image ? std::optional<int>(image->height()) : std::nullopt, 19));
    return size;
}

std::optional<QImage> ThumbnailDelegate::load(const QModelIndex& index) const
{
    const QString reference = index.data().toString();
    auto cached = pictures_.constFind(reference);
    if (cached != pictures_.constEnd())
        return *cached;
    std::optional<QImage> picture;
    auto path = resolveFileReference(editorState().SkinsRoot, toBytes(reference));
    if (path && fs::is_regular_file(*path)) {
        const QImage image = readBitmapImage(*path);
        if (image.isNull())
            unreadable_();
        else
            picture = image.copy(0, 0, std::min(image.width(), 52), std::min(image.height(), 42));  // all a row shows
    }
    pictures_.insert(reference, picture);
    return picture;
}

}  // namespace sw
