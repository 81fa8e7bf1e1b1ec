// The editor's main window: start-up, the one open personality (open, save, save as,
// close, recent files), the menus and tool bars, and the settings file sw.ini.
#pragma once

#include "editor/EditorHostWindow.h"
#include "store/IniFile.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QLockFile;
class QTemporaryDir;
class QPrinter;
class QLabel;
class QMenu;
class QStackedWidget;
class QTimer;
class QToolBar;

namespace sw {

class DocumentHistory;
class TAcceleratedIniFile;
class TFormDebug;
class TSizeBarForm;
class TUISExplorerForm;
class ValueEditorBand;

// The product's web site: the Help menu opens it, and saving names it in the file.
inline constexpr const char* kProductSite = "https://skinwright.example.org/";

class TMainForm : public QMainWindow, public EditorHostWindow, private ChangeGuard {
    Q_OBJECT
public:
    // settingsFile: the sw.ini to use (empty: the program folder's, or the user's
    // config folder when the program folder cannot be written).
    explicit TMainForm(const QString& settingsFile = QString(), const QStringList& arguments = {});
    ~TMainForm() override;

    // The start-up checks that may end the program: returns an exit code to end with,
    // or -1 to go on and show the window.
    int StartUp();
    // On first use, without an engine folder: asks where skins should live (proposing
    // "Skins" in the home folder), creates that folder and makes it the engine folder.
    // Returns whether an engine folder is set now.
    bool AskForEngineFolder();

    // Document management.
    void FileOpenRoutine();
    void FileSave() override;
    void FileSaveAs();
    // False when the author cancelled closing (the document stays open).
    bool FileCloseItemClick() override;
    // "New Skin...": closes the document, shows the template gallery and starts what
    // the chosen entry names.
    void NewSkinClick();
    void FileNewSkinClick(const QString& templateName);
    // `change` names the undo step of what was just changed; changes with the same
    // non-empty mergeKey made one after another are one step.
    void NotifyModification(const QString& change = QString(), const QString& mergeKey = QString()) override;
    // Undo and redo of the open document.
    DocumentHistory& History() override { return *history_; }
    // "Changes Since Save": the personality file against the working copy.
    QString ChangesSinceSave();
    // When the editor comes back to the front: offers the changes another program made
    // to the personality since it was opened or saved (once for each new state of it).
    void CheckOutsideChange();
    void LoadRecentList() override;
    void SaveRecentList() override;
    void RecentItemClick(int index);
    // The file the next FileOpenRoutine opens (the open dialog's file name).
    QString OpenFileName;
    void OpenDocument(const QString& file) override;

    QWidget* Window() override { return this; }
    TAcceleratedIniFile& Settings() override { return *settings_; }
    TUISExplorerForm* Explorer() override { return explorer_; }
    QAction* Action(const QString& objectName) const override;
    bool ShowDescriptions() const override;

    // The value editor band: the "Other" page with a note, or the page of the
    // attribute selected in the explorer.
    void ShowOtherPage(const QString& note) override;
    // Tab on this widget (the tree, the list, a preview) toggles "Hide preview/buttons
    // windows"; everywhere else it moves the focus.
    void BindHideAllKey(QWidget* widget) override;
    // Makes the main window's keys (undo, save, find, reload, ...) work in another window.
    void ShareKeys(QWidget* window) override;
    void EditAttribute(int typeOverride) override;
    ValueEditorBand* Band() override { return band_; }
    // The size bar of the preview's edges; it lives as long as the main window.
    TSizeBarForm* SizeBar() override { return sizeBar_; }
    std::string AddClock(TUisFile& document, QWidget* parent) override;

    // The settings file in use.
    static QString DefaultSettingsFile();

