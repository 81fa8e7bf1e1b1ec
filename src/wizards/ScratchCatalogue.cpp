#include "wizards/ScratchCatalogue.h"

#include "document/UisFile.h"
#include "store/StringOps.h"

namespace sw {

ScratchCatalogue loadScratchCatalogue()
{
    ScratchCatalogue catalogue;
    TUisFile document{std::string(kForceUis2Definition)};
    TStrings values;
    catalogue.actionShift = document.Choices("Button", "Action", values);
    if (values.size() > 32)
        values.resize(32);
    catalogue.actions.assign(values.begin(), values.end());

    TStrings definitions;
    document.DefinitionsOfType("FILE", "BITMAP", definitions);
    TUisDefinition& definition = document.Definition();
    for (const std::string& name : definitions) {
        if (strToIntDef(definition.ReadString(name, "Wizard", "1"), 1) == 0)
            continue;
        const std::size_t comma = name.find(',');
        if (comma == std::string::npos)
            continue;
        ScratchImageChoice choice;
        choice.section = name.substr(0, comma);
        choice.attribute = name.substr(comma + 1);
        choice.caption = document.AttributeDisplayName(choice.section, choice.attribute, choice.attribute);
        choice.imageCount = lenientInteger(definition.ReadString(name, "ImageCount", "5"), 5);
        catalogue.images.push_back(std::move(choice));
    }
    return catalogue;
}

}  // namespace sw
