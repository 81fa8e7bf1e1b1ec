// The rules of the value editor band that need no widget: how a page reads a stored
// value and when what the user did counts as a change.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace sw {

// The value of a colour written as three numbers ("12 34 56", blanks or tabs between).
// Nothing when it is not three numbers.
std::optional<std::array<int, 3>> rgbWords(const std::string& text);
std::string rgbText(int red, int green, int blue);

// Change detection of the pages, each against the value the attribute had when it
// was selected. Numbers are read leniently with the defaults the band uses.
bool textChanged(const std::string& text, const std::string& valueAtSelection);
bool numberChanged(const std::string& text, const std::string& valueAtSelection);
bool switchChanged(bool checked, const std::string& valueAtSelection);
bool choiceChanged(int index, int shift, const std::string& valueAtSelection);

// The list position a stored choice shows: the value (default: the catalogue's
// default) less the shift.
int choiceIndex(const std::string& value, int catalogueDefault, int shift);

// The stem of a channel key: ActiveTitleR -> ActiveTitle.
std::string channelStem(const std::string& key);

}  // namespace sw
