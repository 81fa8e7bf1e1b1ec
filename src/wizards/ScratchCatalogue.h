// What the picture wizard and the `cut` verb take from the UIS 2 catalogue: the
// button actions and the skin pictures other than borders and buttons.
#pragma once

#include <string>
#include <vector>

namespace sw {

struct ScratchImageChoice {
    std::string caption;  // the attribute's display name
    std::string section, attribute;
    int imageCount = 5;
};

struct ScratchCatalogue {
    std::vector<std::string> actions;  // at most the first 32
    int actionShift = 0;
    std::vector<ScratchImageChoice> images;
};

inline constexpr int kDefaultScratchAction = 4;

// Read through a scratch document on the shipped UIS 2 catalogue.
ScratchCatalogue loadScratchCatalogue();

}  // namespace sw
