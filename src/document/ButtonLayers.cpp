#include "document/ButtonLayers.h"

#include "document/UisFile.h"
#include "store/StringOps.h"

namespace sw {

ChainTable::ChainTable(int count) : count_(std::max(count, 0)), cells_(std::size_t(count_) * std::size_t(count_), 0) {}

bool ChainTable::Marked(int row, int column) const
{
    if (row < 0 || column < 0 || row >= count_ || column >= count_)
        return false;
    return cells_[std::size_t(row) * std::size_t(count_) + std::size_t(column)] != 0;
}

void ChainTable::set(int row, int column, bool mark)
{
    cells_[std::size_t(row) * std::size_t(count_) + std::size_t(column)] = mark ? 1 : 0;
}

std::vector<int> ChainTable::Members(int current) const
{
    std::vector<int> members;
    for (int column = 0; column < count_; ++column)
        if (Marked(current, column))
            members.push_back(column);
    return members;
}

void ChainTable::GroupCurrentButtonWith(int current, int button, bool force)
{
    if (current < 0 || button < 0 || current >= count_ || button >= count_ || current == button)
        return;
    const bool mark = force || !Marked(current, button);
    set(current, button, mark);
    set(current, current, true);
    // A button belongs to one chain only: it leaves whatever chain held it before.
    for (int row = 0; row < count_; ++row)
        if (row != current && row != button)
            set(row, button, false);
    for (int row = 0; row < count_; ++row) {
        if (row == current)
            continue;
        const bool copy = row == button ? mark : Marked(current, row);
        if (row != button && !copy)
            continue;
        for (int column = 0; column < count_; ++column)
            set(row, column, copy && Marked(current, column));
    }
}

void ChainTable::AddButton()
{
    ChainTable grown(count_ + 1);
    for (int row = 0; row < count_; ++row)
        for (int column = 0; column < count_; ++column)
            grown.set(row, column, Marked(row, column));
    *this = std::move(grown);
}

void ChainTable::DeleteButton(int k)
{
    if (k < 0 || k >= count_)
        return;
    ChainTable shrunk(count_ - 1);
    for (int row = 0; row < count_ - 1; ++row)
        for (int column = 0; column < count_ - 1; ++column)
            shrunk.set(row, column, Marked(row < k ? row : row + 1, column < k ? column : column + 1));
    *this = std::move(shrunk);
}

void ChainTable::SwapButtons(int a, int b)
{
    if (a < 0 || b < 0 || a >= count_ || b >= count_ || a == b)
        return;
    for (int row = 0; row < count_; ++row) {
        const bool at = Marked(row, a);
        set(row, a, Marked(row, b));
        set(row, b, at);
    }
    for (int column = 0; column < count_; ++column) {
        const bool at = Marked(a, column);
        set(a, column, Marked(b, column));
        set(b, column, at);
    }
}

std::vector<int> chainAlignedOrder(int current, int count)
{
    std::vector<int> order;
    for (int button = count - 1; button > current; --button)
        order.push_back(button);
    for (int button = 0; button < current && button < count; ++button)
        order.push_back(button);
    return order;
}

AlignDirections alignDirections(int align)
{
    // As the preview places buttons: 1, 3, 7 and 9 count X from the right, 2, 3 and 5
    // count Y from the bottom; the others (and alignments it does not know) count from
    // the left and the top.
    const bool fromRight = align == 1 || align == 3 || align == 7 || align == 9;
    const bool fromBottom = align == 2 || align == 3 || align == 5;
    return {fromRight ? -1 : 1, fromBottom ? -1 : 1};
}

bool shiftChainedButtons(TUisFile& document, const std::vector<int>& members, int moved, int movedDx, int movedDy)
{
    // The distance the dragged button went on the window.
    const AlignDirections movedWay = alignDirections(document.ReadInteger("Button" + intToStr(moved), "Align", 0));
    const int screenDx = movedWay.x * movedDx, screenDy = movedWay.y * movedDy;
    bool changed = false;
    for (int button : members) {
        if (button == moved)
            continue;
        const std::string section = "Button" + intToStr(button);
        const AlignDirections way = alignDirections(document.ReadInteger(section, "Align", 0));
        const int dx = way.x * screenDx, dy = way.y * screenDy;
        if (dx != 0)
            document.WriteInteger(section, "XCoord", document.ReadInteger(section, "XCoord", 0) + dx);
        if (dy != 0)
            document.WriteInteger(section, "YCoord", document.ReadInteger(section, "YCoord", 0) + dy);
        changed = changed || dx != 0 || dy != 0;
    }
    if (changed)
        document.UpdateFile();
    return changed;
}

std::set<int> buttonConditions(TUisFile& document, int button)
{
    const std::string section = "Button" + intToStr(button);
    std::set<int> conditions;
    for (int i = 0; i <= 9; ++i) {
        const int value = document.ReadInteger(section, i == 0 ? std::string("Visibility") : "Visibility" + intToStr(i), -255);
        if (value != -255)
            conditions.insert(value);
    }
    return conditions;
}

ButtonVisibility applyVisibility(const std::set<int>& conditions, const VisibilityOptions& options)
{
    auto has = [&](int condition) { return conditions.count(condition) != 0; };
    const bool shown = has(0) || has(options.WindowStyle == 1 ? 18 : 19) || has(options.Sizing == 1 ? 25 : 24) ||
                       has(options.HelpButton ? 13 : 14) || has(options.MinButton ? 22 : 23) ||
                       has(options.MaxButton ? 20 : 21) || ((options.MinButton || options.MaxButton) && has(26)) ||
                       has(options.SystemIcon ? 27 : 28) || has(options.TitleText ? 29 : 30) ||
                       has(options.RolledUp ? 5 : 6) || has(options.Ordering == 1 ? 7 : 8) ||
                       has(options.Ordering == 2 ? 9 : 10);
    if (has(1) || has(2))
        return {shown && !has(2), shown && !has(1)};
    return {shown, shown};
}

VisibilityEnabling visibilityEnabling(TUisFile& document, const VisibilityOptions& options)
{
    VisibilityEnabling enabling;
    enabling.TitleText = options.Sizing != 1;
    const int count = document.ButtonCount();
    for (int button = 0; button < count; ++button) {
        const std::string section = "Button" + intToStr(button);
        for (const char* key : {"Action", "ShiftAction", "CtrlAction"}) {
            const int action = document.ReadInteger(section, key, 0);
            enabling.Ordering = enabling.Ordering || (action >= 6 && action <= 8);
        }
        enabling.SystemIcon = enabling.SystemIcon || document.ReadInteger(section, "Action", 0) == 11;
    }
    enabling.RolledUp = document.ValueExists("PERSONALITY", "RollupSize");
    return enabling;
}

std::string buttonActionText(TUisFile& document, int button)
{
    return document.ButtonActionCaption("Button" + intToStr(button));
}

std::string buttonAlignmentText(TUisFile& document, int button)
{
    return document.ButtonAlignmentText("Button" + intToStr(button));
}

std::string swapButtonSections(std::string_view text, int a, int b)
{
    const std::string nameA = "Button" + intToStr(a), nameB = "Button" + intToStr(b);
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view line = text.substr(start, end - start);
        start = end;
        const std::size_t open = line.find_first_not_of(" \t");
        const std::size_t close = line.find(']');
        if (open != std::string_view::npos && line[open] == '[' && close != std::string_view::npos && close > open) {
            std::string_view name = trimView(line.substr(open + 1, close - open - 1));
            const bool isA = sameText(name, nameA), isB = sameText(name, nameB);
            if (isA || isB) {
                result.append(line.substr(0, open + 1));
                result.append(isA ? nameB : nameA);
                result.append(line.substr(close));
                continue;
            }
        }
        result.append(line);
    }
    return result;
}

}  // namespace sw
