// "Insert Attribute": the catalogue attributes of the current section's kind that the
// section does not have yet, ticked to be written with their values.
#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace sw {

class AttributeChecklist;
class TUisFile;

class TAttributeAddForm : public QDialog {
    Q_OBJECT
public:
    // section: as in the file (Button3); kind: its catalogue name (Button).
    TAttributeAddForm(TUisFile& document, const std::string& section, const std::string& kind,
                      QWidget* parent = nullptr);

    AttributeChecklist& Attributes() { return *checklist_; }

    QTreeWidget* ListViewAttr;
    QLabel* LabelSectionDescription;
    QLabel* LabelAttributeDescription;
    QComboBox* EditValue;
    QPushButton* ButtonSelectAll;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

private:
    void ListViewAttrClick(int row);

    AttributeChecklist* checklist_;
};

}  // namespace sw
