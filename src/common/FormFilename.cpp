#include "common/FormFilename.h"

#include "common/Latin1.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sw {

TFormFilename::TFormFilename(const QString& fileName, const QString& name, QWidget* parent)
    : QDialog(parent), initialFileName_(fileName), initialName_(name)
{
    setObjectName(QStringLiteral("FormFilename"));
    setWindowTitle(QStringLiteral("Enter personality name"));

    auto* group = new QGroupBox(QStringLiteral("Personality "), this);
    auto* form = new QFormLayout(group);
    EditFileName = new QLineEdit(fileName, group);
    EditFileName->setObjectName(QStringLiteral("EditFileName"));
    EditName = new QLineEdit(name, group);
    EditName->setObjectName(QStringLiteral("EditName"));
    // The name goes into the personality, the file name into paths made of its bytes.
    guardLatin1(EditFileName);
    guardLatin1(EditName);
    form->addRow(QStringLiteral("Filename:"), EditFileName);
    form->addRow(QStringLiteral("Name"), EditName);
    auto* note = new QLabel(QStringLiteral(
        "The personality is created in a folder of the same name inside the engine folder. "
        "Choose a file name that no other personality uses."), group);
    note->setWordWrap(true);
    note->setObjectName(QStringLiteral("MemoNote"));
    form->addRow(note);

    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setDefault(true);
    ButtonOK->setEnabled(false);
    ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    connect(EditFileName, &QLineEdit::textChanged, this, &TFormFilename::EditChange);
    connect(EditName, &QLineEdit::textChanged, this, &TFormFilename::EditChange);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFormFilename::fileName() const
{
    return EditFileName->text();
}

QString TFormFilename::name() const
{
    return EditName->text();
}

void TFormFilename::EditChange()
{
    ButtonOK->setEnabled(EditFileName->text() != initialFileName_ && EditName->text() != initialName_);
}

}  // namespace sw
