// The tweak tool's window "VX Tweak": a tree of topics beside a page control without
// tabs, for the engine's hidden switches, the look of Explorer windows and the
// pictures of Explorer tool bars; "OK" and "Apply" store them and reload the engine.
#pragma once

#include "tweak/TweakSettings.h"

#include <QColor>
#include <QDialog>
#include <QImage>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace sw::tweak {

// The pages, in the order of the page control; a tree node's state index is one of them.
enum Page {
    PageAbout,
    PageNotice,
    PageHidden,
    PageToolbars,
    PageExplorer,
    PageExplorerColours,
    PageExplorerBitmap,
    PagePerApp,
    PageCount
};

class TMainForm : public QDialog {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    // The settings as the controls show them.
    TweakSettings Settings() const;
    // Asks for a colour; tests replace it. The default opens the colour dialog.
    std::function<QColor(const QColor& initial)> chooseColour;

    int CurrentPage() const;
    QTreeWidgetItem* NodeFor(const QString& caption) const;
    // Personality folders of the engine folder, held for the "Available Skins" page.
    const QStringList& InstalledSkins() const { return installedSkins_; }

    void FormCreate();
    void TreeViewChange(QTreeWidgetItem* node);
    void AlterHiddenVXSettings();
    void LabelExplorerColourPreviewClick();
    void ComboBoxTransparencyColorChange();
    void CheckBoxInternetExplorerClick();
    void ButtonIE4BrowseClick(QLineEdit* field);
    // "OK" (close afterwards) and "Apply" (stay open).
    void btnOKClick(bool close);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void buildWidgets();
    QWidget* buildAboutPage();
    QWidget* buildNoticePage();
    QWidget* buildHiddenPage();
    QWidget* buildToolbarsPage();
    QWidget* buildExplorerPage();
    QWidget* buildExplorerColoursPage();
    QWidget* buildExplorerBitmapPage();
    QWidget* buildPerAppPage();
    void buildTree();
    void setControls(const TweakSettings& settings);
    void setTextColour(const QColor& colour);
    void updateSample();
    void enableApply();
    QImage loadPicture(const QString& file);

    QTreeWidget* TreeView = nullptr;
    QStackedWidget* PageControl = nullptr;
    QCheckBox* CheckBoxSizeLimit = nullptr;
    QCheckBox* CheckBoxWindowLock = nullptr;
    QCheckBox* CheckBoxNoSound = nullptr;
    QRadioButton* RadioButtonTransparent = nullptr;
    QRadioButton* RadioButtonRegular = nullptr;
    QRadioButton* RadioButtonStretch = nullptr;
    QCheckBox* CheckBoxExplorerColour = nullptr;
    QCheckBox* CheckBoxAddBitmaps = nullptr;
    QLabel* LabelTransparencyColor = nullptr;
    QComboBox* ComboBoxTransparencyColor = nullptr;
    QLabel* ImageTransparencySample = nullptr;
    QLabel* LabelExplorerColourPreview = nullptr;
    QLabel* LabelExplorerColourSample = nullptr;
    QCheckBox* CheckBoxInternetExplorer = nullptr;
    QCheckBox* CheckBoxSynchronize = nullptr;
    QLabel* LabelIE4 = nullptr;
    QLabel* LabelIE5 = nullptr;
    QLineEdit* EditIE4Bitmap = nullptr;
    QLineEdit* EditIE5Bitmap = nullptr;
    QPushButton* ButtonIE4Browse = nullptr;
    QPushButton* ButtonIE5Browse = nullptr;
    QLabel* ImageExplorerBitmap = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnApply = nullptr;
    QPushButton* btnCancel = nullptr;

    QImage samplePicture_;
    QColor textColour_;
    QString windowsFolder_;
    QStringList installedSkins_;
    bool loading_ = false;
    bool synchronizerReported_ = false;
    // The settings as read at start or last written: only what differs is written.
    TweakSettings stored_;
};

}  // namespace sw::tweak
