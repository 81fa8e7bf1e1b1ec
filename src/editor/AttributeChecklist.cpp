#include "editor/AttributeChecklist.h"

#include "document/UisFile.h"
#include "common/GlyphList.h"
#include "common/Latin1.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace sw {

namespace {
constexpr int kRowRole = Qt::UserRole;
}

AttributeChecklist::AttributeChecklist(QTreeWidget* list, QComboBox* value, QObject* parent)
    : QObject(parent), list_(list), value_(value)
{
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &AttributeChecklist::selectionChanged);
    connect(list_, &QTreeWidget::itemChanged, this, &AttributeChecklist::itemChanged);
    connect(value_, &QComboBox::editTextChanged, this, &AttributeChecklist::valueEdited);
    connect(value_, &QComboBox::activated, this, &AttributeChecklist::choiceChosen);
    guardLatin1(value_);
}

void AttributeChecklist::Fill(TUisFile& document, const std::string& choiceSection, std::vector<AttributeOffer> rows)
{
    document_ = &document;
    choiceSection_ = choiceSection;
    rows_ = std::move(rows);
    filling_ = true;
    list_->clear();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const AttributeOffer& row = rows_[i];
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, fromBytes(row.Caption));
        item->setIcon(0, glyphIcon(row.Icon));
        item->setData(0, kRowRole, int(i));
        item->setToolTip(0, fromBytes(row.Description));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, row.Ticked ? Qt::Checked : Qt::Unchecked);
    }
    filling_ = false;
    selectionChanged();
}

void AttributeChecklist::Clear()
{
    filling_ = true;
    rows_.clear();
    list_->clear();
    filling_ = false;
    selectionChanged();
}

void AttributeChecklist::SetTicked(int row, bool ticked)
{
    if (row < 0 || row >= int(rows_.size()))
        return;
    rows_[std::size_t(row)].Ticked = ticked;
    filling_ = true;
    if (QTreeWidgetItem* item = list_->topLevelItem(row))
        item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    filling_ = false;
}

void AttributeChecklist::SelectAll()
{
    for (int i = 0; i < int(rows_.size()); ++i)
        SetTicked(i, true);
}

void AttributeChecklist::MandatoryOnly()
{
    for (int i = 0; i < int(rows_.size()); ++i)
        SetTicked(i, rows_[std::size_t(i)].Mandatory());
}

bool AttributeChecklist::HasUntickedMandatory() const
{
    for (const AttributeOffer& row : rows_)
        if (row.Mandatory() && !row.Ticked)
            return true;
    return false;
}

void AttributeChecklist::TickMandatory()
{
    for (int i = 0; i < int(rows_.size()); ++i)
        if (rows_[std::size_t(i)].Mandatory())
            SetTicked(i, true);
}

void AttributeChecklist::itemChanged()
{
    if (filling_)
        return;
    for (int i = 0; i < list_->topLevelItemCount() && i < int(rows_.size()); ++i)
        rows_[std::size_t(i)].Ticked = list_->topLevelItem(i)->checkState(0) == Qt::Checked;
}

void AttributeChecklist::selectionChanged()
{
    if (filling_)
        return;
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    valueRow_ = selected.size() == 1 ? selected.front()->data(0, kRowRole).toInt() : -1;
    filling_ = true;
    value_->clear();
    if (valueRow_ >= 0 && document_) {
        const AttributeOffer& row = rows_[std::size_t(valueRow_)];
        // Icon 3 is a choice in both lists (type code and editor kind agree on it).
        if (row.Icon == TypeChoose) {
            TStrings choices;
            shift_ = document_->Choices(choiceSection_, row.Attribute, choices);
            value_->setEditable(false);
            for (const std::string& choice : choices)
                value_->addItem(fromBytes(choice));
            value_->setCurrentIndex(choiceEntry(row.Value, shift_, int(choices.size())));
        } else {
            value_->setEditable(true);
            value_->setEditText(fromBytes(row.Value));
        }
    } else {
        value_->setEditable(true);
        value_->setEditText(QString());
    }
    guardLatin1(value_);
    filling_ = false;
    emit RowChosen(valueRow_);
}

void AttributeChecklist::valueEdited(const QString& text)
{
    if (filling_ || valueRow_ < 0 || !value_->isEditable())
        return;
    rows_[std::size_t(valueRow_)].Value = toBytes(text);
}

void AttributeChecklist::choiceChosen(int index)
{
    if (filling_ || valueRow_ < 0 || value_->isEditable() || index < 0)
        return;
    rows_[std::size_t(valueRow_)].Value = choiceValue(index, shift_);
}

}  // namespace sw
