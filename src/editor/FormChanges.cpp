#include "editor/FormChanges.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QSyntaxHighlighter>
#include <QVBoxLayout>

namespace sw {

namespace {

class DiffHighlighter : public QSyntaxHighlighter {
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString& text) override
    {
        if (text.startsWith(QLatin1String("@@"))) {
            QTextCharFormat hunk;
            hunk.setForeground(QColor(0, 0, 160));
            setFormat(0, int(text.size()), hunk);
            return;
        }
        const bool removed = text.startsWith(QLatin1Char('-')) && !text.startsWith(QLatin1String("---"));
        const bool added = text.startsWith(QLatin1Char('+')) && !text.startsWith(QLatin1String("+++"));
        if (!removed && !added)
            return;
        QTextCharFormat line;
        line.setForeground(removed ? QColor(160, 0, 0) : QColor(0, 120, 0));
        line.setBackground(removed ? QColor(255, 236, 236) : QColor(232, 255, 232));
        setFormat(0, int(text.size()), line);
        // The key whose value changed stands out.
        const qsizetype eq = text.indexOf(QLatin1Char('='));
        if (eq > 1) {
            QTextCharFormat key = line;
            key.setFontWeight(QFont::Bold);
            setFormat(1, int(eq - 1), key);
        }
    }
};

}  // namespace

TFormChanges::TFormChanges(const QString& diff, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormChanges"));
    setWindowTitle(QStringLiteral("Changes Since Save"));
    MemoChanges = new QPlainTextEdit(this);
    MemoChanges->setObjectName(QStringLiteral("MemoChanges"));
    MemoChanges->setReadOnly(true);
    MemoChanges->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoChanges->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    MemoChanges->setPlaceholderText(QStringLiteral("No changes since the file was opened or saved."));
    MemoChanges->setPlainText(diff);
    new DiffHighlighter(MemoChanges->document());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MemoChanges);
    layout->addWidget(buttons);
    resize(720, 480);
}

}  // namespace sw
