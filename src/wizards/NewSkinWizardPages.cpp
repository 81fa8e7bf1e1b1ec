// The pages of the new skin wizard: their controls, initial values and samples.
#include "wizards/NewSkinWizard.h"

#include "document/FileReference.h"
#include "common/Latin1.h"
#include "preview/BitmapImage.h"
#include "wizards/WizardTimeLine.h"

#include <QCheckBox>
#include <functional>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace sw {

namespace fs = std::filesystem;

namespace {

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* note(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

// A label that reports a click, for the sample pictures.
class ClickLabel : public QLabel {
public:
    ClickLabel(std::function<void()> clicked, QWidget* parent) : QLabel(parent), clicked_(std::move(clicked)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            clicked_();
    }

private:
    std::function<void()> clicked_;
};


// A template picture, found without regard to case; a null image when it is missing.
QImage templatePicture(const fs::path& folder, const char* file)
{
    const auto path = resolveFileReference(folder, file);
    return path ? readBitmapImage(*path) : QImage();
}

// The first of `frames` side-by-side frames, magenta made see-through.
QImage firstFrame(const QImage& strip, int frames)
{
    if (strip.isNull() || frames < 1)
        return {};
    QImage frame = strip.copy(0, 0, strip.width() / frames, strip.height()).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < frame.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = 0; x < frame.width(); ++x)
            if ((row[x] & 0xffffff) == 0xff00ff)
                row[x] = 0;
    }
    return frame;
}

// A sample of one control style: a push button, a check box, a radio button, a
// progress bar and a scroll arrow, drawn from the template's pictures.
QPixmap styleSample(const fs::path& folder, const char* prefix)
{
    QImage sample(150, 70, QImage::Format_ARGB32);
    sample.fill(QColor(236, 236, 236));
    QPainter p(&sample);
    auto picture = [&](const char* name, int frames) {
        return firstFrame(templatePicture(folder, (std::string(prefix) + name).c_str()), frames);
    };
    p.drawImage(6, 6, picture("button.bmp", 5));
    p.drawImage(84, 6, picture("check.bmp", 4));
    p.drawImage(102, 6, picture("radio.bmp", 4));
    const QImage progress = templatePicture(folder, (std::string(prefix) + "progress.bmp").c_str());
    if (!progress.isNull()) {
        const int half = progress.width() / 2;
        p.drawImage(QRect(6, 42, 100, progress.height()), progress.copy(0, 0, half, progress.height()));
        p.drawImage(QRect(6, 42, 60, progress.height()), progress.copy(half, 0, half, progress.height()));
    }
    p.drawImage(120, 40, picture("scrollarrows.bmp", 23));
    return QPixmap::fromImage(sample);
}

}  // namespace

QWidget* TfrmNewSkinWizard::buildHeader()
{
    // shWhiteTitle: the band across the top with the wizard's name.
    auto* band = named(new QFrame(this), "shWhiteTitle");
    band->setAutoFillBackground(true);
    QPalette palette = band->palette();
    palette.setColor(QPalette::Window, Qt::white);
    band->setPalette(palette);
    band->setFixedHeight(64);
    auto* layout = new QHBoxLayout(band);
    layout->setContentsMargins(16, 8, 16, 8);
    auto* title = named(new QLabel(QStringLiteral("New Skin Wizard"), band), "lblHeader");
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    title->setFont(font);
    layout->addWidget(title);
    layout->addStretch();
    auto* picture = named(new QLabel(band), "imgHeader");
    QImage top = templatePicture(templateFolder_, "wiztop.bmp");
    if (!top.isNull())
        picture->setPixmap(QPixmap::fromImage(firstFrame(top.copy(0, 0, top.width(), top.height() / 2), 1)));
    layout->addWidget(picture);
    return band;
}

