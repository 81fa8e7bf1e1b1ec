#include "manage/FormZip.h"

#include "common/Latin1.h"
#include "engine/PromptService.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr int kFileRole = Qt::UserRole + 1;

}  // namespace

TFormZip::TFormZip(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormZip"));
    setWindowTitle(QStringLiteral("Zip Skin"));
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);

    auto* filesLabel = new QLabel(QStringLiteral("Files to zip up (drag and drop any additional files from Explorer)"));
    lboFilesToZip = new QListWidget;
    lboFilesToZip->setObjectName(QStringLiteral("lboFilesToZip"));
    lboFilesToZip->setAcceptDrops(false);  // drops are taken by the dialog as a whole
    filesLabel->setBuddy(lboFilesToZip);
    layout->addWidget(filesLabel);
    layout->addWidget(lboFilesToZip, 2);

    auto* nameLabel = new QLabel(QStringLiteral("Zip file name"));
    edtZipFileName = new QLineEdit;
    edtZipFileName->setObjectName(QStringLiteral("edtZipFileName"));
    nameLabel->setBuddy(edtZipFileName);
    layout->addWidget(nameLabel);
    layout->addWidget(edtZipFileName);

    edtRootDir = new QLineEdit(QStringLiteral("C:\\"), this);
    edtRootDir->setObjectName(QStringLiteral("edtRootDir"));
    edtRootDir->hide();

    auto* report = new QGroupBox(QStringLiteral("Zip Report"));
    auto* reportLayout = new QVBoxLayout(report);
    Memo = new QTextEdit;
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setEnabled(false);
    reportLayout->addWidget(Memo);
    layout->addWidget(report, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnZip = new QPushButton(QStringLiteral("&Zip"));
    btnZip->setObjectName(QStringLiteral("btnZip"));
    btnZip->setDefault(true);
    btnClose = new QPushButton(QStringLiteral("Close"));
    btnClose->setObjectName(QStringLiteral("btnClose"));
    buttons->addWidget(btnZip);
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);

    connect(btnZip, &QPushButton::clicked, this, &TFormZip::btnZipClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 460);
}

void TFormZip::SetFiles(const std::vector<PackEntry>& entries)
{
    lboFilesToZip->clear();
    // The list ends with the personality file itself.
    personality_ = entries.empty() || !entries.back().file ? fs::path() : *entries.back().file;
    for (const PackEntry& entry : entries) {
        auto* item = new QListWidgetItem(fromBytes(entry.shown), lboFilesToZip);
        if (entry.file) {
            item->setData(kFileRole, QString::fromStdString(entry.file->string()));
        } else {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
            item->setToolTip(QStringLiteral("Outside the personality's folder: not packed"));
        }
    }
}

void TFormZip::AddFiles(const QStringList& files)
{
    for (const QString& file : files) {
        if (!lboFilesToZip->findItems(file, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty())
            continue;
        auto* item = new QListWidgetItem(file, lboFilesToZip);
        item->setData(kFileRole, file);
    }
}

std::vector<fs::path> TFormZip::FilesToPack() const
{
    std::vector<fs::path> files;
    for (int i = 0; i < lboFilesToZip->count(); ++i) {
        const QString file = lboFilesToZip->item(i)->data(kFileRole).toString();
        if (!file.isEmpty())
            files.emplace_back(file.toStdString());
    }
    return files;
}

void TFormZip::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TFormZip::dropEvent(QDropEvent* event)
{
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            files << QDir::toNativeSeparators(url.toLocalFile());
    AddFiles(files);
    event->acceptProposedAction();
}

void TFormZip::btnZipClick()
{
    Memo->setEnabled(true);
    Memo->clear();
    const QString archive = edtZipFileName->text().trimmed();
    const std::vector<fs::path> files = FilesToPack();
    if (archive.isEmpty() || files.empty())
        return;
    const fs::path target = archive.toStdString();
    const auto report = [this](const QString& line, const char* colour) {
        Memo->append(QStringLiteral("<b><font color=\"%1\">%2</font></b>")
                         .arg(QString::fromLatin1(colour), line.toHtmlEscaped()));
    };
    if (const std::string problem = archiveTargetProblem(target, personality_, files); !problem.empty()) {
        report(QString::fromStdString(problem), "#ff0000");
        return;
    }
    std::error_code ec;
    if (fs::exists(target, ec) &&
        prompts().message(archive + QStringLiteral("\nexists already. Replace it with the new archive?"),
                          QStringLiteral("Zip Skin"), PromptIcon::Warning, PromptButtons::OkCancel) != PromptAnswer::Ok)
        return;

    std::uint64_t total = 0;
    for (const fs::path& file : files) {
        std::error_code ec;
        const auto size = fs::file_size(file, ec);
        total += ec ? 0 : size;
    }
    std::unique_ptr<QProgressDialog> progressDialog;
    ArchiveProgress progress;
    if (total > kProgressThreshold) {
        progressDialog = std::make_unique<QProgressDialog>(QStringLiteral("Packing ") + archive, QStringLiteral("Cancel"),
                                                           0, 1000, this);
        progressDialog->setWindowModality(Qt::WindowModal);
        progressDialog->setMinimumDuration(300);
        progress = [&](std::uint64_t done, std::uint64_t all) {
            progressDialog->setValue(all ? int(done * 1000 / all) : 0);
            QApplication::processEvents();
            return !progressDialog->wasCanceled();
        };
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PackResult result = writeFlatArchive(target, files, progress);
    QApplication::restoreOverrideCursor();
    progressDialog.reset();

    for (const std::string& note : result.notes)
        Memo->append(QString::fromStdString(note).toHtmlEscaped());
    if (result.ok)
        report(QString::fromStdString(zipSuccessLine(result.size)), "#008000");
    else
        report(QStringLiteral("I/O Error: ") + QString::fromStdString(result.error) + QStringLiteral("."), "#ff0000");
}

}  // namespace sw
