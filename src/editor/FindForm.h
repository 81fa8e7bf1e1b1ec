// "Find": searches the names and values of the open personality, in one section or in
// all of them, lists the matches with check boxes and replaces text in the values of
// the checked ones. The rules live in document/FindModel; this window wires them.
#pragma once

#include "document/FindModel.h"

#include <QDialog>
#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTimer;
class QTreeWidget;

namespace sw {

class TUisFile;

// A small looping picture of a magnifier passing over a page: the window is busy
// looking. It plays frames 0 to 23 over and over while it runs.
class TFindAnimation : public QWidget {
public:
    static constexpr int kLastFrame = 23;
    explicit TFindAnimation(QWidget* parent = nullptr);
    void Start();
    void Stop();
    bool Active() const;
    int Frame() const { return frame_; }
    QSize sizeHint() const override { return {40, 32}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* timer_;
    int frame_ = 0;
};

class TFindForm : public QDialog {
    Q_OBJECT
public:
    explicit TFindForm(TUisFile& document, QWidget* parent = nullptr);

    void FormShow();
    void ButtonFindClick();
    void FindInSection(const std::string& section, const std::string& text, bool whole, bool caseSensitive);
    void ButtonReplaceClick();
    void ButtonSelectAllClick();
    void FormResize();

    // The match a row of the result list stands for.
    const FindMatch& MatchOf(int row) const;

    QGroupBox* GroupBoxSearch;
    QLabel* LabelFindIn;
    QComboBox* ComboBoxFindIn;
    QLabel* LabelText;
    QLineEdit* EditTextToFind;
    QGroupBox* GroupBoxLookIn;
    QCheckBox* CheckBoxSearchInNames;
    QCheckBox* CheckBoxSearchInValues;
    QGroupBox* GroupBoxOptions;
    QCheckBox* CheckBoxWhole;
    QCheckBox* CheckBoxCaseSensitive;
    QPushButton* ButtonFind;
    QPushButton* ButtonCancel;
    QPushButton* ButtonNewSearch;
    TFindAnimation* Animate;
    QTreeWidget* ListViewAttr;
    QGroupBox* GroupBoxReplace;
    QLineEdit* EditReplace;
    QPushButton* ButtonReplace;
    QPushButton* ButtonSelectAll;
    QStatusBar* StatusBar;

signals:
    // Values of the document were replaced: one step to record, views to refresh.
    void Replaced();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setReplaceEnabled(bool enabled);

    TUisFile& document_;
    std::vector<std::string> sections_;  // the sections "Find in:" offers after "All Sections"
    std::vector<FindMatch> matches_;     // the matches of the last search, rows point into it
    std::string searchedText_;           // the text the listed rows were found with
};

}  // namespace sw
