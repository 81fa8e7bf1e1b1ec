#include "editor/AttributeAddForm.h"

#include "document/Insertion.h"
#include "editor/AttributeChecklist.h"
#include "common/Latin1.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace sw {

namespace {
const QString kAttributeHint = QStringLiteral("Check all atibutes you want to add to this section.");
}

TAttributeAddForm::TAttributeAddForm(TUisFile& document, const std::string& section, const std::string& kind,
                                     QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AttributeAddForm"));
    setWindowTitle(QStringLiteral("Insert Attribute"));
    ListViewAttr = new QTreeWidget(this);
    ListViewAttr->setObjectName(QStringLiteral("ListViewAttr"));
    ListViewAttr->setHeaderHidden(true);
    ListViewAttr->setRootIsDecorated(false);
    ListViewAttr->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewAttr->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LabelSectionDescription = new QLabel(fromBytes(kind), this);
    LabelSectionDescription->setObjectName(QStringLiteral("LabelSectionDescription"));
    QFont bold = LabelSectionDescription->font();
    bold.setBold(true);
    LabelSectionDescription->setFont(bold);
    LabelAttributeDescription = new QLabel(kAttributeHint, this);
    LabelAttributeDescription->setObjectName(QStringLiteral("LabelAttributeDescription"));
    LabelAttributeDescription->setWordWrap(true);
    LabelAttributeDescription->setMinimumHeight(44);
    LabelAttributeDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelAttributeDescription->setFrameShape(QFrame::StyledPanel);
    EditValue = new QComboBox(this);
    EditValue->setObjectName(QStringLiteral("EditValue"));
    EditValue->setEditable(true);
    EditValue->setInsertPolicy(QComboBox::NoInsert);
    ButtonSelectAll = new QPushButton(QStringLiteral("Select &All"), this);
    ButtonSelectAll->setObjectName(QStringLiteral("ButtonSelectAll"));
    ButtonSelectAll->setAutoDefault(false);
    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setAutoDefault(false);
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("ButtonHelp"));
    help->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelSectionDescription);
    auto* caption = new QLabel(QStringLiteral("Attributes for selected section:"), this);
    caption->setBuddy(ListViewAttr);
    layout->addWidget(caption);
    layout->addWidget(ListViewAttr, 1);
    layout->addWidget(LabelAttributeDescription);
    auto* value = new QHBoxLayout;
    auto* valueCaption = new QLabel(QStringLiteral("Value:"), this);
    valueCaption->setBuddy(EditValue);
    value->addWidget(valueCaption);
    value->addWidget(EditValue, 1);
    layout->addLayout(value);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonSelectAll);
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons);
    resize(380, 460);

    checklist_ = new AttributeChecklist(ListViewAttr, EditValue, this);
    connect(checklist_, &AttributeChecklist::RowChosen, this, &TAttributeAddForm::ListViewAttrClick);
    connect(ButtonSelectAll, &QPushButton::clicked, checklist_, &AttributeChecklist::SelectAll);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    checklist_->Fill(document, kind, missingAttributes(document, section, kind));
}

void TAttributeAddForm::ListViewAttrClick(int row)
{
    EditValue->setEnabled(row >= 0);
    if (row >= 0)
        LabelAttributeDescription->setText(fromBytes(Attributes().Rows()[std::size_t(row)].Description));
}

}  // namespace sw
