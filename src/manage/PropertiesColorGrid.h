// The colour grid of the code view page: sixteen standard colours in 4 x 4 cells,
// numbered row by row; a release of the mouse over a cell picks it.
#pragma once

#include <QWidget>

namespace sw {

class TColorGrid : public QWidget {
    Q_OBJECT
public:
    explicit TColorGrid(QWidget* parent = nullptr);

    int SelectedIndex() const { return selected_; }
    void SetSelectedIndex(int index);
    // The colour of a cell as red + 256 * green + 65536 * blue.
    static int CellColour(int index);
    // The cell under a point of the widget, or -1.
    int CellAt(QPoint at) const;
    QRect CellRect(int index) const;
    QSize sizeHint() const override;

signals:
    // The mouse was released over a cell, which is now the selected one.
    void CellReleased(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int selected_ = 0;
};

}  // namespace sw
