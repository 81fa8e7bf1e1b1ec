// "Changes Since Save": a read-only view of the difference between the personality
// file and the working copy, removed lines red, added lines green, keys in bold.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace sw {

class TFormChanges : public QDialog {
    Q_OBJECT
public:
    TFormChanges(const QString& diff, QWidget* parent = nullptr);

    QPlainTextEdit* MemoChanges;
};

}  // namespace sw
