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

void writeExplorerLook(const ExplorerLook& look)
{
    EngineSettings::setText("ExpTrans", look.background == ExplorerLook::Transparent ? "1" : "0");
    // Stored too, so a stretched background shown at start survives OK unchanged.
    EngineSettings::setText("stretchBitmaps", look.background == ExplorerLook::Stretch ? "1" : "0");
    EngineSettings::setValue("transBCOL", look.transparencyColour);
    if (look.ownTextColour) {
        EngineSettings::setText("DoExplorerColour", "1");
        EngineSettings::setValue("ExpR", look.red);
        EngineSettings::setValue("ExpG", look.green);
        EngineSettings::setValue("ExpB", look.blue);
    } else {
        EngineSettings::setText("DoExplorerColour", "0");
    }
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

void writeToolbarImages(bool images, std::string_view backBitmap, std::string_view backBitmapIE5)
{
    Registry registry;
    if (images) {
        registry.writeString(kToolbarKey, "BackBitmap", backBitmap);
        registry.writeString(kToolbarKey, "BackBitmapIE5", backBitmapIE5);
        registry.writeString(kToolbarKey, kEnableValue, "1");
    } else {
        registry.deleteValue(kToolbarKey, "BackBitmap");
        registry.deleteValue(kToolbarKey, "BackBitmapIE5");
        registry.deleteValue(kToolbarKey, kEnableValue);
    }
}

}  // namespace sw
