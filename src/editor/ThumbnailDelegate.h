// File list rows with a thumbnail of the bitmap each names (references resolved under
// the open skin's skins root), for the file page and the button designer.
#pragma once

#include <QHash>
#include <QImage>
#include <QStyledItemDelegate>

#include <functional>
#include <optional>

namespace sw {

class ThumbnailDelegate : public QStyledItemDelegate {
public:
    ThumbnailDelegate(QObject* parent, std::function<void()> unreadable)
        : QStyledItemDelegate(parent), unreadable_(std::move(unreadable))
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The list was filled anew: its files may have changed on disk.
    void Forget() { pictures_.clear(); }

private:
    // Each file is read once per filling of the list, not on every paint.
    std::optional<QImage> load(const QModelIndex& index) const;

    std::function<void()> unreadable_;
    mutable QHash<QString, std::optional<QImage>> pictures_;
};

}  // namespace sw
