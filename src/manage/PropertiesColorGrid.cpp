#include "manage/PropertiesColorGrid.h"

#include "common/SkinProperties.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace sw {

namespace {

QColor toColor(int colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace

TColorGrid::TColorGrid(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ColorGrid"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(64, 64);
}

int TColorGrid::CellColour(int index)
{
    return index >= 0 && index < 16 ? standardColours()[index] : 0;
}

void TColorGrid::SetSelectedIndex(int index)
{
    if (index < 0 || index > 15 || index == selected_)
        return;
    selected_ = index;
    update();
}

QSize TColorGrid::sizeHint() const
{
    return QSize(100, 100);
}

QRect TColorGrid::CellRect(int index) const
{
    const int w = width() / 4, h = height() / 4;
    return QRect((index % 4) * w, (index / 4) * h, w, h);
}

int TColorGrid::CellAt(QPoint at) const
{
    for (int i = 0; i < 16; ++i)
        if (CellRect(i).contains(at))
            return i;
    return -1;
}

void TColorGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (int i = 0; i < 16; ++i) {
        const QRect cell = CellRect(i).adjusted(1, 1, -1, -1);
        painter.fillRect(cell, toColor(CellColour(i)));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
    }
    // The chosen cell carries a double frame, black inside white, visible on any colour.
    const QRect chosen = CellRect(selected_).adjusted(1, 1, -2, -2);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(chosen);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(chosen.adjusted(1, 1, -1, -1));
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TColorGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const int cell = CellAt(event->position().toPoint());
    if (cell < 0)
        return;
    SetSelectedIndex(cell);
    emit CellReleased(cell);
}

void TColorGrid::keyPressEvent(QKeyEvent* event)
{
    int cell = selected_;
    switch (event->key()) {
    case Qt::Key_Left: cell = cell % 4 ? cell - 1 : cell; break;
    case Qt::Key_Right: cell = cell % 4 < 3 ? cell + 1 : cell; break;
    case Qt::Key_Up: cell = cell >= 4 ? cell - 4 : cell; break;
    case Qt::Key_Down: cell = cell < 12 ? cell + 4 : cell; break;
    default: QWidget::keyPressEvent(event); return;
    }
    if (cell != selected_) {
        SetSelectedIndex(cell);
        emit CellReleased(cell);
    }
}

}  // namespace sw
