// "Personality Explorer": the open personality as a tree of sections and a list of
// the selected section's attributes, with pages for code, scripts, analysis, the
// button designer and the magnifier. It owns the document while it is open.
#pragma once

#include "editor/ExplorerModel.h"

#include <QTreeWidget>
#include <QWidget>

#include <memory>

class QLabel;
class QMenu;
class QStatusBar;
class QTabWidget;
class QTreeWidgetItem;

namespace sw {

class TButtonDesignerPage;
class TCodeView;
class TReplaceDialog;
class TScriptEditorPage;
class EditorHostWindow;
class TZoomViewPage;
class TPreviewForm;
class TfrmLayers;
class TUisFile;

// The attribute list; rows are reordered by dragging them inside the list only.
class AttributeListView : public QTreeWidget {
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;
    // The width the column's widest cell asks for.
    int ContentWidth(int column) const { return sizeHintForColumn(column); }
signals:
    void rowsReordered();

protected:
    void dropEvent(QDropEvent* event) override;
};

class TUISExplorerForm : public QWidget {
    Q_OBJECT
public:
    enum Page { PageSection = 0, PageCode, PageAnalyze, PageImage, PageZoom, PageScripts };

    explicit TUISExplorerForm(EditorHostWindow& main);
    ~TUISExplorerForm() override;

    // Opens the working copy and reports its format; false when it is not a personality
    // (the caller then closes the explorer).
    bool Load();
    // Closing the document: recent list, save question, the script page's question,
    // working copy. Returns false when the author cancelled the script question: the
    // document then stays open as it was.
    bool Close();

    TUisFile* Document() { return document_.get(); }

    void TreeViewLoad();
    void SectionChange(const std::string& section);
    void SectionReload(const std::string& section);
    void ReLoadSectionValues();
    // Shows the document again after its contents were replaced (undo, redo): the
    // tree, the same section and attribute where they still exist, the previews.
    void RefreshFromDocument();
    // The personality's name changed: the tree's root shows and stands for the new one.
    void RenameRoot(const std::string& name);
    void AttributeSelect(const std::string& section, const std::string& key);
    void ListViewExplorerSelectItem(QTreeWidgetItem* item, bool selected);
    void SectionRemove(const std::string& section);
    void ButtonDelete(const std::string& section);
    void ButtonDuplicate(const std::string& section);
    void SaveColumns();
    void SelectRoot();
    void ShowStatus(const QString& text);
    // Makes the page of that object name the current one ("TabSheetZoom" ...).
    void ShowPage(const char* objectName);
    // The two preview windows (active and inactive look) of a version 2 or 1+ document.
    TPreviewForm* PreviewActive() const { return previews_[0]; }
    TPreviewForm* PreviewInactive() const { return previews_[1]; }
    void ReloadPreviews();
    void ShowPreviews(bool shown);
    bool PreviewsVisible() const;
    void SetPreviewsOnTop(bool onTop);
    // Starts or stops the edge animation of both previews.
    void AnimatePreviews(bool on);
    // Enables the main window's animation items when the active preview can animate.
    void UpdateAnimationAvailability();

    // Gives every row of the key the raw value and its display value and icon.
    void UpdateRowValue(const std::string& key, const std::string& raw);
    // Rebuilds the list's columns for the "Show Descriptions" setting.
    void ReloadCurrentSection();
    // Hand cursor and underlined row on the list, hover highlight on the tree.
    void ApplyHotTracking(bool on);

    // --- Insertion and the button palette (ExplorerInsertion.cpp) ---
    // Each returns whether something was inserted (one undo step).
    bool SectionAdd();
    bool AttributeAdd();
    bool ButtonAdd();
    // The clock wizard; on Finish the clock becomes the next title-bar button.
    bool ClockAdd();
    // Records a pending value edit as its own step before an insertion.
    void SectionSave();
    void DescribeAttribute();
    TfrmLayers* Layers() const { return layers_; }
    // Shows or hides the button palette; activated, it takes the keyboard as well.
    void ShowLayers(bool shown, bool activate = false);

    // --- The code page (ExplorerCode.cpp) ---
    // Rebuilds the page's text from the document.
    void ShowCode();
    // Applies the page's edited text to the document (one undo step) and rebuilds the
    // tree; false when the working copy could not be written (the text is kept).
    // With refresh false the windows are refreshed once the current event is over.
    bool SaveCode(bool refresh = true);
    bool CodePageActive() const;
    // The page holds typed text not yet applied.
    bool CodeModified() const;
    // Opens the page's find and replace box.
    void CodeFindReplace();
    // The print job's title: "Skinwright - " + SkinName + " code".
    QString CodePrintTitle() const;
    void UpdateStatusBar();
    // The document changed elsewhere while the page is shown: show the new text.
    void CodeFollowDocument();

    QTreeWidget* TreeViewSectionExplorer;
    AttributeListView* ListViewExplorer;
    QTabWidget* PageControlViewSelector;
    QTreeWidget* ListViewValidator;
    QStatusBar* StatusBar;
    QMenu* PopupMenuAttributeList;
    TButtonDesignerPage* Designer = nullptr;  // the "Image" page
    TZoomViewPage* Zoom = nullptr;            // the "Zoom" page
    TCodeView* CodeRichEdit = nullptr;        // the "Code" page's text
    TScriptEditorPage* Scripts = nullptr;     // the "Scripts" page

private:
    void buildWidgets();
    void buildPopupMenu();
    void addTreeItems(QTreeWidgetItem* parent, const SectionNode& node);
    QTreeWidgetItem* findNode(const std::string& section) const;
    void buildColumns();
    void fillRows();
    void fitColumns();
    void TreeViewSectionExplorerChange(QTreeWidgetItem* current);
    void PopupMenuAttributeListPopup(const QPoint& at, QWidget* from);
    void AttributeRemove();
    void EditAs(int type);
    void ListViewExplorerReordered();
    void copySection(const std::string& from, const std::string& to);
    void PageControlViewSelectorChange(int index);
    void ListViewValidatorDblClick(QTreeWidgetItem* item);

    void createPreviews();
    void ShowSizeBar(TPreviewForm* preview, int edge);
    void connectPreview(TPreviewForm* preview);
    void destroyPreviews();
    void createLayers();
    TfrmLayers* layers_ = nullptr;

    void buildCodePage(QWidget* sheet);
    void PersonalityChange();
    void CodeRichEditSelectionChange();
    void CodeFindDialogFind();
    void ReplaceDialogReplace();
    void showCodePanels(bool shown);
    void enterCodePage();
    void leaveCodePage();
    QWidget* codeSheet_ = nullptr;
    QWidget* currentPage_ = nullptr;  // the page being left on a page change
    QLabel* codePanels_[4] = {};
    TReplaceDialog* replaceDialog_ = nullptr;
    bool codeCrlf_ = true;      // the file's lines end in CR LF
    bool applyingCode_ = false;  // SaveCode is showing the applied text
    bool codePanelsShown_ = false;
    QString statusText_;        // the simple text, shown again after the code page

    EditorHostWindow& main_;
    std::unique_ptr<TUisFile> document_;
    TPreviewForm* previews_[2] = {nullptr, nullptr};
    QTreeWidgetItem* popupNode_ = nullptr;
    bool loadingTree_ = false;
    int editAsOverride_ = -1;
    TPreviewForm* sizeBarOwner_ = nullptr;
};

}  // namespace sw
