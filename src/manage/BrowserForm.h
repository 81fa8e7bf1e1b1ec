// "Vistarium Navigator": the personalities of the engine folder in a tree, the identity
// fields and live previews of the selected one, and the commands to open, copy, rename,
// delete, check and activate it. The editor's own document is put aside while it shows.
#pragma once

#include "manage/SkinBrowserModel.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace sw {

class TFormValidator;
class HostWindow;
class TPreviewForm;
class TUisFile;

class TBrowserForm : public QDialog {
    Q_OBJECT
public:
    TBrowserForm(HostWindow& main, const std::filesystem::path& skinsFolder, QWidget* parent = nullptr);
    ~TBrowserForm() override;

    // The preferences dialog on its engine page, once that dialog exists; while this is
    // empty the "&Properties" button stays disabled.
    static std::function<void(QWidget* parent)>& PropertiesHook();

    void TreeViewBrowserLoad();
    void TreeViewBrowserChange(QTreeWidgetItem* current);
    void TreeViewBrowserEditing();
    void ToolButtonOpenSkinClick();
    void ToolButtonBrowseFolderClick();
    void ToolButtonRefreshClick();
    void ToolButtonShowValidatorClick();
    void ToolButtonPropertiesClick();
    void ToolButtonPreviewAlwaysOnTopClick();
    void ButtonSetAsActiveClick();
    void ButtonDeleteSkinClick();
    // Copy (rename false) or Rename of the selected personality.
    void ButtonCopySkinClick(bool rename);
    // Selects every node whose text equals the name, ignoring case.
    void SelectByName(const QString& name);

    // The name S of the selected node and <engine>\<S>\<S>.uis.
    QString SelectedName() const { return selectedName_; }
    QString SelectedFile() const;
    TPreviewForm* Preview(int i) const { return previews_[i]; }
    // Draws the thumbnails still waiting (they are otherwise drawn a few at a time
    // while the window is idle, so a big folder lists at once).
    void FillThumbnails(int budgetMilliseconds = -1);
    int PendingThumbnails() const { return int(pendingThumbnails_.size()); }

    QTreeWidget* TreeViewBrowser;
    QLineEdit* EditSkinName;
    QLineEdit* EditSkinAuthor;
    QLineEdit* EditAuthorsURL;
    QLineEdit* EditAuthorsEmail;
    QLineEdit* EditSpecialNotes;
    QLabel* FieldLabels[5];
    QPushButton* ButtonOpenSkin;
    QPushButton* ButtonClose;
    QPushButton* ButtonSetAsActive;
    QStatusBar* StatusBar;
    QToolBar* ToolBar;
    QAction* ToolButtonOpenSkin;
    QAction* ToolButtonBrowseFolder;
    QAction* ToolButtonCopySkin;
    QAction* ToolButtonRenameSkin;
    QAction* ToolButtonDeleteSkin;
    QAction* ToolButtonRefresh;
    QAction* ToolButtonShowValidator;
    QAction* ToolButtonProperties;
    QAction* ToolButtonPreviewAlwaysOnTop;
    TFormValidator* Validator() const { return validator_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void FormHide();
    void releasePersonality();
    void setFields(const SkinIdentity& identity);
    void runValidator();
    QTreeWidgetItem* root() const;

    HostWindow& main_;
    std::filesystem::path skins_;
    TFormValidator* validator_ = nullptr;
    std::unique_ptr<TUisFile> document_;
    TPreviewForm* previews_[2] = {nullptr, nullptr};
    QString selectedName_;
    std::filesystem::path selectedFile_;
    std::vector<QString> pendingThumbnails_;
    QTimer* thumbnailTimer_ = nullptr;
    bool shown_ = false;
    bool hadDocument_ = false;
    QString documentPath_;
};

}  // namespace sw
