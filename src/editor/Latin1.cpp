#include "editor/Latin1.h"

#include "engine/PromptService.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QValidator>

#include <algorithm>

namespace sw {

namespace {

class Latin1Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        if (charactersOutsideLatin1(input).isEmpty())
            return Acceptable;
        // The field is in the middle of its change: the message waits until it is done,
        // and one attempt gives one message however often the field asks.
        if (!pending_) {
            pending_ = true;
            QTimer::singleShot(0, this, [this, refused = input] {
                pending_ = false;
                refuseOutsideLatin1(refused);
            });
        }
        return Invalid;
    }

private:
    mutable bool pending_ = false;
};

}  // namespace

QString charactersOutsideLatin1(const QString& text)
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

bool refuseOutsideLatin1(const QString& text)
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

void guardLatin1(QLineEdit* edit)
{
    if (edit && !dynamic_cast<const Latin1Validator*>(edit->validator()))
        edit->setValidator(new Latin1Validator(edit));
}

void guardLatin1(QComboBox* combo)
{
    if (combo)
        guardLatin1(combo->lineEdit());
}

void Latin1TextEdit::keyPressEvent(QKeyEvent* event)
{
    if (refuseOutsideLatin1(event->text())) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void Latin1TextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (refuseOutsideLatin1(event->commitString())) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void Latin1TextEdit::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText() && refuseOutsideLatin1(source->text()))
        return;
    QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace sw
