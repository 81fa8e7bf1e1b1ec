// Where the editor's windows go on the screen: inside its work area, the previews
// beside the main window where there is room.
#pragma once

#include <QRect>

#include <array>

class QWidget;

namespace sw {

// The rectangle moved (and, when larger, shrunk) so that it lies inside `area`.
QRect fitInside(QRect frame, const QRect& area);

struct EditorPlaces {
    QRect main;                      // the main window's frame
    std::array<QRect, 2> previews;   // the active and the inactive preview
};

// The main window's frame and the two previews' places for an opened personality.
// `grow`: the main window is still the strip shown before a document, and is given
// room (at most 1100 x 760) while leaving a column for the previews where the area
// allows. The previews stand one above the other beside the main window (right,
// else left); without room on either side, at the area's right edge.
EditorPlaces arrangeEditorWindows(const QRect& area, QRect main, bool grow, QSize preview);

// The work area of the screen the widget is on (or of the primary screen).
QRect availableArea(const QWidget* widget);
// Moves a top-level window so that its frame lies inside its screen's work area,
// shrinking it when it is larger; a window not framed yet is fitted again once the
// window manager has framed it.
void keepOnScreen(QWidget* window);
// The window's frame placed at `frame`: its inner geometry is set so that the frame,
// title bar included, takes that rectangle.
void setFrameGeometry(QWidget* window, const QRect& frame);

}  // namespace sw
