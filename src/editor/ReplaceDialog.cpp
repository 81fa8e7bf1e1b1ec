#include "editor/ReplaceDialog.h"

#include "common/Latin1.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sw {

TReplaceDialog::TReplaceDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReplaceDialog"));
    setWindowTitle(QStringLiteral("Replace"));
    auto* grid = new QGridLayout(this);
    EditFind = new QLineEdit;
    EditFind->setObjectName(QStringLiteral("EditFind"));
    EditReplace = new QLineEdit;
    EditReplace->setObjectName(QStringLiteral("EditReplace"));
    guardLatin1(EditFind);
    guardLatin1(EditReplace);
    auto* findLabel = new QLabel(QStringLiteral("Fi&nd what:"));
    findLabel->setBuddy(EditFind);
    auto* replaceLabel = new QLabel(QStringLiteral("Re&place with:"));
    replaceLabel->setBuddy(EditReplace);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(EditFind, 0, 1);
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(EditReplace, 1, 1);

    auto* buttons = new QVBoxLayout;
    auto button = [&](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    ButtonFindNext = button("ButtonFindNext", QStringLiteral("&Find Next"));
    ButtonFindNext->setDefault(true);
    ButtonReplace = button("ButtonReplace", QStringLiteral("&Replace"));
    ButtonReplaceAll = button("ButtonReplaceAll", QStringLiteral("Replace &All"));
    ButtonCancel = button("ButtonCancel", QStringLiteral("Cancel"));
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 3, 1);
    grid->setRowStretch(2, 1);

    auto enable = [this] {
        const bool any = !EditFind->text().isEmpty();
        for (QPushButton* b : {ButtonFindNext, ButtonReplace, ButtonReplaceAll})
            b->setEnabled(any);
    };
    connect(EditFind, &QLineEdit::textChanged, this, enable);
    enable();
    connect(ButtonFindNext, &QPushButton::clicked, this, &TReplaceDialog::Find);
    connect(ButtonReplace, &QPushButton::clicked, this, &TReplaceDialog::Replace);
    connect(ButtonReplaceAll, &QPushButton::clicked, this, &TReplaceDialog::ReplaceAll);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TReplaceDialog::FindText() const
{
    return EditFind->text();
}

QString TReplaceDialog::ReplaceText() const
{
    return EditReplace->text();
}

void TReplaceDialog::SetFindText(const QString& text)
{
    EditFind->setText(text);
    EditFind->selectAll();
}

}  // namespace sw
