#include "engine/ExplorerSettings.h"

#include "engine/EngineSettings.h"
#include "engine/Registry.h"

#include <algorithm>

namespace sw {

namespace {

constexpr std::string_view kEnableValue = "SkinwrightBackBitmapEnable";

int colourByte(std::string_view name, int fallback)
{
    return std::clamp(EngineSettings::value(name, fallback), 0, 255);
}

}  // namespace

ExplorerLook readExplorerLook(int missingColour)
{
    ExplorerLook look;
    // Radio buttons set one after the other: the last one switched on stays on.
    look.background = ExplorerLook::Regular;
    if (EngineSettings::value("ExpTrans") == 1)
        look.background = ExplorerLook::Transparent;
    if (EngineSettings::value("stretchBitmaps") == 1)
        look.background = ExplorerLook::Stretch;
    look.transparencyColour = std::clamp(EngineSettings::value("transBCOL", missingColour), 0, 15);
    look.ownTextColour = EngineSettings::value("DoExplorerColour") == 1;
    look.red = colourByte("ExpR", 0);
    look.green = colourByte("ExpG", 0);
    look.blue = colourByte("ExpB", 255);
    return look;
}

ExplorerLook writeExplorerLook(const ExplorerLook& look, const ExplorerLook& stored)
{
    ExplorerLook now = stored;
    if (look.background != stored.background) {
        // Both, since either one switched on decides the background.
        EngineSettings::setText("ExpTrans", look.background == ExplorerLook::Transparent ? "1" : "0");
        EngineSettings::setText("stretchBitmaps", look.background == ExplorerLook::Stretch ? "1" : "0");
        now.background = look.background;
    }
    if (look.transparencyColour != stored.transparencyColour) {
        EngineSettings::setValue("transBCOL", look.transparencyColour);
        now.transparencyColour = look.transparencyColour;
    }
    if (look.ownTextColour != stored.ownTextColour) {
        EngineSettings::setText("DoExplorerColour", look.ownTextColour ? "1" : "0");
        now.ownTextColour = look.ownTextColour;
    }
    // The colour is the engine's only while its own colour is on.
    if (look.ownTextColour) {
        auto channel = [](const char* name, int value, int& stored) {
            if (value != stored) {
                EngineSettings::setValue(name, value);
                stored = value;
            }
        };
        channel("ExpR", look.red, now.red);
        channel("ExpG", look.green, now.green);
        channel("ExpB", look.blue, now.blue);
    }
    return now;
}

ExplorerToolbars readExplorerToolbars()
{
    Registry registry;
    ExplorerToolbars toolbars;
    toolbars.images = registry.valueExists(kToolbarKey, kEnableValue);
    toolbars.backBitmap = registry.readString(kToolbarKey, "BackBitmap");
    toolbars.backBitmapIE5 = registry.readString(kToolbarKey, "BackBitmapIE5");
    toolbars.synchronize = registry.valueExists(kRunKey, kSynchronizerValue);
    return toolbars;
}

void writeToolbarImages(const ExplorerToolbars& toolbars, const ExplorerToolbars& stored)
{
    if (!toolbars.images) {
        if (stored.images)
            removeToolbarImages();
        return;
    }
    Registry registry;
    if (toolbars.backBitmap != stored.backBitmap || !stored.images)
        registry.writeString(kToolbarKey, "BackBitmap", toolbars.backBitmap);
    if (toolbars.backBitmapIE5 != stored.backBitmapIE5 || !stored.images)
        registry.writeString(kToolbarKey, "BackBitmapIE5", toolbars.backBitmapIE5);
    if (!stored.images)
        registry.writeString(kToolbarKey, kEnableValue, "1");
}

void removeToolbarImages()
{
    Registry registry;
    registry.deleteValue(kToolbarKey, "BackBitmap");
    registry.deleteValue(kToolbarKey, "BackBitmapIE5");
    registry.deleteValue(kToolbarKey, kEnableValue);
}

}  // namespace sw
