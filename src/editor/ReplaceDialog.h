// The code page's find and replace box: what to find, what to put instead, and the
// buttons of the usual replace dialog. It searches down and case-sensitively, so it
// has no direction or match-case options.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace sw {

class TReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget* parent = nullptr);

    QString FindText() const;
    QString ReplaceText() const;
    void SetFindText(const QString& text);

    QLineEdit* EditFind;
    QLineEdit* EditReplace;
    QPushButton* ButtonFindNext;
    QPushButton* ButtonReplace;
    QPushButton* ButtonReplaceAll;
    QPushButton* ButtonCancel;

signals:
    void Find();
    void Replace();
    void ReplaceAll();
};

}  // namespace sw
