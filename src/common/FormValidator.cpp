#include "common/Latin1.h"
#include "common/FormValidator.h"

#include "document/UisFile.h"
#include "common/GlyphList.h"
#include "engine/PromptService.h"

#include <filesystem>

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QTreeWidget>

namespace sw {

namespace {

constexpr int kSectionRole = Qt::UserRole;
constexpr int kAttributeRole = Qt::UserRole + 1;

}  // namespace

void fillValidatorList(QTreeWidget* list, const ValidationResult& result)
{
    list->clear();
    list->setColumnCount(1);
    list->setHeaderLabels({QStringLiteral("Error description")});
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->header()->setStretchLastSection(true);
    for (const ValidationFinding& finding : result.findings) {
        auto* item = new QTreeWidgetItem(list);
        item->setText(0, fromBytes(finding.caption));
        item->setIcon(0, glyphIcon(finding.icon));
        item->setData(0, kSectionRole, fromBytes(finding.section));
        item->setData(0, kAttributeRole, fromBytes(finding.attribute));
        if (finding.kind == FindingKind::BitmapGeometry) {
            QFont font = item->font(0);
            font.setItalic(true);
            item->setFont(0, font);
        }
    }
    // A broken catalogue stops the run; say so once, after the rows found so far.
    if (!result.completed)
        prompts().message(fromBytes(result.error), QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
}

std::pair<std::string, std::string> validatorRowTarget(const QTreeWidget* list, int row)
{
    const QTreeWidgetItem* item = list->topLevelItem(row);
    if (!item)
        return {};
    return {item->data(0, kSectionRole).toString().toLatin1().toStdString(),
            item->data(0, kAttributeRole).toString().toLatin1().toStdString()};
}

TFormValidator::TFormValidator(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormValidator"));
    setWindowTitle(QStringLiteral("Skin validation check"));
    resize(560, 360);
    LabelFolderTitle = new QLabel(QStringLiteral("Skin folder:"), this);
    LabelFolderTitle->setObjectName(QStringLiteral("LabelFolderTitle"));
    LabelFolderTitle->move(8, 8);
    LabelSkinFolder = new QLabel(this);
    LabelSkinFolder->setObjectName(QStringLiteral("LabelSkinFolder"));
    LabelSkinFolder->move(150, 8);
    LabelExpectedTitle = new QLabel(QStringLiteral("Expected skin filename:"), this);
    LabelExpectedTitle->setObjectName(QStringLiteral("LabelExpectedTitle"));
    LabelExpectedTitle->move(8, 28);
    LabelUISFilename = new QLabel(this);
    LabelUISFilename->setObjectName(QStringLiteral("LabelUISFilename"));
    LabelUISFilename->move(150, 28);
    ListViewValidator = new QTreeWidget(this);
    ListViewValidator->setObjectName(QStringLiteral("ListViewValidator"));
    ListViewValidator->move(8, 52);
    ButtonClose = new QPushButton(QStringLiteral("Close"), this);
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    connect(ButtonClose, &QPushButton::clicked, this, &QWidget::hide);
    connect(ListViewValidator, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        emit attributeChosen(item->data(0, kSectionRole).toString(), item->data(0, kAttributeRole).toString());
    });
}

void TFormValidator::Run(TUisFile& document, const QString& skinFolder, const QString& uisFile)
{
    LabelSkinFolder->setText(skinFolder);
    LabelUISFilename->setText(uisFile);
    // References name the personality's folder ("Skin\top.bmp"): they are resolved
    // against the folder that holds it, as `skinwrt validate` resolves them.
    const std::filesystem::path folder(skinFolder.toLatin1().toStdString());
    fillValidatorList(ListViewValidator,
                      validate(document, uisFile.toLatin1().toStdString(), folder.parent_path()));
}

void TFormValidator::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int left = ListViewValidator->x();
    ButtonClose->move(width() - ButtonClose->width() - 8, height() - ButtonClose->height() - 8);
    ListViewValidator->resize(width() - 2 * left - 8, ButtonClose->y() - 16 - ListViewValidator->y());
    LabelSkinFolder->resize(ListViewValidator->width() - LabelSkinFolder->x() + 8, LabelSkinFolder->height());
    LabelUISFilename->resize(LabelSkinFolder->width(), LabelUISFilename->height());
}

}  // namespace sw
