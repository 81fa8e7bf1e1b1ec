#include "editor/AttribDefForm.h"

#include "common/Latin1.h"

#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace sw {

TfrmAttribDef::TfrmAttribDef(const AttributeDefinition& definition, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAttribDef"));
    setWindowTitle(QStringLiteral("Internal Attribute Definition"));
    reAttribDef = new QTextEdit(this);
    reAttribDef->setObjectName(QStringLiteral("reAttribDef"));
    reAttribDef->setReadOnly(true);
    reAttribDef->setLineWrapMode(QTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(reAttribDef);

    QTextCharFormat plain;
    plain.setFont(reAttribDef->font());
    const qreal size = plain.font().pointSizeF() > 0 ? plain.font().pointSizeF() : 9;
    QTextCharFormat big = plain;
    big.setFontPointSize(size + 5);
    QTextCharFormat title = big;
    title.setFontWeight(QFont::Bold);
    QTextCharFormat description = plain;
    description.setForeground(QColor(0, 128, 0));
    description.setFontItalic(true);

    QTextCursor cursor(reAttribDef->document());
    bool first = true;
    auto line = [&](const std::string& text, const QTextCharFormat& format) {
        if (!first)
            cursor.insertBlock();
        first = false;
        cursor.setCharFormat(format);
        cursor.insertText(fromBytes(text), format);
    };
    line(definition.Caption, title);
    line("Internal Name: " + definition.Attribute, plain);
    line("Section: " + definition.Section, plain);
    line({}, plain);
    line(definition.Description, description);
    line({}, plain);
    line({}, plain);
    line("Internal attribute definition", big);
    line({}, plain);
    for (const std::string& entry : definition.Entries)
        line(entry, plain);
    reAttribDef->moveCursor(QTextCursor::Start);
    resize(420, 320);
}

}  // namespace sw
