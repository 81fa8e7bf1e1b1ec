#include "editor/CodeStyles.h"

#include "store/CustomIniFile.h"

#include <QFont>

namespace sw {

namespace {

CodeStyles defaultStyles()
{
    CodeStyles styles;
    for (int i = 0; i < kCodeViewElements; ++i)
        styles.styles[i] = codeViewElements()[i].defaults;
    return styles;
}

CodeStyles& current()
{
    static CodeStyles styles = defaultStyles();
    return styles;
}

}  // namespace

const CodeStyles& codeStyles()
{
    return current();
}

void loadCodeStyles(TCustomIniFile& settings)
{
    current().enabled = settings.ReadBool("CodeView", "EnableHighLighting", true);
    current().styles = readCodeViewStyles(settings);
}

QTextCharFormat codeFormat(CodeLineType type)
{
    const CodeViewStyle& style = current().styles[type - 1];
    QTextCharFormat format;
    // Stored as red in the low byte.
    format.setForeground(QColor(style.colour & 0xFF, (style.colour >> 8) & 0xFF, (style.colour >> 16) & 0xFF));
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.italic);
    format.setFontUnderline(style.underline);
    return format;
}

}  // namespace sw