QWidget* TfrmNewSkinWizard::buildStep1()
{
    auto* page = named(new QWidget, "tsStep1");
    auto* grid = new QGridLayout(page);
    grid->addWidget(note(QStringLiteral("Personality can have one of two following styles. Selected style applies to "
                                        "scrollbars, buttons, progress bars and tabs."),
                         page),
                    0, 0, 1, 2);
    rbGradient = named(new QRadioButton(QStringLiteral("Gradient style"), page), "rbGradient");
    rbBeos = named(new QRadioButton(QStringLiteral("Standard style"), page), "rbBeos");
    rbGradient->setChecked(true);
    imgGradient = named(new ClickLabel([this] { GradientBeosClick(false); }, page), "imgGradient");
    imgBeos = named(new ClickLabel([this] { GradientBeosClick(true); }, page), "imgBeos");
    imgGradient->setPixmap(styleSample(templateFolder_, "wiz"));
    imgBeos->setPixmap(styleSample(templateFolder_, "wizstd"));
    for (QLabel* image : {imgGradient, imgBeos}) {
        image->setFixedSize(150, 70);
        image->setCursor(Qt::PointingHandCursor);
    }
    bvlGradientBeos = named(new QFrame(page), "bvlGradientBeos");
    bvlGradientBeos->setFrameShape(QFrame::Box);
    bvlGradientBeos->setStyleSheet(QStringLiteral("QFrame#bvlGradientBeos { border: 2px solid #3060a8; }"));
    bvlGradientBeos->setAttribute(Qt::WA_TransparentForMouseEvents);
    grid->addWidget(rbGradient, 1, 0);
    grid->addWidget(rbBeos, 1, 1);
    grid->addWidget(imgGradient, 2, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(imgBeos, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setRowStretch(3, 1);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(24);
    connect(rbGradient, &QRadioButton::clicked, this, [this] { GradientBeosClick(false); });
    connect(rbBeos, &QRadioButton::clicked, this, [this] { GradientBeosClick(true); });
    return page;
}

void TfrmNewSkinWizard::GradientBeosClick(bool beos)
{
    (beos ? rbBeos : rbGradient)->setChecked(true);
    QLabel* picture = beos ? imgBeos : imgGradient;
    // The frame is laid out by hand: it rings the chosen picture, 4 pixels out.
    picture->parentWidget()->layout()->activate();
    bvlGradientBeos->setGeometry(picture->geometry().adjusted(-4, -4, 4, 4));
    bvlGradientBeos->raise();
}

QWidget* TfrmNewSkinWizard::buildStep2()
{
    auto* page = named(new QWidget, "tsStep2");
    auto* layout = new QVBoxLayout(page);
    cbOnTopButton = named(new QCheckBox(QStringLiteral("Add \"On Top\" button"), page), "cbOnTopButton");
    cbHelpButton = named(new QCheckBox(QStringLiteral("Add \"Help\" button"), page), "cbHelpButton");
    cbRollupButton = named(new QCheckBox(QStringLiteral("Add \"Rollup\" button"), page), "cbRollupButton");
    for (QCheckBox* box : {cbOnTopButton, cbHelpButton, cbRollupButton}) {
        box->setChecked(true);
        layout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, &TfrmNewSkinWizard::FunctionalityClick);
    }
    // The sample title bar: the template's own, with the three base buttons and one
    // picture per extra button, each where the wizard would put it.
    auto* bar = named(new QLabel(page), "imgTitleBar");
    const QImage top = templatePicture(templateFolder_, "wiztop.bmp");
    constexpr int width = 300;
    QImage sample(width, 24, QImage::Format_ARGB32);
    sample.fill(QColor(236, 236, 236));
    if (!top.isNull()) {
        QPainter p(&sample);
        const QImage active = top.copy(0, 0, top.width(), top.height() / 2);
        const int leftEnd = 24, rightEnd = 140;
        p.drawImage(0, 0, active.copy(0, 0, leftEnd, active.height()));
        p.drawImage(QRect(leftEnd, 0, width - leftEnd - rightEnd, active.height()),
                    active.copy(leftEnd, 0, active.width() - leftEnd - rightEnd, active.height()));
        p.drawImage(width - rightEnd, 0, active.copy(active.width() - rightEnd, 0, rightEnd, active.height()));
        const std::pair<const char*, int> fixed[] = {{"wizclose.bmp", 24}, {"wizmaximise.bmp", 44},
                                                     {"wizminimise.bmp", 64}};
        for (const auto& [file, x] : fixed)
            p.drawImage(width - x, 4, firstFrame(templatePicture(templateFolder_, file), 6));
        p.setPen(Qt::white);
        p.drawText(QRect(28, 0, 120, 24), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Window title"));
    }
    bar->setPixmap(QPixmap::fromImage(sample));
    bar->setFixedSize(sample.size());
    auto place = [&](QLabel*& image, const char* name, const char* file, int x) {
        image = named(new QLabel(bar), name);
        image->setPixmap(QPixmap::fromImage(firstFrame(templatePicture(templateFolder_, file), 6)));
        image->setGeometry(x, 4, 18, 16);
    };
    place(imgRollup, "imgRollup", "wizrollup.bmp", width - 88);
    place(imgOnTop, "imgOnTop", "wizontop.bmp", width - 108);
    place(imgHelp, "imgHelp", "wizhelp.bmp", width - 128);
    layout->addSpacing(12);
    layout->addWidget(bar);
    layout->addStretch();
    return page;
}

void TfrmNewSkinWizard::FunctionalityClick()
{
    imgOnTop->setVisible(cbOnTopButton->isChecked());
    imgHelp->setVisible(cbHelpButton->isChecked());
    imgRollup->setVisible(cbRollupButton->isChecked());
}

QWidget* TfrmNewSkinWizard::buildStep3()
{
    auto* page = named(new QWidget, "tsStep3");
    auto* layout = new QVBoxLayout(page);
    cbAddDrives = named(new QCheckBox(QStringLiteral("Add Drive Bar"), page), "cbAddDrives");
    lvDrives = named(new QTreeWidget(page), "lvDrives");
    lvDrives->setHeaderLabels({QStringLiteral("Drives"), QStringLiteral("Drive Name")});
    lvDrives->setRootIsDecorated(false);
    static const char* const icons[] = {"wizfloppy.bmp", "wizhdrive.bmp", "wizcd.bmp", "wiznet.bmp", "wizram.bmp"};
    for (const DriveRow& drive : drives_) {
        auto* item = new QTreeWidgetItem(lvDrives, {drive.caption, drive.name});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
        if (drive.kind >= 0 && drive.kind < 5)
            item->setIcon(0, QPixmap::fromImage(firstFrame(templatePicture(templateFolder_, icons[drive.kind]), 6)));
    }
    lvDrives->header()->resizeSection(0, 220);
    layout->addWidget(cbAddDrives);
    layout->addWidget(lvDrives);
    connect(cbAddDrives, &QCheckBox::clicked, this, &TfrmNewSkinWizard::cbAddDrivesClick);
    return page;
}

QWidget* TfrmNewSkinWizard::buildStep4()
{
    auto* page = named(new QWidget, "tsStep4");
    auto* layout = new QVBoxLayout(page);
    cbAppBar = named(new QCheckBox(QStringLiteral("Add Application Bar"), page), "cbAppBar");
    lvPrograms = named(new QTreeWidget(page), "lvPrograms");
    lvPrograms->setHeaderLabels({QStringLiteral("Available App Buttons"), QStringLiteral("Command")});
    lvPrograms->setRootIsDecorated(false);
    // Each button starts its program; the command (never the caption) is the author's
    // to change, by a double-click or F2 on its row.
    lvPrograms->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(lvPrograms, &QTreeWidget::itemDoubleClicked, lvPrograms,
            [this](QTreeWidgetItem* item) { lvPrograms->editItem(item, 1); });
    auto* edit = new QShortcut(QKeySequence(Qt::Key_F2), lvPrograms, nullptr, nullptr, Qt::WidgetShortcut);
    connect(edit, &QShortcut::activated, lvPrograms, [this] {
        if (QTreeWidgetItem* item = lvPrograms->currentItem())
            lvPrograms->editItem(item, 1);
    });
    static const char* const icons[] = {"wizword.bmp", "wizsheet.bmp", "wizpaint.bmp", "wizmedia.bmp", "wizweb1.bmp",
                                        "wizweb2.bmp", "wizprompt.bmp", "wizmail.bmp", "wizhalcyra.bmp"};
    for (std::size_t row = 0; row < kWizardProgramCount; ++row) {
        auto* item = new QTreeWidgetItem(lvPrograms, {QString::fromLatin1(kWizardPrograms[row].caption),
                                                      QString::fromLatin1(kWizardPrograms[row].command)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
        item->setCheckState(0, Qt::Checked);
        item->setIcon(0, QPixmap::fromImage(firstFrame(templatePicture(templateFolder_, icons[row]), 6)));
    }
    lvPrograms->setColumnWidth(0, 160);
    layout->addWidget(cbAppBar);
    layout->addWidget(lvPrograms);
    layout->addWidget(
        note(QStringLiteral("Double-click a row (or press F2) to change the command its button runs."), page));
    connect(cbAppBar, &QCheckBox::clicked, this, &TfrmNewSkinWizard::cbAddDrivesClick);
    return page;
}

void TfrmNewSkinWizard::cbAddDrivesClick()
{
    const std::pair<QCheckBox*, QTreeWidget*> bars[] = {{cbAddDrives, lvDrives}, {cbAppBar, lvPrograms}};
    for (const auto& [box, list] : bars) {
        list->setEnabled(box->isChecked());
        QPalette colours = list->palette();
        colours.setColor(QPalette::Base, palette().color(box->isChecked() ? QPalette::Base : QPalette::Window));
        list->setPalette(colours);
    }
}

QWidget* TfrmNewSkinWizard::buildStep5()
{
    auto* page = named(new QWidget, "tsStep5");
    auto* layout = new QVBoxLayout(page);
    rbNoShadow = named(new QRadioButton(QStringLiteral("Normal text, no shadow"), page), "rbNoShadow");
    rbShadow = named(new QRadioButton(QStringLiteral("Titlebar text drop shadow."), page), "rbShadow");
    rbOutline = named(new QRadioButton(QStringLiteral("Outline titlebar text"), page), "rbOutline");
    rbShadow->setChecked(true);
    for (QRadioButton* button : {rbNoShadow, rbShadow, rbOutline}) {
        layout->addWidget(button);
        connect(button, &QRadioButton::clicked, this, &TfrmNewSkinWizard::ShadowAdjuctClick);
    }
    // White text over black copies, on a title-bar coloured plate.
    auto* plate = named(new QFrame(page), "pnlTitleSample");
    plate->setFixedSize(260, 36);
    plate->setAutoFillBackground(true);
    QPalette colours = plate->palette();
    colours.setColor(QPalette::Window, QColor(68, 100, 150));
    plate->setPalette(colours);
    QFont font = plate->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    const QPoint offsets[] = {{1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
    auto text = [&](const char* name, const QColor& colour, QPoint offset) {
        auto* label = named(new QLabel(QStringLiteral("TitlebarText example"), plate), name);
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: %1; background: transparent").arg(colour.name()));
        label->adjustSize();
        label->move(QPoint(12, 8) + offset);
        return label;
    };
    const char* names[] = {"lblTitleShadow0", "lblTitleShadow1", "lblTitleShadow2", "lblTitleShadow3"};
    for (int i = 0; i < 4; ++i)
        lblTitleShadow[i] = text(names[i], Qt::black, offsets[i]);
    lblTitleText = text("lblTitleText", Qt::white, {});
    layout->addSpacing(12);
    layout->addWidget(plate);
    layout->addStretch();
    return page;
}

void TfrmNewSkinWizard::ShadowAdjuctClick()
{
    lblTitleShadow[0]->setVisible(!rbNoShadow->isChecked());
    for (int i = 1; i < 4; ++i)
        lblTitleShadow[i]->setVisible(rbOutline->isChecked());
}

QWidget* TfrmNewSkinWizard::buildStep6()
{
    auto* page = named(new QWidget, "tsStep6");
    auto* layout = new QVBoxLayout(page);
    mmDisclaimer = named(new QPlainTextEdit(page), "mmDisclaimer");
    mmDisclaimer->setReadOnly(true);
    mmDisclaimer->setPlainText(personalityNameNotes());
    mmDisclaimer->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(mmDisclaimer);
    return page;
}

QWidget* TfrmNewSkinWizard::buildStep7()
{
    auto* page = named(new QWidget, "tsStep7");
    auto* form = new QFormLayout(page);
    EditFileName = named(new QLineEdit(QStringLiteral("Undefined"), page), "EditFileName");
    EditName = named(new QLineEdit(QStringLiteral("Undefined"), page), "EditName");
    EditSkinAuthor = named(new QLineEdit(page), "EditSkinAuthor");
    EditAuthorsURL = named(new QLineEdit(page), "EditAuthorsURL");
    EditAuthorsEmail = named(new QLineEdit(page), "EditAuthorsEmail");
    EditSpecialNotes = named(new QLineEdit(page), "EditSpecialNotes");
    for (QLineEdit* edit : {EditFileName, EditName, EditSkinAuthor, EditAuthorsURL, EditAuthorsEmail, EditSpecialNotes})
        guardLatin1(edit);
    lblFileName = named(new QLabel(QStringLiteral("Personality file name:"), page), "lblFileName");
    lblName = named(new QLabel(QStringLiteral("Personality Name:"), page), "lblName");
    lblFileName->setWordWrap(true);
    form->addRow(lblFileName, EditFileName);
    form->addRow(lblName, EditName);
    form->addRow(QStringLiteral("Author:"), EditSkinAuthor);
    form->addRow(QStringLiteral("Author's URL:"), EditAuthorsURL);
    form->addRow(QStringLiteral("Author's Email:"), EditAuthorsEmail);
    form->addRow(QStringLiteral("Special Notes:"), EditSpecialNotes);
    form->addRow(note(QStringLiteral("Skin file name and skin name must be unique & defined!"), page));
    form->addRow(note(QStringLiteral("Make sure no other personality has the same 'Skin name'"), page));
    form->addRow(note(QStringLiteral("If such situation happens one of those skins may not be available for Veneerix"),
                      page));
    connect(EditFileName, &QLineEdit::textChanged, this, &TfrmNewSkinWizard::NameChange);
    connect(EditName, &QLineEdit::textChanged, this, &TfrmNewSkinWizard::NameChange);
    return page;
}

}  // namespace sw
