#include "editor/FormDebug.h"

#include "common/GlyphList.h"

#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace sw {

namespace {

QListWidget* glyphList(const char* objectName, int size)
{
    auto* list = new QListWidget;
    list->setObjectName(QString::fromLatin1(objectName));
    list->setViewMode(QListView::IconMode);
    list->setIconSize(QSize(size, size));
    list->setResizeMode(QListView::Adjust);
    list->setGridSize(QSize(size + 48, size + 28));
    for (int index : glyphIndices()) {
        auto* item = new QListWidgetItem(QIcon(glyphPixmap(index, size)), QString::number(index), list);
        item->setToolTip(glyphMeaning(index));
    }
    return list;
}

}  // namespace

TFormDebug::TFormDebug(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormDebug"));
    setWindowTitle(QStringLiteral("Totals"));
    resize(520, 420);
    PageControl = new QTabWidget(this);
    ListViewGlyphs = glyphList("ListViewGlyphs", 16);
    ListViewBigGlyphs = glyphList("ListViewBigGlyphs", 32);
    PageControl->addTab(ListViewGlyphs, QStringLiteral("Available Icons"));
    PageControl->addTab(ListViewBigGlyphs, QStringLiteral("Big Icons"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
}

}  // namespace sw
