#include "preview/SizeBar.h"

#include "document/UisFile.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace sw {

namespace {

QLabel* panel(const char* objectName, const char* caption)
{
    auto* label = new QLabel(QString::fromLatin1(caption));
    label->setObjectName(QString::fromLatin1(objectName));
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Raised);
    label->setAutoFillBackground(true);
    // The panels are as long as the end sizes say, however small, whatever their text.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    label->setMinimumSize(0, 0);
    return label;
}

}  // namespace

TSizeBarForm::TSizeBarForm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SizeBarForm"));
    PanelTopLeft = panel("PanelTopLeft", "A");
    PanelMiddle = panel("PanelMiddle", "B");
    PanelBottomRight = panel("PanelBottomRight", "C");
    Splitter = new QSplitter(this);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setHandleWidth(1);
    Splitter->setChildrenCollapsible(true);
    Splitter->addWidget(PanelTopLeft);
    Splitter->addWidget(PanelMiddle);
    Splitter->addWidget(PanelBottomRight);
    Splitter->handle(1)->setObjectName(QStringLiteral("Splitter1"));
    Splitter->handle(2)->setObjectName(QStringLiteral("Splitter2"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Splitter);
    connect(Splitter, &QSplitter::splitterMoved, this, [this](int, int index) {
        if (index == 1)
            Splitter1Moved();
        else
            Splitter2Moved();
    });
}

QString TSizeBarForm::EdgeName(int edge)
{
    static const char* names[] = {"Top", "Bottom", "Left", "Right"};
    return QString::fromLatin1(names[std::clamp(edge, 0, 3)]);
}

bool TSizeBarForm::versionOnePlus() const
{
    return document_ && document_->FormatVersion() == UisType1p;
}

std::string TSizeBarForm::EdgeSection(TUisFile& document)
{
    // Version 1+ keeps its edges in BORDERS, under names of its own.
    return document.FormatVersion() == UisType1p ? "BORDERS" : "PERSONALITY";
}

std::string TSizeBarForm::section() const
{
    return document_ ? EdgeSection(*document_) : "PERSONALITY";
}

std::string TSizeBarForm::key(EdgeKey which) const
{
    static const char* version2[] = {"TopHeight", "BotHeight", "Stretch"};
    static const char* version1p[] = {"TopHeight", "BottomHeight", "MiddleStretch"};
    return EdgeName(edge_).toStdString() + (versionOnePlus() ? version1p : version2)[int(which)];
}

int TSizeBarForm::panelLength(QWidget* widget) const
{
    return horizontal() ? widget->width() : widget->height();
}

void TSizeBarForm::ShowFor(TUisFile* document, int edge, const QRect& edgeOnScreen, int sourceLength, bool activePreview)
{
    document_ = document;
    edge_ = std::clamp(edge, 0, 3);
    sourceLength_ = sourceLength;
    activePreview_ = activePreview;
    Splitter->setOrientation(horizontal() ? Qt::Horizontal : Qt::Vertical);
    // 20 pixels thick, as long as the edge, 2 pixels outside it.
    QRect place;
    switch (edge_) {
    case EdgeTop: place = QRect(edgeOnScreen.left(), edgeOnScreen.top() - 2 - 20, edgeOnScreen.width(), 20); break;
    case EdgeBottom: place = QRect(edgeOnScreen.left(), edgeOnScreen.bottom() + 1 + 2, edgeOnScreen.width(), 20); break;
    case EdgeLeft: place = QRect(edgeOnScreen.left() - 2 - 20, edgeOnScreen.top(), 20, edgeOnScreen.height()); break;
    default: place = QRect(edgeOnScreen.right() + 1 + 2, edgeOnScreen.top(), 20, edgeOnScreen.height()); break;
    }
    edgeLength_ = horizontal() ? place.width() : place.height();
    setMinimumSize(0, 0);
    setGeometry(place);
    FormShow();
    show();
    raise();
}

void TSizeBarForm::Forget()
{
    document_ = nullptr;
    hide();
}

void TSizeBarForm::FormShow()
{
    if (!document_)
        return;
    const int first = std::max(0, document_->ReadInteger(section(), key(FirstEnd), 0));
    const int second = std::max(0, document_->ReadInteger(section(), key(SecondEnd), 0));
    const int handles = 2 * Splitter->handleWidth();
    Splitter->setSizes({first, std::max(0, edgeLength_ - first - second - handles), second});
    SetConstriants();
}

void TSizeBarForm::SetConstriants()
{
    if (!document_)
        return;
    const int first = document_->ReadInteger(section(), key(FirstEnd), 0);
    const int second = document_->ReadInteger(section(), key(SecondEnd), 0);
    // An end may take the bitmap's length less the other end less one pixel of middle.
    const int firstLimit = std::max(0, sourceLength_ - second - 1);
    const int secondLimit = std::max(0, sourceLength_ - first - 1);
    if (horizontal()) {
        PanelTopLeft->setMaximumSize(firstLimit, QWIDGETSIZE_MAX);
        PanelBottomRight->setMaximumSize(secondLimit, QWIDGETSIZE_MAX);
    } else {
        PanelTopLeft->setMaximumSize(QWIDGETSIZE_MAX, firstLimit);
        PanelBottomRight->setMaximumSize(QWIDGETSIZE_MAX, secondLimit);
    }
    const bool stretched = document_->ReadBool(section(), key(StretchFlag), false);
    PanelMiddle->setText(horizontal() ? (stretched ? QStringLiteral("|<-Stretch->|") : QStringLiteral("[Tile][Tile]"))
                                      : (stretched ? QStringLiteral("<S>") : QStringLiteral("[T]")));
}

void TSizeBarForm::Splitter1Moved()
{
    if (!document_)
        return;
    document_->WriteInteger(section(), key(FirstEnd), Splitter->sizes().value(0));
    SetConstriants();
    emit Changed();
}

void TSizeBarForm::Splitter2Moved()
{
    if (!document_)
        return;
    document_->WriteInteger(section(), key(SecondEnd), Splitter->sizes().value(2));
    SetConstriants();
    emit Changed();
}

void TSizeBarForm::PanelMiddleClick()
{
    if (!document_)
        return;
    document_->WriteBool(section(), key(StretchFlag), !document_->ReadBool(section(), key(StretchFlag), false));
    SetConstriants();
    emit Changed();
}

void TSizeBarForm::mousePressEvent(QMouseEvent* event)
{
    if (PanelMiddle->geometry().contains(Splitter->mapFrom(this, event->position().toPoint())))
        PanelMiddleClick();
    QWidget::mousePressEvent(event);
}

}  // namespace sw
