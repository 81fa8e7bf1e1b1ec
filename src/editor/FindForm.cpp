#include "editor/FindForm.h"

#include "document/UisFile.h"
#include "common/GlyphList.h"
#include "common/Latin1.h"
#include "engine/PromptService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <exception>
#include <numbers>

namespace sw {

namespace {

constexpr int kMatchRole = Qt::UserRole;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kFieldHeight = 22;
constexpr int kFieldLeft = 60;
constexpr int kListTop = 164;
constexpr int kReplaceHeight = 56;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& text, bool checked)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

QGroupBox* makeGroup(QWidget* parent, const char* name, const QString& title)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

QString countText(std::size_t count, const char* what)
{
    return QString::number(count) + QStringLiteral(" attribute") + (count == 1 ? QString() : QStringLiteral("s")) +
           QString::fromLatin1(what);
}

}  // namespace

TFindAnimation::TFindAnimation(QWidget* parent) : QWidget(parent), timer_(new QTimer(this))
{
    timer_->setInterval(60);
    connect(timer_, &QTimer::timeout, this, [this] {
        frame_ = frame_ >= kLastFrame ? 0 : frame_ + 1;
        update();
    });
}

void TFindAnimation::Start()
{
    frame_ = 0;
    timer_->start();
    update();
}

void TFindAnimation::Stop()
{
    timer_->stop();
}

bool TFindAnimation::Active() const
{
    return timer_->isActive();
}

void TFindAnimation::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A sheet of paper with lines of text.
    const QRectF page(4.5, 2.5, 22, 27);
    painter.setPen(QColor(96, 96, 96));
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    painter.setPen(QColor(160, 160, 160));
    for (int line = 0; line < 5; ++line)
        painter.drawLine(QPointF(page.left() + 4, page.top() + 5 + line * 4.5),
                         QPointF(page.right() - 4, page.top() + 5 + line * 4.5));
    // The magnifier circles over it, one turn every 24 frames.
    const double angle = frame_ * 2 * std::numbers::pi / (kLastFrame + 1);
    const QPointF centre(17 + 7 * std::cos(angle), 14 + 5 * std::sin(angle));
    painter.setPen(QPen(QColor(64, 48, 32), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(4.5, 4.5), centre + QPointF(10, 10));
    painter.setPen(QPen(QColor(40, 40, 40), 1.5));
    painter.setBrush(QColor(170, 210, 255, 150));
    painter.drawEllipse(centre, 6, 6);
}

TFindForm::TFindForm(TUisFile& document, QWidget* parent) : QDialog(parent), document_(document)
{
    setObjectName(QStringLiteral("FindForm"));
    setWindowTitle(QStringLiteral("Find"));

    GroupBoxSearch = makeGroup(this, "GroupBoxSearch", QStringLiteral("Search for:"));
    LabelFindIn = new QLabel(QStringLiteral("Find in:"), GroupBoxSearch);
    LabelFindIn->setObjectName(QStringLiteral("LabelFindIn"));
    ComboBoxFindIn = new QComboBox(GroupBoxSearch);
    ComboBoxFindIn->setObjectName(QStringLiteral("ComboBoxFindIn"));
    ComboBoxFindIn->setEditable(false);
    LabelFindIn->setBuddy(ComboBoxFindIn);
    LabelText = new QLabel(QStringLiteral("Text:"), GroupBoxSearch);
    LabelText->setObjectName(QStringLiteral("LabelText"));
    EditTextToFind = new QLineEdit(GroupBoxSearch);
    EditTextToFind->setObjectName(QStringLiteral("EditTextToFind"));
    LabelText->setBuddy(EditTextToFind);
    guardLatin1(EditTextToFind);

    GroupBoxLookIn = makeGroup(this, "GroupBoxLookIn", QStringLiteral("Look in:"));
    CheckBoxSearchInNames = makeCheckBox(GroupBoxLookIn, "CheckBoxSearchInNames", QStringLiteral("Names"), false);
    CheckBoxSearchInValues = makeCheckBox(GroupBoxLookIn, "CheckBoxSearchInValues", QStringLiteral("Values"), true);

    GroupBoxOptions = makeGroup(this, "GroupBoxOptions", QStringLiteral("Options:"));
    CheckBoxWhole = makeCheckBox(GroupBoxOptions, "CheckBoxWhole", QStringLiteral("Whole string only"), false);
    CheckBoxCaseSensitive =
        makeCheckBox(GroupBoxOptions, "CheckBoxCaseSensitive", QStringLiteral("Case Sensitive search"), false);

    ButtonFind = makeButton(this, "ButtonFind", QStringLiteral("&Find"));
    ButtonFind->setDefault(true);
    ButtonCancel = makeButton(this, "ButtonCancel", QStringLiteral("&Cancel"));
    ButtonCancel->setEnabled(false);
    ButtonNewSearch = makeButton(this, "ButtonNewSearch", QStringLiteral("&New Search"));

    Animate = new TFindAnimation(this);
    Animate->setObjectName(QStringLiteral("Animate"));

    ListViewAttr = new QTreeWidget(this);
    ListViewAttr->setObjectName(QStringLiteral("ListViewAttr"));
    ListViewAttr->setColumnCount(3);
    ListViewAttr->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value"), QStringLiteral("Section")});
    ListViewAttr->setRootIsDecorated(false);
    ListViewAttr->setUniformRowHeights(true);
    ListViewAttr->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewAttr->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListViewAttr->header()->setStretchLastSection(true);
    ListViewAttr->setColumnWidth(0, 150);
    ListViewAttr->setColumnWidth(1, 170);

    GroupBoxReplace =
        makeGroup(this, "GroupBoxReplace", QStringLiteral(" Replace text in checked attributes with: "));
    EditReplace = new QLineEdit(GroupBoxReplace);
    EditReplace->setObjectName(QStringLiteral("EditReplace"));
    guardLatin1(EditReplace);
    ButtonReplace = makeButton(GroupBoxReplace, "ButtonReplace", QStringLiteral("&Replace"));
    ButtonSelectAll = makeButton(GroupBoxReplace, "ButtonSelectAll", QStringLiteral("Select &All"));

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(true);

    connect(ButtonFind, &QPushButton::clicked, this, [this] { ButtonFindClick(); });
    connect(ButtonReplace, &QPushButton::clicked, this, [this] { ButtonReplaceClick(); });
    connect(ButtonSelectAll, &QPushButton::clicked, this, [this] { ButtonSelectAllClick(); });
    // "&New Search" starts nothing of its own: a new search is typed and found with "&Find".

    setTabOrder(ComboBoxFindIn, EditTextToFind);
    setTabOrder(EditTextToFind, CheckBoxSearchInNames);
    setTabOrder(CheckBoxSearchInNames, CheckBoxSearchInValues);
    setTabOrder(CheckBoxSearchInValues, CheckBoxWhole);
    setTabOrder(CheckBoxWhole, CheckBoxCaseSensitive);
    setTabOrder(CheckBoxCaseSensitive, ButtonFind);
    setTabOrder(ButtonFind, ListViewAttr);
    setTabOrder(ListViewAttr, EditReplace);
    setTabOrder(EditReplace, ButtonReplace);
    setTabOrder(ButtonReplace, ButtonSelectAll);

    setReplaceEnabled(false);
    setMinimumSize(400, 360);
    resize(560, 440);
    FormResize();
}

void TFindForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormResize();  // the status bar knows its height once the window is polished
    if (!event->spontaneous())
        FormShow();
    else if (!Animate->Active())
        Animate->Start();  // back from being minimised
}

void TFindForm::hideEvent(QHideEvent* event)
{
    Animate->Stop();
    QDialog::hideEvent(event);
}

void TFindForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TFindForm::FormShow()
{
    sections_ = findSections(document_);
    ComboBoxFindIn->clear();
    ComboBoxFindIn->addItem(QStringLiteral("All Sections"));
    for (const std::string& section : sections_)
        ComboBoxFindIn->addItem(fromBytes(section));
    ComboBoxFindIn->setCurrentIndex(0);
    if (QScreen* where = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
    }
    EditTextToFind->setFocus();
    Animate->Start();
}

void TFindForm::ButtonFindClick()
{
    ListViewAttr->clear();
    matches_.clear();
    searchedText_ = toBytes(EditTextToFind->text());
    const int scope = ComboBoxFindIn->currentIndex();
    if (scope > 0 && std::size_t(scope) <= sections_.size()) {
        FindInSection(sections_[std::size_t(scope - 1)], searchedText_, CheckBoxWhole->isChecked(),
                      CheckBoxCaseSensitive->isChecked());
    } else {
        for (const std::string& section : sections_)
            FindInSection(section, searchedText_, CheckBoxWhole->isChecked(), CheckBoxCaseSensitive->isChecked());
    }
    setReplaceEnabled(!matches_.empty());
    StatusBar->showMessage(countText(matches_.size(), " found"));
}

