// "Skin validation check": the findings of the validator for one personality, and
// the list they are shown in (shared with the explorer's "Analyze" page).
#pragma once

#include "document/Validator.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace sw {

class TUisFile;

// Fills a findings list: one column "Error description", one row per finding with its
// glyph and the section and attribute as hidden sub-items. Bitmap-size findings are
// set in italics so they read as advice beside the catalogue's rules.
void fillValidatorList(QTreeWidget* list, const ValidationResult& result);
// The section and attribute a row names.
std::pair<std::string, std::string> validatorRowTarget(const QTreeWidget* list, int row);

class TFormValidator : public QDialog {
    Q_OBJECT
public:
    explicit TFormValidator(QWidget* parent = nullptr);

    // Validates the document against the named file and skins root, shows the result.
    void Run(TUisFile& document, const QString& skinFolder, const QString& uisFile);

    QLabel* LabelFolderTitle;
    QLabel* LabelSkinFolder;
    QLabel* LabelExpectedTitle;
    QLabel* LabelUISFilename;
    QTreeWidget* ListViewValidator;
    QPushButton* ButtonClose;

signals:
    // A finding was double-clicked: the explorer should show that attribute.
    void attributeChosen(const QString& section, const QString& attribute);

protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace sw
