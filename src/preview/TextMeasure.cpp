#include "preview/TextMeasure.h"

#include <QFontMetrics>

namespace sw {

QString withoutShortcutMarks(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 >= text.size())
                break;
            ++i;
        }
        shown += text[i];
    }
    return shown;
}

QSize TFontTextMeasure::TextSize(const QFont& font, const QString& text) const
{
    const QFontMetrics metrics(font);
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

int TFontTextMeasure::LineHeight(const QFont& font) const
{
    return QFontMetrics(font).height();
}

const TFontTextMeasure& TFontTextMeasure::Instance()
{
    static const TFontTextMeasure measure;
    return measure;
}

}  // namespace sw