void TFindForm::FindInSection(const std::string& section, const std::string& text, bool whole, bool caseSensitive)
{
    FindOptions options;
    options.Text = text;
    options.Names = CheckBoxSearchInNames->isChecked();
    options.Values = CheckBoxSearchInValues->isChecked();
    options.WholeString = whole;
    options.CaseSensitive = caseSensitive;
    for (FindMatch& match : findInSection(document_, section, options)) {
        auto* item = new QTreeWidgetItem(ListViewAttr, {fromBytes(match.Key), fromBytes(match.Value), fromBytes(match.Section)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setIcon(0, glyphIcon(match.Type));
        item->setData(0, kMatchRole, int(matches_.size()));
        matches_.push_back(std::move(match));
    }
}

const FindMatch& TFindForm::MatchOf(int row) const
{
    return matches_.at(std::size_t(ListViewAttr->topLevelItem(row)->data(0, kMatchRole).toInt()));
}

void TFindForm::ButtonSelectAllClick()
{
    for (int i = 0; i < ListViewAttr->topLevelItemCount(); ++i)
        ListViewAttr->topLevelItem(i)->setCheckState(0, Qt::Checked);
}

void TFindForm::ButtonReplaceClick()
{
    const std::string replacement = toBytes(EditReplace->text());
    int done = 0;
    int written = 0;
    for (int i = 0; i < ListViewAttr->topLevelItemCount();) {
        QTreeWidgetItem* item = ListViewAttr->topLevelItem(i);
        if (item->checkState(0) != Qt::Checked) {
            ++i;
            continue;
        }
        try {
            // The value is read again from the document: what the row shows may be old.
            written += replaceInMatches(document_, {MatchOf(i)}, searchedText_, replacement).Written;
        } catch (const std::exception& error) {
            // The rows not yet replaced stay listed and checked, to try again.
            prompts().message(QString::fromLocal8Bit(error.what()), QStringLiteral("Replace"), PromptIcon::Error,
                              PromptButtons::Ok);
            break;
        }
        ++done;
        delete item;
    }
    if (done == 0)
        return;
    if (ListViewAttr->topLevelItemCount() == 0)
        setReplaceEnabled(false);
    StatusBar->showMessage(QString::number(written) + (written == 1 ? QStringLiteral(" value") : QStringLiteral(" values")) +
                           QStringLiteral(" replaced"));
    emit Replaced();
}

void TFindForm::setReplaceEnabled(bool enabled)
{
    GroupBoxReplace->setEnabled(enabled);
    EditReplace->setEnabled(enabled);
    ButtonReplace->setEnabled(enabled);
    ButtonSelectAll->setEnabled(enabled);
    // The field looks like a field only while it takes text; otherwise it is grey like
    // a button face.
    QPalette colours = EditReplace->palette();
    const QColor base = enabled ? palette().color(QPalette::Active, QPalette::Base)
                                : palette().color(QPalette::Active, QPalette::Button);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        colours.setColor(group, QPalette::Base, base);
    EditReplace->setPalette(colours);
}

void TFindForm::FormResize()
{
    const int w = width();
    const int h = height();
    const int statusHeight = StatusBar->sizeHint().height();
    StatusBar->setGeometry(0, h - statusHeight, w, statusHeight);

    const int buttonLeft = w - kMargin - kButtonWidth;
    ButtonFind->setGeometry(buttonLeft, 12, kButtonWidth, kButtonHeight);
    ButtonCancel->setGeometry(buttonLeft, 42, kButtonWidth, kButtonHeight);
    ButtonNewSearch->setGeometry(buttonLeft, 72, kButtonWidth, kButtonHeight);
    const QSize animation = Animate->sizeHint();
    Animate->setGeometry(buttonLeft + (kButtonWidth - animation.width()) / 2, 110, animation.width(),
                         animation.height());

    const int searchRight = buttonLeft - 17;
    GroupBoxSearch->setGeometry(kMargin, 4, searchRight - kMargin, 80);
    const int fieldWidth = GroupBoxSearch->width() - 10 - kFieldLeft;
    LabelFindIn->setGeometry(10, 22, kFieldLeft - 12, kFieldHeight);
    ComboBoxFindIn->setGeometry(kFieldLeft, 22, fieldWidth, kFieldHeight);
    LabelText->setGeometry(10, 50, kFieldLeft - 12, kFieldHeight);
    EditTextToFind->setGeometry(kFieldLeft, 50, fieldWidth, kFieldHeight);

    GroupBoxLookIn->setGeometry(kMargin, 90, 110, 66);
    CheckBoxSearchInNames->setGeometry(10, 20, 94, 20);
    CheckBoxSearchInValues->setGeometry(10, 42, 94, 20);
    const int optionsLeft = GroupBoxLookIn->geometry().right() + 1 + kMargin;
    GroupBoxOptions->setGeometry(optionsLeft, 90, searchRight - optionsLeft, 66);
    CheckBoxWhole->setGeometry(10, 20, GroupBoxOptions->width() - 14, 20);
    CheckBoxCaseSensitive->setGeometry(10, 42, GroupBoxOptions->width() - 14, 20);

    const int listWidth = buttonLeft + kButtonWidth - kMargin;
    const int replaceTop = h - statusHeight - 10 - kReplaceHeight;
    GroupBoxReplace->setGeometry(kMargin, replaceTop, listWidth, kReplaceHeight);
    const int selectAllLeft = listWidth - 10 - kButtonWidth;
    const int replaceLeft = selectAllLeft - kMargin - kButtonWidth;
    ButtonSelectAll->setGeometry(selectAllLeft, 21, kButtonWidth, kButtonHeight);
    ButtonReplace->setGeometry(replaceLeft, 21, kButtonWidth, kButtonHeight);
    EditReplace->setGeometry(10, 22, replaceLeft - 10 - 10, kFieldHeight + 1);

    ListViewAttr->setGeometry(kMargin, kListTop, listWidth, std::max(0, replaceTop - 10 - kListTop));
}

}  // namespace sw
