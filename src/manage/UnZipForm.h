// "UnZip": the archive being installed, where it goes, progress and a log of what was
// unpacked or left out. It is shown while an archive is installed.
#pragma once

#include "manage/ArchiveInstaller.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace sw {

class TUnZipForm : public QDialog {
    Q_OBJECT
public:
    explicit TUnZipForm(QWidget* parent = nullptr);

    // Shows the window and installs edtFileToUnzip into edtUnzipToDir; the Cancel
    // button stops the unpacking before anything reaches the skins folder.
    InstallResult Run(const InstallOptions& options = {});

    QLineEdit* edtFileToUnzip;
    QLineEdit* edtUnzipToDir;
    QProgressBar* ProgressBar;
    QPlainTextEdit* MemoLog;
    QPushButton* ButtonCancel;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool cancelled_ = false;
};

}  // namespace sw
