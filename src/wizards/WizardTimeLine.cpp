#include "wizards/WizardTimeLine.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace sw {

namespace {

// A filled circle with a dark outline.
class MarkerDot : public QWidget {
public:
    MarkerDot(QColor* colour, QWidget* parent) : QWidget(parent), colour_(colour) { setFixedSize(14, 14); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(64, 64, 64), 1));
        painter.setBrush(*colour_);
        painter.drawEllipse(QRectF(1.5, 1.5, 11, 11));
    }

private:
    const QColor* colour_;
};

}  // namespace

TWizardTimeLine::TWizardTimeLine(const QStringList& labels, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TimeLine"));
    colours_.assign(std::size_t(labels.size()), QColor(Qt::gray));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setVerticalSpacing(10);
    for (int i = 0; i < labels.size(); ++i) {
        auto* marker = new MarkerDot(&colours_[std::size_t(i)], this);
        marker->setObjectName(QStringLiteral("shpTimeLineStep%1").arg(i));
        auto* label = new QLabel(labels[i], this);
        label->setObjectName(QStringLiteral("lblTimeLineStep%1").arg(i));
        // The current step's label turns bold; room for that is kept from the start.
        QFont bold = label->font();
        bold.setBold(true);
        label->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(labels[i]) + 4);
        marker->installEventFilter(this);
        label->installEventFilter(this);
        marker->setCursor(Qt::PointingHandCursor);
        label->setCursor(Qt::PointingHandCursor);
        grid->addWidget(marker, i, 0);
        grid->addWidget(label, i, 1);
        markers_.push_back(marker);
        labels_.push_back(label);
    }
    grid->setRowStretch(int(labels.size()), 1);
}

void TWizardTimeLine::SetMarkerColour(int step, const QColor& colour)
{
    colours_.at(std::size_t(step)) = colour;
    markers_[std::size_t(step)]->update();
}

QColor TWizardTimeLine::MarkerColour(int step) const
{
    return colours_.at(std::size_t(step));
}

void TWizardTimeLine::SetLabelBold(int step, bool bold)
{
    QLabel* label = labels_.at(std::size_t(step));
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

bool TWizardTimeLine::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (std::size_t i = 0; i < markers_.size(); ++i)
            if (watched == markers_[i] || watched == labels_[i]) {
                emit StepChosen(int(i));
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

WizardButtons addWizardButtons(QWidget* wizard, QBoxLayout* layout)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(8, 0, 8, 0);
    auto button = [wizard](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromLatin1(caption), wizard);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    WizardButtons buttons{button("btnBack", "<  &Back"), button("btnNext", "&Next  >"),
                          button("btnFinish", "&Finish"), button("btnCancel", "Cancel")};
    buttons.next->setDefault(true);
    row->addStretch();
    for (QPushButton* b : {buttons.back, buttons.next, buttons.finish, buttons.cancel})
        row->addWidget(b);
    layout->addLayout(row);
    return buttons;
}

QString personalityNameNotes()
{
    return QStringLiteral(
        "Creating a new personality requires a filename.\n"
        "\n"
        "Skinwright will create the new personality file in a folder of the same\n"
        "name, and save them to your Veneerix directory.\n"
        "\n"
        "You should not use spaces or funny symbols in the name, nor should\n"
        "you enter any extension, this is done automatically by the program.\n"
        "\n"
        "It is not recommended to name a skin with a 'version' number.\n"
        "Skin upload sites dislike having multiple entries with only minor\n"
        "modifications. If it is a 'new & improved' version it should replace\n"
        "the old skin instead of being a separate entry.  (hint: - this also helps\n"
        "the ratings for your skin because you retain the download count \n"
        "from previous versions instead of starting from zero again!)\n"
        "\n"
        "The personality name should be unique, as this is how Veneerix\n"
        "identifies your skin in the Configuration dialog.");
}

}  // namespace sw
