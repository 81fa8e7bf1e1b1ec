// "Buttons": the floating palette of the personality's title-bar buttons beside the
// previews. It shows and hides buttons, chains them to move together, reorders, adds
// and removes them, and tries their visibility conditions on a chosen window.
#pragma once

#include "document/ButtonLayers.h"

#include <QToolButton>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QTabWidget;
class QTableView;
class QToolBar;

namespace sw {

class LayersModel;
class EditorHostWindow;
class TPreviewForm;
class TUISExplorerForm;
class TUisFile;

// The remove button: a row of the grid dropped on it removes the selected button.
class LayerDropButton : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;
    QWidget* AcceptedSource = nullptr;
signals:
    void rowDropped();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

class TfrmLayers : public QWidget {
    Q_OBJECT
public:
    TfrmLayers(TUISExplorerForm& explorer, EditorHostWindow& main);

    // The selection or the buttons changed.
    void NotifyModification();
    void RefreshButtonsDescriptions();
    void AddButton();
    void DeleteButton(int index);
    // A button was dragged by (dx, dy) on a preview: the rest of its chain follows.
    void ShiftChainedButtons(int moved, int dx, int dy);
    void GroupCurrentButtonWith(int button, bool force);

    // The grid's mouse and keys, by row and column (x: from the grid's left).
    void GridPress(int row, int column, int x);
    void GridKeyRelease(int key);
    void tbButtonAddClick();
    void tbButtonRemoveClick();
    void MoveButton(bool up);
    void tbChainAlignedClick();
    void ShowAllButtons(bool shown);
    void tbReloadClick();
    void tbRollupClick(bool down);
    void UpdateVisibilityOptions();
    void btnApplyClick();
    VisibilityOptions Options() const;

    LayersModel& Model() { return *model_; }
    bool RolledUp() const;

    QToolBar* ToolBar;
    QTabWidget* Pages;
    QTableView* sgLayers;
    QWidget* tsVisibilityOptions;
    QGroupBox* rgWindowStyle;
    QGroupBox* rgSizeablilty;
    QGroupBox* rgWindowOrdering;
    QCheckBox *cbMinVis, *cbMaxVis, *cbHelp, *cbTitleText, *cbSysIcon, *cbRollUp, *cbInactive;
    QPushButton* btnApply;
    QToolButton *tbButtonAdd, *tbMoveButtonUp, *tbMoveButtonDown, *tbChainAligned, *tbShowAllButtons,
        *tbHideAllButtons, *tbReload, *tbRollup;
    LayerDropButton* tbButtonRemove;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets();
    QWidget* buildVisibilityPage();
    bool documentOpen() const;
    TUisFile* document() const;
    std::vector<TPreviewForm*> previews() const;
    void setCheckMarks(bool checked);
    void repaintPreviews(bool reshape);
    void fitColumns();

    TUISExplorerForm& explorer_;
    EditorHostWindow& main_;
    LayersModel* model_;
    QButtonGroup *windowStyle_, *sizing_, *ordering_;
    QPoint pressAt_;
    bool pressed_ = false;
    bool placed_ = false;
    QSize unrolledSize_;
    int unrolledMinimumHeight_ = 0;
};

}  // namespace sw
