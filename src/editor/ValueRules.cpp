#include "editor/ValueRules.h"

#include "store/StringOps.h"

#include <vector>

namespace sw {

std::optional<std::array<int, 3>> rgbWords(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text + ' ') {
        if (c == ' ' || c == '\t') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (words.size() < 3)
        return std::nullopt;
    std::array<int, 3> channels{};
    for (int i = 0; i < 3; ++i) {
        // A word without any digit is not a number at all.
        if (words[std::size_t(i)].find_first_of("0123456789") == std::string::npos)
            return std::nullopt;
        channels[std::size_t(i)] = lenientInteger(words[std::size_t(i)], 0);
    }
    return channels;
}

std::string rgbText(int red, int green, int blue)
{
    return intToStr(red) + " " + intToStr(green) + " " + intToStr(blue);
}

bool textChanged(const std::string& text, const std::string& valueAtSelection)
{
    return text != valueAtSelection;
}

bool numberChanged(const std::string& text, const std::string& valueAtSelection)
{
    return lenientInteger(text, -256) != lenientInteger(valueAtSelection, -256);
}

bool switchChanged(bool checked, const std::string& valueAtSelection)
{
    return (checked ? 1 : 0) != lenientInteger(valueAtSelection, -1);
}

bool choiceChanged(int index, int shift, const std::string& valueAtSelection)
{
    return index + shift != lenientInteger(valueAtSelection, -256);
}

int choiceIndex(const std::string& value, int catalogueDefault, int shift)
{
    return lenientInteger(value, catalogueDefault) - shift;
}

std::string channelStem(const std::string& key)
{
    return key.empty() ? key : key.substr(0, key.size() - 1);
}

}  // namespace sw
