#include "common/CodeStyles.h"

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

std::vector<StyledRun> codeViewRuns(const QString& text, bool highlighting, bool sectionOpen, bool* stillOpen)
{
    std::vector<StyledRun> runs{{0, int(text.size()), ElementAttribute}};
    bool open = false;
    if (highlighting) {
        for (qsizetype at = text.indexOf(QLatin1Char(';')); at >= 0; at = text.indexOf(QLatin1Char(';'), at + 1)) {
            qsizetype end = text.indexOf(QLatin1Char('\n'), at);
            if (end < 0)
                end = text.size();
            runs.push_back({int(at), int(end - at), ElementComment});
            at = end;
        }
        for (qsizetype at = sectionOpen ? 0 : text.indexOf(QLatin1Char('[')); at >= 0;
             at = text.indexOf(QLatin1Char('['), at + 1)) {
            const qsizetype end = text.indexOf(QLatin1Char(']'), at);
            if (end < 0) {
                runs.push_back({int(at), int(text.size() - at), ElementSection});
                open = true;
                break;
            }
            runs.push_back({int(at), int(end - at + 1), ElementSection});
            at = end;
        }
    }
    if (stillOpen)
        *stillOpen = open;
    return runs;
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