    // The code page was entered or left: the edit items, the print items and the code
    // tool bar follow it.
    void CodePageShown(bool shown) override;
    // Enables undo, redo, cut, copy, paste and the print items for the page shown.
    void UpdateEditItems() override;
    void UpdateModified() override;
    // Stands in for the print dialog (tests): gets the printer, returns whether to print.
    static std::function<bool(QPrinter&)>& PrintDialogHook();
    QPrinter& Printer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    void connectActions();
    void BuildSubMenu(QMenu* menu, const char* section, int image);
    void DynamicMenuItemClick(QAction* item, bool tools);
    void FormShow();
    void FirstActivation();
    void SetDocumentState(bool open);
    void UpdateToolbarTextVisibility();
    void FileOpenItemClick();
    void FileOpenCurrentVXSkinClick();
    void FileSetThisSkinCurrentItemClick();
    void InsertCurrentWindowsColoursItemClick();
    void EditFindItemClick();
    void FilePrintItemClick();
    void FilePrintSetupItemClick();
    void ViewDisplayPropertiesItemClick();
    void WindowDescriptionsItemClick();
    bool destroyExplorer();
    bool lockWorkingCopy();
    void rememberSavedState();
    void updateModified();
    void updateTitle();
    void ViewChangesSinceSaveItemClick();
    void writeShutdownSettings();

    // Keeping the author's work (DocumentSafety.cpp). Every change of the open
    // document first applies text typed on the code page; a change that cannot be
    // written is undone and reported once the action that made it has finished.
    bool beforeChange(TIniFile& file) override;
    void changeFailed(TIniFile& file, const std::string& message) override;
    void takeWriteFailure();
    // Whether the personality on disk still is what this editor last opened or saved.
    enum class WorkingCopyStart { Fresh, Recover, Cancel };
    // A working copy left by an editor that did not close: asks whether to take it back.
    WorkingCopyStart askAboutLeftWorkingCopy();
    // The working copy on disk is rewritten from the document when someone removed or
    // changed it; returns false (with a message) when that fails.
    bool restoreWorkingCopy();
    // Writes the document (with the save stamp) over the personality, first taking in
    // what another program wrote there meanwhile when the author agrees. Returns false
    // when the author cancelled; throws when the file cannot be written.
    bool writePersonality();
    // The changes of `theirs` (the personality as it is on disk now) taken into the
    // document on top of the author's own; nullopt when the author cancelled.
    std::optional<std::string> mergeWithDisk(const std::string& theirs, const QString& cancelText);
    void showWorkingCopyRestores();
    QAction* addAction(const char* objectName, const QString& caption, const QKeySequence& key = {}, int image = -1,
                       bool checkable = false);

    std::unique_ptr<TAcceleratedIniFile> settings_;
    QStringList arguments_;
    TUISExplorerForm* explorer_ = nullptr;
    std::map<QString, QAction*> actions_;
    QMenu* menuFile_ = nullptr;
    QMenu* menuEdit_ = nullptr;
    QMenu* menuView_ = nullptr;
    QMenu* menuInsert_ = nullptr;
    QMenu* menuWindow_ = nullptr;
    QMenu* menuTools_ = nullptr;
    QMenu* menuHelp_ = nullptr;
    QMenu* menuDebug_ = nullptr;
    QMenu* menuRecent_ = nullptr;
    QMenu* menuInternet_ = nullptr;
    QMenu* toolbarPopup_ = nullptr;
    QToolBar* ToolBarStandard = nullptr;
    QToolBar* ToolBarPreview = nullptr;
    QToolBar* ToolBarRichEdit = nullptr;
    QToolBar* ToolBarValueEditor = nullptr;
    ValueEditorBand* band_ = nullptr;
    QLabel* LabelEditedAttribute = nullptr;
    QAction* recentItems_[10] = {};
    bool firstActivationDone_ = false;
    TFormDebug* debug_ = nullptr;
    bool previewsWereVisible_ = true;
    bool paletteWasVisible_ = false;
    TSizeBarForm* sizeBar_ = nullptr;
    DocumentHistory* history_ = nullptr;
    QTimer* livePreview_ = nullptr;
    // Held while a document is open: its working copy belongs to this editor alone.
    std::unique_ptr<QLockFile> workingCopyLock_;
    // The working copy's folder while a read-only personality is viewed.
    std::unique_ptr<QTemporaryDir> viewCopyFolder_;
    // The working copy's bytes at the last open or save, and the file's bytes then.
    std::string savedWorkingCopy_;
    std::string savedFile_;
    // The personality's bytes the author already declined to take in.
    std::string declinedFile_;
    bool checkingOutside_ = false;
    std::uint64_t seenRestores_ = 0;
    // A change that could not be written, reported when its action is over.
    std::optional<QString> writeFailure_;
    bool codePage_ = false;  // the explorer's code page is the one shown
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace sw
