// The value editor band of the main window: one page per kind of value, chosen by
// the selected attribute's type; every change is written into the document at once.
#pragma once

#include "document/UisFile.h"

#include <QStackedWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QStyledItemDelegate;
class QToolButton;

namespace sw {

class EditorHostWindow;
class ThumbnailDelegate;

class ValueEditorBand : public QStackedWidget {
    Q_OBJECT
public:
    explicit ValueEditorBand(EditorHostWindow& main, QWidget* parent = nullptr);

    // The "Other" page with a note.
    void ShowNote(const QString& note);
    // Fills the page for the attribute selected in the explorer (CurrentAttribute and
    // ValueAtSelection of the editor state); type: the edit-as override or -1.
    void SelectAttribute(TUisFile& document, int type);
    // Forgets the document (when it closes).
    void Reset();
    // A change was made since the last selection (consumed by the next selection).
    bool TakeChange();

    // The pages' controls, named as the program names them.
    QWidget* TabSheetStringAttribEdit;
    QWidget* TabSheetInteger;
    QWidget* TabSheetMultipleChioce;
    QWidget* TabSheetSwitch;
    QWidget* TabSheetPickFile;
    QWidget* TabSheetColorChanger;
    QWidget* TabSheetNote;
    QWidget* TabSheetPickFont;
    QLineEdit* EditAttrValue;
    QLineEdit* EditNumber;
    QToolButton* UpDownUp;
    QToolButton* UpDownDown;
    QComboBox* ComboBoxSelection;
    QCheckBox* CheckBoxAtribute;
    QComboBox* EditFilename;
    QPushButton* BitBtnPickFile;
    QPushButton* BitBtnOpenFile;
    QPushButton* BitBtnEditFile;
    QFrame* ShapeColorPreview;
    QLabel* LabelColorValueRed;
    QLabel* LabelColorValueGreen;
    QLabel* LabelColorValueBlue;
    QToolButton* sbPickColor;
    QPushButton* BitBtnPickaColor;
    QPushButton* BitBtnFineTuneColor;
    QLabel* LabelNote;
    QComboBox* EditFontName;
    QPushButton* BitBtnPickFont;

    // The colour dialogs, replaceable by tests. Each gets the starting colour and
    // returns the colour chosen, or nothing when cancelled.
    std::function<std::optional<Colour>(Colour)> PickScreenColour;
    std::function<std::optional<Colour>(Colour)> SelectColour;
    std::function<Colour(Colour)> FineTuneColour;
    std::function<std::optional<QString>(const QString&)> PickFont;

    int ActiveType() const { return type_; }
    int SpinMinimum() const { return minimum_; }
    int SpinMaximum() const { return maximum_; }

    // The file the file page's reference names, resolved under the skins root.
    QString ReferencedFile() const;

private:
    QWidget* addPage(const char* objectName);
    void AttribValueChange(QObject* control);
    void AttributeChange();
    void PickColorClick(QObject* button);
    void BitBtnPickFileClick();
    void BitBtnOpenFileClick();
    void BitBtnEditFileClick();
    void BitBtnPickFontClick();
    void UpDownIntegerClick(int step);
    void setColourLabels(Colour colour);
    void showChannels(int red, int green, int blue);
    Colour swatchColour() const;
    void returnFocus();

    EditorHostWindow& main_;
    ThumbnailDelegate* thumbnails_ = nullptr;
    QStyledItemDelegate* plainFiles_ = nullptr;
    TUisFile* document_ = nullptr;
    int type_ = -1;
    int shift_ = 0;
    int minimum_ = -32766;
    int maximum_ = 32767;
    bool filling_ = false;
    bool changed_ = false;
    bool unreadableShown_ = false;
};

}  // namespace sw
