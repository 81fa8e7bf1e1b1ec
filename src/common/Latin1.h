// Personality files are single-byte text kept as bytes; widgets show them as Latin-1,
// so a byte read from a file comes back unchanged when it is written. A character
// beyond Latin-1 has no byte: it is refused where it is typed, pasted or dropped, with
// a message naming it, rather than being written as "?".
#pragma once

#include "engine/PromptService.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QString>
#include <QValidator>

#include <algorithm>
#include <string>

namespace sw {

inline QString fromBytes(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

inline std::string toBytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

// The characters of the text that single-byte text cannot hold, each once, in the
// order they first appear, as "Ā (U+0100), € (U+20AC)"; empty when there are none.
inline QString charactersOutsideLatin1(const QString& text);

// When the text holds such characters: says so, naming them, and returns true.
inline bool refuseOutsideLatin1(const QString& text);

// Typed, pasted or dropped text holding such characters is not taken: the field keeps
// what it had and the message names them. A combo box's field is guarded while it is
// editable (call again after making it editable: the toolkit gives it a new field).
inline void guardLatin1(QLineEdit* edit);
inline void guardLatin1(QComboBox* combo);

// A plain text editor that refuses such characters the same way.
class Latin1TextEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

// Defined in this header: the wizards, which the editor's library is built on, use them too.

namespace detail {

class Latin1Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        if (charactersOutsideLatin1(input).isEmpty())
            return Acceptable;
        // The field asks again while the message is up (it has lost the focus to it):
        // one attempt, one message. The field takes nothing either way.
        if (!asking_) {
            asking_ = true;
            refuseOutsideLatin1(input);
            asking_ = false;
        }
        return Invalid;
    }

private:
    mutable bool asking_ = false;
};

}  // namespace detail

inline QString charactersOutsideLatin1(const QString& text)
{
    // The common case, a whole code page of plain text, costs one pass and no copy.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; }))
        return {};
    QList<char32_t> seen;
    QString named;
    for (const char32_t c : text.toUcs4()) {
        if (c <= 0xFF || seen.contains(c))
            continue;
        seen.append(c);
        if (!named.isEmpty())
            named += QStringLiteral(", ");
        named += QString::fromUcs4(&c, 1) + QStringLiteral(" (U+") +
                 QStringLiteral("%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper() + QLatin1Char(')');
    }
    return named;
}

inline bool refuseOutsideLatin1(const QString& text)
{
    const QString refused = charactersOutsideLatin1(text);
    if (refused.isEmpty())
        return false;
    prompts().message(QStringLiteral("These characters cannot be stored, as Skinwright's files hold single-byte "
                                     "(Latin-1) text only: ") +
                          refused + QStringLiteral(".\nNothing was changed."),
                      QStringLiteral("Characters refused"), PromptIcon::Error, PromptButtons::Ok);
    return true;
}

inline void guardLatin1(QLineEdit* edit)
{
    if (edit && !dynamic_cast<const detail::Latin1Validator*>(edit->validator()))
        edit->setValidator(new detail::Latin1Validator(edit));
}

inline void guardLatin1(QComboBox* combo)
{
    if (combo)
        guardLatin1(combo->lineEdit());
}

inline void Latin1TextEdit::keyPressEvent(QKeyEvent* event)
{
    if (refuseOutsideLatin1(event->text())) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

inline void Latin1TextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (refuseOutsideLatin1(event->commitString())) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

inline void Latin1TextEdit::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText() && refuseOutsideLatin1(source->text()))
        return;
    QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace sw
