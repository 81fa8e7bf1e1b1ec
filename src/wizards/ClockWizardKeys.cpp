#include "wizards/ClockWizardKeys.h"

#include "document/UisFile.h"
#include "store/StringOps.h"

#include <cmath>

namespace sw {

int nextClockButton(TUisFile& document)
{
    const int count = lenientInteger(document.ReadString("PERSONALITY", "ButtonCount", "0"), -1);
    // A count that says nothing usable must not give a section "Button-1".
    return count < 0 ? 0 : count;
}

std::string writeClockKeys(TUisFile& document, const ClockKeys& keys)
{
    const int n = nextClockButton(document);
    const std::string button = "Button" + intToStr(n);
    document.WriteInteger("PERSONALITY", "ButtonCount", n + 1);
    if (!keys.background.empty())
        document.WriteString("Clock", "Background", keys.background);
    else
        document.DeleteKey("Clock", "Background");
    document.WriteInteger("Clock", "FontSize", -keys.fontHeight);
    document.WriteString("Clock", "FontName", keys.fontName);
    document.WriteInteger("Clock", "UpdateTimer", keys.updateInterval);
    const std::pair<const char*, int> fading[] = {
        {"ButtonNo", keys.fadeButton}, {"AlphaInc", keys.alphaStep}, {"maxAlpha", keys.maxAlpha},
        {"minAlpha", keys.minAlpha}};
    for (const auto& [key, value] : fading) {
        if (keys.fading)
            document.WriteInteger("Clock", key, value);
        else
            document.DeleteKey("Clock", key);
    }
    document.WriteInteger(button, "XCoord", keys.offsetX);
    document.WriteInteger(button, "YCoord", keys.offsetY);
    document.WriteInteger(button, "Width", keys.width);
    document.WriteInteger(button, "Height", keys.height);
    document.WriteInteger(button, "Action", -3);
    document.WriteString(button, "DllName", "clock.dll");
    document.WriteInteger(button, "Align", keys.align);
    document.WriteInteger(button, "Visibility", keys.visibility + document.Shift("Button", "Visibility"));
    return button;
}

QPoint clockPlacement(int align, int x, int y, int w, int h)
{
    switch (align) {
    case 1: return {w - x, y};
    case 2: return {x, h - y};
    case 3: return {w - x, h - y};
    case 4: return {w / 2 + x, y};
    case 5: return {w / 2 + x, h - y};
    case 6: return {x, h / 2 + y};
    case 7: return {w - x, h / 2 + y};
    default: return {x, y};
    }
}

std::optional<int> clockOffsetForAlignment(int align, int pictureWidth)
{
    switch (align) {
    case 1:
    case 3:
    case 7: return pictureWidth;
    case 4:
    case 5: return -(pictureWidth / 2);
    default: return std::nullopt;
    }
}

QString clockTimeText(const QDateTime& when)
{
    const QTime t = when.toUTC().time();
    return QStringLiteral("%1:%2:%3").arg(t.hour()).arg(t.minute()).arg(t.second());
}

int clockFontHeight(const QFont& font, int dotsPerInch)
{
    if (font.pixelSize() > 0)
        return -font.pixelSize();
    return -int(std::lround(font.pointSizeF() * dotsPerInch / 72.0));
}

}  // namespace sw
