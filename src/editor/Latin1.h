// Personality files are single-byte text kept as bytes; widgets show them as Latin-1,
// so a byte read from a file comes back unchanged when it is written. A character
// beyond Latin-1 has no byte: it is refused where it is typed, pasted or dropped, with
// a message naming it, rather than being written as "?".
#pragma once

#include <QPlainTextEdit>
#include <QString>

#include <string>

class QComboBox;
class QLineEdit;

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
QString charactersOutsideLatin1(const QString& text);

// When the text holds such characters: says so, naming them, and returns true.
bool refuseOutsideLatin1(const QString& text);

// Typed, pasted or dropped text holding such characters is not taken: the field keeps
// what it had and the message follows. A combo box's field is guarded while it is
// editable (call again after making it editable: the toolkit gives it a new field).
void guardLatin1(QLineEdit* edit);
void guardLatin1(QComboBox* combo);

// A plain text editor that refuses such characters the same way.
class Latin1TextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace sw
