// "Zip Skin": the list of files to pack (more can be dropped onto it), the archive's
// name, and the report of the last run.
#pragma once

#include "manage/ArchivePacker.h"

#include <QDialog>

#include <filesystem>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace sw {

class TFormZip : public QDialog {
    Q_OBJECT
public:
    explicit TFormZip(QWidget* parent = nullptr);

    // Fills the list; entries without a file (outside the personality's folder) are
    // shown greyed and never packed.
    void SetFiles(const std::vector<PackEntry>& entries);
    // Adds files unless a line of the same text is there already.
    void AddFiles(const QStringList& files);
    // The files "&Zip" packs, in list order.
    std::vector<std::filesystem::path> FilesToPack() const;

    // Packs the list into the archive named and appends the outcome to the report. A
    // name the archive must not have is reported instead, and an existing archive is
    // replaced only after the user agrees.
    void btnZipClick();

    QListWidget* lboFilesToZip;
    QLineEdit* edtZipFileName;
    QLineEdit* edtRootDir;  // the base folder, set by the caller; not shown
    QTextEdit* Memo;
    QPushButton* btnZip;
    QPushButton* btnClose;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    std::filesystem::path personality_;
};

// Packing shows a progress dialog above this many bytes.
inline constexpr std::uint64_t kProgressThreshold = 4u << 20;

}  // namespace sw
