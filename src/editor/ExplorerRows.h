// What the explorer's files share: the data roles of the section tree's and the
// attribute list's rows, and the list's delegate that underlines the row under the mouse.
#pragma once

#include <QStyledItemDelegate>

namespace sw {

inline constexpr int kSectionRole = Qt::UserRole;          // a tree node's section
inline constexpr int kRawValueRole = Qt::UserRole + 1;     // a row's value as stored
inline constexpr int kKeyRole = Qt::UserRole + 2;          // a row's attribute
inline constexpr int kDescriptionRole = Qt::UserRole + 3;  // a row's description

// The row under the mouse reads like a link while hot tracking is on.
class HotTrackDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool enabled = true;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (enabled && option->state.testFlag(QStyle::State_MouseOver))
            option->font.setUnderline(true);
    }
};

}  // namespace sw
