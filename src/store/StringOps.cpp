#include "store/StringOps.h"

#include <algorithm>
#include <charconv>

namespace sw {

char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

std::string asciiUpper(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = asciiUpper(c);
    return result;
}

std::string asciiLower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return result;
}

bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && asciiUpper(a[i]) != asciiUpper(b[i]))
            return false;
    return true;
}

bool startsWithText(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && sameText(text.substr(0, prefix.size()), prefix);
}

std::string_view trimView(std::string_view text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
        --end;
    return text.substr(begin, end - begin);
}

std::string trim(std::string_view text)
{
    return std::string(trimView(text));
}

std::optional<int32_t> valInteger(std::string_view text, std::size_t* errorPosition, bool allowHex)
{
    std::size_t i = 0;
    auto fail = [&](std::size_t at) -> std::optional<int32_t> {
        if (errorPosition)
            *errorPosition = at + 1;
        return std::nullopt;
    };
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (allowHex && i < text.size() && text[i] == '$') {
        ++i;
        if (i >= text.size())
            return fail(i);
        uint32_t value = 0;
        for (; i < text.size(); ++i) {
            int digit;
            char c = text[i];
            if (c >= '0' && c <= '9') digit = c - '0';
            else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            else return fail(i);
            if (value > 0x0FFFFFFFu)
                return fail(i);
            value = value * 16 + uint32_t(digit);
        }
        int32_t result = static_cast<int32_t>(value);
        return negative ? int32_t(0u - value) : result;
    }
    if (i >= text.size())
        return fail(i);
    int64_t value = 0;
    const int64_t limit = negative ? int64_t(INT32_MAX) + 1 : INT32_MAX;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return fail(i);
        value = value * 10 + (c - '0');
        if (value > limit)
            return fail(i);
    }
    return static_cast<int32_t>(negative ? -value : value);
}

int32_t strToIntDef(std::string_view text, int32_t fallback)
{
    return valInteger(text).value_or(fallback);
}

int32_t lenientInteger(std::string_view text, int32_t fallback)
{
    // Dropping the byte at which the conversion fails and trying again keeps exactly
    // the bytes that the conversion would accept in order, so one pass over the text
    // gives the same result without the quadratic cost on long values: leading blanks
    // and one sign before anything else, then the digits that keep the number in range.
    bool started = false, negative = false, anyDigit = false;
    int64_t value = 0;
    for (char c : text) {
        if (!started && c == ' ')
            continue;
        if (!started && (c == '-' || c == '+')) {
            started = true;
            negative = c == '-';
            continue;
        }
        if (c < '0' || c > '9')
            continue;
        const int64_t limit = negative ? int64_t(INT32_MAX) + 1 : INT32_MAX;
        if (value * 10 + (c - '0') > limit)
            continue;
        value = value * 10 + (c - '0');
        started = anyDigit = true;
    }
    if (!anyDigit)
        return fallback;
    return static_cast<int32_t>(negative ? -value : value);
}

std::string intToStr(int64_t value)
{
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string_view withoutLeadingComments(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = trimView(text.substr(at, end - at));
        if (!line.empty() && line[0] != ';' && line[0] != '#')
            break;
        at = std::min(end + 1, text.size());
    }
    return text.substr(at);
}

std::size_t CaseInsensitiveHash::operator()(std::string_view text) const noexcept
{
    // FNV-1a over the upper-cased bytes.
    std::size_t hash = 1469598103934665603ull;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(asciiUpper(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

bool naturalLess(std::string_view a, std::string_view b)
{
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0, j = 0;
    int zerosOrder = 0;  // decides between otherwise equal names
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const std::size_t startA = i, startB = j;
            while (i < a.size() && a[i] == '0')
                ++i;
            while (j < b.size() && b[j] == '0')
                ++j;
            const std::size_t digitsA = i, digitsB = j;
            while (i < a.size() && isDigit(a[i]))
                ++i;
            while (j < b.size() && isDigit(b[j]))
                ++j;
            const std::string_view numberA = a.substr(digitsA, i - digitsA), numberB = b.substr(digitsB, j - digitsB);
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (numberA != numberB)
                return numberA < numberB;
            if (zerosOrder == 0 && digitsA - startA != digitsB - startB)
                zerosOrder = digitsA - startA < digitsB - startB ? -1 : 1;
            continue;
        }
        const char x = asciiUpper(a[i]), y = asciiUpper(b[j]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    return zerosOrder < 0;
}

}  // namespace sw
