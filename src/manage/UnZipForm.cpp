#include "manage/UnZipForm.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace sw {

TUnZipForm::TUnZipForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UnZipForm"));
    setWindowTitle(QStringLiteral("UnZip"));
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    edtFileToUnzip = new QLineEdit;
    edtFileToUnzip->setObjectName(QStringLiteral("edtFileToUnzip"));
    edtFileToUnzip->setReadOnly(true);
    edtUnzipToDir = new QLineEdit;
    edtUnzipToDir->setObjectName(QStringLiteral("edtUnzipToDir"));
    edtUnzipToDir->setReadOnly(true);
    fields->addRow(QStringLiteral("FileToUnzip"), edtFileToUnzip);
    fields->addRow(QStringLiteral("UnzipToDir"), edtUnzipToDir);
    layout->addLayout(fields);
    ProgressBar = new QProgressBar;
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 1000);
    ProgressBar->setValue(0);
    layout->addWidget(ProgressBar);
    MemoLog = new QPlainTextEdit;
    MemoLog->setObjectName(QStringLiteral("MemoLog"));
    MemoLog->setReadOnly(true);
    layout->addWidget(MemoLog, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ButtonCancel = new QPushButton(QStringLiteral("Cancel"));
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons);
    connect(ButtonCancel, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    resize(520, 320);
}

InstallResult TUnZipForm::Run(const InstallOptions& options)
{
    cancelled_ = false;
    MemoLog->clear();
    ProgressBar->setValue(0);
    show();
    QApplication::processEvents();
    const std::filesystem::path archive = edtFileToUnzip->text().toStdString();
    const std::filesystem::path target = edtUnzipToDir->text().toStdString();
    // Repainting on every buffer would cost more than the unpacking itself.
    int shown = -1;
    auto progress = [&](std::uint64_t done, std::uint64_t total) {
        const int value = total ? int(done * 1000 / total) : 1000;
        if (value != shown) {
            shown = value;
            ProgressBar->setValue(value);
            QApplication::processEvents();
        }
        return !cancelled_;
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    InstallResult result = installArchive(archive, target, options, progress);
    QApplication::restoreOverrideCursor();
    for (const std::string& line : result.log)
        MemoLog->appendPlainText(QString::fromStdString(line));
    if (result.status == InstallResult::Installed) {
        ProgressBar->setValue(1000);
        MemoLog->appendPlainText(QStringLiteral("Installed ") + QString::fromStdString(result.uisFile.string()));
    } else {
        MemoLog->appendPlainText(QString::fromStdString(result.message));
    }
    return result;
}

void TUnZipForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TUnZipForm::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".zip")))
            edtFileToUnzip->setText(QDir::toNativeSeparators(url.toLocalFile()));
    event->acceptProposedAction();
}

}  // namespace sw
