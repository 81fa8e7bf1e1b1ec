// The size bar: a thin window beside one edge of the preview whose three panels
// show the edge's fixed ends and middle. Dragging a splitter sets an end size;
// clicking the middle switches between stretching and tiling it.
#pragma once

#include <QWidget>

class QLabel;
class QSplitter;

namespace sw {

class TUisFile;

class TSizeBarForm : public QWidget {
    Q_OBJECT
public:
    enum Edge { EdgeTop = 0, EdgeBottom = 1, EdgeLeft = 2, EdgeRight = 3 };

    explicit TSizeBarForm(QWidget* parent = nullptr);

    // Shows the bar for an edge of the document's frame: edgeOnScreen is the edge
    // layer's rectangle in screen coordinates, sourceLength the width (top, bottom)
    // or height (left, right) of the edge's bitmap, which bounds the two ends.
    void ShowFor(TUisFile* document, int edge, const QRect& edgeOnScreen, int sourceLength, bool activePreview);
    void Forget();  // the document closed

    int EditedEdge() const { return edge_; }

    QLabel* PanelTopLeft;
    QLabel* PanelMiddle;
    QLabel* PanelBottomRight;
    QSplitter* Splitter;  // its two handles are the program's Splitter1 and Splitter2

    // The attribute names of an edge: the two ends and the stretch flag.
    static QString EdgeName(int edge);
    // The section that holds a document's edge keys (version 1+ keeps them apart).
    static std::string EdgeSection(TUisFile& document);

    // What a user does, callable directly (tests).
    void Splitter1Moved();
    void Splitter2Moved();
    void PanelMiddleClick();

signals:
    // An end size or the stretch flag was written into the document.
    void Changed();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void FormShow();
    void SetConstriants();
    bool horizontal() const { return edge_ == EdgeTop || edge_ == EdgeBottom; }
    int panelLength(QWidget* panel) const;
    enum EdgeKey { FirstEnd, SecondEnd, StretchFlag };
    bool versionOnePlus() const;
    std::string section() const;
    std::string key(EdgeKey which) const;

    TUisFile* document_ = nullptr;
    int edge_ = EdgeTop;
    int sourceLength_ = 0;
    int edgeLength_ = 0;
    bool activePreview_ = true;
};

}  // namespace sw
