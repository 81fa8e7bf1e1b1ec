// The checked attribute list and its value field shared by the insert section and
// insert attribute dialogs: rows come from the catalogue, ticks and edited values go
// back into the rows, and a choice attribute is edited through its named entries.
#pragma once

#include "document/Insertion.h"

#include <QObject>
#include <QStringList>

#include <vector>

class QComboBox;
class QTreeWidget;

namespace sw {

class TUisFile;

class AttributeChecklist : public QObject {
    Q_OBJECT
public:
    // list: the checked rows; value: EditValue. Both stay owned by the dialog.
    AttributeChecklist(QTreeWidget* list, QComboBox* value, QObject* parent = nullptr);

    // Shows the rows; choices of choice attributes are looked up under `choiceSection`.
    void Fill(TUisFile& document, const std::string& choiceSection, std::vector<AttributeOffer> rows);
    void Clear();
    // The rows with their present ticks and values.
    const std::vector<AttributeOffer>& Rows() const { return rows_; }
    std::vector<AttributeWrite> Writes() const { return tickedWrites(rows_); }

    void SelectAll();
    // Ticks exactly the rows that must exist.
    void MandatoryOnly();
    // Ticks every row that must exist and is not ticked; returns whether any was missing.
    bool HasUntickedMandatory() const;
    void TickMandatory();
    void SetTicked(int row, bool ticked);

    // The row shown in the value field, or -1.
    int ValueRow() const { return valueRow_; }

signals:
    // Exactly one row is selected (its index), or none / several (-1).
    void RowChosen(int row);

private:
    void selectionChanged();
    void itemChanged();
    void valueEdited(const QString& text);
    void choiceChosen(int index);

    QTreeWidget* list_;
    QComboBox* value_;
    TUisFile* document_ = nullptr;
    std::string choiceSection_;
    std::vector<AttributeOffer> rows_;
    int valueRow_ = -1;
    int shift_ = 0;
    bool filling_ = false;
};

}  // namespace sw
