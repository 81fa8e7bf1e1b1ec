// How much room a text takes in a font. The composition asks this, not the fonts
// directly, so layouts can also be worked out with metrics of one's own.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace sw {

class TTextMeasure {
public:
    virtual ~TTextMeasure() = default;
    // The size of a one-line text, every character as written.
    virtual QSize TextSize(const QFont& font, const QString& text) const = 0;
    // The height of a line of the font (a label holding no text is this high).
    virtual int LineHeight(const QFont& font) const = 0;
};

// Measures with the fonts themselves.
class TFontTextMeasure : public TTextMeasure {
public:
    QSize TextSize(const QFont& font, const QString& text) const override;
    int LineHeight(const QFont& font) const override;

    static const TFontTextMeasure& Instance();
};

// The text as shown, with the shortcut marks taken out.
QString withoutShortcutMarks(const QString& text);

}  // namespace sw
