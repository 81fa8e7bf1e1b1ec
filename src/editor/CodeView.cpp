#include "editor/CodeView.h"

#include "common/CodeStyles.h"

#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>

namespace sw {

namespace {

// Block state: whether a "[" is still waiting for its "]" at the end of the line.
constexpr int kSectionOpen = 1;

}  // namespace

CodeHighlighter::CodeHighlighter(QTextDocument* document) : QSyntaxHighlighter(document)
{
    TakeStyles();
}

void CodeHighlighter::TakeStyles()
{
    enabled_ = codeStyles().enabled;
    for (int element = 0; element < 3; ++element)
        formats_[element] = codeFormat(CodeLineType(element + 1));
    if (!enabled_) {
        formats_[ElementAttribute] = QTextCharFormat();
        formats_[ElementAttribute].setForeground(Qt::black);
    }
}

void CodeHighlighter::highlightBlock(const QString& text)
{
    bool open = false;
    for (const StyledRun& run : codeViewRuns(text, enabled_, previousBlockState() == kSectionOpen, &open))
        setFormat(run.start, run.length, formats_[run.element]);
    setCurrentBlockState(open ? kSectionOpen : 0);
}

CodeCaretInfo codeCaretInfo(const QTextDocument& document, int position)
{
    CodeCaretInfo info;
    const QTextBlock block = document.findBlock(position);
    if (!block.isValid())
        return info;
    info.line = block.blockNumber();
    info.column = position - block.position();
    const QString line = block.text();
    const int equals = int(line.indexOf(QLatin1Char('=')));
    if (equals >= 0)
        info.key = line.left(equals);
    // The last "[" before the caret, looking back line by line.
    int limit = info.column;
    for (QTextBlock b = block; b.isValid(); b = b.previous(), limit = -1) {
        const QString text = b.text();
        const int open = limit < 0 ? int(text.lastIndexOf(QLatin1Char('[')))
                                   : (limit == 0 ? -1 : int(text.lastIndexOf(QLatin1Char('['), limit - 1)));
        if (open < 0)
            continue;
        // From there to the following "]", which may lie on a later line.
        QString name = text.mid(open + 1);
        int close = int(name.indexOf(QLatin1Char(']')));
        for (QTextBlock n = b.next(); close < 0 && n.isValid(); n = n.next()) {
            name += QLatin1Char('\n') + n.text();
            close = int(name.indexOf(QLatin1Char(']')));
            if (name.size() > 4096)
                break;  // no "]" near: the rest of the text is not a section name
        }
        info.section = close < 0 ? name : name.left(close);
        break;
    }
    return info;
}

QString caretPanelText(const CodeCaretInfo& info)
{
    return QString::number(info.column) + QStringLiteral(": ") + QString::number(info.line);
}

TCodeView::TCodeView(QWidget* parent) : Latin1TextEdit(parent)
{
    setObjectName(QStringLiteral("CodeRichEdit"));
    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::Monospace);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The selection stays visible when the replace dialog has the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
    highlighter_ = new CodeHighlighter(document());
    connect(document(), &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (!loading_)
            emit CodeModifiedChanged(modified);
    });
}

void TCodeView::LoadText(const QString& text)
{
    highlighter_->TakeStyles();
    const int caret = textCursor().position();
    loading_ = true;
    setUndoRedoEnabled(false);
    setPlainText(text);
    setUndoRedoEnabled(true);
    document()->setModified(false);
    loading_ = false;
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min(caret, document()->characterCount() - 1));
    setTextCursor(cursor);
}

bool TCodeView::CodeModified() const
{
    return document()->isModified();
}

void TCodeView::MarkApplied()
{
    document()->setModified(false);
}

bool TCodeView::FindNext(const QString& text)
{
    if (text.isEmpty())
        return false;
    const QTextCursor from = textCursor();
    const QTextCursor found = document()->find(text, from.selectionEnd(), QTextDocument::FindCaseSensitively);
    if (found.isNull())
        return false;
    setTextCursor(found);
    setFocus();
    return true;
}

bool TCodeView::ReplaceNext(const QString& text, const QString& replacement)
{
    if (text.isEmpty())
        return false;
    // A match the user has just found is the one replaced, not the one after it.
    if (textCursor().selectedText() != text && !FindNext(text))
        return false;
    textCursor().insertText(replacement);
    return true;
}

void TCodeView::ShowSection(const QString& section)
{
    setFocus();
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::max(0, document()->characterCount() - 1 - 20));
    setTextCursor(cursor);
    ensureCursorVisible();
    const QTextCursor found = document()->find(QLatin1Char('[') + section + QLatin1Char(']'), 0);
    if (!found.isNull()) {
        cursor.setPosition(found.selectionStart());
        setTextCursor(cursor);
        ensureCursorVisible();
    }
}

void TCodeView::Print(QPrinter& printer, const QString& title)
{
    printer.setDocName(title);
    document()->print(&printer);
}

void TCodeView::Recolour()
{
    highlighter_->TakeStyles();
    highlighter_->rehighlight();
}

}  // namespace sw
