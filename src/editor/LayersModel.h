// The grid of the button layers palette as an item model: one row per title-bar
// button with its picture, number, action and alignment, the state glyphs of column 0
// and the chain table; and the delegate that paints a row.
#pragma once

#include "document/ButtonLayers.h"

#include <QAbstractTableModel>
#include <QImage>
#include <QStyledItemDelegate>

#include <vector>

namespace sw {

// What a row shows of its button.
struct ButtonLayerRow {
    bool Visible = true;  // on the main preview
    QImage Picture;       // the button's displayed frame, magenta where transparent
    int Align = 0;
    QString Action;       // "Close"
    QString Alignment;    // "Aligned Right"
};

// The glyphs of column 0.
inline constexpr int kGlyphHidden = 30, kGlyphVisible = 31, kGlyphSelected = 32, kGlyphChained = 33;
// The picture box of column 1 and the row height.
inline constexpr int kThumbnailWidth = 42, kThumbnailHeight = 32, kLayerRowHeight = 34;

// Where a picture lies inside the thumbnail box by the button's alignment (right for
// 1 and 9, bottom for 2, ...); it may overhang the box, which cuts it.
QPoint thumbnailOffset(int align, QSize picture, QSize box);
// The 8 x 8 checkered pattern behind button pictures.
QImage checkeredPattern();
// The picture of column 1's box: checkered background, the button placed by its
// alignment, magenta transparent, framed in `frame`.
QImage layerThumbnail(const QImage& picture, int align, QColor frame);

class LayersModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { VisibleRole = Qt::UserRole, StateGlyphRole, EyeGlyphRole, ThumbnailRole, AlignRole, HighlightRole };
    enum Column { StateColumn = 0, PictureColumn, AlignmentColumn, ColumnCount };

    explicit LayersModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    // Replaces what the rows show; the chain table follows the count (new buttons in
    // no chain, buttons beyond the count dropped).
    void SetRows(std::vector<ButtonLayerRow> rows);
    const std::vector<ButtonLayerRow>& Rows() const { return rows_; }
    ChainTable& Chains() { return chains_; }
    const ChainTable& Chains() const { return chains_; }
    // Chain-table changes made outside: repaint column 0.
    void ChainsChanged();

    // The focused row (-1 for none) and whether it is highlighted.
    int CurrentRow() const { return current_; }
    void SetCurrentRow(int row, bool highlighted);
    bool Highlighted() const { return highlighted_; }
    // The button selected in the explorer (-1 for none).
    int SelectedButton() const { return selected_; }
    void SetSelectedButton(int button);

    // Column 0's second glyph: chained into the current row's chain, selected, or none.
    int StateGlyph(int row) const;

    static const char* MimeType() { return "application/x-skinwright-button-layer"; }

private:
    std::vector<ButtonLayerRow> rows_;
    ChainTable chains_;
    int current_ = -1;
    bool highlighted_ = false;
    int selected_ = -1;
};

class LayersDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace sw
