// "Enter personality name": the file name (folder and .uis) and the display name of
// a personality, asked by Save As and by the creation from a template.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace sw {

class TFormFilename : public QDialog {
    Q_OBJECT
public:
    TFormFilename(const QString& fileName, const QString& name, QWidget* parent = nullptr);

    QString fileName() const;
    QString name() const;

    QLineEdit* EditFileName;
    QLineEdit* EditName;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

private:
    // OK only while both texts differ from what they were when shown.
    void EditChange();

    QString initialFileName_;
    QString initialName_;
};

}  // namespace sw
