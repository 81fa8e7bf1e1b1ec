#include "editor/SectionAddForm.h"

#include "document/UisFile.h"
#include "editor/AttributeChecklist.h"
#include "common/GlyphList.h"
#include "common/Latin1.h"
#include "engine/PromptService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace sw {

namespace {

QTreeWidget* makeList(QWidget* parent, const char* name)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return list;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setMinimumHeight(44);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TSectionAddForm::TSectionAddForm(TUisFile& document, QWidget* parent) : QDialog(parent), document_(document)
{
    setObjectName(QStringLiteral("SectionAddForm"));
    setWindowTitle(QStringLiteral("Insert Section"));
    ListViewSection = makeList(this, "ListViewSection");
    ListViewSection->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewAttr = makeList(this, "ListViewAttr");
    ListViewAttr->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LabelSectionDescription =
        makeLabel(this, "LabelSectionDescription", QStringLiteral("Choose section you want to add to your UIS File."));
    LabelAttributeDescription = makeLabel(this, "LabelAttributeDescription",
                                          QStringLiteral("Check all atibutes you want to add together with your new section."));
    GroupBoxValue = new QGroupBox(QStringLiteral("Attribute Value:"), this);
    GroupBoxValue->setObjectName(QStringLiteral("GroupBoxValue"));
    EditValue = new QComboBox(GroupBoxValue);
    EditValue->setObjectName(QStringLiteral("EditValue"));
    EditValue->setEditable(true);
    EditValue->setInsertPolicy(QComboBox::NoInsert);
    CheckBoxMandatoryAttribute = new QCheckBox(QStringLiteral("Attribute must exist"), GroupBoxValue);
    CheckBoxMandatoryAttribute->setObjectName(QStringLiteral("CheckBoxMandatoryAttribute"));
    // It tells, it does not decide: the catalogue says which attributes must exist.
    CheckBoxMandatoryAttribute->setAttribute(Qt::WA_TransparentForMouseEvents);
    CheckBoxMandatoryAttribute->setFocusPolicy(Qt::NoFocus);
    auto* valueLayout = new QVBoxLayout(GroupBoxValue);
    valueLayout->addWidget(EditValue);
    valueLayout->addWidget(CheckBoxMandatoryAttribute);
    ButtonSelectAll = makeButton(this, "ButtonSelectAll", QStringLiteral("Select &All Attributes"));
    ButtonManditory = makeButton(this, "ButtonManditory", QStringLiteral("Manditory attributes only"));
    ButtonOK = makeButton(this, "ButtonOK", QStringLiteral("OK"));
    ButtonOK->setDefault(true);
    ButtonCancel = makeButton(this, "ButtonCancel", QStringLiteral("Cancel"));
    QPushButton* help = makeButton(this, "ButtonHelp", QStringLiteral("&Help"));
    help->setEnabled(false);

    auto* grid = new QGridLayout(this);
    auto* sectionsCaption = new QLabel(QStringLiteral("Available Sections:"), this);
    sectionsCaption->setBuddy(ListViewSection);
    auto* attributesCaption = new QLabel(QStringLiteral("Attributes for selected section:"), this);
    attributesCaption->setBuddy(ListViewAttr);
    grid->addWidget(sectionsCaption, 0, 0);
    grid->addWidget(attributesCaption, 0, 1);
    grid->addWidget(ListViewSection, 1, 0, 3, 1);
    grid->addWidget(ListViewAttr, 1, 1);
    auto* selection = new QHBoxLayout;
    selection->addWidget(ButtonSelectAll);
    selection->addWidget(ButtonManditory);
    grid->addLayout(selection, 2, 1);
    grid->addWidget(GroupBoxValue, 3, 1);
    grid->addWidget(LabelSectionDescription, 4, 0);
    grid->addWidget(LabelAttributeDescription, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    grid->addLayout(buttons, 5, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    resize(560, 440);

    checklist_ = new AttributeChecklist(ListViewAttr, EditValue, this);
    connect(ListViewSection, &QTreeWidget::itemSelectionChanged, this, &TSectionAddForm::ListViewSectionChange);
    connect(checklist_, &AttributeChecklist::RowChosen, this, &TSectionAddForm::ListViewAttrChange);
    connect(ButtonSelectAll, &QPushButton::clicked, this, &TSectionAddForm::ButtonSelectAllClick);
    connect(ButtonManditory, &QPushButton::clicked, this, &TSectionAddForm::ButtonManditoryClick);
    connect(ButtonOK, &QPushButton::clicked, this, &TSectionAddForm::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    sections_ = offeredSections(document_);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        auto* item = new QTreeWidgetItem(ListViewSection);
        item->setText(0, fromBytes(sections_[i].Caption));
        item->setIcon(0, glyphIcon(sections_[i].Icon));
        item->setData(0, Qt::UserRole, int(i));
    }
    ListViewSectionChange();
}

std::string TSectionAddForm::SelectedSection() const
{
    const QList<QTreeWidgetItem*> selected = ListViewSection->selectedItems();
    if (selected.size() != 1)
        return {};
    return sections_[std::size_t(selected.front()->data(0, Qt::UserRole).toInt())].Name;
}

void TSectionAddForm::ListViewSectionChange()
{
    const std::string section = SelectedSection();
    const bool one = !section.empty();
    ListViewAttr->setEnabled(one);
    ButtonSelectAll->setEnabled(one);
    ButtonManditory->setEnabled(one);
    if (!one) {
        checklist_->Clear();
        LabelSectionDescription->setText(QStringLiteral("Choose section you want to add to your UIS File."));
        ButtonOK->setEnabled(false);
        return;
    }
    const int index = ListViewSection->selectedItems().front()->data(0, Qt::UserRole).toInt();
    LabelSectionDescription->setText(fromBytes(sections_[std::size_t(index)].Description));
    checklist_->Fill(document_, section, sectionAttributes(document_, section));
    checklist_->MandatoryOnly();
    ButtonOK->setEnabled(!checklist_->Rows().empty());
}

void TSectionAddForm::ListViewAttrChange(int row)
{
    GroupBoxValue->setEnabled(row >= 0);
    if (row < 0) {
        CheckBoxMandatoryAttribute->setChecked(false);
        return;
    }
    const AttributeOffer& offer = checklist_->Rows()[std::size_t(row)];
    LabelAttributeDescription->setText(fromBytes(offer.Description));
    CheckBoxMandatoryAttribute->setChecked(offer.Mandatory());
}

void TSectionAddForm::ButtonSelectAllClick()
{
    checklist_->SelectAll();
}

void TSectionAddForm::ButtonManditoryClick()
{
    checklist_->MandatoryOnly();
}

void TSectionAddForm::ButtonOKClick()
{
    if (checklist_->HasUntickedMandatory() &&
        prompts().message(QStringLiteral("Not all attributes that must exist in selected section were checked.\n"
                                         "  Press YES for Skinwright to add those attributes for you.\n"
                                         "  Press NO to Continue with some manditory attributes unselected?"),
                          QStringLiteral("Caution"), PromptIcon::Error, PromptButtons::YesNo) == PromptAnswer::Yes)
        checklist_->TickMandatory();
    accept();
}

}  // namespace sw
