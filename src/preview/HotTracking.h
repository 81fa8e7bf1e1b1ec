// Which section and attribute of the personality a layer of the preview shows: a
// click selects them in the explorer, a double-click opens the attribute's bitmap.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sw {

struct LayerTarget {
    std::string Section;  // empty: the tree's root (the personality itself)
    std::string Attribute;
};

// The target of a click on a layer; nothing for layers that select nothing.
std::optional<LayerTarget> hotTrackTarget(std::string_view layer);
// The attribute whose bitmap a layer shows; nothing for the banner, the author line,
// the logo, the size grip and layers without a bitmap of their own.
std::optional<LayerTarget> imageActionTarget(std::string_view layer);

}  // namespace sw
