#include "wizards/NewSkinForm.h"

#include "document/FileReference.h"
#include "document/UisFile.h"
#include "common/Latin1.h"
#include "engine/PromptService.h"
#include "preview/SkinThumbnail.h"
#include "store/AcceleratedIniFile.h"
#include "store/StringOps.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace sw {

namespace fs = std::filesystem;

std::vector<TemplateEntry> readTemplateGallery(TCustomIniFile& ini)
{
    std::vector<TemplateEntry> entries;
    const int last = ini.ReadInteger("General", "TemplateCount", 1);
    for (int n = 0; n <= last; ++n) {
        const std::string section = "Template" + intToStr(n);
        if (!ini.SectionExists(section))
            continue;
        TemplateEntry entry;
        entry.number = n;
        entry.name = ini.ReadString(section, "Name", "Template " + intToStr(n));
        entry.icon = ini.ReadInteger(section, "Icon", 1);
        entry.type = ini.ReadString(section, "Type", "Internal$2");
        entry.file = ini.ReadString(section, "File", "wizard.uis");
        for (int line = 1;; ++line) {
            const std::string key = "Description" + intToStr(line);
            if (!ini.ValueExists(section, key))
                break;
            entry.description.push_back(ini.ReadString(section, key, ""));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

int templateType(const std::string& text)
{
    if (auto value = valInteger(text))
        return *value;
    throw EConvertError("'" + text + "' is not a valid integer value");
}

namespace {

// The gallery's pictures: a blank page, a wand over a page, a picture, a square
// window, a rounded window.
void drawPage(QPainter& p)
{
    QPolygon page({{7, 2}, {20, 2}, {26, 8}, {26, 30}, {7, 30}});
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawPolygon(page);
    p.drawPolyline(QPolygon({{20, 2}, {20, 8}, {26, 8}}));
}

void drawWindow(QPainter& p, int radius)
{
    const QRect frame(2, 5, 28, 23);
    QPainterPath outline;
    outline.addRoundedRect(frame, radius, radius);
    p.setPen(QColor(40, 60, 110));
    p.setBrush(QColor(235, 238, 244));
    p.drawPath(outline);
    p.save();
    p.setClipPath(outline);
    p.fillRect(frame.left(), frame.top(), frame.width() + 1, 7, QColor(48, 96, 168));
    p.restore();
    for (int i = 0; i < 3; ++i)
        p.fillRect(frame.right() - 6 - i * 6, frame.top() + 2, 4, 3, QColor(220, 228, 240));
}

}  // namespace

int templateIconCount()
{
    return 5;
}

QPixmap templateIcon(int index)
{
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0:
        drawPage(p);
        break;
    case 1:
        drawPage(p);
        p.setPen(QPen(QColor(70, 40, 20), 3));
        p.drawLine(4, 28, 18, 14);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 200, 0));
        p.drawPolygon(QPolygon({{22, 4}, {24, 9}, {29, 10}, {25, 13}, {26, 18}, {22, 15}, {18, 18}, {19, 13}, {15, 10},
                                {20, 9}}));
        break;
    case 2:
        p.setPen(QColor(90, 90, 90));
        p.setBrush(QColor(160, 210, 250));
        p.drawRect(2, 5, 27, 22);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 150, 60));
        p.drawPolygon(QPolygon({{3, 26}, {12, 13}, {19, 22}, {23, 17}, {28, 26}}));
        p.setBrush(QColor(250, 210, 40));
        p.drawEllipse(QPoint(22, 10), 3, 3);
        break;
    case 3:
        drawWindow(p, 0);
        break;
    default:
        drawWindow(p, 7);
        break;
    }
    return icon;
}

std::optional<TemplateFiles> findTemplatePersonality(const fs::path& templateFolder, const std::string& name)
{
    const std::string upper = asciiUpper(name);
    std::error_code ec;
    const auto file = resolveFileReference(templateFolder, upper + ".uis");
    if (!file || !fs::is_regular_file(*file, ec))
        return std::nullopt;
    const auto own = resolveFileReference(templateFolder, upper);
    const bool ownFolder = own && fs::is_directory(*own, ec);
    return TemplateFiles{*file, ownFolder ? *own : templateFolder, ownFolder};
}

QImage templatePreview(const TemplateEntry& entry, const fs::path& templateFolder, QSize size)
{
    const auto type = valInteger(entry.type);
    if (!type || (*type != 3 && *type != 4))
        return {};
    const auto files = findTemplatePersonality(templateFolder, entry.file);
    // Pictures kept beside the template file, not in a folder of its name, cannot be
    // reached through its references: such a template keeps its icon.
    if (!files || !files->ownFolder)
        return {};
    return renderSkinThumbnail(files->uisFile, size, files->pictures, kGalleryPreviewWindow);
}

