// The explorer's "Code" page: the whole personality as text, coloured by element,
// and the operations on it that do not need the explorer (colouring, the caret's
// place for the status bar, searching, printing).
#pragma once

#include "common/Latin1.h"

#include <QPlainTextEdit>
#include <QSyntaxHighlighter>

#include <functional>

class QPrinter;

namespace sw {

// Colours the text the way the code page shows it: everything in the code style; from
// a ";" to the end of its line in the comment style; from a "[" to the next "]" in the
// section style, over comments too. A "[" with no "]" after it colours to the end of
// the text. With highlighting off the whole text is black.
class CodeHighlighter : public QSyntaxHighlighter {
public:
    explicit CodeHighlighter(QTextDocument* document);
    // Takes the styles in use again (they are kept, not looked up per line).
    void TakeStyles();

protected:
    void highlightBlock(const QString& text) override;

private:
    bool enabled_ = true;
    QTextCharFormat formats_[3];  // by CodeViewElementIndex: comment, section, code
};

// What the four status panels show for a caret position.
struct CodeCaretInfo {
    int column = 0;
    int line = 0;
    QString section;  // between the last "[" before the caret and the following "]"
    QString key;      // the caret line's text before "=" (empty without one)
};
CodeCaretInfo codeCaretInfo(const QTextDocument& document, int position);
// Panel 0: column + ": " + line, both from 0.
QString caretPanelText(const CodeCaretInfo& info);

class TCodeView : public Latin1TextEdit {
    Q_OBJECT
public:
    explicit TCodeView(QWidget* parent = nullptr);

    // Replaces the text without a change signal, an undo history or the modified mark;
    // the caret stays where it was as far as the new text allows.
    void LoadText(const QString& text);
    // The page's own modified mark: set by typing, cleared by LoadText and MarkApplied
    // (and by undoing back to either).
    bool CodeModified() const;
    void MarkApplied();

    // Searches from the end of the selection (or the caret) to the end of the text,
    // case-sensitively, and selects the match. False when there is none.
    bool FindNext(const QString& text);
    // Replaces one occurrence: the selection when it is the search text, otherwise the
    // next one found. False (nothing changed) when there is none.
    bool ReplaceNext(const QString& text, const QString& replacement);
    // Puts the caret 20 characters before the end, then at the first occurrence of
    // "[" + section + "]" (any case), so the header scrolls into view from below.
    void ShowSection(const QString& section);

    // The text on the printer, under the job name `title`.
    void Print(QPrinter& printer, const QString& title);

    // Re-colours the whole text with the styles in use.
    void Recolour();

signals:
    // The page's modified mark was set (the first edit after a load) or cleared.
    void CodeModifiedChanged(bool modified);

private:
    CodeHighlighter* highlighter_ = nullptr;
    bool loading_ = false;
};

}  // namespace sw
