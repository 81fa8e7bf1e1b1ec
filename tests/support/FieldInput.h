// Text put into a field as the user puts it there, for the tests of what fields take.
#pragma once

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTest>

namespace sw {

// Typed: one key press carrying the text; then the events that follow are handled.
inline void typeInto(QWidget* field, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
    QCoreApplication::processEvents();
}

// Pasted from the clipboard with the paste keys.
inline void pasteInto(QWidget* field, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keySequence(field, QKeySequence::Paste);
    QCoreApplication::processEvents();
}

// The message that refuses characters single-byte files cannot hold.
inline QString refusedMessage(const QString& named)
{
    return QStringLiteral("These characters cannot be stored, as Skinwright's files hold single-byte (Latin-1) "
                          "text only: ") +
           named + QStringLiteral(".\nNothing was changed.");
}

}  // namespace sw