TNewSkinForm::TNewSkinForm(const fs::path& templateFolder, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NewSkinForm"));
    setWindowTitle(QStringLiteral("New Skin"));
    auto* outer = new QVBoxLayout(this);
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    auto* general = new QWidget(pages);
    general->setObjectName(QStringLiteral("TabSheetGeneral"));
    auto* row = new QHBoxLayout(general);
    ChoiceNewListView = new QListWidget(general);
    ChoiceNewListView->setObjectName(QStringLiteral("ChoiceNewListView"));
    ChoiceNewListView->setViewMode(QListView::IconMode);
    ChoiceNewListView->setIconSize(kGalleryPictureSize);
    ChoiceNewListView->setGridSize(kGalleryPictureSize + QSize(28, 36));
    ChoiceNewListView->setResizeMode(QListView::Adjust);
    ChoiceNewListView->setMovement(QListView::Static);
    ChoiceNewListView->setWordWrap(true);
    ChoiceNewListView->setSelectionMode(QAbstractItemView::SingleSelection);
    row->addWidget(ChoiceNewListView, 4);
    auto* box = new QGroupBox(QStringLiteral("Description"), general);
    box->setObjectName(QStringLiteral("GroupBoxDescription"));
    auto* boxLayout = new QVBoxLayout(box);
    DescriptionMemo = new QPlainTextEdit(box);
    DescriptionMemo->setObjectName(QStringLiteral("DescriptionMemo"));
    DescriptionMemo->setReadOnly(true);
    DescriptionMemo->setFrameShape(QFrame::NoFrame);
    DescriptionMemo->viewport()->setAutoFillBackground(false);
    boxLayout->addWidget(DescriptionMemo);
    row->addWidget(box, 3);
    pages->addTab(general, QStringLiteral("General"));
    outer->addWidget(pages, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    outer->addLayout(buttons);
    resize(800, 470);

    connect(ChoiceNewListView, &QListWidget::itemSelectionChanged, this, &TNewSkinForm::ChoiceNewListViewClick);
    connect(ChoiceNewListView, &QListWidget::itemDoubleClicked, this, [this] { AcceptClick(); });
    connect(Button1, &QPushButton::clicked, this, &TNewSkinForm::AcceptClick);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate(templateFolder);
}

void TNewSkinForm::FormCreate(const fs::path& templateFolder)
{
    TAcceleratedIniFile ini((templateFolder / "templates.ini").string());
    entries_ = readTemplateGallery(ini);
    ChoiceNewListView->clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const TemplateEntry& entry = entries_[i];
        auto* item = new QListWidgetItem(fromBytes(entry.name), ChoiceNewListView);
        // A template shows what it looks like; the wizards, and a template that cannot
        // be drawn, show their icon. An index past the list shows no picture, as an
        // empty slot would.
        const QImage preview = templatePreview(entry, templateFolder);
        if (!preview.isNull())
            item->setIcon(QIcon(QPixmap::fromImage(preview)));
        else if (entry.icon >= 0 && entry.icon < templateIconCount())
            item->setIcon(QIcon(templateIcon(entry.icon)));
        item->setData(kPreviewRole, !preview.isNull());
        item->setData(Qt::UserRole, int(i));
        item->setToolTip(fromBytes(entry.name));
    }
}

void TNewSkinForm::ChoiceNewListViewClick()
{
    DescriptionMemo->clear();
    const QList<QListWidgetItem*> selected = ChoiceNewListView->selectedItems();
    if (selected.size() != 1)
        return;
    const TemplateEntry& entry = entries_[std::size_t(selected.front()->data(Qt::UserRole).toInt())];
    for (const std::string& line : entry.description)
        DescriptionMemo->appendPlainText(fromBytes(line));
    DescriptionMemo->moveCursor(QTextCursor::Start);
}

void TNewSkinForm::AcceptClick()
{
    const QList<QListWidgetItem*> selected = ChoiceNewListView->selectedItems();
    if (selected.size() == 1) {
        const TemplateEntry& entry = entries_[std::size_t(selected.front()->data(Qt::UserRole).toInt())];
        resultFile_ = entry.file;
        try {
            resultType_ = templateType(entry.type);
        } catch (const EConvertError& error) {
            resultType_ = 0;
            prompts().message(QString::fromLatin1(error.what()), QStringLiteral("Error"), PromptIcon::Error,
                              PromptButtons::Ok);
        }
    }
    accept();
}

}  // namespace sw
