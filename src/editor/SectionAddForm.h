// "Insert Section": the sections the catalogue still offers for the personality and,
// for the chosen one, its attributes to write with it.
#pragma once

#include "document/Insertion.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace sw {

class AttributeChecklist;
class TUisFile;

class TSectionAddForm : public QDialog {
    Q_OBJECT
public:
    explicit TSectionAddForm(TUisFile& document, QWidget* parent = nullptr);

    // The chosen catalogue section, empty unless exactly one is selected.
    std::string SelectedSection() const;
    const std::vector<SectionOffer>& Sections() const { return sections_; }
    AttributeChecklist& Attributes() { return *checklist_; }

    void ButtonOKClick();
    void ButtonSelectAllClick();
    void ButtonManditoryClick();

    QTreeWidget* ListViewSection;
    QTreeWidget* ListViewAttr;
    QLabel* LabelSectionDescription;
    QLabel* LabelAttributeDescription;
    QGroupBox* GroupBoxValue;
    QComboBox* EditValue;
    QCheckBox* CheckBoxMandatoryAttribute;
    QPushButton* ButtonSelectAll;
    QPushButton* ButtonManditory;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

private:
    void ListViewSectionChange();
    void ListViewAttrChange(int row);

    TUisFile& document_;
    std::vector<SectionOffer> sections_;
    AttributeChecklist* checklist_;
};

}  // namespace sw
