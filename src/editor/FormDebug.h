// The debug totals window: every picture of the glyph lists with its number.
#pragma once

#include <QDialog>

class QListWidget;
class QTabWidget;

namespace sw {

class TFormDebug : public QDialog {
    Q_OBJECT
public:
    explicit TFormDebug(QWidget* parent = nullptr);

    QTabWidget* PageControl;
    QListWidget* ListViewGlyphs;     // "Available Icons"
    QListWidget* ListViewBigGlyphs;  // "Big Icons"
};

}  // namespace sw
